#pragma once

#include <QString>

// The HTML help that ships beside the program, opened in the user's browser.
namespace HelpFile {

inline QString name() { return QStringLiteral("KelvaneSubmit.html"); }

// The help file beside the program, else in its installed share folder; when
// it is in neither, the path beside the program (which does not exist).
QString path(const QString &programFolder);

// The address of the whole file (contents), or of one of its numbered topics
// (topic 1: the main window).
QString contentsAddress(const QString &filePath);
QString topicAddress(const QString &filePath, int topic);
// The address of one place in the file, by its id.
QString anchorAddress(const QString &filePath, const QString &anchor);

// The help's place for the view of that object name (an editor page has one
// of its own); the main window's topic when no view or an unknown one shows.
QString anchorForView(const QString &viewName);

} // namespace HelpFile
