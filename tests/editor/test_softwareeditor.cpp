#include "catalogue/productchoosermodel.h"
#include "editor/editorpages.h"
#include "editor/softwareeditor.h"
#include "platform/datafiles.h"
#include "platform/tablefile.h"
#include "support/fakedialogs.h"
#include "support/records.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Answer = Dialogs::Answer;

// A window with the seven empty pages, as the main window provides them.
struct Editor
{
    QTemporaryDir dir;
    QWidget window;
    QList<QWidget *> pages;
    Table software = freshSoftwareTable();
    Table history;
    FakeDialogs dialogs;
    QComboBox chooser;
    std::unique_ptr<SoftwareEditor> editor;
    int hides = 0;

    explicit Editor(const QStringList &names = {})
    {
        for (const QString &name : names) {
            const int row = software.isEmpty() ? 1 : software.appendRow();
            QStringList record(FieldCatalogue::FieldCount);
            EditorRules::storeInto(record, passingValues(name));
            software.setRow(row, record);
        }
        auto *items = new ProductChooserModel(software, &chooser);
        items->reload(!names.isEmpty());
        chooser.setModel(items);
        history = historyFor(software);
        window.resize(640, 330);
        for (int p = 0; p < FieldCatalogue::PageCount; ++p) {
            auto *page = new QFrame(&window);
            page->setObjectName(FieldCatalogue::pageName(p));
            page->setGeometry(0, 28, 640, 296);
            page->setVisible(false);
            pages.append(page);
        }
        editor = std::make_unique<SoftwareEditor>(pages, software, history, dialogs, DataFiles(dir.path()),
                                                  [this] {
                                                      ++hides;
                                                      for (QWidget *page : pages)
                                                          page->setVisible(false);
                                                  });
        editor->setProductChooser(items);
        // As the main window does once it has painted itself.
        editor->build();
    }

    template <typename T> T *find(const char *name) const
    {
        T *child = window.findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qWarning("no control %s", name);
        return child;
    }
    QString catalogueFile() const { return dir.filePath("Kelvane_soft.dat"); }
    void click(const char *button) { find<QPushButton>(button)->click(); }
    void choose(const char *combo, const QString &item)
    {
        auto *box = find<QComboBox>(combo);
        const int index = box->findText(item);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
};

} // namespace

class TestSoftwareEditor : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldHasItsControlOnItsPageWithItsLimit();
    void pagesCarryTheirSectionsButtonsAndTabOrder_data();
    void pagesCarryTheirSectionsButtonsAndTabOrder();
    void exampleContentsShowBeforeAnyRecordIsLoaded();
    void fullRecordRoundTripsThroughTheControls();
    void nextSevenTimesReturnsToTheSamePage_data();
    void nextSevenTimesReturnsToTheSamePage();
    void backFromTheFirstPageShowsTheLast();
    void mainIdChoiceFillsTheReadOnlyBoxes_data();
    void mainIdChoiceFillsTheReadOnlyBoxes();
    void freewareChoiceZeroesCostsButLoadingDoesNot();
    void pastingTenThousandCharactersKeepsTheLimit_data();
    void pastingTenThousandCharactersKeepsTheLimit();
    void aPastedLineBreakBecomesABlankInAOneLineBox_data();
    void aPastedLineBreakBecomesABlankInAOneLineBox();
    void typingIntoAFullMemoAddsNothing();
    void loadedValueLongerThanTheLimitIsKeptWhole();
    void unstorableCharacterIsRefusedNamingTheField();
    void savingANewProductReachesListChooserFileAndHistory();
    void fortyFiveCharacterDescriptionFillsTheLongerOnes();
    void savingWithAnEmptyNameIntoAnEmptyCatalogue();
    void cancelledWarningKeepsTheContactFillAndTheFiles();
    void eachWarningIsReachedThroughThePages_data();
    void eachWarningIsReachedThroughThePages();
    void caseOnlyRenameOverwritesTheRecord();
    void deletingTheOnlyRecordEmptiesEverything();
    void editingAnEmptyCatalogueShowsTheInformationBox();
    void showEditorKeepsUnsavedChangesOfTheSameName();
    void loadingChoosesNoClassForAnUnknownKeyAndSurvivesBadNumbers();
    void productChooserLoadsItsRecord();
    void clearEditorEmptiesEveryControlAndStaysOnThePage();
    void multiSelectListsPaintSelectedItemsInTheHighlight();
    void theNameBoxShowsATypicalNameWhole();
    void controlsAreMadeAtTheFirstUseAndTakeWhatWasLoadedMeanwhile();
    void sizeFromFileFillsTheThreeSizes_data();
    void sizeFromFileFillsTheThreeSizes();
};

