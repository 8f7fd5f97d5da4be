#pragma once

#include "submit/browser/browserwindow.h"
#include "submit/browser/pageprobe.h"
#include "submit/formwalk/formwalkplanner.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class Dialogs;
class QLabel;
class QTableView;
class TeachListModel;

// "read form from page": the site's submission page opened as a run opens
// it (logging in first where the site's type says so), every input of every
// form listed with its label and current value, and a catalogue field
// picked for each input worth filling, suggested from its name and label.
// Nothing of the submission form is filled or sent.
class TeachDialog : public QDialog
{
    Q_OBJECT

public:
    // `login` is the default site login, used where the site has no pair of its own.
    TeachDialog(const QStringList &siteRecord, const BrowserOptions &options,
                const FormWalk::LoginPair &login, QWidget *parent = nullptr,
                int timeLimitMs = PageProbe::DefaultTimeLimitMs);
    ~TeachDialog() override;

    // The editor's form reader: the user's picks, or none when cancelled.
    static QList<FormWalk::FieldMapEntry> readFormFromPage(const QStringList &siteRecord,
                                                           const BrowserOptions &options,
                                                           const FormWalk::LoginPair &login,
                                                           QWidget *parent = nullptr);

    // Opens the page; pageRead() follows.
    void start();
    QList<FormWalk::FieldMapEntry> picks() const;

    TeachListModel *model() const { return m_model; }
    QTableView *table() const { return m_table; }
    PageProbe *probe() const { return m_probe; }
    QString statusText() const;

signals:
    // The list is filled (ok) or the page could not be read (the status says why).
    void pageRead(bool ok);

private:
    void probed(const ProbeResult &result);

    QStringList m_site;
    FormWalk::Input m_input;
    bool m_loginPageOnly = false;
    PageProbe *m_probe = nullptr;
    TeachListModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_status = nullptr;
};
