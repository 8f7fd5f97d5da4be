#pragma once

#include "shell/commands/commandio.h"

// pad export, pad import and pad check from the command line.
namespace Commands {

int padExport(const QStringList &args, const Context &context);
int padImport(const QStringList &args, const Context &context);
int padCheck(const QStringList &args, const Context &context);

} // namespace Commands
