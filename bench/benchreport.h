#pragma once

#include <cstdio>

// One line per measurement: what, the value, its target, and whether it met it.
inline bool report(const char *what, double value, double limit)
{
    const bool ok = value <= limit;
    std::printf("%-56s %10.4f  (target <= %.2f)  %s\n", what, value, limit, ok ? "ok" : "MISSED");
    return ok;
}
