#pragma once

#include <QFrame>

#include <functional>

class AddressHandler;
class Dialogs;
class QLineEdit;
class QPlainTextEdit;
class TIe2Buttn;

// The feedback view `Panel_5`: a message to the maker, handed to the user's
// mail program as a "mailto:" address. The subject is shown, not edited.
class FeedbackView : public QFrame
{
    Q_OBJECT

public:
    // `hideAllViews` hides every content view of the window.
    FeedbackView(Dialogs &dialogs, AddressHandler &addresses, std::function<void()> hideAllViews,
                 QWidget *parent = nullptr);

    QLineEdit *subjectEdit() const { return m_subject; }
    QPlainTextEdit *messageEdit() const { return m_message; }

    // Empties the message and sets the subject; the window shows the view.
    void open(const QString &sender);

public slots:
    void Button_FdbckSendClick();
    void Button_FdbckCancelClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    Dialogs &m_dialogs;
    AddressHandler &m_addresses;
    std::function<void()> m_hideAllViews;
    QLineEdit *m_subject = nullptr;
    QPlainTextEdit *m_message = nullptr;
    QWidget *m_buttons = nullptr;
};
