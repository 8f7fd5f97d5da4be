#pragma once

#include "editor/editorvalues.h"
#include "platform/singleinstance.h"
#include "shell/commands/commandio.h"

// A product stored from the command line as the editor's "Save" stores it:
// the same checks (printed as warnings), fills and files.
namespace Commands {

struct SaveRequest
{
    EditorValues values;
    // Under --strict a warning stops the save with nothing stored.
    bool strict = false;
    bool asJson = false;
    // What the JSON answer adds, e.g. the fields changed.
    QJsonObject extra;
};

// The catalogue and history read under the write guard, so that what is
// changed is the files as they are now.
struct WriteSession
{
    std::unique_ptr<SingleInstance> guard;
    Table software;
    Table history;
};
// Success, or the exit code after the error was printed.
int openForWriting(const Context &context, Io &io, WriteSession &session);

// Saves, prints the warnings on standard error and "Saved 'NAME'." (or the
// JSON answer); returns the exit code.
int saveProduct(const SaveRequest &request, WriteSession &session, const Context &context, Io &io);

} // namespace Commands
