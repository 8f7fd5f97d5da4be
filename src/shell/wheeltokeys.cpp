#include "shell/wheeltokeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

// The list the wheel is over, when that list has the keyboard focus.
QAbstractItemView *focusedListUnder(QObject *watched)
{
    for (QObject *o = watched; o; o = o->parent()) {
        if (auto *list = qobject_cast<QAbstractItemView *>(o))
            return list->hasFocus() ? list : nullptr;
        if (o->isWidgetType() && static_cast<QWidget *>(o)->isWindow())
            break;
    }
    return nullptr;
}

} // namespace

bool WheelToKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    const int delta = wheel->angleDelta().y();
    // A purely sideways wheel is no row movement; leave it to the widget.
    if (delta == 0 && wheel->angleDelta().x() != 0)
        return false;
    QAbstractItemView *list = focusedListUnder(watched);
    if (!list)
        return false;

    if (m_list != list) {
        m_list = list;
        m_pending = 0;
    }
    // A turn in the other direction starts afresh.
    if ((delta > 0 && m_pending < 0) || (delta < 0 && m_pending > 0))
        m_pending = 0;
    m_pending += delta;
    while (m_pending >= NotchDelta || m_pending <= -NotchDelta) {
        const bool up = m_pending > 0;
        m_pending += up ? -NotchDelta : NotchDelta;
        QKeyEvent press(QEvent::KeyPress, up ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        if (!m_list)
            break; // the key press closed the list's window
    }
    return true;
}
