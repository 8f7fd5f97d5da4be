#pragma once

#include "submit/sites/credentials.h"

#include <QDialog>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;

// The site user and password dialog: the site's name, its user name and its
// password, shown as plain text. "ok" refuses a pair the credential file
// could not keep and stays open; the caller stores an accepted pair.
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    TForm3(Dialogs &dialogs, QWidget *parent = nullptr);

    void setFields(const Credentials::DialogFields &fields);
    // Whether "ok" holds the pair to what the credential file can keep (on
    // by default); a pair that is never stored may be any text.
    void setPairChecked(bool checked) { m_pairChecked = checked; }
    QString siteName() const;
    QString userName() const;
    QString passWord() const;

    QLabel *siteLabel() const { return m_site; }
    QLineEdit *userEdit() const { return m_user; }
    QLineEdit *passEdit() const { return m_pass; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Dialogs &m_dialogs;
    QLabel *m_site = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_pass = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_pairChecked = true;
};
