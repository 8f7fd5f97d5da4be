#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

// One line per measurement: what, the value, its target, and whether it met it.
inline bool report(const char *what, double value, double limit)
{
    const bool ok = value <= limit;
    std::printf("%-56s %10.4f  (target <= %.2f)  %s\n", what, value, limit, ok ? "ok" : "MISSED");
    return ok;
}

// The resident memory in KiB of a process ("self", or its id), from /proc.
inline long residentKb(const QString &process = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}
