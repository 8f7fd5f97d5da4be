#pragma once

#include "submit/run/submitguard.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// The check before a run, shown when some pairs were sent already since the
// product's release or break a site's policy: the pairs in two groups, and
// "Skip these" (the default), "Send anyway" and "Cancel". Closing the dialog
// any other way cancels.
class GuardDialog : public QDialog
{
    Q_OBJECT

public:
    explicit GuardDialog(const SubmitGuard::Findings &findings, QWidget *parent = nullptr);

    SubmitGuard::Answer answer() const { return m_answer; }

private:
    void answerWith(SubmitGuard::Answer answer);

    SubmitGuard::Answer m_answer = SubmitGuard::Answer::Cancel;
};

// The prompt the run asks through: the dialog, modal to `parent`.
class GuardDialogPrompt : public SubmitGuard::Prompt
{
public:
    explicit GuardDialogPrompt(QWidget *parent) : m_parent(parent) {}
    SubmitGuard::Answer ask(const SubmitGuard::Findings &findings) override;

private:
    QWidget *m_parent;
};
