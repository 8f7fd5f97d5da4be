#include "platform/reportfile.h"

#include "platform/recordfile.h"

namespace ReportFile {

bool saveAs(Dialogs &dialogs, const Dialogs::FileDialogSettings &settings, const QByteArray &bytes)
{
    const QString path = dialogs.saveFileName(settings);
    if (path.isEmpty())
        return false;
    const QString error = RecordFile::writeFramed(path, bytes);
    if (!error.isEmpty()) {
        dialogs.error(error);
        return false;
    }
    return true;
}

} // namespace ReportFile
