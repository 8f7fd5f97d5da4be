#pragma once

#include "pad/padcheck.h"

#include <QHash>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QTimer>

class SoftwareEditor;
class QWidget;

// Marks the editor's controls whose value breaks its PAD rule: a reddish
// background (the layout stays as it is) and the rule in words as tooltip.
// The check runs a short while after the last change, so typing never waits
// for it. The marks only inform: the save does not look at them.
class PadCheckMarks : public QObject
{
    Q_OBJECT

public:
    // The pause after the last change before the controls are checked.
    static constexpr int DelayMs = 150;
    // The background of a marked control.
    static QColor markColor() { return QColor(255, 214, 214); }

    PadCheckMarks(SoftwareEditor &editor, QObject *parent = nullptr);

    // Checks the editor's contents now and marks the controls.
    void refresh();
    // Follows the editor's controls, once they are made.
    void watchControls();

protected:
    // An editor page coming into view gets the check that waited for it.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The broken rules found by the last check.
    const QList<PadCheck::Violation> &violations() const { return m_violations; }

private:
    struct Original
    {
        QPointer<QWidget> control;
        bool ownPalette = false;
        QPalette palette;
        QString toolTip;
    };

    void watch(QWidget *control);
    // The delayed check: the rules are only worth their cost while a page
    // shows them, so with every page hidden (the start) it waits.
    void refreshIfShown();
    void mark(QWidget *control, const QString &rule);
    void unmark(const Original &original);

    SoftwareEditor &m_editor;
    QTimer m_delay;
    bool m_waiting = false;
    QList<PadCheck::Violation> m_violations;
    // The marked controls by field, with what they looked like before.
    QHash<int, Original> m_marked;
};
