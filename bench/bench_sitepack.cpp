// A site pack of 3,000 sites read with the site editor's rule and compared
// with a library of 3,000 sites and 3,000 of the user's: a third of the pack
// new, a third the same as a library or user site, a third changed.
#include "benchreport.h"
#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/sitepack.h"
#include "submit/sites/siterecord.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Sites = 3000;

QStringList site(const QString &name, const QString &notes)
{
    QStringList record = {name,
                          QStringLiteral("https://%1.test/").arg(name),
                          notes,
                          QStringLiteral("yes"),
                          QStringLiteral("https://%1.test/add").arg(name),
                          QStringLiteral("0"),
                          QString(),
                          QString()};
    for (int field = 0; field < 40; ++field)
        record.append(QStringLiteral("%1=input_%1").arg(field));
    return record;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<QStringList> library;
    QList<QStringList> user;
    QList<QStringList> pack;
    for (int n = 0; n < Sites; ++n) {
        library.append(site(QStringLiteral("Lib%1").arg(n), QString()));
        user.append(site(QStringLiteral("Mine%1").arg(n), QString()));
    }
    // By thirds: new, one of ours unchanged, one of ours with other notes; the
    // ours alternate between the library's and the user's.
    for (int n = 0; n < Sites; ++n) {
        QStringList record = n % 2 ? library.at(n) : user.at(n);
        if (n % 3 == 0)
            record = site(QStringLiteral("New%1").arg(n), QString());
        else if (n % 3 == 2)
            record[SiteRecord::Notes] = QStringLiteral("changed");
        pack.append(record);
    }
    const QByteArray bytes =
        SitePack::write(pack, QStringLiteral("Kelvane Submit bench"), QDate(2026, 12, 10));

    double best = 1e30;
    double readOnly = 1e30;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const SitePack::ReadResult read = SitePack::read(
            bytes, [](const QStringList &cells) { return SiteValidation::check(cells).message; });
        readOnly = std::min(readOnly, timer.nsecsElapsed() / 1e6);
        const SitePack::Comparison comparison = SitePack::compare(read.sites, library, user);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        if (read.sites.size() != Sites || comparison.newCount != Sites / 3 ||
            comparison.sameCount != Sites / 3 || comparison.differsCount != Sites / 3) {
            std::printf("unexpected result: %d sites, %d new, %d same, %d changed\n",
                        int(read.sites.size()), comparison.newCount, comparison.sameCount,
                        comparison.differsCount);
            return 1;
        }
    }
    std::printf("pack of %d sites, %.1f MB; of which the read: %.1f ms\n", Sites,
                bytes.size() / 1e6, readOnly);
    return report("read + compare 3,000 pack sites with 3,000 + 3,000, ms", best, 300) ? 0 : 1;
}
