#include "editor/softwareeditor.h"

#include "catalogue/filesizes.h"
#include "editor/padcheckmarks.h"
#include "platform/datafiles.h"
#include "platform/dialogs.h"
#include "platform/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {

int comboValueIndex(const QComboBox *combo, const QString &value, Qt::CaseSensitivity cs)
{
    if (value.isEmpty())
        return -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).compare(value, cs) == 0)
            return i;
    }
    return -1;
}

QString comboValue(const QComboBox *combo)
{
    return combo->currentIndex() < 0 ? QString() : combo->itemText(combo->currentIndex());
}

QStringList selectedItems(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            items.append(list->item(i)->text());
    }
    return items;
}

void selectItems(QListWidget *list, const QStringList &items)
{
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        const bool wanted = items.contains(item->text());
        if (item->isSelected() != wanted)
            item->setSelected(wanted);
    }
}

// What the program puts into a box is kept whole: a longer value than the
// box's limit (an old record, an import) widens the limit to its length.
void setLineText(QLineEdit *edit, const QString &text, int limit)
{
    const int wanted = std::max(limit > 0 ? limit : 32767, int(text.size()));
    if (edit->maxLength() != wanted)
        edit->setMaxLength(wanted);
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

SoftwareEditor::SoftwareEditor(const QList<QWidget *> &pages, Table &software, Table &history,
                               Dialogs &dialogs, const DataFiles &files,
                               std::function<void()> hideAllViews, QObject *parent)
    : QObject(parent),
      m_pages(pages),
      m_software(software),
      m_dialogs(dialogs),
      m_hideAllViews(std::move(hideAllViews)),
      m_save(software, history, dialogs, files.catalogue(), files.history())
{
    // The pages' controls are made by build(): the window calls it once it
    // has shown itself, and any use of a control before that makes them.
    m_pending = EditorRules::exampleContents();
    m_unchanged = m_pending;
    m_padMarks = new PadCheckMarks(*this, this);
    for (QWidget *page : m_pages)
        page->installEventFilter(m_padMarks);
}

void SoftwareEditor::build()
{
    if (m_isBuilt)
        return;
    m_isBuilt = true;
    m_built = EditorPages::build(m_pages);
    m_padMarks->watchControls();
    for (int p = 0; p < m_built.buttons.size(); ++p) {
        const EditorPages::PageButtons &b = m_built.buttons.at(p);
        const int count = int(m_built.buttons.size());
        connect(b.save, &QPushButton::clicked, this, &SoftwareEditor::Button_save1aClick);
        connect(b.back, &QPushButton::clicked, this,
                [this, p, count] { showPage((p + count - 1) % count); });
        connect(b.next, &QPushButton::clicked, this, [this, p, count] { showPage((p + 1) % count); });
        connect(b.create, &QPushButton::clicked, this, &SoftwareEditor::Button_new1Click);
    }
    if (m_built.sizeFromFile)
        connect(m_built.sizeFromFile, &QPushButton::clicked, this, &SoftwareEditor::sizeFromFile);
    // The user's choice only: loading a record sets these lists without side effects.
    if (auto *type = qobject_cast<QComboBox *>(control(Field::ReleaseType)))
        connect(type, &QComboBox::activated, this, &SoftwareEditor::ComboBox_release_typeChange);
    if (auto *mainId = qobject_cast<QComboBox *>(control(Field::MainIdUsed)))
        connect(mainId, &QComboBox::activated, this, &SoftwareEditor::ComboBox_main_IDChange);

    // What was put in meanwhile goes into the controls; the controls' own
    // reading of it is the unchanged state when nothing else was.
    const bool unchanged = m_unchanged == m_pending;
    setValues(m_pending);
    if (unchanged)
        m_unchanged = values();
    // Made while a page shows, its parts must be shown by hand.
    for (QWidget *page : std::as_const(m_pages)) {
        if (!page->isVisible())
            continue;
        for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            child->show();
    }
}

void SoftwareEditor::setProductChooser(ProductChooserModel *items)
{
    m_chooser = items;
}

QWidget *SoftwareEditor::control(int field) const
{
    if (field < 0 || field >= FieldCatalogue::FieldCount)
        return nullptr;
    if (!m_isBuilt)
        const_cast<SoftwareEditor *>(this)->build();
    return m_built.controls[size_t(field)];
}

int SoftwareEditor::currentPage() const
{
    for (int p = 0; p < m_pages.size(); ++p) {
        if (!m_pages.at(p)->isHidden())
            return p;
    }
    return -1;
}

EditorValues SoftwareEditor::values() const
{
    if (!m_isBuilt)
        return m_pending;
    EditorValues v;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        QWidget *w = control(n);
        if (!w)
            continue;
        switch (FieldCatalogue::field(n).kind) {
        case EditorKind::Edit:
        case EditorKind::ReadOnlyEdit:
            v.fields[n] = static_cast<QLineEdit *>(w)->text();
            break;
        case EditorKind::Combo:
            v.fields[n] = comboValue(static_cast<QComboBox *>(w));
            break;
        case EditorKind::ClassCombo:
            v.classItem = comboValue(static_cast<QComboBox *>(w));
            break;
        case EditorKind::Memo:
        case EditorKind::MemoLines:
            v.fields[n] = static_cast<QPlainTextEdit *>(w)->toPlainText();
            break;
        case EditorKind::CheckBox:
            v.fields[n] = static_cast<QCheckBox *>(w)->isChecked() ? QStringLiteral("1")
                                                                   : QStringLiteral("0");
            break;
        case EditorKind::CheckBoxYesNo:
            v.fields[n] = static_cast<QCheckBox *>(w)->isChecked() ? QStringLiteral("Yes")
                                                                   : QStringLiteral("No");
            break;
        case EditorKind::OsList:
            v.selectedOs = selectedItems(static_cast<QListWidget *>(w));
            break;
        case EditorKind::LanguageList:
            v.selectedLanguages = selectedItems(static_cast<QListWidget *>(w));
            break;
        case EditorKind::Reserved:
        case EditorKind::Derived:
        case EditorKind::Mark:
            break;
        }
    }
    return v;
}

