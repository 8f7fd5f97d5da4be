#include "editor/softwareeditor.h"
#include "pad/padexport.h"
#include "platform/datafiles.h"
#include "shell/padcommands.h"
#include "support/fakedialogs.h"
#include "support/records.h"
#include "support/validpadrecord.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Kind = FakeDialogs::Kind;

// The editor pages, a catalogue of one record (row 1 selected) and the commands.
struct Fixture
{
    QTemporaryDir dir;
    QWidget window;
    QList<QWidget *> pages;
    Table software = freshSoftwareTable();
    Table history;
    FakeDialogs dialogs;
    std::unique_ptr<SoftwareEditor> editor;
    std::unique_ptr<PadCommands> commands;

    Fixture()
    {
        QStringList record(FieldCatalogue::FieldCount);
        EditorRules::storeInto(record, passingValues("Alpha Tool"));
        software.setRow(1, record);
        history = historyFor(software);
        for (int p = 0; p < FieldCatalogue::PageCount; ++p) {
            auto *page = new QFrame(&window);
            page->setObjectName(FieldCatalogue::pageName(p));
            page->setVisible(false);
            pages.append(page);
        }
        editor = std::make_unique<SoftwareEditor>(pages, software, history, dialogs, DataFiles(dir.path()),
                                                  [this] {
                                                      for (QWidget *page : pages)
                                                          page->setVisible(false);
                                                  });
        commands = std::make_unique<PadCommands>(software, [] { return 1; }, *editor, dialogs);
    }
};

} // namespace

class TestPadCommands : public QObject
{
    Q_OBJECT

private slots:
    void exportWritesTheStoredRowAndEveryUseStartsFromXml()
    {
        Fixture f;
        f.editor->setValues(passingValues("Shown, not stored"));
        const QString path = f.dir.filePath("alpha.xml");
        f.dialogs.fileNames = {QString(), path};
        f.dialogs.standingAnswers = {{QStringLiteral("PAD check"), Dialogs::Answer::Ok}};
        QSignalSpy done(f.commands.get(), &PadCommands::done);
        f.commands->Button_export_padClick(); // cancelled
        QVERIFY(!QFile::exists(path));
        QCOMPARE(done.size(), 0);
        f.commands->Button_export_padClick();
        QCOMPARE(done.size(), 1);
        QCOMPARE(done.first().first().toString(), "Exported to " + QDir::toNativeSeparators(path) + ".");
        QCOMPARE(fileBytes(path), PadExport::document(f.software.row(1)));
        QVERIFY(fileBytes(path).contains("<Program_Name>Alpha Tool</Program_Name>"));

        QCOMPARE(f.dialogs.fileDialogs.size(), 2);
        for (const Dialogs::FileDialogSettings &s : f.dialogs.fileDialogs) {
            QCOMPARE(s.title, QStringLiteral("Export to PAD file"));
            QCOMPARE(s.filter, QStringLiteral("XML file (*)"));
            QCOMPARE(s.defaultSuffix, QStringLiteral("xml"));
            QCOMPARE(s.initialName, QStringLiteral("*.xml"));
        }
        QCOMPARE(f.dialogs.errors(), QStringList());
    }

    void aRecordThatBreaksRulesIsExportedOnlyWhenTheUserSaysSo()
    {
        Fixture f;
        QStringList record = validPadRecord();
        record[Field::ReleaseMonth] = QStringLiteral("5");
        f.software.setRow(1, record);
        const QString path = f.dir.filePath("alpha.xml");
        f.dialogs.fileNames = {path};
        f.dialogs.answers = {Dialogs::Answer::Cancel, Dialogs::Answer::Ok};

        f.commands->Button_export_padClick();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown.first().kind, Kind::WarnGoOnCancel);
        QCOMPARE(f.dialogs.shown.first().title, QStringLiteral("PAD check"));
        QCOMPARE(f.dialogs.shown.first().text,
                 QStringLiteral("This product breaks rules of the PAD standard; download sites may "
                                "drop its PAD file.\r\rRelease month: 2 digits 01-12 (\"5\")"));
        QCOMPARE(f.dialogs.goOnCaptions, QStringList{QStringLiteral("Export anyway")});
        QVERIFY(!QFile::exists(path));

