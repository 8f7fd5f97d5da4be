#pragma once

#include <QString>
#include <QStringList>

// Where the data files live: the program's folder for portable use; when that
// folder is not writable (an installed copy), the per-user application data
// folder, into which data files left beside the program are copied once.
namespace DataFolder {

struct Choice
{
    QString folder;
    // Data files copied from the program's folder into the per-user folder.
    QStringList copied;
    // Data files beside the program that could not be copied there.
    QStringList notCopied;
    // For the user, when files were brought over or could not be: where the
    // data is kept now. Empty otherwise, so it is said once.
    QString message;
};

using WritableProbe = bool (*)(const QString &folder);
// Whether a file can really be created in the folder.
bool canWriteInto(const QString &folder);

// An installed copy takes the per-user folder whether or not its own folder
// can be written (root, or a prefix in the user's home).
enum class Copy { Portable, Installed };
Choice choose(const QString &programFolder, const QString &perUserFolder,
              WritableProbe canWrite = canWriteInto, Copy copy = Copy::Portable);
// choose() with the running program's folder and the per-user data location.
Choice forThisProgram();

} // namespace DataFolder
