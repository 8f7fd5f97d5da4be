#pragma once

#include <QString>

// "v" and the four numbers of the program's version, joined by dots; the
// about box's caption and the browser's user-agent token show it.
namespace VersionText {

// From the version compiled into the program.
QString program();

// "v" + `version` when it is four numbers joined by dots, else empty.
QString fromVersion(const QString &version);

} // namespace VersionText
