#pragma once

#include "platform/dialogs.h"

#include <QByteArray>

// A report the user saves (CSV, HTML): asked where through the dialogs,
// written atomically; a failure is shown.
namespace ReportFile {

// False when the user cancelled or the file could not be written.
bool saveAs(Dialogs &dialogs, const Dialogs::FileDialogSettings &settings, const QByteArray &bytes);

} // namespace ReportFile
