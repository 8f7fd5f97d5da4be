#pragma once

#include <QJsonValue>
#include <QString>
#include <QTextStream>

class QIODevice;

// What every command of the command line has: where the data is, the
// streams it answers on and its exit codes.
namespace Commands {

enum Exit : int {
    Success = 0,
    No = 1,       // the answer is "no": rules broken, sites failing, a warning under --strict
    BadInput = 2, // bad arguments, an unreadable file, a refused write
};

struct Context
{
    QString dataFolder;
    QString programFolder;
    // The single-instance guard's folder; "" for the user's runtime folder.
    QString lockFolder;
    QIODevice *out = nullptr; // standard output (bytes, for PAD files)
    QIODevice *err = nullptr; // standard error
};

// Text streams over the context's devices; flushed when destroyed.
class Io
{
public:
    explicit Io(const Context &context);
    QTextStream out;
    QTextStream err;
    // The error on standard error, then the exit code for it.
    int fail(const QString &message, int code = BadInput);
    void json(const QJsonValue &value);
};

} // namespace Commands
