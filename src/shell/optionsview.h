#pragma once

#include <QFrame>
#include <QPointer>

#include <functional>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class Settings;
class UpdateAddressesDialog;

// The options view `Panel_opt`, on the right half of the main window:
// "Defaults for Logins" with the default site login, then "Other Options".
// The login pair lives in the two boxes for the run; the form walk reads
// them as they are, saved or not.
class OptionsView : public QFrame
{
    Q_OBJECT

public:
    static constexpr int Width = 336;
    static constexpr int Left = 304;

    // `hideAllViews` hides every content view of the window.
    OptionsView(Settings &settings, Dialogs &dialogs, std::function<void()> hideAllViews,
                QWidget *parent = nullptr);

    QString userName() const;
    QString passWord() const;
    QLineEdit *userNameEdit() const { return m_userName; }
    QLineEdit *passWordEdit() const { return m_passWord; }
    // "addresses...": the update and site pack addresses' window while it is open.
    UpdateAddressesDialog *addressesDialog() const;
    void openAddresses();
    // Room below "Other Options" for the browser settings.
    QWidget *otherOptions() const { return m_otherOptions; }

    // Start-up: the stored login, descrambled, into the two boxes.
    void loadLogin();

public slots:
    // "&options": shows the view; the note goes for good unless the password
    // box still holds the built-in password.
    void Button_optClick();
    // "ok": the login checks, then the pair stored scrambled.
    void SpeedButton2Click();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    Settings &m_settings;
    Dialogs &m_dialogs;
    std::function<void()> m_hideAllViews;

    QLineEdit *m_userName = nullptr;
    QLineEdit *m_passWord = nullptr;
    QLabel *m_noteLabel = nullptr;
    QLabel *m_note = nullptr;
    QWidget *m_otherOptions = nullptr;
    QPushButton *m_addresses = nullptr;
    QPointer<UpdateAddressesDialog> m_addressesDialog;
    QPushButton *m_ok = nullptr;
};
