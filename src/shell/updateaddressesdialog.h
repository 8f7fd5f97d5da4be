#pragma once

#include <QDialog>

class Dialogs;
class QLineEdit;
class QPushButton;
class Settings;

// The options' "addresses..." window: the update address (host and optional
// port) and the site pack address, as stored. OK stores what is usable; a
// value that is no address is told, keeps the stored one, and the window
// stays open for the user to mend it.
class UpdateAddressesDialog : public QDialog
{
    Q_OBJECT

public:
    UpdateAddressesDialog(Settings &settings, Dialogs &dialogs, QWidget *parent = nullptr);

    QLineEdit *updateHostEdit() const { return m_updateHost; }
    QLineEdit *packAddressEdit() const { return m_packAddress; }
    QPushButton *okButton() const { return m_ok; }

    void accept() override;

private:
    Settings &m_settings;
    Dialogs &m_dialogs;
    QLineEdit *m_updateHost;
    QLineEdit *m_packAddress;
    QPushButton *m_ok = nullptr;
};
