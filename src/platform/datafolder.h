#pragma once

#include <QString>

// Where the data files live: the program's folder for portable use; when that
// folder is not writable (an installed copy), the per-user application data folder.
namespace DataFolder {

QString choose(const QString &programFolder, const QString &perUserFolder);
// choose() with the running program's folder and the per-user data location.
QString forThisProgram();

} // namespace DataFolder
