#pragma once

#include "shell/commands/commandio.h"

// The program's commands (list, show, set, pad ..., sites check, history):
// the catalogue, its PAD files and the history from a script.
namespace Commands {

using Handler = int (*)(const QStringList &args, const Context &context);

// Whether the first argument names a command ("pad" and "sites" included).
bool isCommand(const QString &word);
// Whether the command opens web pages (and so needs the browser engine).
bool opensPages(const QString &word);
// Runs the command `args` names (the program's name not included).
int run(const QStringList &args, const Context &context);
// The site check loads pages, so the program hands it in; without it the
// command says it is not available.
void setSitesCheck(Handler handler);
// One line per command, for the program's --help.
QString overview();

} // namespace Commands
