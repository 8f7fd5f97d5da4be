#include "controls/ie2buttn.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

int keyCode(const QKeyEvent *event)
{
    // Return and the keypad's Enter are both the Enter key (13).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return Ie2ButtnState::EnterKey;
    return event->key();
}

} // namespace

TIe2Buttn::TIe2Buttn(QWidget *parent) : TIe2Buttn(QString(), parent)
{
}

TIe2Buttn::TIe2Buttn(const QString &caption, QWidget *parent)
    : QWidget(parent),
      m_caption(caption),
      m_color(palette().color(QPalette::Button)),
      m_state(palette().color(QPalette::ButtonText).rgba())
{
    setFocusPolicy(Qt::StrongFocus);
    resize(DefaultWidth, DefaultHeight);
}

void TIe2Buttn::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TIe2Buttn::setBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    update();
}

void TIe2Buttn::setColor(const QColor &colour)
{
    if (colour == m_color)
        return;
    m_color = colour;
    update();
}

QColor TIe2Buttn::fontColor() const
{
    return QColor::fromRgba(m_state.fontColour());
}

void TIe2Buttn::setFontColor(const QColor &colour)
{
    m_state.setFontColour(colour.rgba());
    update();
}

void TIe2Buttn::setTabStop(bool on)
{
    // Without a tab stop the button still takes the focus when clicked.
    setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

QSize TIe2Buttn::sizeHint() const
{
    return QSize(DefaultWidth, DefaultHeight);
}

void TIe2Buttn::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect area = rect();
    if (m_borderStyle == bsSingle) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    if (m_state.bevel() != Ie2ButtnState::BevelNone) {
        const bool raised = m_state.bevel() == Ie2ButtnState::BevelRaised;
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        painter.setPen(raised ? light : dark);
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.topLeft(), area.bottomLeft());
        painter.setPen(raised ? dark : light);
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomRight());
        area.adjust(1, 1, -1, -1);
    }
    painter.fillRect(area, m_color);
    painter.setPen(fontColor());
    painter.setFont(font());
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption);
}

void TIe2Buttn::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    m_state.mouseEntered();
    applyState();
}

void TIe2Buttn::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_state.mouseLeft(hasFocus());
    applyState();
}

void TIe2Buttn::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_state.leftButtonDown();
    applyState();
}

void TIe2Buttn::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // The click comes first; the handler may close or delete the button.
    const QPointer<TIe2Buttn> alive(this);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
    if (!alive)
        return;
    m_state.leftButtonUp();
    applyState();
}

void TIe2Buttn::keyPressEvent(QKeyEvent *event)
{
    const int key = keyCode(event);
    if (key != Ie2ButtnState::EnterKey) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held Enter key clicks once, not once per auto-repeat.
    if (event->isAutoRepeat())
        return;
    const bool fire = m_state.keyDown(key);
    applyState();
    if (fire)
        emit clicked();
}

void TIe2Buttn::keyReleaseEvent(QKeyEvent *event)
{
    const int key = keyCode(event);
    if (key == Ie2ButtnState::EnterKey)
        event->accept();
    else
        QWidget::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    m_state.keyUp(key);
    applyState();
}

void TIe2Buttn::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_state.focusGained();
    applyState();
}

void TIe2Buttn::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_state.focusLost();
    applyState();
}

void TIe2Buttn::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    if (isEnabled())
        m_state.enabled();
    else
        m_state.disabled(palette().color(QPalette::Disabled, QPalette::ButtonText).rgba());
    update();
}

void TIe2Buttn::applyState()
{
    if (font().bold() != m_state.bold()) {
        QFont bolded = font();
        bolded.setBold(m_state.bold());
        setFont(bolded);
    }
    update();
}
