#include "editor/editorpages.h"

#include "controls/combobox97.h"
#include "controls/gradientpanel.h"
#include "editor/editorvalues.h"
#include "pad/classcombo.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>

// ---------------------------------------------------------------------------
// LimitedTextEdit

LimitedTextEdit::LimitedTextEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::enforceLimit);
}

void LimitedTextEdit::setMaxLength(int limit)
{
    m_limit = std::max(0, limit);
}

void LimitedTextEdit::setText(const QString &text)
{
    // What the program puts in is kept whole, even beyond the limit.
    m_programLength = int(text.size());
    m_enforcing = true;
    setPlainText(text);
    m_enforcing = false;
}

int LimitedTextEdit::effectiveLimit() const
{
    return m_limit > 0 ? std::max(m_limit, m_programLength) : 0;
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source)
{
    const int limit = effectiveLimit();
    if (limit == 0 || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor cursor = textCursor();
    const int length = int(toPlainText().size());
    const int selected = int(cursor.selectedText().size());
    const int room = std::max(0, limit - (length - selected));
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    cursor.insertText(text.left(room));
    setTextCursor(cursor);
}

void LimitedTextEdit::enforceLimit()
{
    const int limit = effectiveLimit();
    if (m_enforcing || limit == 0)
        return;
    const int over = int(toPlainText().size()) - limit;
    if (over <= 0)
        return;
    // Typing (or an input method) went past the limit: drop what was just
    // put in before the cursor, or the tail when the cursor sits too early.
    m_enforcing = true;
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    const int start = position >= over ? position - over : limit;
    cursor.setPosition(start);
    cursor.setPosition(start + over, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
    m_enforcing = false;
}

// ---------------------------------------------------------------------------
// MultiSelectDelegate

MultiSelectDelegate::MultiSelectDelegate(bool nameOnly, QObject *parent)
    : QStyledItemDelegate(parent), m_nameOnly(nameOnly)
{
}

QString MultiSelectDelegate::shownText(const QString &item) const
{
    return m_nameOnly ? PickLists::osName(item) : item;
}

void MultiSelectDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    // The palette's highlight: a faint grey left a chosen system hard to see.
    painter->fillRect(option.rect, selected ? option.palette.color(QPalette::Highlight) : QColor(Qt::white));
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(2, 0, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      shownText(index.data(Qt::DisplayRole).toString()));
    painter->restore();
}

// ---------------------------------------------------------------------------
// The pages

namespace {

QString text(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// Where each section of a page sits (page coordinates, above the button row)
// and how many caption/control pairs share one line in it.
struct Place
{
    int x, y, w, h, pairs;
};

constexpr Place kPlaces[FieldCatalogue::PageCount][4] = {
    {{0, 0, 388, 266, 2}, {392, 0, 248, 156, 1}, {392, 158, 248, 108, 2}, {}},
    {{0, 0, 318, 176, 1}, {322, 0, 318, 84, 1}, {322, 86, 318, 180, 1}, {0, 178, 318, 88, 2}},
    {{0, 0, 640, 92, 2}, {0, 94, 640, 44, 3}, {0, 140, 640, 126, 1}, {}},
    {{0, 0, 640, 266, 2}, {}, {}, {}},
    {{0, 0, 640, 112, 1}, {0, 114, 640, 152, 1}, {}, {}},
    {{0, 0, 640, 170, 1}, {0, 172, 640, 94, 1}, {}, {}},
    {{0, 0, 318, 88, 2}, {322, 0, 318, 110, 2}, {0, 112, 640, 44, 3}, {0, 158, 640, 108, 1}},
};

// The section of its page a field is shown in (layout only: which fields
// a page holds, and their order, come from the catalogue).
int sectionOf(int page, int n)
{
    switch (page) {
    case 0:
        if (n <= Field::Languages)
            return 0;
        return n <= Field::FileSizeMB || n == Field::FileNameLong ? 1 : 2;
    case 1:
        if (n <= Field::CompanyWebSite)
            return 0;
        if (n <= Field::AuthorEmail || n == Field::Fax)
            return 3;
        return n <= Field::ContactEmail ? 1 : 2;
    case 2:
        return n <= Field::OtherRequirements ? 0 : n <= Field::IncludesDirectX ? 1 : 2;
    case 4:
        return n <= Field::FourthDownloadUrl ? 0 : 1;
    case 5:
        return n == Field::PadRing || n == Field::LinkBackUrl || n == Field::UnlockKeyUrl ? 0 : 1;
    case 6:
        if (n == Field::RegNowVendorId || n == Field::ShareItVendorId || n == Field::RegSoftVendorId
            || n == Field::EMetrixVendorId || n == Field::DigiBuyVendorId
            || n == Field::SwRegVendorId)
            return 0;
        if (n == Field::ESellerateProductId
            || (n >= Field::RegNowProductId && n <= Field::SwRegProductId))
            return 1;
        return n <= Field::MainVendorId ? 2 : 3;
    default:
        return 0;
    }
}

bool isTall(EditorKind kind)
{
    return kind == EditorKind::Memo || kind == EditorKind::MemoLines || kind == EditorKind::OsList
        || kind == EditorKind::LanguageList;
}

// Long addresses and texts get a line of their own; so does the product's
// name, which half a line cut short after a dozen letters.
bool isWide(const FieldInfo &info)
{
    return isTall(info.kind) || info.number == Field::ProgramName || (info.kind == EditorKind::Edit && info.limit >= 150)
        || info.kind == EditorKind::CheckBoxYesNo || info.number == Field::AdultContent;
}

// The text a check box carries; the other fields have a caption label.
QString checkBoxText(int n)
{
    if (n == Field::AdultContent)
        return text("Does this software contains Adult Content which may not be suitable for "
                    "younger users ?");
    if (n == Field::OwnAffiliateProgram)
        return text("using own affiliate program");
    return text(FieldCatalogue::field(n).caption);
}

QString labelText(int n)
{
    const FieldInfo &info = FieldCatalogue::field(n);
    if (info.caption)
        return text(info.caption);
    if (n == Field::MainProductId)
        return QCoreApplication::translate("EditorPages", "Product ID");
    if (n == Field::MainVendorId)
        return QCoreApplication::translate("EditorPages", "Vendor ID");
    return QString();
}

QWidget *makeControl(const FieldInfo &info, QWidget *parent)
{
    const QString name = text(info.control);
    QWidget *control = nullptr;
    switch (info.kind) {
    case EditorKind::Edit:
    case EditorKind::ReadOnlyEdit: {
        auto *edit = new QLineEdit(parent);
        edit->setMaxLength(info.limit > 0 ? info.limit : 32767);
        // A one-line field cannot keep a line break; a pasted one becomes a
        // blank instead of a value the save would refuse.
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &typed) {
            if (!typed.contains(QLatin1Char('\n')) && !typed.contains(QLatin1Char('\r')))
                return;
            const QString before = typed.left(edit->cursorPosition());
            const int cursor = int(EditorRules::breaksToSpaces(before).size());
            edit->setText(EditorRules::breaksToSpaces(typed));
            edit->setCursorPosition(cursor);
        });
        if (info.kind == EditorKind::ReadOnlyEdit) {
            edit->setReadOnly(true);
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, QColor(235, 245, 255));
            edit->setPalette(palette);
        }
        control = edit;
        break;
    }
    case EditorKind::Combo:
    case EditorKind::ClassCombo: {
        auto *combo = new TComboBox97(parent);
        if (info.number == Field::Category) {
            ClassCombos::setupCategoryCombo(combo);
        } else if (info.kind == EditorKind::ClassCombo) {
            ClassCombos::setupClassCombo(combo);
            // Every class item ends with a tab from start-up on.
            ClassCombos::appendStartupTab(combo);
        } else {
            combo->addItems(FieldCatalogue::comboItems(info.number));
            combo->setCurrentIndex(-1);
            combo->setFlat(true);
        }
        control = combo;
        break;
    }
    case EditorKind::Memo:
    case EditorKind::MemoLines: {
        auto *memo = new LimitedTextEdit(parent);
        memo->setMaxLength(info.limit);
        control = memo;
        break;
    }
    case EditorKind::CheckBox:
    case EditorKind::CheckBoxYesNo:
        control = new QCheckBox(checkBoxText(info.number), parent);
        break;
    case EditorKind::OsList:
    case EditorKind::LanguageList: {
        auto *list = new QListWidget(parent);
        const bool os = info.kind == EditorKind::OsList;
        // OS items carry their site tokens and the start-up tab; only the name shows.
        list->addItems(os ? EditorRules::osItems() : PickLists::languages());
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        list->setItemDelegate(new MultiSelectDelegate(os, list));
        list->setUniformItemSizes(true);
        control = list;
        break;
    }
    case EditorKind::Reserved:
    case EditorKind::Derived:
    case EditorKind::Mark:
        return nullptr;
    }
    control->setObjectName(name);
    if (!isTall(info.kind))
        control->setFixedHeight(18);
    return control;
}

