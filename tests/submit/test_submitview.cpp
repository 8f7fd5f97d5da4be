// The submit view on the real main window: the ten sites of the site library
// built beside the tests, the marking commands, the buttons' enabling, the
// pop-up menu, the product chooser and the history's colours.

#include "catalogue/fieldcatalogue.h"
#include "catalogue/recordselection.h"
#include "catalogue/softwarelistmodel.h"
#include "platform/tablefile.h"
#include "shell/mainwindow.h"
#include "submit/history/history.h"
#include "submit/historyview.h"
#include "submit/sitelistmodel.h"
#include "submit/submitview.h"
#include "support/windowharness.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The sites in their sorted order, as table rows 1 to 10.
const QStringList SortedSites{"1000files",     "AmazingFiles", "BestSoftware",       "DownloadChoice",
                              "Downloadplaza", "FileHungry",   "FilesWeb",           "FreeTrialDownloads",
                              "FreewareHome",  "SharewareLinks"};

int siteRow(const QString &name)
{
    return int(SortedSites.indexOf(name)) + 1;
}

} // namespace

class TestSubmitView : public QObject, public WindowHarness
{
    Q_OBJECT

private:
    std::unique_ptr<TForm1> start() { return startWindow(); }

    // Started, shown and on the submit view.
    std::unique_ptr<TForm1> startOnSubmitView()
    {
        auto form = start();
        if (!showOnScreen(*form))
            qWarning("window not active");
        click(*form, "Button_submit_list");
        return form;
    }

    static QAction *action(TForm1 &form, const char *name)
    {
        return form.findChild<QAction *>(QString::fromLatin1(name));
    }

    static QTableView *grid(TForm1 &form) { return form.submitView()->table(); }

    static QPoint at(TForm1 &form, int row, int column, int x = -1)
    {
        const QRect cell =
            grid(form)->visualRect(form.submitView()->model()->index(row - 1, column));
        return QPoint(x < 0 ? cell.center().x() : x, cell.center().y());
    }

    static QList<int> markedRows(TForm1 &form)
    {
        QList<int> rows;
        for (int r = 1; r < form.workspace().sites().rowCount(); ++r) {
            if (!form.workspace().sites().cell(form.workspace().submitList().markColumn(), r).isEmpty())
                rows.append(r);
        }
        return rows;
    }

    static QColor pixel(const QImage &image, const QPoint &p)
    {
        return image.pixelColor((QPointF(p) * image.devicePixelRatio()).toPoint());
    }

    // A point of the cell clear of its text: near its right edge.
    static QPoint clearOfText(TForm1 &form, int row, int column)
    {
        const QRect cell =
            grid(form)->visualRect(form.submitView()->model()->index(row - 1, column));
        return QPoint(cell.right() - 3, cell.center().y());
    }

private slots:
    void init() { resetHarness(); }

    void theTenSitesShowSortedByNameInFourColumns()
    {
        auto form = startOnSubmitView();
        QVERIFY(!form->startUpFailed());
        QTableView *list = grid(*form);
        QAbstractItemModel *model = list->model();
        QCOMPARE(model->rowCount(), 10);
        QCOMPARE(model->columnCount(), 20);
        for (int r = 0; r < SortedSites.size(); ++r)
            QCOMPARE(model->index(r, 0).data().toString(), SortedSites.at(r));
        QCOMPARE(model->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

        const QStringList headings{"Web site", "URL", "Notes", "auto"};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), headings.at(c));
        for (int c = 4; c < 20; ++c)
            QCOMPARE(list->columnWidth(c), 0);