void TestSoftwareEditor::everyFieldHasItsControlOnItsPageWithItsLimit()
{
    Editor e;
    int controls = 0;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        const FieldInfo &info = FieldCatalogue::field(n);
        if (!info.control)
            continue;
        ++controls;
        QWidget *w = e.find<QWidget>(info.control);
        QVERIFY2(w, info.control);
        QCOMPARE(e.editor->control(n), w);
        QVERIFY2(e.pages.at(info.page)->isAncestorOf(w), info.control);
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            QCOMPARE(edit->maxLength(), info.limit > 0 ? info.limit : 32767);
        if (auto *memo = qobject_cast<LimitedTextEdit *>(w))
            QCOMPARE(memo->maxLength(), info.limit);
        if (info.caption && info.kind != EditorKind::CheckBox)
            QCOMPARE(e.window.findChild<QLabel *>(QStringLiteral("Label_s%1").arg(n + 1))->text(),
                     QString::fromLatin1(info.caption));
    }
    QCOMPARE(controls, 96); // fields 0..91 and 100..103
    QVERIFY(e.find<QLineEdit>("Edit_main_p_id")->isReadOnly());
    QCOMPARE(e.find<QComboBox>("ComboBox_class")->count(), 160);
    QVERIFY(e.find<QComboBox>("ComboBox_class")->itemText(0).endsWith("Encoders\t"));
    QCOMPARE(e.find<QComboBox>("ComboBox_category")->count(), 11);
    QCOMPARE(e.find<QComboBox>("ComboBox_country")->count(), 244);
    QCOMPARE(e.find<QCheckBox>("CheckBox_affiliate_sys")->text(),
             QStringLiteral("using own affiliate program"));
}

void TestSoftwareEditor::pagesCarryTheirSectionsButtonsAndTabOrder_data()
{
    QTest::addColumn<int>("page");
    for (int p = 0; p < FieldCatalogue::PageCount; ++p)
        QTest::addRow("%s", qPrintable(FieldCatalogue::pageName(p))) << p;
}

void TestSoftwareEditor::pagesCarryTheirSectionsButtonsAndTabOrder()
{
    QFETCH(int, page);
    Editor e;
    QWidget *panel = e.pages.at(page);
    QStringList labels;
    for (const QLabel *label : panel->findChildren<QLabel *>())
        labels.append(label->text());
    for (const QString &section : FieldCatalogue::pageSections(page))
        QVERIFY2(labels.contains(section), qPrintable(section));

    QStringList buttons;
    for (const QPushButton *button : panel->findChildren<QPushButton *>())
        buttons.append(button->text());
    QStringList pageButtons{"Save", "< back", "next >", "-- create new data --"};
    if (page == 0)
        pageButtons.prepend("size from file...");
    QCOMPARE(buttons, pageButtons);
    QCOMPARE(panel->findChildren<QPushButton *>().last()->toolTip(),
             QStringLiteral("( create a new software )"));

    // Tab goes through the page's fields in the catalogue's order.
    const QList<int> fields = FieldCatalogue::pageFields(page);
    QList<QWidget *> expected;
    for (int n : fields)
        expected.append(e.editor->control(n));
    QList<QWidget *> visited;
    QWidget *w = expected.first();
    for (int step = 0; step < 2000 && visited.size() < expected.size(); ++step) {
        if (expected.contains(w) && !visited.contains(w))
            visited.append(w);
        w = w->nextInFocusChain();
    }
    QCOMPARE(visited, expected);
}

void TestSoftwareEditor::exampleContentsShowBeforeAnyRecordIsLoaded()
{
    Editor e;
    QCOMPARE(e.find<QLineEdit>("Edit_program_name")->text(),
             QStringLiteral("Program name (to delete - just example)"));
    QCOMPARE(e.find<QPlainTextEdit>("Memo_descript450")->toPlainText(),
             QStringLiteral("description\n450 chars"));
    QCOMPARE(e.find<QLineEdit>("Edit_fax")->text(), QStringLiteral("+351 000 000 000"));
    QCOMPARE(e.find<QComboBox>("ComboBox_release_type")->currentIndex(), -1);
    QCOMPARE(e.find<QComboBox>("ComboBox_class")->currentIndex(), -1);
    QVERIFY(e.find<QListWidget>("ListBox_os_support")->selectedItems().isEmpty());
    QVERIFY(!e.find<QCheckBox>("CheckBox_java")->isChecked());
}

