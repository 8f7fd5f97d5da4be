#pragma once

#include "catalogue/productchoosermodel.h"
#include "editor/editorpages.h"
#include "editor/editorvalues.h"
#include "editor/softwaresave.h"

#include <QObject>
#include <QPointer>

#include <functional>

class DataFiles;
class PadCheckMarks;
class Dialogs;
class Table;

// The software editor: seven pages of the main window holding one record.
// It reads and writes its controls through the field catalogue and leaves
// every rule to EditorRules and SoftwareSave. The host owns the page widgets,
// the tables and the views; it is told through the signals what to refresh.
class SoftwareEditor : public QObject
{
    Q_OBJECT

public:
    // `pages`: the seven empty page widgets Panel_1a .. Panel_1g. A save
    // writes the catalogue and history files of `files`.
    // `hideAllViews` hides every content view of the window.
    SoftwareEditor(const QList<QWidget *> &pages, Table &software, Table &history,
                   Dialogs &dialogs, const DataFiles &files,
                   std::function<void()> hideAllViews, QObject *parent = nullptr);

    // The items of the submit view's ComboBox_product, which mirror column 0
    // of the list; a save or deletion tells them of the row it changed.
    void setProductChooser(ProductChooserModel *items);

    // Makes the pages' controls, once; a page shown or a control asked for
    // makes them first. Until then the values wait in the editor.
    void build();
    bool isBuilt() const { return m_isBuilt; }

    QWidget *page(int page) const { return m_pages.value(page); }
    // The shown page, or -1 when no page is shown.
    int currentPage() const;
    // The control of field n, nullptr when it has none.
    QWidget *control(int field) const;

    // The controls' contents, and writing them back.
    EditorValues values() const;
    void setValues(const EditorValues &values);

    SoftwareSave &saver() { return m_save; }
    // The PAD rule marks on the controls.
    PadCheckMarks &padMarks() const { return *m_padMarks; }

    // The controls hold changes not yet saved: they differ from what the
    // last load, clear or finished save left in them.
    bool hasUnsavedChanges() const;
    // Before another record replaces the contents: true when nothing unsaved
    // would be lost, or the user agreed to discard it.
    bool mayReplaceContents();
    // Before the editor's contents go for good ("new", the end of the
    // program): true when nothing unsaved would be lost, the user chose to
    // discard it, or saved it.
    bool mayLeave();

public slots:
    // "software &edit": loads the selected record unless the editor already
    // shows that name (or the sender is the PAD import), then shows page a.
    // Unsaved changes of another record are discarded only when the user agrees.
    void Button_input_softClick(int selectedRow, bool fromPadImport = false);
    // "Edit data", "&edit software", a double click (showEditor true) and the
    // start-up load (false). Returns false for an empty catalogue.
    bool editSelectedRecord(int selectedRow, bool showEditor);
    void loadRecord(int row);
    void clearEditor();
    // "-- create new data --": an empty editor, once unsaved changes are saved or given up.
    void Button_new1Click();
    void showPage(int page);
    void nextPage();
    void previousPage();

    void Button_save1aClick();
    void Button_del_softClick(int selectedRow);

    // The product chooser's part for the editor: loads row index + 1 (after
    // asking, when the editor holds unsaved changes).
    void ComboBox_productChange(int index);
    void ComboBox_release_typeChange();
    void ComboBox_main_IDChange();
    // "size from file...": the three sizes from the chosen file's real size.
    void sizeFromFile();

signals:
    // The software table changed: refresh the list and lay out its columns.
    void recordStored(int row, bool newRow);
    // Run the record-selected step with no sender (after every finished save).
    void recordSelectedRequested();
    void recordDeleted(int row, const QString &name);
    // The history table changed; `saved` is false when its file could not be written.
    void historyChanged(bool saved);

private:
    QStringList chooserItems() const;
    void setText(int field, const QString &text);

    QList<QWidget *> m_pages;
    Table &m_software;
    Dialogs &m_dialogs;
    std::function<void()> m_hideAllViews;
    SoftwareSave m_save;
    EditorPages::Built m_built;
    bool m_isBuilt = false;
    // What the controls are to show once they are made.
    EditorValues m_pending;
    QPointer<ProductChooserModel> m_chooser;
    EditorValues m_unchanged;
    PadCheckMarks *m_padMarks = nullptr;
};
