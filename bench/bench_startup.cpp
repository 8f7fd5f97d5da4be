// Start-up to the main window shown (offscreen) with a catalogue of 10,000
// records, and a scroll through the whole software list.
#include "benchreport.h"
#include "platform/addresshandler.h"
#include "platform/connectivity.h"
#include "platform/dialogs.h"
#include "platform/inibrowsersettingsstore.h"
#include "platform/table.h"
#include "platform/tablefile.h"
#include "shell/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class SilentDialogs : public Dialogs
{
public:
    void message(const QString &, const QString &) override {}
    void error(const QString &text) override { std::printf("error: %s\n", qPrintable(text)); }
    Answer warnOkCancel(const QString &, const QString &) override { return Answer::Ok; }
    Answer askYesCancel(const QString &, const QString &) override { return Answer::Yes; }
};

class NoAddresses : public AddressHandler
{
public:
    void open(const QString &) override {}
};

class Online : public Connectivity
{
public:
    bool isOnline() override { return true; }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    Table catalogue(Workspace::SoftwareColumnCount, 2);
    for (int r = 1; r <= 10000; ++r) {
        if (r > 1)
            catalogue.appendRow();
        for (int c = 0; c < 104; ++c)
            catalogue.setCell(c, r, QStringLiteral("product %1 field %2").arg(r).arg(c));
    }
    TableFile::save(catalogue, DataFiles(dir.path()).catalogue(),
                    TableFile::Kind::Marked);

    SilentDialogs dialogs;
    QElapsedTimer timer;
    timer.start();
    NoAddresses addresses;
    Online online;
    // Never the user's own browser settings.
    IniBrowserSettingsStore browserStore(dir.filePath(QStringLiteral("BrowserSettings.ini")));
    TForm1 window(dir.path(), dialogs, addresses, online, browserStore,
                  QStringLiteral(KELVANE_PROGRAM_FOLDER));
    if (window.startUpFailed()) {
        std::puts("start-up failed: no site library");
        return 1;
    }
    window.show();
    app.processEvents();
    const double startUp = timer.nsecsElapsed() / 1e6;

    auto *list = window.findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
    if (!list) {
        std::puts("no software list");
        return 1;
    }
    // The list paints only while its view is shown.
    if (auto *button = window.findChild<QAbstractButton *>(QStringLiteral("Button_software_list")))
        button->click();
    app.processEvents();
    if (!list->isVisible()) {
        std::puts("software list not shown");
        return 1;
    }
    timer.restart();
    QScrollBar *bar = list->verticalScrollBar();
    int pages = 0;
    for (int v = bar->minimum(); v <= bar->maximum(); v += qMax(1, bar->pageStep()), ++pages) {
        bar->setValue(v);
        list->viewport()->repaint();
    }
    const double perPage = timer.nsecsElapsed() / 1e6 / qMax(1, pages);
    std::printf("scrolled %d pages\n", pages);

    bool ok = true;
    ok &= report("start-up to window shown, 10,000 records, ms", startUp, 1000);
    ok &= report("software list: one page scrolled and painted, ms", perPage, 16);
    return ok ? 0 : 1;
}
