#include "shell/feedbackview.h"

#include "controls/ie2buttn.h"
#include "platform/addresshandler.h"
#include "platform/dialogs.h"
#include "shell/feedback.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

constexpr int Margin = 12;
constexpr int SubjectLeft = 80;
constexpr int RowHeight = 22;
constexpr int MessageTop = 44;
// The message box leaves this much of the view's height to the rest.
constexpr int MessageHeightMargin = 151;
constexpr int ButtonsBottomOffset = 27;

} // namespace

FeedbackView::FeedbackView(Dialogs &dialogs, AddressHandler &addresses,
                           std::function<void()> hideAllViews, QWidget *parent)
    : QFrame(parent),
      m_dialogs(dialogs),
      m_addresses(addresses),
      m_hideAllViews(std::move(hideAllViews))
{
    setObjectName(QStringLiteral("Panel_5"));
    setFrameShape(QFrame::NoFrame);

    auto *label = new QLabel(QStringLiteral("Subject :"), this);
    label->setObjectName(QStringLiteral("Label141"));
    label->setGeometry(Margin, Margin, SubjectLeft - Margin, RowHeight);
    m_subject = new QLineEdit(this);
    m_subject->setObjectName(QStringLiteral("Edit_subject"));
    m_subject->setEnabled(false);
    m_subject->setGeometry(SubjectLeft, Margin, 400, RowHeight);

    m_message = new QPlainTextEdit(this);
    m_message->setObjectName(QStringLiteral("Memo1"));
    m_message->setGeometry(Margin, MessageTop, 616, 100);

    m_buttons = new QWidget(this);
    m_buttons->setObjectName(QStringLiteral("Panel_feedback_buttons"));
    auto *row = new QHBoxLayout(m_buttons);
    row->setContentsMargins(Margin, 0, Margin, 0);
    row->addStretch();
    auto *cancel = new TIe2Buttn(QStringLiteral("Cancel"), m_buttons);
    cancel->setObjectName(QStringLiteral("Button_FdbckCancel"));
    auto *send = new TIe2Buttn(QStringLiteral("Send"), m_buttons);
    send->setObjectName(QStringLiteral("Button_FdbckSend"));
    row->addWidget(cancel);
    row->addWidget(send);
    connect(cancel, &TIe2Buttn::clicked, this, &FeedbackView::Button_FdbckCancelClick);
    connect(send, &TIe2Buttn::clicked, this, &FeedbackView::Button_FdbckSendClick);
}

void FeedbackView::open(const QString &sender)
{
    m_message->clear();
    m_subject->setText(Feedback::subject(sender));
}

void FeedbackView::Button_FdbckSendClick()
{
    const QString message = m_message->toPlainText();
    if (Feedback::isMissing(message)) {
        m_dialogs.message(QCoreApplication::applicationName(),
                          QStringLiteral("Missing Data... Please check."));
        m_message->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_addresses.open(Feedback::mailtoAddress(m_subject->text(), message));
    Button_FdbckCancelClick();
}

void FeedbackView::Button_FdbckCancelClick()
{
    if (m_hideAllViews)
        m_hideAllViews();
}

void FeedbackView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_message->resize(width() - 2 * Margin, std::max(0, height() - MessageHeightMargin));
    m_buttons->setGeometry(0, std::max(0, height() - ButtonsBottomOffset), width(),
                           TIe2Buttn::DefaultHeight);
}
