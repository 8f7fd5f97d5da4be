#pragma once

#include "platform/dialogs.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class SoftwareEditor;
class Table;

// The software list view's two PAD commands: export the selected record to a
// PAD file, import a PAD file into the editor as a new, unsaved record. The
// reading and writing are the core's (PadExport, PadImport); this binds them
// to the dialogs and the editor.
class PadCommands : public QObject
{
    Q_OBJECT

public:
    // `selectedRow` gives the software list's current row.
    PadCommands(Table &software, std::function<int()> selectedRow, SoftwareEditor &editor,
                Dialogs &dialogs, QObject *parent = nullptr);

    // SaveDialog1 and OpenDialog1; every use starts again from "*.xml".
    static Dialogs::FileDialogSettings saveDialog1();
    static Dialogs::FileDialogSettings openDialog1();

public slots:
    // "Export data as PAD file".
    void Button_export_padClick();
    // "Import a PAD file".
    void Button_import_padClick();

    // Writes the selected record to `path`; a failure is shown and leaves any
    // earlier file there as it was.
    void ExportPadFile(const QString &path);
    // Reads `path` into the emptied editor and shows its first page, without
    // loading the selected record. A file that cannot be read or is not a PAD
    // file leaves the editor as it was and says why.
    void ImportPadFile(const QString &path);

signals:
    // What an export or import did, in one line for the status line.
    void done(const QString &message);

private:
    QStringList selectedRecord() const;
    // Before an export: a record that breaks PAD rules goes only when the user says so.
    bool mayExport(const QStringList &record);

    Table &m_software;
    std::function<int()> m_selectedRow;
    SoftwareEditor &m_editor;
    Dialogs &m_dialogs;
};
