// The program as a script and a user start it: `pad check NAME` for a
// 12-product catalogue against a bare QtCore program reading the same file
// (wall time median and peak memory), and the window for 12 products against
// a bare Qt Widgets window with a table (time until shown and resident
// memory). Runs the built program from a copy in a temporary folder, which is
// its data folder.
#include "benchreport.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/table.h"
#include "platform/tablefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

struct Run
{
    double ms = 0;
    long peakKb = 0;
};

// One run to its end: wall time and the child's own peak resident memory.
Run runToEnd(const QStringList &command)
{
    std::vector<QByteArray> bytes;
    for (const QString &part : command)
        bytes.push_back(part.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return {};
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {clock.nsecsElapsed() / 1e6, usage.ru_maxrss};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Shown
{
    double ms = 0;
    long residentKb = 0;
};

// Started with the maps file named: it is written once the window shows.
Shown untilShown(const QStringList &command, const QString &maps)
{
    QFile::remove(maps);
    qputenv("KELVANE_MAPS_FILE", maps.toLocal8Bit());
    std::vector<QByteArray> bytes;
    for (const QString &part : command)
        bytes.push_back(part.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return {};
    while (!QFile::exists(maps) && clock.elapsed() < 30000)
        QThread::usleep(500);
    Shown shown{clock.nsecsElapsed() / 1e6, 0};
    // The window's own start-up work settles first.
    QThread::msleep(300);
    shown.residentKb = residentKb(QString::number(pid));
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    qunsetenv("KELVANE_MAPS_FILE");
    return shown;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    const QDir built(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    for (const char *name : {"KelvaneSubmit", "KelvaneSubmit.dll", "KelvaneSubmit-sitecheck", "KelvaneSubmit.html"})
        QFile::copy(built.filePath(QLatin1String(name)), dir.filePath(QLatin1String(name)));
    qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());

    Table software(FieldCatalogue::FieldCount, 2);
    for (int p = 0; p < 12; ++p) {
        const int row = p == 0 ? 1 : software.appendRow();
        for (int f = 0; f < FieldCatalogue::MarkField; ++f)
            software.setCell(f, row, QStringLiteral("value %1").arg(f));
        software.setCell(Field::ProgramName, row, QStringLiteral("Product %1").arg(p));
    }
    const QString catalogue = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
    TableFile::save(software, catalogue, TableFile::Kind::Marked);

    const QString program = dir.filePath(QStringLiteral("KelvaneSubmit"));
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_programs");
    std::vector<double> checkTimes, bareTimes;
    long checkPeak = 0, barePeak = 0;
    for (int i = 0; i < 21; ++i) {
        const Run check = runToEnd({program, QStringLiteral("pad"), QStringLiteral("check"), QStringLiteral("Product 7")});
        const Run read = runToEnd({bare, QStringLiteral("read"), catalogue});
        checkTimes.push_back(check.ms);
        bareTimes.push_back(read.ms);
        checkPeak = std::max(checkPeak, check.peakKb);
        barePeak = std::max(barePeak, read.peakKb);
    }
    bool ok = report("pad check, 12 products: median wall time (ms)", median(checkTimes), 40);
    ok &= report("pad check: peak memory (MB)", checkPeak / 1024.0, 25);
    std::printf("%-56s %10.4f\n", "pad check / bare QtCore read: time ratio", median(checkTimes) / median(bareTimes));
    std::printf("%-56s %10.4f\n", "pad check / bare QtCore read: memory ratio", double(checkPeak) / barePeak);

    const QString maps = dir.filePath(QStringLiteral("maps"));
    std::vector<double> windowTimes, bareWindowTimes;
    long windowKb = 0, bareWindowKb = 0;
    for (int i = 0; i < 7; ++i) {
        const Shown window = untilShown({program}, maps);
        const Shown bareWindow = untilShown({bare, QStringLiteral("window")}, maps);
        windowTimes.push_back(window.ms);
        bareWindowTimes.push_back(bareWindow.ms);
        windowKb = std::max(windowKb, window.residentKb);
        bareWindowKb = std::max(bareWindowKb, bareWindow.residentKb);
    }
    std::printf("%-56s %10.4f\n", "window, 12 products: median time to shown (ms)", median(windowTimes));
    std::printf("%-56s %10.4f\n", "bare widgets window with a table (ms)", median(bareWindowTimes));
    ok &= report("window / bare window: time to shown ratio", median(windowTimes) / median(bareWindowTimes), 1.5);
    ok &= report("window / bare window: resident memory ratio", double(windowKb) / bareWindowKb, 2.0);
    return ok ? 0 : 1;
}
