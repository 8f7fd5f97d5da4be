#pragma once

#include <QObject>
#include <QPointer>

class QAbstractItemView;

// Application-wide: a mouse wheel turned over the focused list moves its
// current row like the arrow keys, one row per notch (toward the user: down).
// Wheels over anything else, or over a list without focus, pass unchanged.
class WheelToKeys : public QObject
{
    Q_OBJECT

public:
    // One notch of a standard mouse wheel, in eighths of a degree.
    static constexpr int NotchDelta = 120;

    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Fine-grained wheels (touchpads) send parts of a notch; they add up here.
    QPointer<QAbstractItemView> m_list;
    int m_pending = 0;
};