// A section caption: a gradient strip (light blue to white) under its text.
QWidget *makeStrip(const QString &caption, const QString &name, QWidget *parent)
{
    auto *strip = new QWidget(parent);
    strip->setObjectName(name);
    strip->setFixedHeight(17);
    auto *gradient = new TGradientPanel(strip);
    gradient->setColorFrom(QColor(197, 228, 252));
    gradient->setColorTo(QColor(Qt::white));
    gradient->setAlign(TGradientPanel::alClient);
    auto *label = new QLabel(caption, strip);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    auto *layout = new QVBoxLayout(strip);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(label);
    return strip;
}

// Keeps the page buttons 27 pixels above the page's bottom edge as the page grows.
class ButtonRowKeeper : public QObject
{
public:
    ButtonRowKeeper(QWidget *page, QList<QPushButton *> buttons)
        : QObject(page), m_buttons(std::move(buttons))
    {
        page->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize) {
            const int y = static_cast<QWidget *>(watched)->height() - 27;
            for (QPushButton *button : std::as_const(m_buttons))
                button->move(button->x(), y);
        }
        return false;
    }

private:
    QList<QPushButton *> m_buttons;
};

QPushButton *makeButton(const char *caption, const QString &name, int x, int width, QWidget *page)
{
    auto *button = new QPushButton(text(caption), page);
    button->setObjectName(name);
    button->setGeometry(x, page->height() - 27, width, 25);
    return button;
}

} // namespace