void SoftwareEditor::setValues(const EditorValues &v)
{
    if (!m_isBuilt) {
        m_pending = v;
        return;
    }
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        QWidget *w = control(n);
        if (!w)
            continue;
        const FieldInfo &info = FieldCatalogue::field(n);
        switch (info.kind) {
        case EditorKind::Edit:
        case EditorKind::ReadOnlyEdit:
            setLineText(static_cast<QLineEdit *>(w), v.text(n), info.limit);
            break;
        case EditorKind::Combo: {
            auto *combo = static_cast<QComboBox *>(w);
            const int index = comboValueIndex(combo, v.text(n), Qt::CaseInsensitive);
            if (combo->currentIndex() != index)
                combo->setCurrentIndex(index);
            break;
        }
        case EditorKind::ClassCombo: {
            auto *combo = static_cast<QComboBox *>(w);
            const int index = comboValueIndex(combo, v.classItem, Qt::CaseSensitive);
            if (combo->currentIndex() != index)
                combo->setCurrentIndex(index);
            break;
        }
        case EditorKind::Memo:
        case EditorKind::MemoLines: {
            auto *memo = static_cast<LimitedTextEdit *>(w);
            if (memo->toPlainText() != v.text(n))
                memo->setText(v.text(n));
            break;
        }
        case EditorKind::CheckBox:
            static_cast<QCheckBox *>(w)->setChecked(v.text(n) == QLatin1String("1"));
            break;
        case EditorKind::CheckBoxYesNo:
            static_cast<QCheckBox *>(w)->setChecked(v.text(n) == QLatin1String("Yes"));
            break;
        case EditorKind::OsList:
            selectItems(static_cast<QListWidget *>(w), v.selectedOs);
            break;
        case EditorKind::LanguageList:
            selectItems(static_cast<QListWidget *>(w), v.selectedLanguages);
            break;
        case EditorKind::Reserved:
        case EditorKind::Derived:
        case EditorKind::Mark:
            break;
        }
    }
}

void SoftwareEditor::sizeFromFile()
{
    Dialogs::FileDialogSettings dialog;
    dialog.title = tr("Size from file");
    dialog.filter = tr("All files (*)");
    const QString path = m_dialogs.openFileName(dialog);
    if (path.isEmpty())
        return;
    // The size the file system gives, so any size is quick.
    const FileSizes::FileResult sizes = FileSizes::ofFile(path);
    if (!sizes.ok) {
        m_dialogs.error(sizes.error);
        return;
    }
    setText(Field::FileSizeBytes, sizes.sizes.bytes);
    setText(Field::FileSizeK, sizes.sizes.kilobytes);
    setText(Field::FileSizeMB, sizes.sizes.megabytes);
}

void SoftwareEditor::setText(int field, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control(field)))
        setLineText(edit, text, FieldCatalogue::field(field).limit);
}

QStringList SoftwareEditor::chooserItems() const
{
    return m_chooser ? m_chooser->names() : QStringList();
}

void SoftwareEditor::Button_input_softClick(int selectedRow, bool fromPadImport)
{
    // An editor already showing the selected name keeps its unsaved changes.
    if (!fromPadImport && !m_software.isEmpty()) {
        const auto *name = qobject_cast<QLineEdit *>(control(Field::ProgramName));
        if (name && name->text() != m_software.cell(Field::ProgramName, selectedRow)) {
            if (!mayReplaceContents())
                return;
            loadRecord(selectedRow);
        }
    }
    showPage(0);
}

bool SoftwareEditor::editSelectedRecord(int selectedRow, bool showEditor)
{
    if (m_software.cell(Field::ProgramName, selectedRow).isEmpty()) {
        m_dialogs.message(QStringLiteral("Information"),
                          QStringLiteral("No software yet to edit !\rCreate a new software data."));
        return false;
    }
    // The start-up load (no editor shown) finds nothing typed yet.
    if (showEditor && !mayReplaceContents())
        return false;
    loadRecord(selectedRow);
    if (showEditor)
        showPage(0);
    return true;
}

