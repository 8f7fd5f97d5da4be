#include "shell/statusline.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>

StatusLine::StatusLine(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("Label_status"));
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setMargin(3);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("background: rgb(255, 255, 210); color: black; "
                                 "border: 1px solid rgb(200, 200, 150);"));
    m_opacity = new QGraphicsOpacityEffect(this);
    m_opacity->setOpacity(1.0);
    setGraphicsEffect(m_opacity);
    m_fade = new QPropertyAnimation(m_opacity, "opacity", this);
    m_fade->setDuration(FadeMs);
    m_fade->setStartValue(1.0);
    m_fade->setEndValue(0.0);
    connect(m_fade, &QPropertyAnimation::finished, this, &QWidget::hide);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(ShownMs);
    connect(m_timer, &QTimer::timeout, m_fade, [this] { m_fade->start(); });
    hide();
}

void StatusLine::say(const QString &message)
{
    m_message = message;
    m_fade->stop();
    m_opacity->setOpacity(1.0);
    setToolTip(message);
    elide();
    show();
    raise();
    m_timer->start();
}

void StatusLine::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void StatusLine::elide()
{
    const int room = std::max(0, contentsRect().width() - 2 * margin());
    setText(fontMetrics().elidedText(m_message, Qt::ElideMiddle, room));
}
