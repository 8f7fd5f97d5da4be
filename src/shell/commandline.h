#pragma once

#include <QString>

// The program's command line: no arguments (or only Qt's own window
// options) open the window; --help, --version, --check-install and the
// commands are answered without it.
namespace CommandLine {

enum class Mode {
    Window,      // open the main window
    Answer,      // answered without a display
    AnswerPages, // a command that opens web pages without showing them
};

Mode modeFor(int argc, const char *const argv[]);

// Answers the running application's arguments. Returns the exit code, or
// -1 when the program is to open its window.
int handle();

} // namespace CommandLine
