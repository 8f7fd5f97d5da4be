#pragma once

#include <QString>

namespace IniCheck {

// QSettings reads almost anything as ini and would rewrite it on the next
// change, so a file that plainly is not one is set aside first. A missing or
// unreadable file counts as one (there is nothing to keep).
bool looksLikeIni(const QString &path);

} // namespace IniCheck
