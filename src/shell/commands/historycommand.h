#pragma once

#include "shell/commands/commandio.h"

namespace Commands {

// The submission history, sites by products, as plain text, CSV or JSON.
int history(const QStringList &args, const Context &context);

} // namespace Commands
