#include "editor/padcheckmarks.h"

#include "catalogue/fieldcatalogue.h"
#include "editor/softwareeditor.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

PadCheckMarks::PadCheckMarks(SoftwareEditor &editor, QObject *parent)
    : QObject(parent), m_editor(editor)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(DelayMs);
    connect(&m_delay, &QTimer::timeout, this, &PadCheckMarks::refreshIfShown);
    m_delay.start();
}

void PadCheckMarks::watchControls()
{
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        if (QWidget *control = m_editor.control(n))
            watch(control);
    }
}

void PadCheckMarks::watch(QWidget *control)
{
    const auto later = [this] { m_delay.start(); };
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        connect(edit, &QLineEdit::textChanged, this, later);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(control))
        connect(memo, &QPlainTextEdit::textChanged, this, later);
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        connect(combo, &QComboBox::currentTextChanged, this, later);
    else if (auto *list = qobject_cast<QListWidget *>(control))
        connect(list, &QListWidget::itemSelectionChanged, this, later);
    else if (auto *box = qobject_cast<QAbstractButton *>(control))
        connect(box, &QAbstractButton::toggled, this, later);
}

void PadCheckMarks::refreshIfShown()
{
    m_waiting = m_editor.currentPage() < 0;
    if (!m_waiting)
        refresh();
}

bool PadCheckMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShowToParent && m_waiting)
        m_delay.start();
    return QObject::eventFilter(watched, event);
}

void PadCheckMarks::refresh()
{
    m_waiting = false;
    m_delay.stop();
    // What a save would store, and so what the export would write.
    QStringList record(FieldCatalogue::FieldCount);
    EditorRules::storeInto(record, m_editor.values());
    m_violations = PadCheck::check(record);

    QHash<int, QString> broken;
    for (const PadCheck::Violation &v : std::as_const(m_violations)) {
        if (m_editor.control(v.field))
            broken.insert(v.field, v.rule);
    }
    for (auto it = m_marked.begin(); it != m_marked.end();) {
        if (broken.contains(it.key())) {
            ++it;
            continue;
        }
        unmark(it.value());
        it = m_marked.erase(it);
    }
    for (auto it = broken.cbegin(); it != broken.cend(); ++it) {
        QWidget *control = m_editor.control(it.key());
        // Remembered before the first mark changes it.
        if (!m_marked.contains(it.key()))
            m_marked.insert(it.key(), {control, control->testAttribute(Qt::WA_SetPalette),
                                       control->palette(), control->toolTip()});
        mark(control, it.value());
    }
}

void PadCheckMarks::mark(QWidget *control, const QString &rule)
{
    const QString tip = tr("PAD rule: %1").arg(rule);
    if (control->toolTip() == tip)
        return;
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, markColor());
    palette.setColor(QPalette::Button, markColor());
    control->setPalette(palette);
    control->setToolTip(tip);
}

void PadCheckMarks::unmark(const Original &original)
{
    QWidget *control = original.control;
    if (!control)
        return;
    control->setPalette(original.ownPalette ? original.palette : QPalette());
    control->setToolTip(original.toolTip);
}
