#include "catalogue/fieldcatalogue.h"
#include "catalogue/recordselection.h"
#include "catalogue/softwarelistmodel.h"
#include "editor/softwareeditor.h"
#include "platform/recordfile.h"
#include "platform/tablefile.h"
#include "shell/mainwindow.h"
#include "shell/statusline.h"
#include "submit/historyview.h"
#include "submit/submitview.h"
#include "support/records.h"
#include "support/windowharness.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Answer = Dialogs::Answer;

const QString ExampleName = QStringLiteral("Program name (to delete - just example)");
const QString DeleteQuestion =
    QStringLiteral("Are you sure to delete this software's information permanently?");

// A record that passes every check of the save; `status` (field 10) tells
// the records apart in the match lists.
QStringList fullRecord(const QString &name, const QString &status)
{
    EditorValues values = passingValues(name);
    values.fields[10] = status;
    QStringList cells(FieldCatalogue::FieldCount);
    EditorRules::storeInto(cells, values);
    return cells;
}

const QStringList Statuses = {QStringLiteral("New Release"), QStringLiteral("Minor Update"),
                              QStringLiteral("Major Update"), QStringLiteral("Beta")};

QStringList namesOf(const Table &software)
{
    QStringList names;
    for (int r = 1; r < software.rowCount(); ++r)
        names.append(software.cell(0, r));
    return names;
}

QStringList chooserItems(const QComboBox *chooser)
{
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i)
        items.append(chooser->itemText(i));
    return items;
}

// The history's product headings, columns 1.. (column k belongs to software row k).
QStringList historyHeadings(const Table &history)
{
    QStringList names;
    for (int c = 1; c < history.columnCount(); ++c)
        names.append(history.cell(c, 0));
    return names;
}

// The records of a table file, one per table row below the heading.
QList<QByteArray> fileRecords(const QString &path)
{
    return RecordFile::read(path).records;
}

} // namespace

class TestMainWindowEditor : public QObject, public WindowHarness
{
    Q_OBJECT

private:
    QString catalogueFile() const { return path(QStringLiteral("Kelvane_soft.dat")); }
    QString historyFile() const { return path(QStringLiteral("Kelvane_hist.dat")); }

    // Products that pass every check of the save, told apart by status.
    void writeProducts(const QStringList &names)
    {
        QList<QStringList> records;
        for (int i = 0; i < names.size(); ++i)
            records.append(fullRecord(names.at(i), Statuses.at(i % Statuses.size())));
        writeCatalogue(records);
    }

    Table catalogueOnDisk() const
    {
        Table table = freshSoftwareTable();
        TableFile::load(table, catalogueFile(), TableFile::Kind::Marked);
        return table;
    }

    std::unique_ptr<TForm1> startWindow()
    {
        auto form = WindowHarness::startWindow();
        form->resize(TForm1::ClientWidth, 400);
        return form;
    }


    static QLineEdit *nameBox(TForm1 &form)
    {
        return form.findChild<QLineEdit *>(QStringLiteral("Edit_program_name"));
    }

    // The rows and columns the views were told of, not the tables' own counts.
    static int shownRows(TForm1 &form)
    {
        return form.findChild<QTableView *>(QStringLiteral("StringGrid_software_list"))
            ->verticalHeader()
            ->count();
    }
    static int shownHistoryColumns(TForm1 &form)
    {
        return form.historyView()->table()->horizontalHeader()->count();
    }

    static QString shownView(const TForm1 &form)
    {
        const QWidget *view = form.currentView();
        return view ? view->objectName() : QString();
    }

    // How the user reaches "edit the selected record".
    static void editSelected(TForm1 &form, const QString &how)
    {
        if (how == QLatin1String("Edit data")) {
            click(form, "Button_edit_data");
        } else if (how == QLatin1String("pop-up entry")) {
            auto *entry =
                form.softwareListMenu()->findChild<QAction *>(QStringLiteral("Pop_edit_software"));
            QVERIFY(entry);
            QCOMPARE(entry->text(), QStringLiteral("&edit software"));
            entry->trigger();
        } else {
            QFAIL("unknown way to edit");
        }
    }