void TestSoftwareEditor::fullRecordRoundTripsThroughTheControls()
{
    Editor e({"Alpha Tool"});
    QStringList original = e.software.row(1);
    original[104] = "x";
    e.software.setRow(1, original);
    e.editor->loadRecord(1);

    QCOMPARE(e.find<QLineEdit>("Edit_program_name")->text(), QStringLiteral("Alpha Tool"));
    QCOMPARE(e.find<QComboBox>("ComboBox_release_type")->currentText(), QStringLiteral("Shareware"));
    QCOMPARE(e.find<QComboBox>("ComboBox_currency")->currentText(), QStringLiteral("EUR"));
    QCOMPARE(e.find<QListWidget>("ListBox_os_support")->selectedItems().size(), 3);
    QCOMPARE(e.find<QListWidget>("ListBox_languages")->selectedItems().size(), 2);
    QVERIFY(e.find<QCheckBox>("CheckBox_java")->isChecked());
    QVERIFY(!e.find<QCheckBox>("CheckBox_vb")->isChecked());
    QVERIFY(e.find<QCheckBox>("CheckBox_affiliate_sys")->isChecked());
    QCOMPARE(e.find<QPlainTextEdit>("Memo_pad_ring")->toPlainText().count('\n'), 1);
    QCOMPARE(e.find<QComboBox>("ComboBox_class")->currentIndex(), 0);

    // Stored back through "Save" on page c, answering Yes to the name question.
    e.dialogs.answers = {Answer::Yes};
    e.click("Button_save1c");
    QCOMPARE(e.dialogs.texts(FakeDialogs::Kind::WarnOkCancel), QStringList());
    QCOMPARE(e.software.row(1), original);
    Table reread = freshSoftwareTable();
    TableFile::load(reread, e.catalogueFile(), TableFile::Kind::Marked);
    original[104] = QString();
    QCOMPARE(reread.row(1), original);
}

void TestSoftwareEditor::nextSevenTimesReturnsToTheSamePage_data()
{
    QTest::addColumn<int>("start");
    QTest::newRow("from a") << 0;
    QTest::newRow("from d") << 3;
    QTest::newRow("from g") << 6;
}

void TestSoftwareEditor::nextSevenTimesReturnsToTheSamePage()
{
    QFETCH(int, start);
    Editor e;
    e.editor->showPage(start);
    QList<int> seen;
    for (int i = 0; i < 7; ++i) {
        const QString letter = QString(QChar(u'a' + e.editor->currentPage()));
        e.window.findChild<QPushButton *>("Button_next1" + letter)->click();
        seen.append(e.editor->currentPage());
    }
    QCOMPARE(e.editor->currentPage(), start);
    QCOMPARE(seen.first(), (start + 1) % 7);
    int shown = 0;
    for (QWidget *page : e.pages)
        shown += page->isHidden() ? 0 : 1;
    QCOMPARE(shown, 1);
}

void TestSoftwareEditor::backFromTheFirstPageShowsTheLast()
{
    Editor e;
    e.editor->showPage(0);
    e.click("Button_back1a");
    QCOMPARE(e.editor->currentPage(), 6);
    QCOMPARE(e.pages.at(6)->x(), 0);
}

void TestSoftwareEditor::mainIdChoiceFillsTheReadOnlyBoxes_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("vendor");
    QTest::newRow("eSellerate leaves the vendor box empty") << "eSellerate" << "ES-77" << "";
    QTest::newRow("RegNow") << "RegNow" << "P-81" << "V-71";
    QTest::newRow("eMetrix") << "eMetrix" << "P-85" << "V-78";
    QTest::newRow("no choice empties both") << "" << "" << "";
}

void TestSoftwareEditor::mainIdChoiceFillsTheReadOnlyBoxes()
{
    QFETCH(QString, choice);
    QFETCH(QString, product);
    QFETCH(QString, vendor);
    Editor e;
    for (int n : {71, 72, 73, 77, 78, 79, 81, 82, 83, 84, 85, 86, 87})
        static_cast<QLineEdit *>(e.editor->control(n))
            ->setText((n == 71 || n == 72 || n == 73 || n == 78 || n == 79 || n == 84 ? "V-" : "P-")
                      + QString::number(n));
    static_cast<QLineEdit *>(e.editor->control(77))->setText("ES-77");
    e.find<QLineEdit>("Edit_main_p_id")->setText("old");
    e.find<QLineEdit>("Edit_main_v_id")->setText("old");
    e.choose("ComboBox_main_ID", choice);
    QCOMPARE(e.find<QLineEdit>("Edit_main_p_id")->text(), product);
    QCOMPARE(e.find<QLineEdit>("Edit_main_v_id")->text(), vendor);
    // A later edit of the source box does not follow until the choice is made again.
    static_cast<QLineEdit *>(e.editor->control(81))->setText("P-new");
    QCOMPARE(e.find<QLineEdit>("Edit_main_p_id")->text(), product);
}

void TestSoftwareEditor::freewareChoiceZeroesCostsButLoadingDoesNot()
{
    Editor e;
    QStringList record(FieldCatalogue::FieldCount);
    record[0] = "Free";
    record[2] = "freeware";
    record[6] = "5.00";
    e.software.setRow(1, record);
    e.editor->loadRecord(1);
    QCOMPARE(e.find<QComboBox>("ComboBox_release_type")->currentText(), QStringLiteral("Freeware"));
    QCOMPARE(e.find<QLineEdit>("Edit_cost_usd")->text(), QStringLiteral("5.00"));

    e.choose("ComboBox_release_type", "Demo");
    QCOMPARE(e.find<QLineEdit>("Edit_cost_usd")->text(), QStringLiteral("5.00"));
    e.choose("ComboBox_release_type", "Freeware");
    QCOMPARE(e.find<QLineEdit>("Edit_cost_usd")->text(), QStringLiteral("0"));
    QCOMPARE(e.find<QLineEdit>("Edit_cost_other")->text(), QStringLiteral("0"));
}

