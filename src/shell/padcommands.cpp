#include "shell/padcommands.h"

#include "catalogue/fieldcatalogue.h"
#include "editor/editorvalues.h"
#include "editor/padcheckmarks.h"
#include "editor/softwareeditor.h"
#include "pad/padcheck.h"
#include "pad/padexport.h"
#include "pad/padimport.h"
#include "platform/table.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QLatin1String ImportTitle("Import a PAD file");

Dialogs::FileDialogSettings fileDialog(const char *title)
{
    // One filter entry that lists every file; "xml" is added to a bare name.
    return {QString::fromLatin1(title), QStringLiteral("XML file (*)"), QStringLiteral("xml"),
            QStringLiteral("*.xml")};
}

} // namespace

PadCommands::PadCommands(Table &software, std::function<int()> selectedRow, SoftwareEditor &editor,
                         Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_software(software)
    , m_selectedRow(std::move(selectedRow))
    , m_editor(editor)
    , m_dialogs(dialogs)
{
}

Dialogs::FileDialogSettings PadCommands::saveDialog1()
{
    return fileDialog("Export to PAD file");
}

Dialogs::FileDialogSettings PadCommands::openDialog1()
{
    return fileDialog("Import a PAD file");
}

void PadCommands::Button_export_padClick()
{
    if (!mayExport(selectedRecord()))
        return;
    const QString path = m_dialogs.saveFileName(saveDialog1());
    if (!path.isEmpty())
        ExportPadFile(path);
}

void PadCommands::Button_import_padClick()
{
    const QString path = m_dialogs.openFileName(openDialog1());
    if (!path.isEmpty())
        ImportPadFile(path);
}

void PadCommands::ExportPadFile(const QString &path)
{
    const QStringList record = selectedRecord();
    const QString failure = PadExport::save(record, path);
    if (!failure.isEmpty()) {
        m_dialogs.error(failure);
        return;
    }
    emit done(tr("Exported to %1.").arg(QDir::toNativeSeparators(path)));
    const QStringList lost = PadExport::lostCharacters(record);
    if (!lost.isEmpty())
        m_dialogs.message(tr("PAD export"),
                          tr("Characters that no PAD file can hold were left out of the file:")
                              + QLatin1Char('\r') + lost.join(QLatin1Char('\r')));
}

QStringList PadCommands::selectedRecord() const
{
    // The stored row, whatever the editor shows; an empty catalogue gives empty values.
    const int row = m_selectedRow();
    QStringList record;
    record.reserve(FieldCatalogue::FieldCount);
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n)
        record.append(m_software.cell(n, row));
    return record;
}

bool PadCommands::mayExport(const QStringList &record)
{
    const QList<PadCheck::Violation> violations = PadCheck::check(record);
    if (violations.isEmpty())
        return true;
    const QString text = tr("This product breaks rules of the PAD standard; download sites may "
                            "drop its PAD file.")
        + QLatin1String("\r\r") + PadCheck::listText(violations);
    return m_dialogs.warnGoOnCancel(tr("PAD check"), text, tr("Export anyway"))
        == Dialogs::Answer::Ok;
}

void PadCommands::ImportPadFile(const QString &path)
{
    const PadImport::Result result = PadImport::fromFile(path);
    if (!result.imported()) {
        m_dialogs.error(result.error);
        return;
    }
    EditorValues values = EditorRules::fromRecord(result.record);
    // The row the import chose, which a search by its key might not find first.
    values.classItem = EditorRules::classItems().value(result.classRow);
    m_editor.clearEditor();
    m_editor.setValues(values);
    m_editor.Button_input_softClick(m_selectedRow(), true);
    // A file from another tool that breaks the standard shows so at once.
    m_editor.padMarks().refresh();
    emit done(tr("Imported from %1: not stored until you save.").arg(QFileInfo(path).fileName()));
    if (!result.notes.isEmpty())
        m_dialogs.message(ImportTitle, result.notes.join(QLatin1Char('\r')));
}
