#pragma once

#include "catalogue/fieldcatalogue.h"

#include <QList>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>

#include <array>

class QLabel;
class QPushButton;

// A multi-line box whose input limit holds for typing, pasting and dropping
// alike. Text the program sets is never cut: a longer value widens the limit
// to its own length until the next value is set.
class LimitedTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LimitedTextEdit(QWidget *parent = nullptr);

    // 0: no limit.
    void setMaxLength(int limit);
    int maxLength() const { return m_limit; }
    void setText(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    int effectiveLimit() const;
    void enforceLimit();

    int m_limit = 0;
    int m_programLength = 0;
    bool m_enforcing = false;
};

// The painting of the OS and language lists: a selected item on light grey
// (230, 230, 230), an unselected one on white, text 2 pixels from the left;
// the OS list shows only the name before the first tab.
class MultiSelectDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    MultiSelectDelegate(bool nameOnly, QObject *parent = nullptr);

    // The text an item shows.
    QString shownText(const QString &item) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    bool m_nameOnly;
};

// The seven editor pages, built from the field catalogue into the given page
// widgets (Panel_1a .. Panel_1g): section strips, caption labels, one control
// per field by its kind, limits, tab order and the four page buttons.
namespace EditorPages {

struct PageButtons
{
    QPushButton *save = nullptr;
    QPushButton *back = nullptr;
    QPushButton *next = nullptr;
    QPushButton *create = nullptr;
};

struct Built
{
    // By field number; nullptr for fields without a control.
    std::array<QWidget *, FieldCatalogue::FieldCount> controls{};
    std::array<QLabel *, FieldCatalogue::FieldCount> labels{};
    QList<PageButtons> buttons;
    // "size from file..." below the three file size boxes.
    QPushButton *sizeFromFile = nullptr;
};

Built build(const QList<QWidget *> &pages);

// The texts of the page buttons and the hint of the last one.
inline constexpr const char *SaveCaption = "Save";
inline constexpr const char *BackCaption = "< back";
inline constexpr const char *NextCaption = "next >";
inline constexpr const char *CreateCaption = "-- create new data --";
inline constexpr const char *CreateHint = "( create a new software )";
inline constexpr const char *SizeFromFileCaption = "size from file...";
inline constexpr const char *SizeFromFileHint =
    "Fills the three sizes from the program's file: kilobytes are bytes / 1024 and megabytes "
    "bytes / 1048576 with two decimals, each rounded to the nearest value.";

} // namespace EditorPages