void TestSoftwareEditor::pastingTenThousandCharactersKeepsTheLimit_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("kept");
    QTest::newRow("45 chars box") << "Edit_descript45" << 45;
    QTest::newRow("info address") << "Edit_info_url" << 300;
    QTest::newRow("250 chars memo") << "Memo_descript250" << 250;
    QTest::newRow("2000 chars memo") << "Memo_descript2000" << 2000;
    QTest::newRow("unlimited affiliate memo") << "Memo_affiliate_sys" << 10000;
}

void TestSoftwareEditor::pastingTenThousandCharactersKeepsTheLimit()
{
    QFETCH(QString, control);
    QFETCH(int, kept);
    Editor e;
    e.editor->clearEditor();
    QApplication::clipboard()->setText(QString(10000, QLatin1Char('w')));
    QWidget *w = e.window.findChild<QWidget *>(control);
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->paste();
        QCOMPARE(int(edit->text().size()), kept);
    } else {
        auto *memo = qobject_cast<QPlainTextEdit *>(w);
        QVERIFY(memo);
        memo->paste();
        QCOMPARE(int(memo->toPlainText().size()), kept);
        // A second paste into the full box adds nothing either.
        memo->paste();
        QCOMPARE(int(memo->toPlainText().size()), std::min(kept * 2, kept == 10000 ? 20000 : kept));
    }
}

void TestSoftwareEditor::aPastedLineBreakBecomesABlankInAOneLineBox_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR LF") << "Alpha\r\nTool" << "Alpha Tool";
    QTest::newRow("LF and CR") << "a\nb\rc" << "a b c";
    QTest::newRow("a trailing break") << "Alpha\n" << "Alpha ";
    QTest::newRow("no break") << "Alpha Tool" << "Alpha Tool";
}

void TestSoftwareEditor::aPastedLineBreakBecomesABlankInAOneLineBox()
{
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    Editor e;
    auto *name = e.find<QLineEdit>("Edit_program_name");
    name->setText(QStringLiteral("[]"));
    name->setCursorPosition(1);
    QApplication::clipboard()->setText(pasted);
    name->paste();
    QCOMPARE(name->text(), "[" + shown + "]");
    // Typing goes on after the pasted text.
    QTest::keyClicks(name, "!");
    QCOMPARE(name->text(), "[" + shown + "!]");
}

void TestSoftwareEditor::typingIntoAFullMemoAddsNothing()
{
    Editor e;
    auto *memo = e.find<LimitedTextEdit>("Memo_descript250");
    memo->setText(QString(248, QLatin1Char('a')));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "bcdef");
    QCOMPARE(memo->toPlainText(), QString(248, QLatin1Char('a')) + "bc");
}

void TestSoftwareEditor::loadedValueLongerThanTheLimitIsKeptWhole()
{
    Editor e;
    QStringList record(FieldCatalogue::FieldCount);
    record[0] = "Long";
    record[59] = QString(60, QLatin1Char('d'));
    record[61] = QString(300, QLatin1Char('m'));
    e.software.setRow(1, record);
    e.editor->loadRecord(1);
    QCOMPARE(e.editor->values().text(59), record[59]);
    QCOMPARE(e.editor->values().text(61), record[61]);
    // The next record brings the catalogue's limit back.
    e.editor->clearEditor();
    QCOMPARE(e.find<QLineEdit>("Edit_descript45")->maxLength(), 45);
}

void TestSoftwareEditor::unstorableCharacterIsRefusedNamingTheField()
{
    Editor e;
    e.editor->setValues(passingValues("Beta"));
    e.find<QLineEdit>("Edit_company_name")->setText(QString::fromUtf8("Kelvane \u2603"));
    e.find<QLineEdit>("Edit_url")->clear(); // would warn
    e.click("Button_save1b");
    QCOMPARE(e.dialogs.shown.size(), 1);
    QCOMPARE(e.dialogs.shown.first().kind, FakeDialogs::Kind::Error);
    QVERIFY(e.dialogs.shown.first().text.contains("\"Company\""));
    QVERIFY(!QFile::exists(e.catalogueFile()));
    QVERIFY(e.software.isEmpty());
    QCOMPARE(e.hides, 0);
}

