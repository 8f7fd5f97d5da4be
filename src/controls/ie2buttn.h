#pragma once

#include "controls/controlstates.h"

#include <QColor>
#include <QWidget>

// A flat, panel-like button: its bevel rises and its caption turns bold while
// the mouse is over it. The state table lives in Ie2ButtnState.
class TIe2Buttn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)

public:
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    static constexpr int DefaultWidth = 75;
    static constexpr int DefaultHeight = 25;

    explicit TIe2Buttn(QWidget *parent = nullptr);
    explicit TIe2Buttn(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    TBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle style);
    QColor color() const { return m_color; }
    void setColor(const QColor &colour);
    QColor fontColor() const;
    void setFontColor(const QColor &colour);
    bool tabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void setTabStop(bool on);

    Ie2ButtnState::Bevel bevel() const { return m_state.bevel(); }
    bool mouseOutside() const { return m_state.mouseOutside(); }

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyState();

    QString m_caption;
    TBorderStyle m_borderStyle = bsSingle;
    QColor m_color;
    Ie2ButtnState m_state;
};
