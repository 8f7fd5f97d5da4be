// Start-up with the user's own sites: the library's 3,000 sites, 3,300 of
// the user's (300 of them replacing library sites) read from their file and
// held to the site editor's rules, merged and sorted, and a history of 6,000
// sites by 100 products reconciled.
#include "benchreport.h"
#include "platform/table.h"
#include "platform/tablefile.h"
#include "submit/formwalk/sitevalidation.h"
#include "submit/history/history.h"
#include "submit/sites/sitelibrary.h"
#include "submit/sites/submitlist.h"
#include "submit/sites/usersites.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int LibrarySites = 3000;
constexpr int UserSiteCount = 3300;
constexpr int Replacing = 300;
constexpr int Products = 100;

QString userSiteName(int n)
{
    // The first ones take library names (in another case), the rest are new.
    return n < Replacing ? QStringLiteral("site%1").arg(n * 7, 5, 10, QLatin1Char('0'))
                         : QStringLiteral("Mine%1").arg(n, 5, 10, QLatin1Char('0'));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qputenv("KELVANE_BENCH_SITES", QByteArray::number(LibrarySites));
    QTemporaryDir dir;
    const QString sitesPath = dir.filePath(QStringLiteral("Kelvane_sites.dat"));
    const QString historyPath = dir.filePath(QStringLiteral("Kelvane_hist.dat"));

    UserSites::File file;
    for (int n = 0; n < UserSiteCount; ++n)
        file.setSite(QString(), {userSiteName(n), QStringLiteral("https://mine.test/"), QString(),
                                 QStringLiteral("yes"), QStringLiteral("https://mine.test/add"),
                                 QStringLiteral("0"), QString(), QString(),
                                 QStringLiteral("0=name"), QStringLiteral("57=padurl"),
                                 QStringLiteral("61=description")});
    if (!UserSites::save(file, sitesPath).isEmpty())
        return 1;

    Table software(105, 2);
    for (int p = 1; p <= Products; ++p) {
        if (p > 1)
            software.appendRow();
        software.setCell(0, p, QStringLiteral("Product %1").arg(p));
    }
    // The history an earlier run left: every site of the list, outcomes here and there.
    {
        SubmitList list;
        list.fill(SiteLibrary::loadFile(QStringLiteral(KELVANE_BENCH_SITELIB)), file.sites());
        Table history(Products + 1, 2);
        for (int r = 1; r < list.table().rowCount(); ++r) {
            const int row = r == 1 ? 1 : history.appendRow();
            history.setCell(0, row, list.siteName(r));
            for (int p = 1 + r % 7; p <= Products; p += 7)
                history.setCell(p, row, QStringLiteral("1/2/2026  ok"));
        }
        TableFile::save(history, historyPath, TableFile::Kind::Plain);
    }

    double best = 1e30;
    double libraryOnly = 1e30;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const SiteLibrary::LoadResult library =
            SiteLibrary::loadFile(QStringLiteral(KELVANE_BENCH_SITELIB));
        libraryOnly = std::min(libraryOnly, timer.nsecsElapsed() / 1e6);
        const UserSites::LoadResult user =
            UserSites::load(sitesPath, [](const QStringList &cells) {
                return SiteValidation::check(cells).message;
            });
        SubmitList list;
        list.fill(library, user.file.sites());
        Table history;
        const History::LoadResult loaded = History::load(history, list.table(), software, historyPath);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        const int expected = LibrarySites + UserSiteCount - Replacing;
        if (list.siteRowCount() != expected || history.rowCount() != expected + 1
            || loaded.reconciled) {
            std::printf("unexpected tables: %d sites, %d history rows\n", list.siteRowCount(),
                        history.rowCount() - 1);
            return 1;
        }
    }
    std::printf("of which the site library through its checker: %.1f ms\n", libraryOnly);
    return report("3,000 library + 3,300 user sites (300 replacing), 6,000 x 100 history, ms", best, 200) ? 0 : 1;
}
