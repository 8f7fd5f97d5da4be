#include "platform/commandcontext.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Commands {

Io::Io(const Context &context)
    : out(context.out), err(context.err)
{
}

int Io::fail(const QString &message, int code)
{
    err << QString(message).replace(u'\r', u'\n') << '\n';
    err.flush();
    return code;
}

void Io::json(const QJsonValue &value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray())
                                                   : QJsonDocument(value.toObject());
    out << QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    out.flush();
}

} // namespace Commands
