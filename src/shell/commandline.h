#pragma once

#include <QString>

// The program's few command-line options: --help, --version and
// --check-install. A plain start takes no arguments.
namespace CommandLine {

// Whether the arguments name one of the options, so that they can be answered
// without a display (no GUI application is made then).
bool asksForOption(int argc, const char *const argv[]);

// Answers the options of the running application's arguments. Returns the
// exit code, or -1 when the program is to open its window.
int handle(const QString &initialTitle);

} // namespace CommandLine