namespace EditorPages {

Built build(const QList<QWidget *> &pages)
{
    Built built;
    Q_ASSERT(pages.size() == FieldCatalogue::PageCount);
    for (int page = 0; page < FieldCatalogue::PageCount && page < pages.size(); ++page) {
        QWidget *panel = pages.at(page);
        const QString letter = QString(QChar(u'a' + page));
        const QStringList sections = FieldCatalogue::pageSections(page);

        // One framed box per section, its caption strip on top.
        QList<QGridLayout *> grids;
        QList<QFrame *> boxes;
        QList<int> used;
        for (int s = 0; s < sections.size(); ++s) {
            const Place &place = kPlaces[page][s];
            auto *box = new QFrame(panel);
            box->setObjectName(QStringLiteral("Panel_section1%1_%2").arg(letter).arg(s + 1));
            box->setFrameShape(QFrame::StyledPanel);
            box->setGeometry(place.x, place.y, place.w, place.h);
            // A compact face, so that a page's fields fit its 640 by 296 pixels.
            QFont compact = box->font();
            compact.setPointSizeF(std::max(6.0, compact.pointSizeF() * 0.85));
            box->setFont(compact);
            auto *column = new QVBoxLayout(box);
            column->setContentsMargins(1, 1, 1, 1);
            column->setSpacing(2);
            column->addWidget(makeStrip(sections.at(s),
                                        QStringLiteral("Panel_caption1%1_%2").arg(letter).arg(s + 1),
                                        box));
            auto *grid = new QGridLayout;
            grid->setContentsMargins(3, 0, 3, 2);
            grid->setHorizontalSpacing(4);
            grid->setVerticalSpacing(1);
            column->addLayout(grid, 1);
            grids.append(grid);
            boxes.append(box);
            used.append(0);
        }

        // Every field of the page, in its tab order, by its kind.
        QWidget *previous = nullptr;
        QList<int> tallRows(sections.size(), 0);
        for (int n : FieldCatalogue::pageFields(page)) {
            const FieldInfo &info = FieldCatalogue::field(n);
            const int s = std::clamp(sectionOf(page, n), 0, int(sections.size()) - 1);
            QGridLayout *grid = grids.at(s);
            const int pairs = kPlaces[page][s].pairs;
            // Made in their box: moved there later, each would take the box's
            // compact face with a font change, which rebuilds a drop-down's
            // list and costs the start-up a third of its time.
            QWidget *box = boxes.at(s);
            QWidget *control = makeControl(info, box);
            if (!control)
                continue;
            built.controls[n] = control;

            QLabel *label = nullptr;
            const bool checkBox =
                info.kind == EditorKind::CheckBox || info.kind == EditorKind::CheckBoxYesNo;
            const QString caption = checkBox && n != Field::AdultContent ? QString() : labelText(n);
            if (!caption.isEmpty()) {
                label = new QLabel(caption, box);
                label->setObjectName(QStringLiteral("Label_s%1").arg(n + 1));
                label->setBuddy(control);
                built.labels[n] = label;
            }

            int &slot = used[s];
            if (isWide(info)) {
                if (slot % pairs != 0)
                    slot += pairs - slot % pairs;
                const int row = slot / pairs;
                if (label) {
                    grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
                    grid->addWidget(control, row, 1, 1, 2 * pairs - 1);
                } else {
                    grid->addWidget(control, row, 0, 1, 2 * pairs);
                }
                if (isTall(info.kind)) {
                    grid->setRowStretch(row, 1);
                    ++tallRows[s];
                }
                slot += pairs;
            } else {
                const int row = slot / pairs;
                const int column = 2 * (slot % pairs);
                if (label) {
                    grid->addWidget(label, row, column);
                    grid->addWidget(control, row, column + 1);
                } else {
                    grid->addWidget(control, row, column, 1, 2);
                }
                ++slot;
            }
            if (previous)
                QWidget::setTabOrder(previous, control);
            previous = control;
            if (n == Field::FileSizeMB) {
                // Below the three sizes, which it fills from the installer file.
                auto *button = new QPushButton(text(SizeFromFileCaption), box);
                button->setObjectName(QStringLiteral("Button_size_from_file"));
                button->setToolTip(text(SizeFromFileHint));
                const int pair = (slot - 1) % pairs;
                grid->addWidget(button, (slot - 1) / pairs + 1, 2 * pair + 1, Qt::AlignLeft);
                slot = ((slot - 1) / pairs + 2) * pairs;
                QWidget::setTabOrder(previous, button);
                previous = button;
                built.sizeFromFile = button;
            }
        }
        for (int s = 0; s < grids.size(); ++s) {
            for (int c = 0; c < 2 * kPlaces[page][s].pairs; c += 2)
                grids[s]->setColumnStretch(c + 1, 1);
            if (tallRows.at(s) == 0)
                grids[s]->setRowStretch((used.at(s) + kPlaces[page][s].pairs - 1)
                                            / kPlaces[page][s].pairs,
                                        1);
        }

        PageButtons buttons;
        buttons.save = makeButton(SaveCaption, QStringLiteral("Button_save1") + letter, 4, 90, panel);
        buttons.back = makeButton(BackCaption, QStringLiteral("Button_back1") + letter, 330, 70, panel);
        buttons.next = makeButton(NextCaption, QStringLiteral("Button_next1") + letter, 404, 70, panel);
        buttons.create =
            makeButton(CreateCaption, QStringLiteral("Button_new1") + letter, 480, 156, panel);
        buttons.create->setToolTip(text(CreateHint));
        for (QPushButton *button : {buttons.save, buttons.back, buttons.next, buttons.create}) {
            if (previous)
                QWidget::setTabOrder(previous, button);
            previous = button;
        }
        new ButtonRowKeeper(panel, {buttons.save, buttons.back, buttons.next, buttons.create});
        built.buttons.append(buttons);
    }
    return built;
}

} // namespace EditorPages