void TestSoftwareEditor::savingANewProductReachesListChooserFileAndHistory()
{
    Editor e({"Alpha Tool"});
    QSignalSpy stored(e.editor.get(), &SoftwareEditor::recordStored);
    QSignalSpy selected(e.editor.get(), &SoftwareEditor::recordSelectedRequested);
    QSignalSpy history(e.editor.get(), &SoftwareEditor::historyChanged);
    e.editor->setValues(passingValues("Beta Tool"));
    e.editor->showPage(4);
    e.click("Button_save1e");
    QVERIFY(e.dialogs.shown.isEmpty());
    QCOMPARE(e.software.cell(0, 2), QStringLiteral("Beta Tool"));
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().at(0).toInt(), 2);
    QCOMPARE(stored.first().at(1).toBool(), true);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(history.size(), 1);
    QCOMPARE(history.first().at(0).toBool(), true);
    QCOMPARE(e.chooser.count(), 2);
    QCOMPARE(e.chooser.itemText(1), QStringLiteral("Beta Tool"));
    QCOMPARE(e.history.cell(2, 0), QStringLiteral("Beta Tool"));
    QCOMPARE(e.editor->currentPage(), -1);
    QVERIFY(fileBytes(e.catalogueFile()).contains("Beta Tool"));
}

void TestSoftwareEditor::fortyFiveCharacterDescriptionFillsTheLongerOnes()
{
    Editor e;
    EditorValues v = passingValues("Gamma");
    for (int n : {60, 61, 62, 63})
        v.fields[n].clear();
    v.fields[59] = QString(45, QLatin1Char('s'));
    e.editor->setValues(v);
    e.click("Button_save1d");
    QVERIFY(e.dialogs.shown.isEmpty());
    QCOMPARE(e.find<QLineEdit>("Edit_descript80")->text(), v.text(59));
    for (const char *memo : {"Memo_descript250", "Memo_descript450", "Memo_descript2000"})
        QCOMPARE(e.find<QPlainTextEdit>(memo)->toPlainText(), v.text(59));
    for (int n : {60, 61, 62, 63})
        QCOMPARE(e.software.cell(n, 1), v.text(59));
}

void TestSoftwareEditor::savingWithAnEmptyNameIntoAnEmptyCatalogue()
{
    Editor e;
    e.editor->showPage(2);
    e.click("Button_new1c");
    QCOMPARE(e.editor->currentPage(), 2);
    e.dialogs.answers = QList<Answer>(13, Answer::Ok) << Answer::Yes;
    e.click("Button_save1c");
    // Once it went through every warning into a zero-byte file: now it is
    // refused at once, and the page stays for the name to be entered.
    QVERIFY(e.dialogs.texts(FakeDialogs::Kind::WarnOkCancel).isEmpty());
    QCOMPARE(e.dialogs.texts(FakeDialogs::Kind::Error),
             QStringList{"This product has no program name, so it was not saved. Enter its name "
                         "on the 'Program Information' page and save again."});
    QVERIFY(e.software.isEmpty());
    QCOMPARE(e.software.rowCount(), 2);
    QVERIFY(!QFile::exists(e.catalogueFile()));
    QCOMPARE(e.editor->currentPage(), 2);
}

void TestSoftwareEditor::cancelledWarningKeepsTheContactFillAndTheFiles()
{
    Editor e({"Alpha Tool"});
    const QByteArray before = fileBytes(e.catalogueFile());
    EditorValues v = passingValues("Beta");
    v.fields[37] = v.fields[38] = v.fields[39] = QString();
    v.fields[26] = QString();
    e.editor->setValues(v);
    e.click("Button_save1a");
    QCOMPARE(e.dialogs.shown.size(), 1);
    QCOMPARE(e.dialogs.shown.first().text, QStringLiteral("No Company name entered! You need this..."));
    QCOMPARE(e.find<QLineEdit>("Edit_firstname")->text(), QStringLiteral("Ana"));
    QCOMPARE(e.find<QLineEdit>("Edit_contact_email")->text(), QStringLiteral("ana@kelvane.example"));
    QCOMPARE(fileBytes(e.catalogueFile()), before);
    QCOMPARE(e.software.rowCount(), 2);
    QCOMPARE(e.hides, 0);
}