void SoftwareEditor::loadRecord(int row)
{
    setValues(EditorRules::fromRecord(m_software.row(row)));
    m_unchanged = values();
}

void SoftwareEditor::clearEditor()
{
    setValues(EditorValues());
    m_unchanged = values();
}

bool SoftwareEditor::hasUnsavedChanges() const
{
    return values() != m_unchanged;
}

bool SoftwareEditor::mayReplaceContents()
{
    if (!hasUnsavedChanges())
        return true;
    const QString name = values().fields[Field::ProgramName];
    return m_dialogs.warnOkCancel(QCoreApplication::applicationName(),
                                  tr("Discard the changes to %1?").arg(name))
           == Dialogs::Answer::Ok;
}

bool SoftwareEditor::mayLeave()
{
    if (!hasUnsavedChanges())
        return true;
    const QString name = values().fields[Field::ProgramName];
    switch (m_dialogs.askSaveDiscardCancel(
        QCoreApplication::applicationName(),
        tr("%1 has changes that are not saved.\rSave them?").arg(name.isEmpty() ? tr("The product") : name))) {
    case Dialogs::Answer::Save:
        // The ordinary save, with its checks; a save the user stops keeps the changes here.
        Button_save1aClick();
        return !hasUnsavedChanges();
    case Dialogs::Answer::Discard:
        return true;
    default:
        return false;
    }
}

void SoftwareEditor::Button_new1Click()
{
    if (mayLeave())
        clearEditor();
}

void SoftwareEditor::showPage(int page)
{
    QWidget *shown = m_pages.value(page);
    if (!shown)
        return;
    build();
    if (m_hideAllViews)
        m_hideAllViews();
    shown->move(0, shown->y());
    shown->setVisible(true);
    shown->raise();
    // The page's first field takes the focus.
    const QList<int> fields = FieldCatalogue::pageFields(page);
    QWidget *first = fields.isEmpty() ? nullptr : control(fields.first());
    (first ? first : shown)->setFocus(Qt::OtherFocusReason);
}

void SoftwareEditor::nextPage()
{
    const int count = int(m_pages.size());
    showPage((std::max(currentPage(), -1) + 1) % count);
}

void SoftwareEditor::previousPage()
{
    const int count = int(m_pages.size());
    const int current = currentPage();
    showPage(current < 0 ? 0 : (current + count - 1) % count);
}

void SoftwareEditor::Button_save1aClick()
{
    EditorValues v = values();
    const SoftwareSave::SaveResult result = m_save.save(v, chooserItems());
    if (result.valuesChanged)
        setValues(v);
    if (!result.finished())
        return;
    if (result.outcome == SoftwareSave::Outcome::Stored) {
        m_unchanged = values();
        emit recordStored(result.row, result.newRow);
    }
    emit recordSelectedRequested();
    // The item of the stored row shows its name; one past the end is added.
    if (result.addChooserItem && m_chooser)
        m_chooser->recordStored(std::min(result.chooserIndex, m_chooser->rowCount()));
    if (result.historyChanged)
        emit historyChanged(!result.historyNotSaved);
    // After a save the window shows no view.
    if (m_hideAllViews)
        m_hideAllViews();
}

void SoftwareEditor::Button_del_softClick(int selectedRow)
{
    const QString name = m_software.cell(0, selectedRow);
    const SoftwareSave::DeleteResult result = m_save.deleteRecord(selectedRow, chooserItems());
    if (!result.deleted)
        return;
    // The chooser loses one item, the deleted row's, when it had the name.
    if (m_chooser && result.chooserIndex >= 0)
        m_chooser->removeItem(result.row - 1 < m_chooser->rowCount() ? result.row - 1
                                                                     : result.chooserIndex);
    emit recordDeleted(result.row, name);
    emit historyChanged(!result.historyNotSaved);
}

void SoftwareEditor::ComboBox_productChange(int index)
{
    if (mayReplaceContents())
        loadRecord(index + 1);
}

void SoftwareEditor::ComboBox_release_typeChange()
{
    const auto *type = qobject_cast<QComboBox *>(control(Field::ReleaseType));
    if (type && comboValue(type) == QLatin1String("Freeware")) {
        setText(Field::CostDollars, QStringLiteral("0"));
        setText(Field::CostOther, QStringLiteral("0"));
    }
}

void SoftwareEditor::ComboBox_main_IDChange()
{
    const auto *mainId = qobject_cast<QComboBox *>(control(Field::MainIdUsed));
    if (!mainId)
        return;
    const EditorRules::MainIdSources sources = EditorRules::mainIdSources(comboValue(mainId));
    auto boxText = [this](int field) {
        const auto *edit = qobject_cast<QLineEdit *>(control(field));
        return field >= 0 && edit ? edit->text() : QString();
    };
    setText(Field::MainProductId, boxText(sources.productField));
    setText(Field::MainVendorId, boxText(sources.vendorField));
}
