#pragma once

#include <QString>
#include <QUrl>

class Settings;

// The options view's update address and site pack address: what each may
// hold, and their storing in the settings file.
namespace UpdateOptions {

// Why `text` is no update address (a host with an optional ":port" from 1 to
// 65535, no scheme, path or spaces), or "" when it is one or blank.
QString hostProblem(const QString &text);
// Why `text` is no site pack address (http or https with a host), or "" when
// it is one or blank.
QString packAddressProblem(const QString &text);

// Stores each value that is usable (trimmed); one that is not keeps the
// stored one. The problems, one a line; "" when both were stored.
QString store(Settings &settings, const QString &host, const QString &packAddress);

// The stored site pack address; empty when none is set.
QUrl packAddress(const Settings &settings);

} // namespace UpdateOptions
