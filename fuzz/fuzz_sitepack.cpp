// libFuzzer target for site packs, as the import reads them with the site
// editor's rule. Nothing may crash, hang or grow out of proportion; a pack is
// taken or refused with a word; the sites taken are whole, unique by name
// and written out again read back the same; and they compare the same with
// themselves and apply as the user's sites.
#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/sitepack.h"
#include "submit/sites/siterecord.h"

#include <QSet>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_sitepack: %s\n", what);
    std::abort();
}

QString editorRule(const QStringList &cells)
{
    return SiteValidation::check(cells).message;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const SitePack::ReadResult read = SitePack::read(input, editorRule);
    // Whatever the pack holds, what the user is shown fits a window.
    if (read.message.size() > 1000 || read.note.size() > 2000)
        fail("a message too long to show");
    if (read.status != SitePack::Status::Ok) {
        if (read.message.isEmpty() || !read.sites.isEmpty() || !read.refused.isEmpty())
            fail("a pack refused without a word, or with sites kept");
        return 0;
    }
    if (!read.message.isEmpty())
        fail("a pack taken with a refusal");
    if (read.sites.size() + read.refused.size() > SitePack::MaxSites)
        fail("more sites than a pack may hold");
    if (read.unknownKeys.isEmpty() != read.note.isEmpty())
        fail("unknown keys and their note disagree");
    QSet<QString> names;
    for (const QStringList &site : read.sites) {
        if (site.size() < UserSites::FixedCells || site.size() > UserSites::MaxCells)
            fail("a site of the wrong size");
        if (!site.at(SiteRecord::UserPass).isEmpty())
            fail("a site with a user pass");
        if (!editorRule(site).isEmpty())
            fail("a site that breaks the rule");
        if (UserSites::storedCells(site) != site)
            fail("a site that is not in its stored form");
        names.insert(site.at(SiteRecord::SiteName).toCaseFolded());
    }
    if (names.size() != read.sites.size())
        fail("two sites of one name");
    for (const SitePack::RefusedSite &refused : read.refused) {
        if (refused.reason.isEmpty() || refused.reason.size() > 4 * SitePack::MaxShownChars + 1 ||
            refused.name.size() > SitePack::MaxShownChars + 1)
            fail("a site refused without a reason, or under a name too long to show");
    }

    const SitePack::ReadResult again =
        SitePack::read(SitePack::write(read.sites, read.program, read.created), editorRule);
    if (again.status != SitePack::Status::Ok || again.sites != read.sites ||
        !again.refused.isEmpty() || again.program != QString::fromUtf8(read.program.toUtf8()) ||
        again.created != read.created)
        fail("a written pack reads back otherwise");

    const SitePack::Comparison comparison = SitePack::compare(read.sites, {}, read.sites);
    if (comparison.sameCount != read.sites.size())
        fail("a site differs from itself");
    if (SitePack::apply({}, read.sites).sites() != read.sites)
        fail("applied sites differ from the pack's");
    return 0;
}
