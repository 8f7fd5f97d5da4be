#include "catalogue/fieldcatalogue.h"
#include "catalogue/softwarelistdelegate.h"
#include "catalogue/softwarelistmodel.h"
#include "editor/softwareeditor.h"
#include "shell/mainwindow.h"
#include "submit/historyview.h"
#include "submit/historytotalsrow.h"
#include "support/windowharness.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

namespace {

// The site library beside the test holds ten sites.
const QString EmptyTitle =
    QStringLiteral(" Kelvane[] Submitter ...     :  1 products  :  10 sub.sites  :");

QString titleFor(int products)
{
    return QStringLiteral(" Kelvane[] Submitter ...     :  %1 products  :  10 sub.sites  :")
        .arg(products);
}

class WheelRecorder : public QWidget
{
public:
    int wheels = 0;

protected:
    void wheelEvent(QWheelEvent *event) override
    {
        ++wheels;
        event->accept();
    }
};

} // namespace

class TestMainWindow : public QObject, public WindowHarness
{
    Q_OBJECT

private:
    static QTableView *list(TForm1 &form)
    {
        return form.findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
    }

    static int shownViews(const TForm1 &form)
    {
        int n = 0;
        for (QWidget *view : form.contentViews())
            n += view->isVisible() ? 1 : 0;
        return n;
    }

private slots:
    void init() { resetHarness(); }

    void withoutACatalogueFileStartUpShowsAnEmptyListAndCountsItsEmptyRow()
    {
        auto form = startWindow();
        QCOMPARE(form->windowTitle(), EmptyTitle);
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(form->workspace().software().isEmpty());
        QCOMPARE(form->softwareModel()->rowCount(), 1);
        QCOMPARE(form->productChooser()->count(), 0);
        QVERIFY(!form->workspace().recordSelection().hasMatchLists());
        QCOMPARE(form->currentView(), nullptr);
        QVERIFY(!form->findChild<QLabel *>(QStringLiteral("Label_ttl"))->isHidden());
        QCOMPARE(form->workspace().constantValues(),
                 QStringList({"kb", "yes", "no", "1", "0", ""}));
    }