void TestSoftwareEditor::eachWarningIsReachedThroughThePages_data()
{
    QTest::addColumn<QStringList>("emptied");
    QTest::addColumn<QString>("message");
    auto row = [](const char *name, const QStringList &controls, const char *message) {
        QTest::newRow(name) << controls << QString::fromLatin1(message);
    };
    // Check 1 names each of its fields: blanking any one of them warns (a
    // record without a name is refused before the checks).
    const char *programInformation = "You must fill ALL 'Program Information' fields!";
    for (const char *control :
         {"Edit_version", "ComboBox_release_type", "Edit_release_month",
          "Edit_release_day", "Edit_release_year", "Edit_cost_usd", "ComboBox_install_sup",
          "ComboBox_rel_status", "ListBox_os_support", "ListBox_languages"})
        row(control, {QString::fromLatin1(control)}, programInformation);
    row("check 2", {"Edit_filename_version", "Edit_filename_generic"},
        "You need to enter at least one File name.");
    row("check 3", {"Edit_size_mb"}, "You need to enter file sizes also.");
    row("check 4", {"Edit_company_name"}, "No Company name entered! You need this...");
    row("check 5", {"Edit_url"}, "No Company URL entered. You want to enter one...");
    row("check 6", {"Edit_contact_email", "Edit_author_email"},
        "You must supply a Contact name and Contact email!");
    row("check 7", {"ComboBox_class"}, "No Category selected! You need this...");
    row("check 8", {"Edit_info_url"}, "No Info URL entered. You may want to enter one...");
    row("check 9", {"Edit_order_url"},
        "You need to supply a Order URL, as this is not a freeware...");
    row("check 10", {"Edit_pad_url"},
        "No PAD file url. Most sites need this, as the prefered method of submiting.\r"
        "You will not use this software to it's full extent, if you do not create one.\r\r"
        "Suggestion: use the 'Export to PAD' button to create a PAD file\r"
        "and then upload it to your site!");
    row("check 11", {"Edit_descript45", "Edit_descript80", "Memo_descript250"},
        "No short description filled... Must at least have one.");
    row("check 12", {"Edit_downld_primary"}, "Must have at least one Download URL...");
    row("check 13", {"Edit_link_back"},
        "No 'Link back' URL entered. Some sites need this to exist before submiting.");
    row("check 14", {"ComboBox_expire_base"},
        "This software has expire info, so you must also\rdefine a period/uses and a value for it.");
    row("check 15", {"Edit_unlock_code"},
        "This software may need a key to be used and/or reviewed,\rbut you didn't input the "
        "place were the user requests a 'key'.");
    QTest::newRow("main ID not chosen") << QStringList{"ComboBox_main_ID"}
        << "You didn't choose your main shareware ID. Some sites need to know this for submiting.";
    QTest::newRow("no ID for the main ID") << QStringList{"Edit_main_p_id"}
        << "You don't have any ID's for your main shareware ID...";
}

void TestSoftwareEditor::eachWarningIsReachedThroughThePages()
{
    QFETCH(QStringList, emptied);
    QFETCH(QString, message);
    Editor e({"Alpha Tool"});
    TableFile::save(e.history, e.dir.filePath("Kelvane_hist.dat"), TableFile::Kind::Plain);
    const QByteArray catalogue = fileBytes(e.catalogueFile());
    const QByteArray history = fileBytes(e.dir.filePath("Kelvane_hist.dat"));
    e.editor->setValues(passingValues("Beta Tool"));
    for (const QString &name : emptied) {
        QWidget *w = e.window.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->clear();
        else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
            memo->clear();
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->setCurrentIndex(-1);
        else if (auto *list = qobject_cast<QListWidget *>(w))
            list->clearSelection();
    }
    e.click("Button_save1g");
    QCOMPARE(e.dialogs.shown.size(), 1);
    QCOMPARE(e.dialogs.shown.first().kind, FakeDialogs::Kind::WarnOkCancel);
    QCOMPARE(e.dialogs.shown.first().title, QStringLiteral("Warning"));
    QCOMPARE(e.dialogs.shown.first().text, message);
    QCOMPARE(fileBytes(e.catalogueFile()), catalogue);
    QCOMPARE(fileBytes(e.dir.filePath("Kelvane_hist.dat")), history);
    QCOMPARE(e.software.rowCount(), 2);
    QCOMPARE(e.chooser.count(), 1);
    QCOMPARE(e.history.columnCount(), 2);
}

void TestSoftwareEditor::caseOnlyRenameOverwritesTheRecord()
{
    Editor e({"Alpha Tool", "Beta Tool"});
    e.editor->loadRecord(2);
    e.find<QLineEdit>("Edit_program_name")->setText("BETA TOOL");
    e.dialogs.answers = {Answer::Yes};
    e.click("Button_save1a");
    QCOMPARE(e.dialogs.shown.size(), 1);
    QCOMPARE(e.dialogs.shown.first().title, QStringLiteral("Confirm"));
    QCOMPARE(e.dialogs.shown.first().text,
             QStringLiteral("A software with this name already exists. Want to update with this data?"));
    QCOMPARE(e.software.rowCount(), 3);
    QCOMPARE(e.software.cell(0, 2), QStringLiteral("BETA TOOL"));
    QCOMPARE(e.history.columnCount(), 3);
    QCOMPARE(e.chooser.count(), 2);
    QVERIFY(fileBytes(e.catalogueFile()).contains("BETA TOOL"));
}

