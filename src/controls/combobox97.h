#pragma once

#include "controls/controlstates.h"

#include <QColor>
#include <QComboBox>

// A drop-down list with a flat, two-pixel border while Flat is on (every
// instance in the program); off, the toolkit paints it. Its colour and mouse
// state live in ComboBox97State, its layout in FlatComboGeometry.
class TComboBox97 : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(bool Flat READ isFlat WRITE setFlat)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool OwnerDrawn READ isOwnerDrawn WRITE setOwnerDrawn)

public:
    explicit TComboBox97(QWidget *parent = nullptr);

    bool isFlat() const { return m_state.flat(); }
    void setFlat(bool flat);
    // The 3-D look: off while flat.
    bool ctl3D() const { return m_state.ctl3D(); }

    QColor color() const;
    void setColor(const QColor &colour);
    bool parentColor() const { return m_state.parentColour(); }
    void setParentColor(bool on);
    // The colour the box fills its client area with: its own or its parent's.
    QColor backgroundColor() const;

    // Owner-drawn boxes draw their shown item with the list's item delegate,
    // as the drop-down list draws it.
    bool isOwnerDrawn() const { return m_ownerDrawn; }
    void setOwnerDrawn(bool on);

    // The drop-down button width, fixed at creation.
    int buttonWidth() const { return m_state.buttonWidth(); }
    bool isButtonPressed() const { return m_state.buttonPressed(); }
    bool isTracking() const { return m_state.tracking(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintArrow(QPainter &painter, const QRect &area) const;
    void paintTextPart(QPainter &painter, const QRect &area) const;
    void paintBorder(QPainter &painter, const FlatComboGeometry &geometry) const;

    ComboBox97State m_state;
    bool m_ownerDrawn = false;
};