    static void deleteSelected(TForm1 &form, const QString &how)
    {
        if (how == QLatin1String("Delete item")) {
            click(form, "Button_delete_item");
        } else {
            auto *entry =
                form.softwareListMenu()->findChild<QAction *>(QStringLiteral("Pop_delete_item"));
            QVERIFY(entry);
            QCOMPARE(entry->text(), QStringLiteral("&delete item"));
            entry->trigger();
        }
    }

private slots:
    void init() { resetHarness(); }

    void aFirstStartShowsTheExampleContentsOnSoftwareEdit()
    {
        auto form = startWindow();
        QVERIFY(form->editor());
        QCOMPARE(shownView(*form), QString());
        click(*form, "Button_input_soft");
        QCOMPARE(shownView(*form), QStringLiteral("Panel_1a"));
        QCOMPARE(form->currentView()->x(), 0);
        QCOMPARE(nameBox(*form)->text(), ExampleName);
        QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("Edit_version"))->text(),
                 QStringLiteral("1.3.2.6"));
        // An empty catalogue has nothing to load over the examples.
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void aSavedProductReachesListChooserFilesAndHistory_data()
    {
        QTest::addColumn<QStringList>("existing"); // the catalogue file's products; "-": no file
        QTest::addColumn<int>("row");              // where the new product goes

        QTest::newRow("first start without a catalogue") << QStringList{"-"} << 1;
        QTest::newRow("a zero-byte catalogue") << QStringList{} << 1;
        QTest::newRow("below two products") << QStringList{"Alpha", "Beta"} << 3;
    }

    void aSavedProductReachesListChooserFilesAndHistory()
    {
        QFETCH(QStringList, existing);
        QFETCH(int, row);
        if (existing == QStringList{"-"}) {
            existing.clear();
        } else if (existing.isEmpty()) {
            QFile empty(catalogueFile());
            QVERIFY(empty.open(QIODevice::WriteOnly));
        } else {
            writeProducts(existing);
        }
        auto form = startWindow();
        QVERIFY(m_dialogs.shown.isEmpty());
        const int currentBefore = form->currentSoftwareRow();

        click(*form, "Button_input_soft");
        QLineEdit *name = nameBox(*form);
        name->selectAll();
        const QString product = QStringLiteral("Delta Sound Converter Deluxe Edition");
        QTest::keyClicks(name, product);
        QCOMPARE(name->text(), product);
        // The rest are example contents (or the loaded record's): warn, OK.
        m_dialogs.answers = QList<Answer>(20, Answer::Ok);
        click(*form, "Button_save1a");

        const QStringList questions = m_dialogs.texts(FakeDialogs::Kind::AskYesCancel);
        QVERIFY2(questions.isEmpty(), qPrintable(questions.join('\n')));
        QVERIFY2(m_dialogs.errors().isEmpty(), qPrintable(m_dialogs.errors().join('\n')));
        if (existing.isEmpty())
            QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel).value(0),
                     QStringLiteral("You must fill ALL 'Program Information' fields!"));
        // After a save the window shows no view, but says what it did.
        QCOMPARE(shownView(*form), QString());
        QCOMPARE(form->statusLine()->message(), "Saved '" + product + "'.");
        // A message longer than the line is cut in its middle and shown whole in the tooltip.
        const QString longPath = "Exported to /" + QString(300, u'x') + "/end.xml.";
        form->statusLine()->say(longPath);
        QCOMPARE(form->statusLine()->toolTip(), longPath);
        QVERIFY(form->statusLine()->text().startsWith("Exported to /x"));
        QVERIFY(form->statusLine()->text().endsWith("end.xml."));
        QVERIFY(form->statusLine()->text().size() < longPath.size());
        QVERIFY2(form->windowTitle().endsWith(QStringLiteral("     :  %1 products  :  10 sub.sites  :")
                                                  .arg(existing.size() + 1)),
                 qPrintable(form->windowTitle()));

        // The software list, with the new row drawn and its name column wide enough.
        QStringList names = existing;
        names.append(product);
        QCOMPARE(namesOf(form->workspace().software()), names);
        QCOMPARE(shownRows(*form), names.size());
        QCOMPARE(form->softwareModel()->index(row - 1, 0).data().toString(), product);
        QTableView *grid =
            form->findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
        QVERIFY(grid->columnWidth(0) >= grid->fontMetrics().horizontalAdvance(product));
        // The new record is not made current; the current one is remembered.
        QCOMPARE(form->currentSoftwareRow(), currentBefore);
        QCOMPARE(form->workspace().settings().software(), currentBefore);

        QCOMPARE(chooserItems(form->productChooser()), names);

        const Table onDisk = catalogueOnDisk();
        QCOMPARE(namesOf(onDisk), names);
        // The version typed before: the example's, or the loaded record's.
        QCOMPARE(onDisk.cell(1, row),
                 existing.isEmpty() ? QStringLiteral("1.3.2.6") : QStringLiteral("2.0.1"));

        // A column of its own in the history, shown by the history view and
        // written with the file: one cell per product on every site line.
        QCOMPARE(form->workspace().history().columnCount(), row + 1);
        QCOMPARE(form->workspace().history().cell(row, 0), product);
        QCOMPARE(shownHistoryColumns(*form), row + 1);
        QCOMPARE(form->historyView()->model()->headerData(row, Qt::Horizontal).toString(), product);
        const QList<QByteArray> lines = fileRecords(historyFile());
        QCOMPARE(lines.size(), form->workspace().history().rowCount() - 1);
        for (const QByteArray &line : lines)
            QCOMPARE(line.count('|'), row);
        QVERIFY(!form->workspace().historyChanged());

        // A later start finds it all again, the history matching the catalogue.
        form.reset();
        m_dialogs.shown.clear();
        auto again = startWindow();
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.messages().join('\n')));
        QCOMPARE(namesOf(again->workspace().software()), names);
        QCOMPARE(historyHeadings(again->workspace().history()), names);
    }

    void aCancelledWarningStoresNothing()
    {
        writeProducts({"Alpha"});
        const QByteArray before = fileBytes(catalogueFile());
        auto form = startWindow();
        click(*form, "Button_input_soft");
        nameBox(*form)->setText(QStringLiteral("Beta"));
        // The loaded record passes every check but the missing file size.
        form->findChild<QLineEdit *>(QStringLiteral("Edit_size_byte"))->clear();
        m_dialogs.answers = {Answer::Cancel};
        click(*form, "Button_save1a");
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel),
                 QStringList{QStringLiteral("You need to enter file sizes also.")});
        QCOMPARE(namesOf(form->workspace().software()), QStringList{"Alpha"});
        QCOMPARE(shownRows(*form), 1);
        QCOMPARE(chooserItems(form->productChooser()), QStringList{"Alpha"});
        QCOMPARE(fileBytes(catalogueFile()), before);
        QVERIFY(!QFile::exists(historyFile()));
        QCOMPARE(form->workspace().history().columnCount(), 2);
        // The editor stays open with the typing kept.
        QCOMPARE(shownView(*form), QStringLiteral("Panel_1a"));
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Beta"));
    }

    void updatingTheSelectedProductKeepsItsRowAndRebuildsItsMatchLists()
    {
        writeProducts({"Alpha", "Beta", "Gamma"});
        writeOption(QStringLiteral("Software"), 2);
        auto form = startWindow();
        QCOMPARE(form->currentSoftwareRow(), 2);
        click(*form, "Button_edit_data");
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Beta"));
        auto *status = form->findChild<QComboBox *>(QStringLiteral("ComboBox_rel_status"));
        QVERIFY(status);
        status->setCurrentIndex(status->findText(QStringLiteral("Media Only")));
        m_dialogs.answers = {Answer::Yes};
        click(*form, "Button_save1c");

        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::AskYesCancel),
                 QStringList{QStringLiteral(
                     "A software with this name already exists. Want to update with this data?")});
        QCOMPARE(form->workspace().software().cell(10, 2), QStringLiteral("Media Only"));
        QCOMPARE(form->softwareModel()->index(1, 10).data().toString(),
                 QStringLiteral("Media Only"));
        QCOMPARE(catalogueOnDisk().cell(10, 2), QStringLiteral("Media Only"));
        QCOMPARE(form->currentSoftwareRow(), 2);
        QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0),
                 QStringLiteral("Media Only"));
        // A known name gets no second column or chooser item.
        QCOMPARE(chooserItems(form->productChooser()), QStringList({"Alpha", "Beta", "Gamma"}));
        QCOMPARE(historyHeadings(form->workspace().history()), QStringList({"Alpha", "Beta", "Gamma"}));
        QVERIFY(!QFile::exists(historyFile()));
    }

    void editDataAndItsMenuEntryLoadAndShowTheSelectedProduct_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("discard"); // the answer to the question
        QTest::newRow("Edit data") << "Edit data" << true;
        QTest::newRow("the pop-up entry") << "pop-up entry" << true;
        QTest::newRow("Edit data, keeping the typing") << "Edit data" << false;
    }

    void editDataAndItsMenuEntryLoadAndShowTheSelectedProduct()
    {
        QFETCH(QString, how);
        QFETCH(bool, discard);
        writeProducts({"Alpha", "Beta", "Gamma"});
        auto form = startWindow();
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Alpha"));
        click(*form, "Button_software_list");
        form->setCurrentSoftwareRow(3);
        nameBox(*form)->setText(QStringLiteral("Gamma"));
        form->findChild<QLineEdit *>(QStringLiteral("Edit_version"))
            ->setText(QStringLiteral("typed"));
        m_dialogs.answers = {discard ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel};
        editSelected(*form, how);
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel),
                 QStringList{"Discard the changes to Gamma?"});
        if (!discard) {
            QCOMPARE(shownView(*form), QStringLiteral("Panel_2"));
            QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("Edit_version"))->text(),
                     QStringLiteral("typed"));
            return;
        }
        QCOMPARE(shownView(*form), QStringLiteral("Panel_1a"));
        // The stored record, once the typing of the same name is given up.
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Gamma"));
        QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("Edit_version"))->text(),
                 QStringLiteral("2.0.1"));
        QCOMPARE(form->findChild<QComboBox *>(QStringLiteral("ComboBox_rel_status"))->currentText(),
                 QStringLiteral("Major Update"));
    }

    void choosingAnotherProductAsksBeforeDroppingTheTyping()
    {
        writeProducts({"Alpha", "Beta"});
        auto form = startWindow();
        auto *version = form->findChild<QLineEdit *>(QStringLiteral("Edit_version"));
        version->setText(QStringLiteral("typed"));
        m_dialogs.answers = {Dialogs::Answer::Cancel, Dialogs::Answer::Ok};
        form->submitView()->ComboBox_productChange(1);
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Alpha"));
        QCOMPARE(version->text(), QStringLiteral("typed"));
        form->submitView()->ComboBox_productChange(1);
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Beta"));
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel),
                 QStringList(2, QStringLiteral("Discard the changes to Alpha?")));
        // Nothing typed since: the next choice loads without a question.
        form->submitView()->ComboBox_productChange(0);
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Alpha"));
        QCOMPARE(m_dialogs.shown.size(), 2);
    }

    void editingAnEmptyCatalogueOnlyInforms_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Edit data") << "Edit data";
        QTest::newRow("the pop-up entry") << "pop-up entry";
    }

    void editingAnEmptyCatalogueOnlyInforms()
    {
        QFETCH(QString, how);
        auto form = startWindow();
        click(*form, "Button_software_list");
        editSelected(*form, how);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().title, QStringLiteral("Information"));
        QCOMPARE(m_dialogs.shown.first().text,
                 QStringLiteral("No software yet to edit !\rCreate a new software data."));
        QCOMPARE(shownView(*form), QStringLiteral("Panel_2"));
        QCOMPARE(nameBox(*form)->text(), ExampleName);
    }

    void aDoubleClickOnARowEditsThatProduct()
    {
        writeProducts({"Alpha", "Beta", "Gamma"});
        auto form = startWindow();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        click(*form, "Button_software_list");
        QTableView *grid =
            form->findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
        const QRect cell = grid->visualRect(form->softwareModel()->index(1, 1));
        QVERIFY(!cell.isEmpty());
        QCOMPARE(form->currentSoftwareRow(), 1);
        // What a real double click sends: press and release, then the double
        // click and its release (QTest's double click alone lacks the first pair).
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(form->currentSoftwareRow(), 2);
        QCOMPARE(shownView(*form), QStringLiteral("Panel_1a"));
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Beta"));
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void aRightClickOnTheListOpensItsMenu()
    {
        writeProducts({"Alpha"});
        auto form = startWindow();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        click(*form, "Button_software_list");
        QTableView *grid =
            form->findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
        QMenu *menu = form->softwareListMenu();
        QVERIFY(menu);
        QStringList entries;
        for (const QAction *action : menu->actions())
            entries.append(action->text());
        QCOMPARE(entries, QStringList({"&edit software", "&delete item"}));
        QVERIFY(!menu->isVisible());
        const QPoint at = grid->visualRect(form->softwareModel()->index(0, 1)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &event);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void theProductChooserLoadsTheChosenProductIntoTheEditor_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("the first") << 0;
        QTest::newRow("the last") << 2;
    }

    void theProductChooserLoadsTheChosenProductIntoTheEditor()
    {
        QFETCH(int, index);
        writeProducts({"Alpha", "Beta", "Gamma"});
        writeOption(QStringLiteral("Software"), 2);
        auto form = startWindow();
        QCOMPARE(nameBox(*form)->text(), QStringLiteral("Beta"));
        click(*form, "Button_submit_list");
        QComboBox *chooser = form->productChooser();
        chooser->setCurrentIndex(index);
        emit chooser->activated(index);

        const int row = index + 1;
        QCOMPARE(nameBox(*form)->text(), form->workspace().software().cell(0, row));
        QCOMPARE(form->currentSoftwareRow(), row);
        QCOMPARE(form->workspace().settings().software(), row);
        QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0), Statuses.at(index));
        // The chooser stays on the submit view; the editor is not shown.
        QCOMPARE(shownView(*form), QStringLiteral("Panel_3"));
        QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, row), QStringLiteral("x"));
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void deleteItemRemovesTheProductEverywhere_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("currentAfter");

        const QStringList three = {"Alpha", "Beta", "Gamma"};
        QTest::newRow("the middle one with the button") << "Delete item" << three << 2 << 2;
        QTest::newRow("the middle one from the pop-up menu") << "pop-up entry" << three << 2 << 2;
        QTest::newRow("the last one: the one above becomes current")
            << "Delete item" << three << 3 << 2;
        QTest::newRow("the first one") << "Delete item" << three << 1 << 1;
        QTest::newRow("the only one") << "Delete item" << QStringList{"Alpha"} << 1 << 1;
    }

    void deleteItemRemovesTheProductEverywhere()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, names);
        QFETCH(int, selected);
        QFETCH(int, currentAfter);
        writeProducts(names);
        writeOption(QStringLiteral("Software"), selected);
        auto form = startWindow();
        // An outcome in the column of the product after the deleted one.
        if (selected < names.size())
            form->workspace().history().setCell(selected + 1, 1, QStringLiteral("01.02.2024  ok"));
        click(*form, "Button_software_list");
        QCOMPARE(form->currentSoftwareRow(), selected);

        m_dialogs.answers = {Answer::Ok};
        deleteSelected(*form, how);

        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().kind, FakeDialogs::Kind::ConfirmOkCancel);
        QCOMPARE(m_dialogs.shown.first().title, QStringLiteral("Warning"));
        QCOMPARE(m_dialogs.shown.first().text, DeleteQuestion);
        QCOMPARE(form->statusLine()->message(), "Deleted '" + names.at(selected - 1) + "'.");
        QVERIFY2(form->windowTitle().contains(QStringLiteral("     :  %1 products  :  ")
                                                  .arg(std::max<qsizetype>(1, names.size() - 1))),
                 qPrintable(form->windowTitle()));

        QStringList left = names;
        left.removeAt(selected - 1);
        const QStringList listed = left.isEmpty() ? QStringList{QString()} : left;
        QCOMPARE(namesOf(form->workspace().software()), listed);
        QCOMPARE(shownRows(*form), listed.size());
        QCOMPARE(chooserItems(form->productChooser()), left);
        QCOMPARE(historyHeadings(form->workspace().history()), left);
        QCOMPARE(shownHistoryColumns(*form), left.size() + 1);
        if (selected < names.size())
            QCOMPARE(form->workspace().history().cell(selected, 1), QStringLiteral("01.02.2024  ok"));

        if (left.isEmpty())
            QCOMPARE(fileBytes(catalogueFile()), QByteArray());
        else
            QCOMPARE(namesOf(catalogueOnDisk()), left);
        const QList<QByteArray> lines = fileRecords(historyFile());
        QCOMPARE(lines.size(), form->workspace().history().rowCount() - 1);
        for (const QByteArray &line : lines)
            QCOMPARE(line.count('|'), form->workspace().history().columnCount() - 1);

        // The list stays on a record, and the match lists describe that one.
        QCOMPARE(form->currentSoftwareRow(), currentAfter);
        if (left.isEmpty()) {
            QVERIFY(!form->workspace().recordSelection().hasMatchLists());
        } else {
            QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0),
                     form->workspace().software().cell(10, currentAfter));
            QCOMPARE(form->workspace().settings().software(), currentAfter);
        }
        // The view stays, and so does what the editor shows.
        QCOMPARE(shownView(*form), QStringLiteral("Panel_2"));
        QCOMPARE(nameBox(*form)->text(), names.at(selected - 1));

        // A later start agrees with what is left.
        form.reset();
        m_dialogs.shown.clear();
        auto again = startWindow();
        QVERIFY2(m_dialogs.messages().isEmpty(), qPrintable(m_dialogs.messages().join('\n')));
        QCOMPARE(namesOf(again->workspace().software()), listed);
        QCOMPARE(historyHeadings(again->workspace().history()), listed);
    }

    void aRecordWithoutANameIsDeletedByItsPlace_data()
    {
        QTest::addColumn<int>("nameless");   // its row among Alpha and Beta
        QTest::newRow("between two products") << 2;
        QTest::newRow("the last one") << 3;
    }
    void aRecordWithoutANameIsDeletedByItsPlace()
    {
        QFETCH(int, nameless);
        QList<QStringList> records{fullRecord("Alpha", Statuses.at(0)), fullRecord("Beta", Statuses.at(1))};
        records.insert(nameless - 1, fullRecord("", Statuses.at(2)));
        writeCatalogue(records);
        writeOption(QStringLiteral("Software"), nameless);
        auto form = startWindow();
        click(*form, "Button_software_list");
        QCOMPARE(chooserItems(form->productChooser()).value(nameless - 1), QStringLiteral("(unnamed)"));
        m_dialogs.shown.clear();
        m_dialogs.answers = {Answer::Ok};
        click(*form, "Button_delete_item");
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::ConfirmOkCancel), QStringList{DeleteQuestion});
        QCOMPARE(namesOf(form->workspace().software()), QStringList({"Alpha", "Beta"}));
        QCOMPARE(form->statusLine()->message(), QStringLiteral("Deleted the record without a name."));
        QCOMPARE(chooserItems(form->productChooser()), QStringList({"Alpha", "Beta"}));
        QCOMPARE(namesOf(catalogueOnDisk()), QStringList({"Alpha", "Beta"}));
    }

    void aCancelledDeleteChangesNothing()
    {
        writeProducts({"Alpha", "Beta"});
        const QByteArray before = fileBytes(catalogueFile());
        auto form = startWindow();
        m_dialogs.answers = {Answer::Cancel};
        click(*form, "Button_delete_item");
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(namesOf(form->workspace().software()), QStringList({"Alpha", "Beta"}));
        QCOMPARE(chooserItems(form->productChooser()), QStringList({"Alpha", "Beta"}));
        QCOMPARE(historyHeadings(form->workspace().history()), QStringList({"Alpha", "Beta"}));
        QCOMPARE(fileBytes(catalogueFile()), before);
        QVERIFY(!QFile::exists(historyFile()));
    }

    void startUpLoadsTheRememberedRecordIntoTheEditor_data()
    {
        QTest::addColumn<int>("remembered");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("the remembered row") << 2 << "Beta";
        QTest::newRow("a row past the end: the last record") << 7 << "Gamma";
    }

    void startUpLoadsTheRememberedRecordIntoTheEditor()
    {
        QFETCH(int, remembered);
        QFETCH(QString, loaded);
        writeProducts({"Alpha", "Beta", "Gamma"});
        writeOption(QStringLiteral("Software"), remembered);
        auto form = startWindow();
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(nameBox(*form)->text(), loaded);
        QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("Edit_company_name"))->text(),
                 QStringLiteral("Kelvane Tools"));
        // Loaded, not shown.
        QCOMPARE(shownView(*form), QString());
        // "software &edit" then shows it as loaded.
        click(*form, "Button_input_soft");
        QCOMPARE(shownView(*form), QStringLiteral("Panel_1a"));
        QCOMPARE(nameBox(*form)->text(), loaded);
    }

    void startUpWithAnEmptyCatalogueFileKeepsTheExamples()
    {
        QFile empty(catalogueFile());
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        auto form = startWindow();
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.messages().join('\n')));
        QCOMPARE(nameBox(*form)->text(), ExampleName);
    }

    // "-- create new data --", "e&xit" and the window's close box: typed
    // work is saved, given up or kept, as the user answers.
    void leavingTypedWorkAsksToSaveDiscardOrCancel_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("emptySize");   // the save's own check then asks too
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("stored");   // the version in the file afterwards
        QTest::addColumn<bool>("left");        // the editor emptied, or the window closed

        const int save = int(Answer::Save), discard = int(Answer::Discard), cancel = int(Answer::Cancel),
                  yes = int(Answer::Yes);
        for (const char *way : {"new", "exit", "close box"}) {
            QTest::addRow("%s, cancel", way) << way << false << QList<int>{cancel} << "2.0.1" << false;
            QTest::addRow("%s, discard", way) << way << false << QList<int>{discard} << "2.0.1" << true;
            // The ordinary save asks before it replaces the stored product.
            QTest::addRow("%s, save", way) << way << false << QList<int>{save, yes} << "2.1" << true;
        }
        QTest::newRow("exit, a save whose check is cancelled keeps the program open")
            << "exit" << true << QList<int>{save, cancel} << "2.0.1" << false;
    }
    void leavingTypedWorkAsksToSaveDiscardOrCancel()
    {
        QFETCH(QString, way);
        QFETCH(bool, emptySize);
        QFETCH(QList<int>, answers);
        QFETCH(QString, stored);
        QFETCH(bool, left);

        writeProducts({"Alpha"});
        auto form = startWindow();
        form->show();
        click(*form, "Button_input_soft");
        auto *version = form->findChild<QLineEdit *>(QStringLiteral("Edit_version"));
        version->setText(QStringLiteral("2.1"));
        if (emptySize)
            form->findChild<QLineEdit *>(QStringLiteral("Edit_size_byte"))->clear();
        m_dialogs.shown.clear();
        for (int a : answers)
            m_dialogs.answers.append(Answer(a));
        if (way == "new")
            click(*form, "Button_new1a");
        else if (way == "exit")
            click(*form, "Button_close");
        else
            form->close();
        const bool closed = !form->isVisible();

        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::AskSaveDiscardCancel),
                 QStringList{"Alpha has changes that are not saved.\rSave them?"});
        QCOMPARE(catalogueOnDisk().cell(Field::ProgramVersion, 1), stored);
        if (way == "new")
            QCOMPARE(nameBox(*form)->text().isEmpty(), left);
        else
            QCOMPARE(closed, left);
        if (!left)
            QCOMPARE(version->text(), QStringLiteral("2.1"));
    }

    void leavingWithoutTypingAsksNothing()
    {
        writeProducts({"Alpha"});
        auto form = startWindow();
        click(*form, "Button_input_soft");
        m_dialogs.shown.clear();
        click(*form, "Button_new1a");
        QVERIFY(nameBox(*form)->text().isEmpty());
        QVERIFY(form->close());
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void aHistoryThatCannotBeWrittenIsLeftForTheClose()
    {
        writeProducts({"Alpha"});
        // A folder in the file's place: the history cannot be written.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Kelvane_hist.dat")));
        auto form = startWindow();
        m_dialogs.shown.clear();
        QVERIFY(!form->workspace().historyChanged());
        click(*form, "Button_input_soft");
        nameBox(*form)->setText(QStringLiteral("Beta"));
        click(*form, "Button_save1a");
        QCOMPARE(m_dialogs.errors().size(), 1);
        QCOMPARE(namesOf(catalogueOnDisk()), QStringList({"Alpha", "Beta"}));
        QCOMPARE(historyHeadings(form->workspace().history()), QStringList({"Alpha", "Beta"}));
        QVERIFY(form->workspace().historyChanged());
    }
};

QTEST_MAIN(TestMainWindowEditor)
#include "test_mainwindow_editor.moc"
