// libFuzzer target for the browser settings store: any file must open, or be
// kept aside byte for byte and replaced by an empty store, without a crash or
// a hang; the first show and the close must then work on it as on any store.
#include "platform/inibrowsersettingsstore.h"
#include "platform/settings.h"
#include "shell/browsersettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_browsersettingsstore: %s\n", what);
    std::abort();
}

const QString Token = QStringLiteral("KelvaneSubmit v1.0.0.0 (compatible; MSIE 5.5)");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QTemporaryDir dir;
    if (!dir.isValid())
        fail("no temporary folder");
    const QString path = dir.filePath(QStringLiteral("Browser.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            fail("cannot write the input");
    }

    IniBrowserSettingsStore store(path);
    if (!store.openProblem().isEmpty()) {
        const QStringList kept = QDir(dir.path()).entryList({"Browser.ini.bad-*"}, QDir::Files);
        if (kept.size() != 1)
            fail("an unreadable file was not kept");
        QFile copy(dir.filePath(kept.first()));
        if (!copy.open(QIODevice::ReadOnly) || copy.readAll() != bytes)
            fail("the kept copy differs from the file");
    }

    Settings settings(dir.path());
    BrowserSettings browser(settings, store, Token);
    browser.applyAtStartUp();
    if (!store.valueNames(BrowserSettingsStore::PostPlatformKey).contains(Token))
        fail("the token is missing after the first show");
    const std::optional<qint32> scripts =
        store.readInteger(BrowserSettingsStore::InternetZoneKey, BrowserSettingsStore::ScriptsValue);
    if (browser.scriptsTicked() && scripts != BrowserSettings::ScriptsEnabled)
        fail("scripts ticked but not enabled in the store");
    browser.restoreAtExit();
    if (store.valueNames(BrowserSettingsStore::PostPlatformKey).contains(Token))
        fail("the token is left after the close");
    return 0;
}
