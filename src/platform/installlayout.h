#pragma once

#include <QString>
#include <QStringList>

// Where the program's own files are, relative to the program's folder, so that
// one build runs from its build folder, from a portable folder and from any
// install prefix (<prefix>/bin beside <prefix>/lib/kelvanesubmit and
// <prefix>/share/kelvanesubmit).
namespace InstallLayout {

// The installed folders, relative to the program's folder (<prefix>/bin).
inline constexpr const char *PrivateLibraryFolder = "../lib/kelvanesubmit";
inline constexpr const char *SharedDataFolder = "../share/kelvanesubmit";

enum class Kind {
    // The site library: the data folder first, where a downloaded update lands.
    SiteLibrary,
    // The site library checker, which only ever comes with the program.
    Checker,
    // The HTML help.
    Help,
};

// The folders a file of this kind is looked for in, in order, cleaned and
// without repeats; an empty folder argument is left out.
QStringList folders(Kind kind, const QString &dataFolder, const QString &programFolder);

// The first of `folders` that holds a file `name`, or "" when none does.
QString find(const QStringList &folders, const QString &name);

// Whether the program runs from an installed layout (its private library
// folder exists): its data then belongs in the per-user folder, never in bin.
bool isInstalled(const QString &programFolder);

} // namespace InstallLayout