    void aZeroByteCatalogueGivesOneEmptyProductChoice()
    {
        QFile file(path(QStringLiteral("Kelvane_soft.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        auto form = startWindow();
        QCOMPARE(form->windowTitle(), EmptyTitle);
        QVERIFY(m_dialogs.errors().isEmpty());
        QCOMPARE(form->productChooser()->count(), 1);
        QCOMPARE(form->productChooser()->itemText(0), QString());
        // Nothing to build match lists from.
        QVERIFY(!form->workspace().recordSelection().hasMatchLists());
    }

    void aRecordWithoutANameIsShownAsUnnamedAndKept()
    {
        // The first record has no name; once it took the next record's place.
        writeCatalogue({record(QString(), "New Release"), record("Beta")});
        auto form = startWindow();
        QVERIFY(m_dialogs.errors().isEmpty());
        QCOMPARE(form->workspace().software().rowCount(), 3);
        QCOMPARE(form->workspace().software().cell(0, 1), QString());
        QComboBox *chooser = form->productChooser();
        QCOMPARE(chooser->count(), 2);
        QCOMPARE(chooser->itemText(0), QStringLiteral("(unnamed)"));
        QCOMPARE(chooser->itemText(1), QStringLiteral("Beta"));
        QCOMPARE(form->softwareModel()->index(0, 0).data().toString(), QStringLiteral("(unnamed)"));
    }

    void startUpSelectsTheRememberedRecord_data()
    {
        QTest::addColumn<QString>("remembered"); // empty: key absent
        QTest::addColumn<int>("expectedRow");

        QTest::newRow("no remembered row selects the first") << QString() << 1;
        QTest::newRow("a remembered row inside the catalogue") << QStringLiteral("2") << 2;
        QTest::newRow("a row beyond the end falls back to the last record") << QStringLiteral("9") << 3;
    }

    void startUpSelectsTheRememberedRecord()
    {
        QFETCH(QString, remembered);
        QFETCH(int, expectedRow);
        writeCatalogue({record("Alpha", "New Release"), record("Beta", "Minor Update"),
                        record("Gamma", "Major Update")});
        if (!remembered.isEmpty())
            writeOption(QStringLiteral("Software"), remembered);

        auto form = startWindow();
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.errors().join('\n')));
        QCOMPARE(form->windowTitle(), titleFor(3));
        QCOMPARE(form->currentSoftwareRow(), expectedRow);
        QCOMPARE(list(*form)->currentIndex().row(), expectedRow - 1);
        QCOMPARE(form->workspace().settings().software(), expectedRow);

        QComboBox *chooser = form->productChooser();
        QCOMPARE(chooser->count(), 3);
        QCOMPARE(chooser->itemText(1), QStringLiteral("Beta"));
        QCOMPARE(chooser->currentIndex(), expectedRow - 1);

        // The match lists describe the selected record.
        QVERIFY(form->workspace().recordSelection().hasMatchLists());
        QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0),
                 form->workspace().software().cell(10, expectedRow));
    }

    void eachViewButtonShowsExactlyItsView_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("left");

        QTest::newRow("software edit") << "Button_input_soft" << "Panel_1a" << 0;
        QTest::newRow("software list") << "Button_software_list" << "Panel_2" << 0;
        QTest::newRow("submit list") << "Button_submit_list" << "Panel_3" << 0;
        QTest::newRow("options, on the right half") << "Button_opt" << "Panel_opt" << 304;
        QTest::newRow("history") << "SpeedButton1" << "Panel_4" << 0;
    }

    void eachViewButtonShowsExactlyItsView()
    {
        QFETCH(QString, button);
        QFETCH(QString, view);
        QFETCH(int, left);
        auto form = startWindow();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->currentView(), nullptr);
        QCOMPARE(shownViews(*form), 0);

        // Another view first: the switch must hide it.
        click(*form, button == "Button_opt" ? "SpeedButton1" : "Button_opt");
        click(*form, button);
        QVERIFY(form->currentView());
        QCOMPARE(form->currentView()->objectName(), view);
        QCOMPARE(shownViews(*form), 1);
        QCOMPARE(form->currentView()->x(), left);
        QCOMPARE(form->currentView()->y(), TForm1::MenuBarHeight);

        form->hideAllViews();
        QCOMPARE(form->currentView(), nullptr);
        QCOMPARE(shownViews(*form), 0);
    }

    void theSoftwareListScrollsToShowTheCurrentRow_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("topRow");

        QTest::newRow("the first row") << 1 << 1;
        QTest::newRow("row 10 still shows from the top") << 10 << 1;
        QTest::newRow("row 11 shows five rows above it") << 11 << 6;
        QTest::newRow("row 40 shows five rows above it") << 40 << 35;
    }

    void theSoftwareListScrollsToShowTheCurrentRow()
    {
        QFETCH(int, current);
        QFETCH(int, topRow);
        writeCatalogue(numberedRecords(60));
        writeOption(QStringLiteral("Software"), QString::number(current));
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));

        // Scrolled elsewhere first, as a user may have left it.
        list(*form)->scrollToBottom();
        click(*form, "Button_software_list");
        QVERIFY(list(*form)->hasFocus());
        QCOMPARE(list(*form)->rowAt(0), topRow - 1);
        QCOMPARE(form->currentSoftwareRow(), current);
    }

    void aLargeCatalogueScrollsToTheCurrentRow()
    {
        writeCatalogue(numberedRecords(10000));
        writeOption(QStringLiteral("Software"), QStringLiteral("5000"));
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        QCOMPARE(form->windowTitle(), titleFor(10000));
        QCOMPARE(form->productChooser()->count(), 10000);
        QTableView *grid = list(*form);
        click(*form, "Button_software_list");
        QCOMPARE(grid->rowAt(0), 5000 - 5 - 1);

        // The last row cannot be five from the top: the list stops at its end.
        form->hideAllViews();
        form->setCurrentSoftwareRow(10000);
        click(*form, "Button_software_list");
        QCOMPARE(grid->rowAt(0), grid->verticalScrollBar()->maximum());
        QVERIFY(grid->viewport()->rect().contains(
            grid->visualRect(form->softwareModel()->index(9999, 0)).center()));
    }

    void recordsAddedWhileTheListIsHiddenCanBeScrolledTo()
    {
        writeCatalogue(numberedRecords(3));
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        form->softwareModel()->reload([](Table &table) {
            for (int i = 4; i <= 60; ++i)
                table.setCell(0, table.appendRow(), QStringLiteral("Product %1").arg(i));
        });
        form->setCurrentSoftwareRow(40);
        click(*form, "Button_software_list");
        QCOMPARE(list(*form)->rowAt(0), 40 - 5 - 1);
    }

    void searchNetForItemIsNotAvailableYet()
    {
        auto form = startWindow();
        click(*form, "Button_search_soft");
        QCOMPARE(m_dialogs.messages(), QStringList{"Not available on this version yet..."});
    }

    void thePadButtonsExportTheSelectedRecordAndImportIntoTheEditor()
    {
        writeCatalogue({record("Alpha"), record("Beta")});
        writeOption(QStringLiteral("Software"), 2);
        auto form = startWindow();
        const QString file = path("beta.xml");
        m_dialogs.fileNames = {file, file};
        click(*form, "Button_export_pad");
        QVERIFY(fileBytes(file).contains("<Program_Name>Beta</Program_Name>"));
        click(*form, "Button_import_pad");
        QCOMPARE(m_dialogs.fileDialogs.size(), 2);
        QCOMPARE(m_dialogs.fileDialogs.at(0).title, QStringLiteral("Export to PAD file"));
        QCOMPARE(m_dialogs.fileDialogs.at(1).title, QStringLiteral("Import a PAD file"));
        QCOMPARE(form->editor()->values().fields[Field::ProgramName], QStringLiteral("Beta"));
        QCOMPARE(form->currentView()->objectName(), QStringLiteral("Panel_1a"));
    }

    void aUserClickOnARowSelectsThatRecord()
    {
        writeCatalogue({record("Alpha", "New Release"), record("Beta", "Minor Update"),
                        record("Gamma", "Major Update")});
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        click(*form, "Button_software_list");
        QTableView *grid = list(*form);
        const QRect cell = grid->visualRect(form->softwareModel()->index(2, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(form->currentSoftwareRow(), 3);
        QCOMPARE(form->workspace().settings().software(), 3);
        QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0), QStringLiteral("Major Update"));
    }

    void theWheelMovesTheFocusedListOneRowPerNotch_data()
    {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("expectedRow");

        QTest::newRow("a notch toward the user moves down") << QList<int>{-120} << 6;
        QTest::newRow("a notch away from the user moves up") << QList<int>{120} << 4;
        QTest::newRow("two notches in one turn move two rows") << QList<int>{-240} << 7;
        QTest::newRow("three separate notches move three rows") << QList<int>{-120, -120, -120} << 8;
        QTest::newRow("half notches add up to one row") << QList<int>{60, 60} << 4;
        QTest::newRow("a half notch alone moves nothing") << QList<int>{-60} << 5;
        QTest::newRow("turning back drops the half notch") << QList<int>{60, -60, -60} << 6;
    }

    void theWheelMovesTheFocusedListOneRowPerNotch()
    {
        QFETCH(QList<int>, deltas);
        QFETCH(int, expectedRow);
        writeCatalogue(numberedRecords(10));
        writeOption(QStringLiteral("Software"), QStringLiteral("5"));
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        click(*form, "Button_software_list");
        QTableView *grid = list(*form);
        QVERIFY(grid->hasFocus());

        const QPointF at = grid->viewport()->rect().center();
        for (int delta : deltas) {
            QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid->viewport(), &wheel);
        }
        QCOMPARE(form->currentSoftwareRow(), expectedRow);
        // The moved row is the selected record.
        QCOMPARE(form->workspace().settings().software(), expectedRow);
    }

    void theWheelLeavesOtherWidgetsAndUnfocusedListsAlone()
    {
        writeCatalogue(numberedRecords(60));
        writeOption(QStringLiteral("Software"), QStringLiteral("5"));
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        click(*form, "Button_software_list");
        QTableView *grid = list(*form);
        form->findChild<QPushButton *>("Button_search_soft")->setFocus();
        QVERIFY(!grid->hasFocus());

        const QPointF at = grid->viewport()->rect().center();
        QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &wheel);
        QCOMPARE(form->currentSoftwareRow(), 5);
        QVERIFY(grid->rowAt(0) > 0); // scrolled as a wheel does

        WheelRecorder other;
        other.resize(50, 50);
        QWheelEvent plain(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&other, &plain);
        QCOMPARE(other.wheels, 1);
    }

    void theListsHeaderShowsTheFieldCaptions_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("header");

        QTest::newRow("field 0 with its group word") << 0 << "Release Name : 0";
        QTest::newRow("field 29 of the company group") << 29 << "Company City : 29";
        QTest::newRow("field 89 has no group word") << 89 << " Main ID used : 89";
        QTest::newRow("field 95 is a numbered column") << 95 << " [col 95]";
        QTest::newRow("field 100 is a numbered column") << 100 << " [col 100]";
    }

    void theListsHeaderShowsTheFieldCaptions()
    {
        QFETCH(int, column);
        QFETCH(QString, header);
        writeCatalogue({record("Alpha")});
        auto form = startWindow();
        QCOMPARE(form->softwareModel()->headerData(column, Qt::Horizontal).toString(), header);
        // The header row is not a record row.
        QCOMPARE(form->softwareModel()->rowCount(), 1);
        QCOMPARE(form->softwareModel()->index(0, 0).data().toString(), QStringLiteral("Alpha"));
    }

    void theCheckBoxShowsTheSubmissionMark_data()
    {
        QTest::addColumn<bool>("emptyCatalogue");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QVariant>("checkState");

        QTest::newRow("a marked record is ticked") << false << "x" << QVariant(int(Qt::Checked));
        QTest::newRow("an unmarked record is unticked") << false << "" << QVariant(int(Qt::Unchecked));
        QTest::newRow("an empty catalogue has no box") << true << "" << QVariant();
    }

    void theCheckBoxShowsTheSubmissionMark()
    {
        QFETCH(bool, emptyCatalogue);
        QFETCH(QString, mark);
        QFETCH(QVariant, checkState);
        if (!emptyCatalogue)
            writeCatalogue({record("Alpha"), record("Beta")});
        auto form = startWindow();
        const int row = emptyCatalogue ? 1 : 2;
        form->workspace().software().setCell(FieldCatalogue::MarkField, row, mark);
        form->softwareModel()->recordChanged(row);
        const QModelIndex first = form->softwareModel()->index(row - 1, 0);
        QCOMPARE(first.data(Qt::CheckStateRole).isValid(), checkState.isValid());
        if (checkState.isValid())
            QCOMPARE(first.data(Qt::CheckStateRole).toInt(), checkState.toInt());
        // Only column 0 carries the box.
        QVERIFY(!first.siblingAtColumn(1).data(Qt::CheckStateRole).isValid());
    }

    void theListDrawsTheSelectionGreyAndTheMarksAsBoxes()
    {
        writeCatalogue({record("Alpha"), record("Beta"), record("Gamma")});
        writeOption(QStringLiteral("Software"), QStringLiteral("3"));
        auto form = startWindow();
        form->workspace().software().setCell(FieldCatalogue::MarkField, 1, QStringLiteral("x"));
        QVERIFY(showOnScreen(*form));
        click(*form, "Button_software_list");
        QTableView *grid = list(*form);
        const QImage image = grid->viewport()->grab().toImage();
        const qreal dpr = image.devicePixelRatio();
        auto pixel = [&](const QPoint &p) { return image.pixelColor((QPointF(p) * dpr).toPoint()); };
        auto cellRect = [&](int viewRow, int column) {
            return grid->visualRect(form->softwareModel()->index(viewRow, column));
        };

        // Past the text of the selected row, and of an unselected one.
        const QRect selected = cellRect(2, 1);
        const QRect unselected = cellRect(1, 1);
        QCOMPARE(pixel(QPoint(selected.right() - 3, selected.center().y())), QColor(230, 230, 230));
        QVERIFY(pixel(QPoint(unselected.right() - 3, unselected.center().y())) != QColor(230, 230, 230));

        auto region = [&](int viewRow) {
            const QRect box = SoftwareListDelegate::checkBoxRect(cellRect(viewRow, 0));
            return image.copy(QRectF(QRectF(box).topLeft() * dpr, QRectF(box).size() * dpr).toRect());
        };
        auto uniform = [](const QImage &img) {
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (img.pixel(x, y) != img.pixel(0, 0))
                        return false;
            return true;
        };
        const QImage ticked = region(0);
        const QImage unticked = region(1);
        QVERIFY(!uniform(unticked)); // a box is drawn
        QVERIFY(ticked != unticked);
    }

    void anEmptyListDrawsNoCheckBox()
    {
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        click(*form, "Button_software_list");
        form->hideAllViews();
        click(*form, "Button_software_list");
        QTableView *grid = list(*form);
        // Away from the selection colour: the empty row must not be current.
        grid->clearSelection();
        const QImage image = grid->viewport()->grab().toImage();
        const QRect box = SoftwareListDelegate::checkBoxRect(
            grid->visualRect(form->softwareModel()->index(0, 0)));
        const qreal dpr = image.devicePixelRatio();
        const QImage region =
            image.copy(QRectF(QRectF(box).topLeft() * dpr, QRectF(box).size() * dpr).toRect());
        for (int y = 0; y < region.height(); ++y)
            for (int x = 0; x < region.width(); ++x)
                QCOMPARE(region.pixel(x, y), region.pixel(0, 0));
    }

    void onlyTheTenListColumnsAreShown()
    {
        writeCatalogue({record("Alpha")});
        auto form = startWindow();
        QTableView *grid = list(*form);
        const QList<int> shown{0, 1, 2, 10, 15, 26, 36, 47, 54, 64};
        for (int c = 0; c < FieldCatalogue::FieldCount; ++c) {
            QCOMPARE(grid->isColumnHidden(c), !shown.contains(c));
            if (!shown.contains(c))
                QCOMPARE(grid->columnWidth(c), 0);
            else
                QVERIFY(grid->columnWidth(c) > 0);
        }
    }

    void columnsWidenToTheirWidestTextButNeverNarrow_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("widest"); // empty: the header is the widest text
        QTest::addColumn<int>("minimum");

        const QString longText = QStringLiteral("A very long text that is far wider than any header");
        QTest::newRow("column 0 keeps its 146 pixels for short names") << 0 << "Alpha" << "-" << 146;
        QTest::newRow("a long name widens column 0") << 0 << longText << longText << 0;
        QTest::newRow("a long cell widens its column") << 26 << longText << longText << 0;
        QTest::newRow("the header widens a column of short cells") << 54 << "x" << "" << 0;
    }

    void columnsWidenToTheirWidestTextButNeverNarrow()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, widest);
        QFETCH(int, minimum);
        QStringList first = record("Alpha");
        first[column] = text;
        writeCatalogue({first, record("Beta")});
        auto form = startWindow();
        QTableView *grid = list(*form);

        int expected = minimum;
        if (widest.isEmpty())
            expected = grid->horizontalHeader()->fontMetrics().horizontalAdvance(
                           FieldCatalogue::headerText(column)) + 15;
        else if (widest != "-")
            expected = grid->fontMetrics().horizontalAdvance(widest) + 15;
        QCOMPARE(grid->columnWidth(column), expected);

        // A later store with shorter texts leaves the width alone ...
        form->workspace().software().setCell(column, 1, QStringLiteral("x"));
        form->layoutSoftwareColumns();
        QCOMPARE(grid->columnWidth(column), expected);
        // ... and a longer one widens it again.
        const QString longer = QString(QStringLiteral("W")).repeated(80);
        form->workspace().software().setCell(column, 2, longer);
        form->layoutSoftwareColumns();
        QCOMPARE(grid->columnWidth(column), grid->fontMetrics().horizontalAdvance(longer) + 15);
        QVERIFY(grid->isColumnHidden(3));
    }

    void resizingKeepsTheViewsFilledAndTheButtonsAtTheBottom_data()
    {
        QTest::addColumn<int>("height");
        QTest::newRow("the smallest window") << 329;
        QTest::newRow("a taller window") << 450;
    }

    void resizingKeepsTheViewsFilledAndTheButtonsAtTheBottom()
    {
        QFETCH(int, height);
        auto form = startWindow();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->resize(646, height);
        QTRY_COMPARE(form->height(), height);
        const int viewHeight = height - 28;
        for (QWidget *view : form->contentViews())
            QCOMPARE(view->height(), viewHeight);
        QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Label_ttl"))->y(), height - 53);
        QCOMPARE(list(*form)->height(), viewHeight - 39);
        QCOMPARE(form->findChild<QPushButton *>(QStringLiteral("Button_search_soft"))
                     ->parentWidget()->y(),
                 viewHeight - 27);
    }

    void withoutASiteLibraryStartUpStopsAndTheCloseWritesNothing()
    {
        QTemporaryDir emptyProgramFolder;
        auto form = startWindow(emptyProgramFolder.path());
        QVERIFY(form->startUpFailed());
        QCOMPARE(m_dialogs.errors(),
                 QStringList{"Unable to find 'KelvaneSubmit'  DLL. Giving up on application !"});
        QCOMPARE(form->windowTitle(), QString::fromLatin1(TForm1::InitialTitle));
        QVERIFY(form->close());
        QVERIFY(writtenOption(QStringLiteral("WebWindow")).isEmpty());
    }

    void theHistoryViewShowsTheReconciledHistory()
    {
        writeCatalogue({record("Alpha"), record("Beta")});
        auto form = startWindow();
        auto *grid = form->findChild<QTableView *>(QStringLiteral("StringGrid_history"));
        QVERIFY(grid);
        QCOMPARE(grid->columnWidth(0), 174);
        // A product cell holds a short date and its "  ok" whole.
        QVERIFY(grid->columnWidth(2) >= 90);
        QVERIFY(grid->columnWidth(2) > grid->fontMetrics().horizontalAdvance(QStringLiteral("12/28/2026  ok")));
        QCOMPARE(grid->model()->rowCount(), 10);
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Alpha"));

        // A wider window gives the lists the room, and its size is kept for the next start.
        QVERIFY(showOnScreen(*form));
        click(*form, "SpeedButton1");
        const int before = grid->width();
        QCOMPARE(before, 640);
        form->resize(form->width() + 300, form->height());
        QCOMPARE(grid->width(), before + 300);
        QVERIFY(form->close());
        QCOMPARE(writtenOption(QStringLiteral("MainWindow")), QStringLiteral("946.%1.0.0").arg(form->height()));
        form.reset();
        const int screenWidth = QGuiApplication::primaryScreen()->availableSize().width();
        form = startWindow();
        QCOMPARE(form->width(), std::min(946, screenWidth));
        // A size kept on a larger screen than this one is fitted to this one.
        form->resize(screenWidth + 900, form->height());
        QVERIFY(form->close());
        form.reset();
        QCOMPARE(startWindow()->width(), screenWidth);
    }

    void theSoftwareListShowsEachProductsStandingOverTheHistory()
    {
        writeCatalogue({record("Alpha"), record("Beta")});
        auto form = startWindow();
        SoftwareListModel *model = form->softwareModel();
        const int column = model->extraColumn();
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), QStringLiteral("Standing"));
        QCOMPARE(model->index(1, column).data().toString(), QStringLiteral("0 ok · 0 failed · 10 not yet"));
        // An outcome in the history reaches the list.
        form->workspace().history().setCell(2, 3, QStringLiteral("   fail"));
        form->workspace().history().setCell(2, 4, QStringLiteral("12/10/2026  ok"));
        form->historyView()->cellsChanged();
        QCOMPARE(model->index(1, column).data().toString(), QStringLiteral("1 ok · 1 failed · 8 not yet"));
        QCOMPARE(model->index(1, column).data(SoftwareListModel::BarRole).value<QList<int>>(),
                 (QList<int>{1, 1, 8}));
    }

    void theHistoryShowsTotalsAndSavesOneProductsReport()
    {
        writeCatalogue({record("Alpha"), record("Beta")});
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        click(*form, "SpeedButton1");
        Table &history = form->workspace().history();
        history.setCell(2, 3, QStringLiteral("   fail"));
        history.setCell(2, 4, QStringLiteral("12/10/2026  ok"));
        form->historyView()->cellsChanged();
        HistoryTotalsRow *totals = form->historyView()->totalsRow();
        QCOMPARE(totals->cellText(0), QStringLiteral("Totals"));
        QCOMPARE(totals->cellText(1), QStringLiteral("0 ok, 0 fail"));
        QCOMPARE(totals->cellText(2), QStringLiteral("1 ok, 1 fail"));
        // The line stays in view under the grid, the edit row below it.
        QTableView *grid = form->historyView()->table();
        QVERIFY(totals->isVisible());
        QVERIFY(totals->height() > 10);
        QCOMPARE(totals->y(), grid->geometry().bottom() + 1);
        QVERIFY(totals->geometry().bottom() < form->historyView()->editBox()->parentWidget()->y());

        const QString target = m_dir->filePath(QStringLiteral("beta.csv"));
        m_dialogs.fileNames = {target};
        emit form->historyView()->reportRequested(2, false);
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = saved.readAll().split('\n');
        QCOMPARE(lines.value(0), QByteArray("Site,Outcome,Date,Home page\r"));
        QVERIFY2(lines.value(1).contains(",ok,12/10/2026,"), lines.value(1).constData());
        QVERIFY2(lines.value(2).contains(",failed,,"), lines.value(2).constData());
        QCOMPARE(m_dialogs.fileDialogs.last().initialName, QStringLiteral("Beta report.csv"));
    }

    void aPressOnARecordsCheckBoxTogglesItsSubmissionMark_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("mark");
        QTest::newRow("on the box") << 4 << "x";
        QTest::newRow("beside the box") << 40 << "";
    }

    void aPressOnARecordsCheckBoxTogglesItsSubmissionMark()
    {
        QFETCH(int, x);
        QFETCH(QString, mark);
        writeCatalogue({record("Alpha"), record("Beta")});
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        click(*form, "Button_software_list");
        QTableView *grid = list(*form);
        const QRect cell = grid->visualRect(form->softwareModel()->index(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(x, cell.center().y()));
        QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, 2), mark);
        QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, 1), QString());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(x, cell.center().y()));
        QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, 2), QString());
    }

    void theTitleBarCommandsSitInTheMenuBar()
    {
        auto form = startWindow();
        auto *button = form->findChild<QToolButton *>(QStringLiteral("Button_system_menu"));
        QVERIFY(button && button->menu());
        const QList<QAction *> actions = button->menu()->actions();
        QCOMPARE(actions.size(), 5);
        QVERIFY(actions.at(0)->isSeparator());
        const QList<QPair<QString, int>> expected{{"&Help Contents ...", 1027},
                                                  {"&Software's Home Page", 1026},
                                                  {"&Feedback Form ...", 1028},
                                                  {"&About...", 1025}};
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(actions.at(i + 1)->text(), expected.at(i).first);
            QCOMPARE(actions.at(i + 1)->data().toInt(), expected.at(i).second);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
