#pragma once

#include <QLabel>

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QTimer;

// One line at the foot of the main window that says what the last command
// did ("Saved 'Frobnicator Pro'."), then fades. It never asks anything and
// never takes the focus; a text too long for the line is elided in the
// middle and shown whole in the tooltip.
class StatusLine : public QLabel
{
    Q_OBJECT

public:
    static constexpr int ShownMs = 5000;
    static constexpr int FadeMs = 800;

    explicit StatusLine(QWidget *parent);

    void say(const QString &message);
    // The whole text while the line shows it, else empty.
    QString message() const { return isVisibleTo(parentWidget()) ? m_message : QString(); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    QString m_message;
    QTimer *m_timer = nullptr;
    QGraphicsOpacityEffect *m_opacity = nullptr;
    QPropertyAnimation *m_fade = nullptr;
};
