#pragma once

#include "controls/gradientbands.h"

#include <QColor>
#include <QWidget>

// A gradient-filled title strip without a caption. It never takes the focus;
// its painting follows Gradient::paintList.
class TGradientPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TAlign Align READ align WRITE setAlign)
    Q_PROPERTY(QColor ColorFrom READ colorFrom WRITE setColorFrom)
    Q_PROPERTY(QColor ColorTo READ colorTo WRITE setColorTo)
    Q_PROPERTY(int ColorCount READ colorCount WRITE setColorCount)
    Q_PROPERTY(Gradient::TDirection Direction READ direction WRITE setDirection)

public:
    // Docking in the parent: alClient fills it, the edge values keep the
    // panel's own height (top, bottom) or width (left, right).
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
    Q_ENUM(TAlign)

    // The size the window designs store every gradient panel at.
    static constexpr int DesignWidth = 118;
    static constexpr int DesignHeight = 38;

    explicit TGradientPanel(QWidget *parent = nullptr);

    TAlign align() const { return m_align; }
    void setAlign(TAlign align);
    QColor colorFrom() const { return m_colorFrom; }
    void setColorFrom(const QColor &colour);
    QColor colorTo() const { return m_colorTo; }
    void setColorTo(const QColor &colour);
    Gradient::TCountOfColor colorCount() const { return m_colorCount; }
    // Values outside 1..255 are clamped.
    void setColorCount(Gradient::TCountOfColor count);
    Gradient::TDirection direction() const { return m_direction; }
    void setDirection(Gradient::TDirection direction);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void followParent();
    void watchParent();

    TAlign m_align = alNone;
    QColor m_colorFrom{0, 0, 255};
    QColor m_colorTo{0, 0, 0};
    Gradient::TCountOfColor m_colorCount = 64;
    Gradient::TDirection m_direction = Gradient::TopToBottom;
    QObject *m_watchedParent = nullptr;
};