void TestSoftwareEditor::deletingTheOnlyRecordEmptiesEverything()
{
    Editor e({"Alpha Tool"});
    e.history.setCell(1, 1, "01.02.2024  ok");
    QSignalSpy deleted(e.editor.get(), &SoftwareEditor::recordDeleted);
    e.dialogs.answers = {Answer::Ok};
    e.editor->Button_del_softClick(1);
    QCOMPARE(e.dialogs.shown.first().title, QStringLiteral("Warning"));
    QCOMPARE(e.dialogs.shown.first().text,
             QStringLiteral("Are you sure to delete this software's information permanently?"));
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(e.chooser.count(), 0);
    QVERIFY(e.software.isEmpty());
    QCOMPARE(fileBytes(e.catalogueFile()), QByteArray());
    QCOMPARE(e.history.columnCount(), 1);
    QVERIFY(!fileBytes(e.dir.filePath("Kelvane_hist.dat")).contains("ok"));
    // The editor keeps what it showed.
    QCOMPARE(e.find<QLineEdit>("Edit_program_name")->text(),
             QStringLiteral("Program name (to delete - just example)"));
}

void TestSoftwareEditor::editingAnEmptyCatalogueShowsTheInformationBox()
{
    Editor e;
    QVERIFY(!e.editor->editSelectedRecord(1, true));
    QCOMPARE(e.dialogs.shown.size(), 1);
    QCOMPARE(e.dialogs.shown.first().title, QStringLiteral("Information"));
    QCOMPARE(e.dialogs.shown.first().text,
             QStringLiteral("No software yet to edit !\rCreate a new software data."));
    QCOMPARE(e.editor->currentPage(), -1);
    QCOMPARE(e.find<QLineEdit>("Edit_version")->text(), QStringLiteral("1.3.2.6"));
}

void TestSoftwareEditor::showEditorKeepsUnsavedChangesOfTheSameName()
{
    Editor e({"Alpha Tool"});
    QVERIFY(e.editor->editSelectedRecord(1, false));
    QCOMPARE(e.editor->currentPage(), -1);
    e.find<QLineEdit>("Edit_version")->setText("unsaved");
    e.editor->Button_input_softClick(1);
    QCOMPARE(e.editor->currentPage(), 0);
    QCOMPARE(e.find<QLineEdit>("Edit_version")->text(), QStringLiteral("unsaved"));
    // Another name in the editor: the selected record is loaded again once
    // the user agrees to drop the typing.
    e.find<QLineEdit>("Edit_program_name")->setText("alpha tool");
    e.editor->Button_input_softClick(1);
    QCOMPARE(e.find<QLineEdit>("Edit_version")->text(), QStringLiteral("unsaved"));
    e.dialogs.answers = {Dialogs::Answer::Ok};
    e.editor->Button_input_softClick(1);
    QCOMPARE(e.find<QLineEdit>("Edit_version")->text(), QStringLiteral("2.0.1"));
    QCOMPARE(e.dialogs.texts(FakeDialogs::Kind::WarnOkCancel),
             QStringList(2, QStringLiteral("Discard the changes to alpha tool?")));
    // The PAD import's call never loads.
    e.find<QLineEdit>("Edit_program_name")->setText("Imported");
    e.editor->Button_input_softClick(1, true);
    QCOMPARE(e.find<QLineEdit>("Edit_program_name")->text(), QStringLiteral("Imported"));
}

void TestSoftwareEditor::loadingChoosesNoClassForAnUnknownKeyAndSurvivesBadNumbers()
{
    Editor e({"Alpha Tool"});
    e.editor->loadRecord(1);
    QCOMPARE(e.find<QComboBox>("ComboBox_class")->currentIndex(), 0);
    QStringList odd = e.software.row(1);
    odd[0] = "Odd";
    odd[48] = "Imported::Nowhere";
    odd[51] = "abc";
    odd[54] = "http://odd.example/";
    odd[103] = "after the bad number";
    e.software.setRow(1, odd);
    e.editor->loadRecord(1);
    QCOMPARE(e.find<QComboBox>("ComboBox_class")->currentIndex(), -1);
    QVERIFY(!e.find<QCheckBox>("CheckBox_java")->isChecked());
    QCOMPARE(e.find<QLineEdit>("Edit_info_url")->text(), QStringLiteral("http://odd.example/"));
    QCOMPARE(e.find<QPlainTextEdit>("Memo_affiliate_sys")->toPlainText(),
             QStringLiteral("after the bad number"));
    // Saving it now asks for a class instead of writing the earlier one.
    e.dialogs.answers = {Answer::Cancel};
    e.click("Button_save1c");
    QCOMPARE(e.dialogs.shown.first().text, QStringLiteral("No Category selected! You need this..."));
}

void TestSoftwareEditor::productChooserLoadsItsRecord()
{
    Editor e({"Alpha Tool", "Beta Tool"});
    e.editor->ComboBox_productChange(1);
    QCOMPARE(e.find<QLineEdit>("Edit_program_name")->text(), QStringLiteral("Beta Tool"));
}

void TestSoftwareEditor::clearEditorEmptiesEveryControlAndStaysOnThePage()
{
    Editor e({"Alpha Tool"});
    e.editor->loadRecord(1);
    e.editor->showPage(5);
    e.click("Button_new1f");
    QCOMPARE(e.editor->currentPage(), 5);
    QCOMPARE(e.editor->values(), EditorRules::fromRecord(QStringList()));
    QCOMPARE(e.find<QLineEdit>("Edit_main_v_id")->text(), QString());
    QCOMPARE(e.find<QComboBox>("ComboBox_country")->currentIndex(), -1);
}