        f.commands->Button_export_padClick();
        QCOMPARE(f.dialogs.texts(Kind::SaveFile).size(), 1);
        // The same bytes as an export that asks nothing.
        const QString unchecked = f.dir.filePath("unchecked.xml");
        f.commands->ExportPadFile(unchecked);
        QCOMPARE(fileBytes(path), fileBytes(unchecked));
        QVERIFY(fileBytes(path).contains("      <Program_Release_Month>5</Program_Release_Month>\r\n"));
    }

    void aRecordThatKeepsTheRulesIsExportedWithoutAQuestion()
    {
        Fixture f;
        f.software.setRow(1, validPadRecord());
        f.dialogs.fileNames = {f.dir.filePath("alpha.xml")};
        f.commands->Button_export_padClick();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown.first().kind, Kind::SaveFile);
        QVERIFY(QFile::exists(f.dir.filePath("alpha.xml")));
    }

    void anImportedFileThatBreaksRulesIsMarkedAtOnce()
    {
        Fixture f;
        QStringList record = validPadRecord();
        record[Field::ReleaseMonth] = QStringLiteral("5");
        const QString file = f.dir.filePath("other.xml");
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(PadExport::document(record));
        out.close();
        f.dialogs.fileNames = {file};
        f.commands->Button_import_padClick();
        auto *month = f.window.findChild<QLineEdit *>(QStringLiteral("Edit_release_month"));
        auto *name = f.window.findChild<QLineEdit *>(QStringLiteral("Edit_program_name"));
        QCOMPARE(month->text(), QStringLiteral("5"));
        QCOMPARE(month->toolTip(), QStringLiteral("PAD rule: 2 digits 01-12"));
        QCOMPARE(name->toolTip(), QString());
    }

    void exportFailureIsShown()
    {
        Fixture f;
        f.dialogs.fileNames = {f.dir.filePath("missing/alpha.xml")};
        f.dialogs.standingAnswers = {{QStringLiteral("PAD check"), Dialogs::Answer::Ok}};
        f.commands->Button_export_padClick();
        QCOMPARE(f.dialogs.errors().size(), 1);
        QVERIFY(f.dialogs.errors().first().contains("alpha.xml"));
    }

    void importFillsTheEmptiedEditorOnItsFirstPage()
    {
        Fixture f;
        EditorValues shown = passingValues("Before");
        shown.fields[Field::LinkBackUrl] = QStringLiteral("http://left.example/");
        f.editor->setValues(shown);
        f.editor->showPage(3);
        const Table before = f.software;

        f.dialogs.fileNames = {QStringLiteral(KELVANE_TEST_DATA "/pad/pad311_utf8_pretty.xml")};
        QSignalSpy done(f.commands.get(), &PadCommands::done);
        f.commands->Button_import_padClick();
        QCOMPARE(done.value(0).value(0).toString(),
                 QStringLiteral("Imported from pad311_utf8_pretty.xml: not stored until you save."));

        QCOMPARE(f.dialogs.fileDialogs.first().title, QStringLiteral("Import a PAD file"));
        QCOMPARE(f.dialogs.fileDialogs.first().initialName, QStringLiteral("*.xml"));
        const EditorValues v = f.editor->values();
        QCOMPARE(v.text(Field::ProgramName), QString::fromUtf8("Cr\u00e8me Editor"));
        QCOMPARE(v.text(Field::Country), QStringLiteral("Portugal"));
        QCOMPARE(v.text(Field::Eula), QStringLiteral("First paragraph.\nSecond paragraph ends here."));
        QCOMPARE(v.text(Field::PadRing), QStringLiteral("http://pad.creme.example/a.xml\nhttp://pad.creme.example/b.xml"));
        QCOMPARE(v.text(Field::IncludesJavaVm), QStringLiteral("1"));
        QCOMPARE(CategoryTables::classKey(v.classItem), QStringLiteral("Business::Accounting & Finance"));
        QCOMPARE(v.selectedLanguages, (QStringList{"English", "French"}));
        QCOMPARE(v.selectedOs.size(), 3);
        // Emptied first: what the file does not hold is gone.
        QCOMPARE(v.text(Field::LinkBackUrl), QString());
        QCOMPARE(v.text(Field::ExpiryBasedOn), QString());
        QCOMPARE(f.editor->currentPage(), 0);
        QCOMPARE(f.software.row(1), before.row(1));
        QCOMPARE(f.dialogs.shown.size(), 1); // the dialog only: no notes, no errors
    }

    void importOfANonPadFileChangesNothing()
    {
        Fixture f;
        f.editor->setValues(passingValues("Kept"));
        f.editor->showPage(2);
        const EditorValues before = f.editor->values();
        f.dialogs.fileNames = {QStringLiteral(KELVANE_TEST_DATA "/pad/not_pad_rss.xml"),
                               f.dir.filePath("missing.xml")};
        f.commands->Button_import_padClick();
        f.commands->Button_import_padClick();
        QCOMPARE(f.editor->values(), before);
        QCOMPARE(f.editor->currentPage(), 2);
        QCOMPARE(f.dialogs.errors().size(), 2);
        QVERIFY(f.dialogs.errors().at(0).startsWith("This is not a PAD file."));
        QVERIFY(f.dialogs.errors().at(1).contains("missing.xml"));
    }

    void importNotesAreShown()
    {
        Fixture f;
        f.dialogs.fileNames = {QStringLiteral(KELVANE_TEST_DATA "/pad/utf8_foreign_characters.xml")};
        f.commands->Button_import_padClick();
        QCOMPARE(f.editor->values().text(Field::ProgramName), QStringLiteral("Omega"));
        QCOMPARE(f.dialogs.messages().size(), 1);
        QVERIFY(f.dialogs.messages().first().contains("Company_Name"));
    }
};

QTEST_MAIN(TestPadCommands)
#include "test_padcommands.moc"
