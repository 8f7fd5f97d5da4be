#pragma once

#include "shell/commands/commandio.h"

// "sites check" from the command line: the window's site check, its pages
// loaded without being shown, its report printed or saved.
namespace SitesCheckCommand {

int run(const QStringList &args, const Commands::Context &context);

} // namespace SitesCheckCommand