void TestSoftwareEditor::multiSelectListsPaintSelectedItemsInTheHighlight()
{
    Editor e;
    e.window.show();
    e.editor->showPage(0);
    auto *os = e.find<QListWidget>("ListBox_os_support");
    os->clearSelection();
    os->item(1)->setSelected(true);
    auto *delegate = qobject_cast<MultiSelectDelegate *>(os->itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(delegate->shownText(os->item(1)->text()), QStringLiteral("Win95"));
    os->scrollToTop();
    QCoreApplication::processEvents();
    const QImage image = os->viewport()->grab().toImage();
    const QRect selected = os->visualItemRect(os->item(1));
    const QRect plain = os->visualItemRect(os->item(0));
    QVERIFY(!selected.isEmpty());
    // Sample the right end of each row, clear of the text.
    QCOMPARE(QColor(image.pixel(selected.right() - 2, selected.center().y())),
             os->palette().color(QPalette::Highlight));
    QVERIFY(os->palette().color(QPalette::Highlight) != QColor(230, 230, 230));
    QCOMPARE(QColor(image.pixel(plain.right() - 2, plain.center().y())), QColor(Qt::white));
}

void TestSoftwareEditor::theNameBoxShowsATypicalNameWhole()
{
    Editor e;
    e.window.show();
    e.editor->showPage(0);
    QCoreApplication::processEvents();
    auto *name = e.find<QLineEdit>("Edit_program_name");
    QVERIFY(name);
    const QString typical = QStringLiteral("Frobnicator Pro Deluxe Edition 2026");
    QVERIFY2(name->fontMetrics().horizontalAdvance(typical) < name->contentsRect().width() - 8,
             qPrintable(QString::number(name->contentsRect().width())));
    // Its neighbours keep room too: the version box is not squeezed out.
    QVERIFY(e.find<QLineEdit>("Edit_version")->width() >= 80);
}

void TestSoftwareEditor::controlsAreMadeAtTheFirstUseAndTakeWhatWasLoadedMeanwhile()
{
    QWidget window;
    QFrame page(&window);
    QList<QWidget *> pages;
    for (int p = 0; p < FieldCatalogue::PageCount; ++p)
        pages.append(p == 0 ? &page : new QFrame(&window));
    Table software = freshSoftwareTable();
    Table history;
    FakeDialogs dialogs;
    QTemporaryDir dir;
    SoftwareEditor editor(pages, software, history, dialogs, DataFiles(dir.path()), {});
    QVERIFY(!editor.isBuilt());
    QVERIFY(!window.findChild<QLineEdit *>(QStringLiteral("Edit_program_name")));
    EditorValues loaded = editor.values();
    loaded.fields[Field::ProgramName] = QStringLiteral("Loaded Early");
    editor.setValues(loaded);
    // Answered without making the controls, and the same once they are made.
    QVERIFY(editor.hasUnsavedChanges());
    QVERIFY(!editor.isBuilt());

    window.show();
    editor.showPage(0);
    QVERIFY(editor.isBuilt());
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("Edit_program_name"));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("Loaded Early"));
    QVERIFY(name->isVisible());
    QVERIFY(editor.hasUnsavedChanges());
}

QTEST_MAIN(TestSoftwareEditor)
#include "test_softwareeditor.moc"

void TestSoftwareEditor::sizeFromFileFillsTheThreeSizes_data()
{
    QTest::addColumn<qint64>("size"); // -1: a folder is chosen
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<QString>("error");
    QTest::newRow("an installer") << qint64(1192000) << QStringList{"1192000", "1164", "1.14"} << "";
    QTest::newRow("a folder keeps the boxes") << qint64(-1) << QStringList{"1192000", "1159", "1.15"}
                                              << "is a folder, not the program's file.";
}

void TestSoftwareEditor::sizeFromFileFillsTheThreeSizes()
{
    QFETCH(qint64, size);
    QFETCH(QStringList, sizes);
    QFETCH(QString, error);
    Editor e;
    QString chosen = e.dir.path();
    if (size >= 0) {
        chosen = e.dir.filePath("setup.exe");
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(size));
    }
    e.dialogs.fileNames = {chosen};
    e.click("Button_size_from_file");
    QCOMPARE((QStringList{e.find<QLineEdit>("Edit_size_byte")->text(), e.find<QLineEdit>("Edit_size_kb")->text(),
                          e.find<QLineEdit>("Edit_size_mb")->text()}),
             sizes);
    const QStringList errors = e.dialogs.texts(FakeDialogs::Kind::Error);
    QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
    QVERIFY(error.isEmpty() || errors.first().endsWith(error));
}
