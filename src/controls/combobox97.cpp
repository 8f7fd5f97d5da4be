#include "controls/combobox97.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QRegion>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>

namespace {

// Some styles open a combo box as a menu, as wide as its widest item and
// ignoring the visible-item count. The list must drop down below the box,
// as wide as the box, showing the set number of items.
class ListPopupStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle *listPopupStyle()
{
    static QPointer<ListPopupStyle> style;
    if (!style) {
        // Built on the application's own style, whatever the program chose.
        style = new ListPopupStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

QRect toRect(const PixelEdges &edges)
{
    return QRect(edges.left, edges.top, edges.width(), edges.height());
}

int scrollBarWidth(const QWidget *widget)
{
    return widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget);
}

} // namespace

TComboBox97::TComboBox97(QWidget *parent)
    : QComboBox(parent),
      m_state(scrollBarWidth(this) + 2, palette().color(QPalette::Base).rgba())
{
    setStyle(listPopupStyle());
}

void TComboBox97::setFlat(bool flat)
{
    if (!m_state.setFlat(flat))
        return;
    setFrame(m_state.ctl3D());
    update();
}

QColor TComboBox97::color() const
{
    return QColor::fromRgba(m_state.colour());
}

void TComboBox97::setColor(const QColor &colour)
{
    m_state.setColour(colour.rgba());
    m_state.setParentColour(false);
    update();
}

void TComboBox97::setParentColor(bool on)
{
    m_state.setParentColour(on);
    update();
}

QColor TComboBox97::backgroundColor() const
{
    if (m_state.parentColour() && parentWidget())
        return parentWidget()->palette().color(parentWidget()->backgroundRole());
    return color();
}

void TComboBox97::setOwnerDrawn(bool on)
{
    m_ownerDrawn = on;
    update();
}

void TComboBox97::paintEvent(QPaintEvent *event)
{
    if (!m_state.flat()) {
        QComboBox::paintEvent(event);
        return;
    }
    // A combo box has no non-client border: client and window sizes agree.
    const FlatComboGeometry geometry =
        FlatComboGeometry::compute(width(), height(), width(), height(), buttonWidth());
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor());
    paintArrow(painter, toRect(geometry.button));

    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(toRect(geometry.textExclusion))));
    if (!isEditable())
        paintTextPart(painter, toRect(geometry.textArea));
    painter.setClipping(false);

    paintBorder(painter, geometry);
}

void TComboBox97::paintArrow(QPainter &painter, const QRect &area) const
{
    // A flat frame-control button: face colour inside a 1-pixel border, most
    // of which the frames and the ring of the last step paint over.
    painter.fillRect(area, palette().color(QPalette::Active, QPalette::Shadow));
    painter.fillRect(area.adjusted(1, 1, -1, -1), palette().color(QPalette::Active, QPalette::Button));
    const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText);
    // A pressed button shows its arrow one pixel down and right.
    const int shift = m_state.buttonPressed() ? 1 : 0;
    const int cx = area.left() + area.width() / 2 + shift;
    const int cy = area.top() + area.height() / 2 + shift;
    for (int row = 0; row < 4; ++row)
        painter.fillRect(QRect(cx - 3 + row, cy - 2 + row, 7 - 2 * row, 1), ink);
}

void TComboBox97::paintTextPart(QPainter &painter, const QRect &area) const
{
    if (currentIndex() < 0 || area.isEmpty())
        return;
    const bool selected = hasFocus() && !view()->isVisible();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    if (m_ownerDrawn) {
        QStyleOptionViewItem option;
        option.initFrom(this);
        option.rect = area;
        option.font = font();
        // The item is drawn on the box's own colour, which may be its parent's.
        option.palette.setColor(QPalette::Base, backgroundColor());
        option.state &= ~QStyle::State_Selected;
        if (selected)
            option.state |= QStyle::State_Selected;
        const QModelIndex index = model()->index(currentIndex(), modelColumn(), rootModelIndex());
        view()->itemDelegate()->paint(&painter, option, index);
        return;
    }
    if (selected)
        painter.fillRect(area, palette().color(group, QPalette::Highlight));
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(font());
    painter.drawText(area.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     currentText());
}

void TComboBox97::paintBorder(QPainter &painter, const FlatComboGeometry &geometry) const
{
    const auto frame = [&painter](const PixelEdges &edges, const QColor &colour) {
        painter.setPen(colour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(edges.left, edges.top, edges.width() - 1, edges.height() - 1));
    };
    frame(geometry.outerFrame, palette().color(QPalette::Active, QPalette::ButtonText));
    frame(geometry.innerFrame, palette().color(QPalette::Active, QPalette::Base));

    const QRegion ring =
        QRegion(toRect(geometry.ringOuter)).subtracted(QRegion(toRect(geometry.ringInner)));
    const QColor face = palette().color(QPalette::Active, QPalette::Button);
    for (const QRect &part : ring)
        painter.fillRect(part, face);
}

void TComboBox97::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_state.enabledChanged(isEnabled());
        update();
    }
}

void TComboBox97::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_state.leftButtonDown(view()->isVisible()))
        update();
    QComboBox::mousePressEvent(event);
}

void TComboBox97::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (m_state.mouseMoved(at.x(), at.y(), width(), height()))
        update();
    QComboBox::mouseMoveEvent(event);
}

void TComboBox97::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_state.leftButtonUp())
        update();
    QComboBox::mouseReleaseEvent(event);
}
