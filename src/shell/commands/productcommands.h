#pragma once

#include "shell/commands/commandio.h"

// list, show and set: the catalogue from the command line.
namespace Commands {

int list(const QStringList &args, const Context &context);
int show(const QStringList &args, const Context &context);
int set(const QStringList &args, const Context &context);

} // namespace Commands
