#include "controls/gradientpanel.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

Gradient::Rgb toRgb(const QColor &colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

QColor toColour(const Gradient::Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QRect toRect(const PixelEdges &edges)
{
    return QRect(edges.left, edges.top, edges.width(), edges.height());
}

} // namespace

TGradientPanel::TGradientPanel(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(DesignWidth, DesignHeight);
    watchParent();
    update();
}

void TGradientPanel::setAlign(TAlign align)
{
    if (align == m_align)
        return;
    m_align = align;
    followParent();
}

void TGradientPanel::setColorFrom(const QColor &colour)
{
    if (colour == m_colorFrom)
        return;
    m_colorFrom = colour;
    update();
}

void TGradientPanel::setColorTo(const QColor &colour)
{
    if (colour == m_colorTo)
        return;
    m_colorTo = colour;
    update();
}

void TGradientPanel::setColorCount(Gradient::TCountOfColor count)
{
    count = std::clamp(count, Gradient::MinColorCount, Gradient::MaxColorCount);
    if (count == m_colorCount)
        return;
    m_colorCount = count;
    update();
}

void TGradientPanel::setDirection(Gradient::TDirection direction)
{
    if (direction == m_direction)
        return;
    m_direction = direction;
    update();
}

QSize TGradientPanel::sizeHint() const
{
    return QSize(DesignWidth, DesignHeight);
}

void TGradientPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    const QList<Gradient::Shape> shapes = Gradient::paintList(
        m_direction, width(), height(), m_colorCount, toRgb(m_colorFrom), toRgb(m_colorTo));
    for (const Gradient::Shape &shape : shapes) {
        const QColor colour = toColour(shape.colour);
        if (shape.kind == Gradient::Shape::Ellipse) {
            painter.setBrush(colour);
            painter.drawEllipse(toRect(shape.edges));
        } else {
            painter.fillRect(toRect(shape.edges), colour);
        }
    }
}

bool TGradientPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedParent && event->type() == QEvent::Resize)
        followParent();
    return QWidget::eventFilter(watched, event);
}

void TGradientPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange) {
        watchParent();
        followParent();
    }
}

void TGradientPanel::watchParent()
{
    if (m_watchedParent == parentWidget())
        return;
    if (m_watchedParent)
        m_watchedParent->removeEventFilter(this);
    m_watchedParent = parentWidget();
    if (m_watchedParent)
        m_watchedParent->installEventFilter(this);
}

void TGradientPanel::followParent()
{
    const QWidget *parent = parentWidget();
    if (!parent || m_align == alNone)
        return;
    const QRect area = parent->contentsRect();
    switch (m_align) {
    case alTop:
        setGeometry(area.left(), area.top(), area.width(), height());
        break;
    case alBottom:
        setGeometry(area.left(), area.bottom() + 1 - height(), area.width(), height());
        break;
    case alLeft:
        setGeometry(area.left(), area.top(), width(), area.height());
        break;
    case alRight:
        setGeometry(area.right() + 1 - width(), area.top(), width(), area.height());
        break;
    case alClient:
        setGeometry(area);
        break;
    case alNone:
        break;
    }
}
