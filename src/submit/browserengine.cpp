#include "submit/browserengine.h"

#include "platform/installlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace BrowserEngines {

namespace {

BrowserEngine *engine = nullptr;

QString tr(const char *text)
{
    return QCoreApplication::translate("BrowserEngines", text);
}

BrowserEngine *loadModule(QString *error)
{
    const QString name = QString::fromLatin1(ModuleFileName);
    const QStringList folders = InstallLayout::folders(InstallLayout::Kind::Checker, QString(),
                                                       QCoreApplication::applicationDirPath());
    QString path;
    for (const QString &folder : folders) {
        if (QFileInfo(QDir(folder).filePath(name)).isFile()) {
            path = QDir(folder).filePath(name);
            break;
        }
    }
    if (path.isEmpty()) {
        *error = tr("The program's browser part %1 was not found in %2, so no web page can be "
                    "opened. Install the program again.")
                     .arg(name, folders.join(QLatin1String(", ")));
        return nullptr;
    }
    // Never unloaded: its windows and pages live until the program ends.
    auto *library = new QLibrary(path);
    if (!library->load()) {
        *error = tr("The program's browser part %1 could not be loaded: %2")
                     .arg(QDir::toNativeSeparators(path), library->errorString());
        delete library;
        return nullptr;
    }
    using VersionFunction = const char *(*)();
    using EntryFunction = BrowserEngine *(*)();
    const auto version = reinterpret_cast<VersionFunction>(library->resolve(VersionPoint));
    const auto entry = reinterpret_cast<EntryFunction>(library->resolve(EntryPoint));
    // A module of another build would call into code that is not there.
    if (!version || !entry || qstrcmp(version(), KELVANE_VERSION_TEXT) != 0) {
        *error = tr("The program's browser part %1 belongs to another version of the program. "
                    "Install the program again.")
                     .arg(QDir::toNativeSeparators(path));
        return nullptr;
    }
    return entry();
}

} // namespace

BrowserEngine *get(QString *error)
{
    if (!engine)
        engine = loadModule(error);
    return engine;
}

bool isLoaded()
{
    return engine != nullptr;
}

void setBuiltIn(BrowserEngine *builtIn)
{
    engine = builtIn;
}

int sitesCheckCommand(const QStringList &args, const Commands::Context &context)
{
    QString error;
    if (BrowserEngine *loaded = get(&error))
        return loaded->sitesCheckCommand(args, context);
    Commands::Io io(context);
    return io.fail(error);
}

} // namespace BrowserEngines