        // All ten rows fit: W is the client width less 1, no scroll bar taken off.
        const int w = list->width() - 2 * list->frameWidth() - 1;
        QCOMPARE(list->columnWidth(0), w / 3 - 11);
        QCOMPARE(list->columnWidth(1), w / 3 + 10);
        QCOMPARE(list->columnWidth(2), w / 3 - 30);
        QCOMPARE(list->columnWidth(3), 27);
        QVERIFY(list->horizontalHeader()->length() <= list->viewport()->width());
        QVERIFY(list->hasFocus());
    }

    void theMarkingCommandsSetTheSiteMarks_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<int>("submits");

        QTest::newRow("a press on the box marks its row") << QStringList{"box 3"} << QList<int>{3} << 0;
        QTest::newRow("a second press unmarks it") << QStringList{"box 3", "box 3"} << QList<int>{} << 0;
        QTest::newRow("a press beside the box marks nothing")
            << QStringList{"beside 3"} << QList<int>{} << 0;
        QTest::newRow("select sites marks the selected block and keeps other marks")
            << QStringList{"box 9", "row 2", "shift 4", "menu Pop_u_select"} << QList<int>{2, 3, 4, 9}
            << 0;
        QTest::newRow("a double click leaves only that site marked and submits")
            << QStringList{"box 2", "box 5", "double 7"} << QList<int>{7} << 1;
        QTest::newRow("submit from the menu leaves only the current site marked")
            << QStringList{"box 2", "row 6", "menu Pop_u_submit"} << QList<int>{6} << 1;
        QTest::newRow("Enter submits the marks as they are")
            << QStringList{"box 2", "box 4", "enter"} << QList<int>{2, 4} << 1;
        QTest::newRow("select all submit sites marks every site")
            << QStringList{"menu Pop_s_submitsites"} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << 0;
        QTest::newRow("turning it off clears every mark, hand-made ones too")
            << QStringList{"box 2", "menu Pop_s_submitsites", "menu Pop_s_submitsites"} << QList<int>{}
            << 0;
    }

    void theMarkingCommandsSetTheSiteMarks()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, marked);
        QFETCH(int, submits);
        auto form = startOnSubmitView();
        QSignalSpy submitted(form->submitView(), &SubmitView::submitRequested);
        QTableView *list = grid(*form);
        for (const QString &step : std::as_const(steps)) {
            const QString verb = step.section(' ', 0, 0);
            const QString arg = step.section(' ', 1);
            const int row = arg.toInt();
            if (verb == "box")
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, row, 0, 4));
            else if (verb == "beside")
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, row, 0, 30));
            else if (verb == "row")
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, row, 1));
            else if (verb == "shift")
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                                  at(*form, row, 1));
            else if (verb == "double") {
                // As the desktop sends it: a click, then the double click.
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, row, 1));
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at(*form, row, 1));
            }
            else if (verb == "enter")
                QTest::keyClick(list, Qt::Key_Return);
            else if (verb == "menu")
                action(*form, qPrintable(arg))->trigger();
            else
                QFAIL(qPrintable(step));
        }
        QCOMPARE(markedRows(*form), marked);
        QCOMPARE(submitted.size(), submits);
        for (int r = 1; r <= 10; ++r)
            QCOMPARE(list->model()->index(r - 1, 0).data(Qt::CheckStateRole).toInt(),
                     int(marked.contains(r) ? Qt::Checked : Qt::Unchecked));
    }

    void aClickWhileAllSitesAreSelectedReturnsToTheRememberedSite()
    {
        auto form = startOnSubmitView();
        QTableView *list = grid(*form);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, siteRow("FilesWeb"), 1));
        action(*form, "Pop_s_submitsites")->trigger();
        QCOMPARE(form->submitView()->selectedRowCount(), 10);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, 3, 1));
        QVERIFY(!action(*form, "Pop_s_submitsites")->isChecked());
        QCOMPARE(markedRows(*form), QList<int>{});
        QCOMPARE(form->submitView()->currentRow(), siteRow("FilesWeb"));
        QCOMPARE(form->workspace().settings().submitTo(QString()), QStringLiteral("FilesWeb"));
        // Once the press is over, the selection sits on the current row alone.
        QTRY_COMPARE(form->submitView()->selectionRange(),
                     qMakePair(siteRow("FilesWeb"), siteRow("FilesWeb")));
    }

    void aRowClickRemembersTheSiteAndMovesTheHistoryRow()
    {
        auto form = startOnSubmitView();
        QTest::mouseClick(grid(*form)->viewport(), Qt::LeftButton, {},
                          at(*form, siteRow("FreewareHome"), 2));
        QCOMPARE(form->workspace().settings().submitTo(QString()), QStringLiteral("FreewareHome"));
        QCOMPARE(form->historyView()->currentRow(), siteRow("FreewareHome"));
        QCOMPARE(form->workspace().history().cell(0, form->historyView()->currentRow()),
                 QStringLiteral("FreewareHome"));
        // The keyboard moves the current row the same way.
        QTest::keyClick(grid(*form), Qt::Key_Down);
        QCOMPARE(form->workspace().settings().submitTo(QString()), QStringLiteral("SharewareLinks"));
        QCOMPARE(form->historyView()->currentRow(), siteRow("SharewareLinks"));
    }

    void theButtonsFollowTheClickedSiteRecord_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("autoCell");
        QTest::addColumn<QString>("userPass");
        QTest::addColumn<bool>("registerEnabled");
        QTest::addColumn<bool>("autoSubmitEnabled");

        QTest::newRow("an account wanted and none stored") << "Must register first" << "yes" << ""
                                                           << true << true;
        QTest::newRow("a lone tab counts as a stored pair") << "Must register first" << "yes"
                                                            << "\t" << false << true;
        QTest::newRow("a stored pair") << "Must register first" << "yes" << "me\tpw" << false << true;
        QTest::newRow("the notes in another case") << "must register first" << "yes" << "" << false
                                                   << true;
        QTest::newRow("auto exactly no") << "" << "no" << "" << false << false;
        QTest::newRow("auto No counts as automatic") << "" << "No" << "" << false << true;
    }

    void theButtonsFollowTheClickedSiteRecord()
    {
        QFETCH(QString, notes);
        QFETCH(QString, autoCell);
        QFETCH(QString, userPass);
        QFETCH(bool, registerEnabled);
        QFETCH(bool, autoSubmitEnabled);
        auto form = startOnSubmitView();
        Table &sites = form->workspace().sites();
        sites.setCell(SiteRecord::Notes, 5, notes);
        sites.setCell(SiteRecord::Auto, 5, autoCell);
        sites.setCell(SiteRecord::UserPass, 5, userPass);
        auto *registerButton = form->findChild<QPushButton *>(QStringLiteral("Button_site_register"));
        auto *autoSubmit = form->findChild<QCheckBox *>(QStringLiteral("CheckBox_autosubmit"));

        QTest::mouseClick(grid(*form)->viewport(), Qt::LeftButton, {}, at(*form, 5, 1));
        QCOMPARE(registerButton->isEnabled(), registerEnabled);
        QCOMPARE(autoSubmit->isEnabled(), autoSubmitEnabled);
        // Another site puts them back by its own record.
        QTest::mouseClick(grid(*form)->viewport(), Qt::LeftButton, {}, at(*form, 2, 1));
        QVERIFY(!registerButton->isEnabled());
        QVERIFY(autoSubmit->isEnabled());
    }

    void registeringWantsExactlyOneSelectedSite()
    {
        auto form = startOnSubmitView();
        for (int r = 3; r <= 5; ++r)
            form->workspace().sites().setCell(SiteRecord::Notes, r, SubmitList::mustRegisterFirst());
        QSignalSpy registering(form->submitView(), &SubmitView::registerRequested);
        QTableView *list = grid(*form);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, 3, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(*form, 5, 1));
        QCOMPARE(form->submitView()->selectionRange(), qMakePair(3, 5));

        click(*form, "Button_site_register");
        QCOMPARE(m_dialogs.errors(),
                 QStringList{"Please select only one site to register to at a time!"});
        QCOMPARE(registering.size(), 0);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, 4, 1));
        click(*form, "Button_site_register");
        QCOMPARE(m_dialogs.errors().size(), 1);
        QCOMPARE(registering.size(), 1);
        QCOMPARE(registering.first().first().toInt(), 4);
    }

    void thePopupMenuOffersEditPasswordForOneSiteOnly_data()
    {
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("one site selected") << 2 << true;
        QTest::newRow("three sites selected") << 4 << false;
    }

    void thePopupMenuOffersEditPasswordForOneSiteOnly()
    {
        QFETCH(int, lastRow);
        QFETCH(bool, enabled);
        auto form = startOnSubmitView();
        QTableView *list = grid(*form);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(*form, 2, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(*form, lastRow, 1));

        const QPoint p = at(*form, 2, 1);
        QContextMenuEvent event(QContextMenuEvent::Mouse, p, list->viewport()->mapToGlobal(p));
        QApplication::sendEvent(list->viewport(), &event);
        QMenu *menu = form->submitView()->popupMenu();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(action(*form, "Pop_u_sitepassword")->isEnabled(), enabled);
        // The site editor works on one site; no library site can be deleted.
        QCOMPARE(action(*form, "Pop_u_editsite")->isEnabled(), enabled);
        QVERIFY(!action(*form, "Pop_u_deletesite")->isEnabled());
        QStringList captions;
        for (QAction *a : menu->actions())
            captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{"&submit ...", "edit site's &password", "selec&t site(s)",
                                        "&check marked sites...", "-", "open site in &browser", "-",
                                        "new site...", "edit site...", "delete site", "-",
                                        "export sites...", "import sites..."}));
        menu->close();
    }

    void openSiteInBrowserHandsTheHomePageOver()
    {
        auto form = startOnSubmitView();
        QTest::mouseClick(grid(*form)->viewport(), Qt::LeftButton, {},
                          at(*form, siteRow("FilesWeb"), 1));
        action(*form, "Pop_u_openinbrowser")->trigger();
        QTest::mouseClick(grid(*form)->viewport(), Qt::LeftButton, {}, at(*form, 1, 1));
        action(*form, "Pop_u_openinbrowser")->trigger();
        QCOMPARE(m_addresses.opened,
                 (QStringList{"http://www.filesweb.example/", "http://www.1000files.example/"}));
        // Nothing else happens: no box, no mark.
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(markedRows(*form), QList<int>{});
    }

    void selectAllOpensItsMenuJustBelowTheButton()
    {
        auto form = startOnSubmitView();
        auto *button = form->findChild<QPushButton *>(QStringLiteral("Button_select_all"));
        button->click();
        auto *menu = form->findChild<QMenu *>(QStringLiteral("PopupMenu_s"));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), button->mapToGlobal(QPoint(0, button->height())));
        QCOMPARE(menu->actions().size(), 2);
        QVERIFY(action(*form, "Pop_s_softwareitems")->isCheckable());
        QVERIFY(action(*form, "Pop_s_submitsites")->isCheckable());
        menu->close();
    }

    void theRememberedSiteIsSelectedIgnoringCase_data()
    {
        QTest::addColumn<QString>("remembered"); // empty: key absent
        QTest::addColumn<QString>("current");

        QTest::newRow("the name in another case") << "freewarehome" << "FreewareHome";
        QTest::newRow("the exact name") << "FilesWeb" << "FilesWeb";
        QTest::newRow("a site no longer in the list") << "GoneSite" << "1000files";
        QTest::newRow("only the start of a name") << "Files" << "1000files";
        QTest::newRow("no remembered site") << "" << "1000files";
    }

    void theRememberedSiteIsSelectedIgnoringCase()
    {
        QFETCH(QString, remembered);
        QFETCH(QString, current);
        if (!remembered.isEmpty())
            writeOption(QStringLiteral("SubmitTo"), remembered);
        auto form = start();
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(form->submitView()->currentRow(), siteRow(current));
        QCOMPARE(form->submitView()->selectionRange(), qMakePair(siteRow(current), siteRow(current)));
        QCOMPARE(form->historyView()->currentRow(), siteRow(current));
    }

    void theProductChooserMakesItsProductTheSelectedAndOnlyMarkedRecord_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("release");
        QTest::newRow("the next product") << int(Qt::Key_Down) << 2 << "Minor Update";
        QTest::newRow("the last product") << int(Qt::Key_End) << 3 << "Major Update";
    }

    void theProductChooserMakesItsProductTheSelectedAndOnlyMarkedRecord()
    {
        QFETCH(int, key);
        QFETCH(int, row);
        QFETCH(QString, release);
        writeCatalogue({record("Alpha", "New Release"), record("Beta", "Minor Update"),
                        record("Gamma", "Major Update")});
        auto form = startOnSubmitView();
        Table &software = form->workspace().software();
        software.setCell(FieldCatalogue::MarkField, 1, QStringLiteral("x"));
        software.setCell(FieldCatalogue::MarkField, 3, QStringLiteral("x"));
        QSignalSpy chosen(form->submitView(), &SubmitView::productChosen);

        QComboBox *chooser = form->productChooser();
        chooser->setFocus();
        QTest::keyClick(chooser, Qt::Key(key));
        QCOMPARE(chooser->currentIndex(), row - 1);
        QCOMPARE(form->currentSoftwareRow(), row);
        QCOMPARE(form->workspace().settings().software(), row);
        QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0), release);
        for (int r = 0; r <= 3; ++r)
            QCOMPARE(software.cell(FieldCatalogue::MarkField, r),
                     r == row ? QStringLiteral("x") : QString());
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().toInt(), row - 1);
        QVERIFY(grid(*form)->hasFocus());
        QCOMPARE(form->submitView()->model()->chosenProduct(), row - 1);
    }

    void sitesThatAcceptedTheChosenProductAreDrawnPaleYellow()
    {
        writeCatalogue({record("Alpha"), record("Beta")});
        writeOption(QStringLiteral("Software"), QStringLiteral("2"));
        writeHistory({{"FilesWeb", "", "12/6/2026  ok"},
                      {"FileHungry", "", "   fail"},
                      {"Downloadplaza", "1/2/2025  ok", ""},
                      {"SharewareLinks", "", "typed by hand"}});
        auto form = startOnSubmitView();
        QCOMPARE(form->productChooser()->currentIndex(), 1);
        const QColor pale(255, 255, 210);
        auto colourOf = [&](const QString &site) {
            const QImage image = grid(*form)->viewport()->grab().toImage();
            return pixel(image, clearOfText(*form, siteRow(site), 2));
        };
        // The current row is 1000files, away from the sites looked at.
        QCOMPARE(colourOf("FilesWeb"), pale);
        QCOMPARE(colourOf("SharewareLinks"), pale);
        QVERIFY(colourOf("FileHungry") != pale);
        QVERIFY(colourOf("Downloadplaza") != pale);
        QVERIFY(colourOf("BestSoftware") != pale);

        // Another product: the colours follow it.
        form->productChooser()->setFocus();
        QTest::keyClick(form->productChooser(), Qt::Key_Up);
        QCOMPARE(colourOf("Downloadplaza"), pale);
        QVERIFY(colourOf("FilesWeb") != pale);

        // The selection is drawn over the history's colour.
        QTest::mouseClick(grid(*form)->viewport(), Qt::LeftButton, {},
                          at(*form, siteRow("Downloadplaza"), 1));
        QCOMPARE(colourOf("Downloadplaza"), QColor(230, 230, 230));
    }

    void selectAllSoftProductsMarksEveryRecordUntilAClickEndsIt()
    {
        writeCatalogue({record("Alpha", "New Release"), record("Beta", "Minor Update"),
                        record("Gamma", "Major Update")});
        writeOption(QStringLiteral("Software"), QStringLiteral("2"));
        auto form = startOnSubmitView();
        QAction *allProducts = action(*form, "Pop_s_softwareitems");
        allProducts->trigger();
        QVERIFY(allProducts->isChecked());
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, r), QStringLiteral("x"));
        auto *software = form->findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
        QCOMPARE(software->selectionModel()->selectedRows().size(), 3);
        QCOMPARE(form->currentSoftwareRow(), 2);

        // A click on another record only ends the mode.
        click(*form, "Button_software_list");
        const QRect cell = software->visualRect(form->softwareModel()->index(2, 1));
        QTest::mouseClick(software->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(!allProducts->isChecked());
        QCOMPARE(form->currentSoftwareRow(), 2);
        QCOMPARE(form->productChooser()->currentIndex(), 1);
        QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0), QStringLiteral("Minor Update"));
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, r), QString());
        // Once the press is over, the selection is back on the remembered record.
        auto selectedRows = [software] {
            QList<int> rows;
            for (const QModelIndex &index : software->selectionModel()->selectedRows())
                rows.append(index.row());
            return rows;
        };
        QTRY_COMPARE(selectedRows(), QList<int>{1});
    }

    void turningSelectAllSoftProductsOffReturnsToTheRememberedRecord()
    {
        writeCatalogue({record("Alpha"), record("Beta"), record("Gamma")});
        writeOption(QStringLiteral("Software"), QStringLiteral("3"));
        auto form = startOnSubmitView();
        QAction *allProducts = action(*form, "Pop_s_softwareitems");
        allProducts->trigger();
        form->productChooser()->setCurrentIndex(0);
        allProducts->trigger();
        QVERIFY(!allProducts->isChecked());
        QCOMPARE(form->currentSoftwareRow(), 3);
        QCOMPARE(form->productChooser()->currentIndex(), 2);
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, r), QString());
        auto *software = form->findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
        QTRY_COMPARE(software->selectionModel()->selectedRows().size(), 1);
    }

    void choosingAProductWhileAllProductsAreSelectedKeepsTheChoice()
    {
        writeCatalogue({record("Alpha"), record("Beta", "Minor Update"), record("Gamma", "Major Update")});
        writeOption(QStringLiteral("Software"), QStringLiteral("2"));
        auto form = startOnSubmitView();
        action(*form, "Pop_s_softwareitems")->trigger();
        QComboBox *chooser = form->productChooser();
        chooser->setFocus();
        QTest::keyClick(chooser, Qt::Key_Down);
        QVERIFY(!action(*form, "Pop_s_softwareitems")->isChecked());
        // The product shown, the selected record and the one mark agree.
        QCOMPARE(chooser->currentIndex(), 2);
        QCOMPARE(form->currentSoftwareRow(), 3);
        QCOMPARE(form->workspace().recordSelection().matchLists().release.value(0), QStringLiteral("Major Update"));
        QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, 2), QString());
        QCOMPARE(form->workspace().software().cell(FieldCatalogue::MarkField, 3), QStringLiteral("x"));
    }

    void theSubmitListButtonShowsTheCurrentProductInTheChooser()
    {
        writeCatalogue({record("Alpha"), record("Beta"), record("Gamma")});
        auto form = startOnSubmitView();
        form->hideAllViews();
        form->setCurrentSoftwareRow(3);
        QCOMPARE(form->productChooser()->currentIndex(), 0);
        click(*form, "Button_submit_list");
        QCOMPARE(form->currentView(), form->submitView());
        QCOMPARE(form->productChooser()->currentIndex(), 2);
        QVERIFY(grid(*form)->hasFocus());
        QCOMPARE(grid(*form)->verticalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(TestSubmitView)
#include "test_submitview.moc"
