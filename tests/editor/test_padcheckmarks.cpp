#include "editor/padcheckmarks.h"
#include "editor/softwareeditor.h"
#include "platform/datafiles.h"
#include "support/fakedialogs.h"
#include "support/records.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QColor Marked(255, 214, 214);

struct Editor
{
    QTemporaryDir dir;
    QWidget window;
    QList<QWidget *> pages;
    Table software = freshSoftwareTable();
    Table history = historyFor(software);
    FakeDialogs dialogs;
    std::unique_ptr<SoftwareEditor> editor;

    Editor()
    {
        window.resize(640, 330);
        for (int p = 0; p < FieldCatalogue::PageCount; ++p) {
            auto *page = new QFrame(&window);
            page->setObjectName(FieldCatalogue::pageName(p));
            page->setGeometry(0, 28, 640, 296);
            pages.append(page);
        }
        editor = std::make_unique<SoftwareEditor>(pages, software, history, dialogs,
                                                  DataFiles(dir.path()), [] {});
        editor->setValues(passingValues());
        editor->padMarks().refresh();
    }
};

void typeInto(QWidget *control, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->clear();
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(control))
        memo->clear();
    QTest::keyClicks(control, text);
}

} // namespace

class TestPadCheckMarks : public QObject
{
    Q_OBJECT

private slots:
    void markAppearsAndClearsAsTheUserTypes_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("broken");
        QTest::addColumn<QString>("corrected");
        QTest::addColumn<QString>("tip");

        QTest::newRow("month") << "Edit_release_month" << "5" << "05"
                               << "PAD rule: 2 digits 01-12";
        QTest::newRow("45 characters") << "Edit_descript45" << "Fast <b>tool</b>" << "Fast tool"
                                       << "PAD rule: Single line (no breaks, no HTML) text string 0-45 characters";
        QTest::newRow("2000 characters") << "Memo_descript2000" << "Fast <b>and</b> small"
                                         << "Fast and small"
                                         << "PAD rule: Multiple lines (no HTML) text string 0-2000 characters";
    }

    void markAppearsAndClearsAsTheUserTypes()
    {
        QFETCH(QString, control);
        QFETCH(QString, broken);
        QFETCH(QString, corrected);
        QFETCH(QString, tip);
        Editor e;
        QWidget *box = e.window.findChild<QWidget *>(control);
        QVERIFY(box);
        const QString unmarkedTip = box->toolTip();
        const QColor unmarkedBase = box->palette().color(QPalette::Base);
        QVERIFY(unmarkedBase != Marked);

        typeInto(box, broken);
        QTRY_COMPARE(box->toolTip(), tip);
        QCOMPARE(box->palette().color(QPalette::Base), Marked);
        const QSize size = box->size();

        typeInto(box, corrected);
        QTRY_COMPARE(box->toolTip(), unmarkedTip);
        QCOMPARE(box->palette().color(QPalette::Base), unmarkedBase);
        QCOMPARE(box->size(), size);
    }

    void aListWithoutChoiceIsMarked()
    {
        Editor e;
        auto *os = e.window.findChild<QListWidget *>(QStringLiteral("ListBox_os_support"));
        QVERIFY(os);
        os->clearSelection();
        QTRY_VERIFY(os->toolTip().startsWith(QLatin1String("PAD rule: Operating system ids")));
        for (int i = 0; i < os->count(); ++i)
            os->item(i)->setSelected(os->item(i)->text().startsWith(QLatin1String("Linux\t")));
        QTRY_COMPARE(os->toolTip(), QString());
    }

    void marksNeverStopTheSave()
    {
        Editor e;
        auto *month = e.window.findChild<QLineEdit *>(QStringLiteral("Edit_release_month"));
        typeInto(month, QStringLiteral("5"));
        e.editor->padMarks().refresh();
        QCOMPARE(month->toolTip(), QStringLiteral("PAD rule: 2 digits 01-12"));
        e.window.findChild<QPushButton *>(QStringLiteral("Button_save1a"))->click();
        QCOMPARE(e.software.cell(Field::ProgramName, 1), QStringLiteral("Alpha Tool"));
        QCOMPARE(e.software.cell(Field::ReleaseMonth, 1), QStringLiteral("5"));
    }
};

QTEST_MAIN(TestPadCheckMarks)
#include "test_padcheckmarks.moc"
