#include "editor/softwaresave.h"

#include <QCoreApplication>

#include "catalogue/fieldcatalogue.h"
#include "platform/dialogs.h"
#include "platform/table.h"
#include "platform/tablefile.h"

#include <algorithm>
#include <utility>

namespace {

const QString WarningTitle = QStringLiteral("Warning");
const QString ConfirmTitle = QStringLiteral("Confirm");

// The thirteen vendor and product ID boxes of the shareware page.
constexpr int SharewareIdFields[] = {
    Field::RegNowVendorId,      Field::ShareItVendorId,  Field::RegSoftVendorId,
    Field::ESellerateProductId, Field::EMetrixVendorId,  Field::DigiBuyVendorId,
    Field::RegNowProductId,     Field::RegSoftProductId, Field::ShareItProductId,
    Field::SwRegVendorId,       Field::EMetrixProductId, Field::DigiBuyProductId,
    Field::SwRegProductId,
};

bool copyWhenBlank(EditorValues &values, int target, int source)
{
    if (!values.isBlank(target) || values.text(target) == values.text(source))
        return false;
    values.fields[target] = values.text(source);
    return true;
}

} // namespace

SoftwareSave::SoftwareSave(Table &software, Table &history, Dialogs &dialogs,
                           QString catalogueFile, QString historyFile)
    : m_software(software),
      m_history(history),
      m_dialogs(dialogs),
      m_catalogueFile(std::move(catalogueFile)),
      m_historyFile(std::move(historyFile))
{
}

bool SoftwareSave::fillContactFromAuthor(EditorValues &values)
{
    bool changed = copyWhenBlank(values, Field::ContactFirstName, Field::AuthorFirstName);
    changed |= copyWhenBlank(values, Field::ContactLastName, Field::AuthorLastName);
    changed |= copyWhenBlank(values, Field::ContactEmail, Field::AuthorEmail);
    return changed;
}

QList<int> SoftwareSave::failedChecks(const EditorValues &v)
{
    QList<int> failed;
    const QString type = v.text(Field::ReleaseType);

    bool programInfo = v.selectedOs.isEmpty() || v.selectedLanguages.isEmpty();
    for (int n : {Field::ProgramName, Field::ProgramVersion, Field::ReleaseType,
                  Field::ReleaseMonth, Field::ReleaseDay, Field::ReleaseYear, Field::CostDollars,
                  Field::InstallSupport, Field::ReleaseStatus})
        programInfo |= v.isBlank(n);
    if (programInfo)
        failed.append(1);
    // The message asks for at least one file name: warn only when neither the
    // versioned nor the generic name is given.
    if (v.isBlank(Field::FileNameVersioned) && v.isBlank(Field::FileNameGeneric))
        failed.append(2);
    if (v.isBlank(Field::FileSizeBytes) || v.isBlank(Field::FileSizeK)
        || v.isBlank(Field::FileSizeMB))
        failed.append(3);
    if (v.isBlank(Field::CompanyName))
        failed.append(4);
    if (v.isBlank(Field::CompanyWebSite))
        failed.append(5);
    if ((v.isBlank(Field::ContactFirstName) && v.isBlank(Field::ContactLastName))
        || v.isBlank(Field::ContactEmail))
        failed.append(6);
    if (v.isBlank(Field::Category)
        || EditorRules::storedValue(v, Field::CategoryClass).trimmed().isEmpty())
        failed.append(7);
    if (v.isBlank(Field::InfoUrl))
        failed.append(8);
    if (type != QLatin1String("Freeware") && type != QLatin1String("Data Only")
        && v.isBlank(Field::OrderUrl))
        failed.append(9);
    if (v.isBlank(Field::PadUrl))
        failed.append(10);
    // The message asks for one short description: warn only when none of the
    // 45, 80 and 250-character ones is given (the fills complete the rest).
    if (v.isBlank(Field::Desc45) && v.isBlank(Field::Desc80)
        && EditorRules::storedValue(v, Field::Desc250).trimmed().isEmpty())
        failed.append(11);
    if (v.isBlank(Field::PrimaryDownloadUrl))
        failed.append(12);
    if (v.isBlank(Field::LinkBackUrl))
        failed.append(13);
    if (v.text(Field::HasExpiry) == QLatin1String("Y")
        && (v.isBlank(Field::ExpiryCount) || v.isBlank(Field::ExpiryBasedOn)))
        failed.append(14);
    if ((type == QLatin1String("Shareware") || type == QLatin1String("Commercial"))
        && v.isBlank(Field::UnlockKeyUrl))
        failed.append(15);
    return failed;
}

QString SoftwareSave::checkMessage(int check)
{
    switch (check) {
    case 1:
        return QStringLiteral("You must fill ALL 'Program Information' fields!");
    case 2:
        return QStringLiteral("You need to enter at least one File name.");
    case 3:
        return QStringLiteral("You need to enter file sizes also.");
    case 4:
        return QStringLiteral("No Company name entered! You need this...");
    case 5:
        return QStringLiteral("No Company URL entered. You want to enter one...");
    case 6:
        return QStringLiteral("You must supply a Contact name and Contact email!");
    case 7:
        return QStringLiteral("No Category selected! You need this...");
    case 8:
        return QStringLiteral("No Info URL entered. You may want to enter one...");
    case 9:
        return QStringLiteral("You need to supply a Order URL, as this is not a freeware...");
    case 10:
        return QStringLiteral(
            "No PAD file url. Most sites need this, as the prefered method of submiting.\r"
            "You will not use this software to it's full extent, if you do not create one.\r\r"
            "Suggestion: use the 'Export to PAD' button to create a PAD file\r"
            "and then upload it to your site!");
    case 11:
        return QStringLiteral("No short description filled... Must at least have one.");
    case 12:
        return QStringLiteral("Must have at least one Download URL...");
    case 13:
        return QStringLiteral(
            "No 'Link back' URL entered. Some sites need this to exist before submiting.");
    case 14:
        return QStringLiteral("This software has expire info, so you must also\r"
                              "define a period/uses and a value for it.");
    case 15:
        return QStringLiteral("This software may need a key to be used and/or reviewed,\r"
                              "but you didn't input the place were the user requests a 'key'.");
    default:
        return QString();
    }
}

bool SoftwareSave::applyFills(EditorValues &values)
{
    bool changed = false;
    if (values.isBlank(Field::HasExpiry) && values.text(Field::HasExpiry) != QLatin1String("N")) {
        values.fields[Field::HasExpiry] = QStringLiteral("N");
        changed = true;
    }
    changed |= copyWhenBlank(values, Field::AuthorFirstName, Field::ContactFirstName);
    changed |= copyWhenBlank(values, Field::AuthorLastName, Field::ContactLastName);
    changed |= copyWhenBlank(values, Field::AuthorEmail, Field::ContactEmail);
    changed |= copyWhenBlank(values, Field::GeneralEmail, Field::ContactEmail);
    // One short description fills every longer empty one, in turn.
    changed |= copyWhenBlank(values, Field::Desc80, Field::Desc45);
    changed |= copyWhenBlank(values, Field::Desc250, Field::Desc80);
    changed |= copyWhenBlank(values, Field::Desc450, Field::Desc250);
    changed |= copyWhenBlank(values, Field::Desc2000, Field::Desc450);
    return changed;
}

QStringList SoftwareSave::sharewareIdWarnings(const EditorValues &values)
{
    QStringList warnings;
    // These two look at the boxes as typed: a lone blank counts as an ID.
    const bool mainChosen = !values.text(Field::MainIdUsed).isEmpty();
    bool anyId = false;
    for (int n : SharewareIdFields)
        anyId |= !values.text(n).isEmpty();
    if (anyId && !mainChosen)
        warnings.append(QStringLiteral(
            "You didn't choose your main shareware ID. Some sites need to know this for submiting."));
    if (mainChosen && values.text(Field::MainProductId).isEmpty())
        warnings.append(QStringLiteral("You don't have any ID's for your main shareware ID..."));
    return warnings;
}

int SoftwareSave::findByName(const Table &software, const QString &name)
{
    return software.findRow(Field::ProgramName, name);
}

QString SoftwareSave::nameExistsQuestion()
{
    return QStringLiteral("A software with this name already exists. Want to update with this data?");
}

QString SoftwareSave::namelessMessage()
{
    return QCoreApplication::translate("SoftwareSave",
                                       "This product has no program name, so it was not saved. "
                                       "Enter its name on the 'Program Information' page and "
                                       "save again.");
}

QString SoftwareSave::deleteQuestion()
{
    return QStringLiteral("Are you sure to delete this software's information permanently?");
}

bool SoftwareSave::warn(const QString &text)
{
    return m_dialogs.warnOkCancel(WarningTitle, text) == Dialogs::Answer::Ok;
}

SoftwareSave::SaveResult SoftwareSave::save(EditorValues &values, const QStringList &chooserItems)
{
    SaveResult result;

    // A value the file cannot keep is named before any question is asked.
    const EditorRules::Unstorable unstorable = EditorRules::firstUnstorable(values);
    if (unstorable.field >= 0) {
        m_dialogs.error(unstorable.message);
        result.outcome = Outcome::Refused;
        return result;
    }
    // A record is found, chosen and given its history column by its name:
    // without one it would be stored where nothing can reach it.
    if (values.text(Field::ProgramName).trimmed().isEmpty()) {
        m_dialogs.error(namelessMessage());
        result.outcome = Outcome::Refused;
        return result;
    }

    result.valuesChanged = fillContactFromAuthor(values);
    for (int check : failedChecks(values)) {
        if (!warn(checkMessage(check))) {
            result.outcome = Outcome::Cancelled;
            return result;
        }
    }

    // Only the contact fill survives a Cancel; the later fills wait for the store.
    const EditorValues beforeFills = values;
    const bool filled = applyFills(values);
    for (const QString &warning : sharewareIdWarnings(values)) {
        if (!warn(warning)) {
            values = beforeFills;
            result.outcome = Outcome::Cancelled;
            return result;
        }
    }
    result.valuesChanged |= filled;

    // The store: a new name gets a row of its own, a known one (letter case
    // aside) is overwritten when the user agrees.
    const QString name = values.text(Field::ProgramName);
    result.name = name;
    const Table before = m_software;
    int row = findByName(m_software, name);
    bool store = true;
    if (row < 0) {
        if (!m_software.isEmpty()) {
            m_software.appendRow();
            result.newRow = true;
        }
        row = m_software.rowCount() - 1;
    } else if (m_dialogs.askYesCancel(ConfirmTitle, nameExistsQuestion()) != Dialogs::Answer::Yes) {
        store = false;
    }
    if (store) {
        QStringList record = m_software.row(row);
        EditorRules::storeInto(record, values);
        m_software.setRow(row, std::move(record));
    }

    // The file is rewritten even when the update was declined.
    const TableFile::SaveResult saved =
        TableFile::save(m_software, m_catalogueFile, TableFile::Kind::Marked);
    if (!saved.ok) {
        // Memory goes back to what the file still holds.
        m_software = before;
        m_dialogs.error(saved.error);
        result.outcome = Outcome::NotSaved;
        result.newRow = false;
        return result;
    }
    result.outcome = store ? Outcome::Stored : Outcome::Declined;
    result.row = row;

    // A name new to the product chooser gets its history column. Column k
    // belongs to software row k: the empty row 1 of an empty list already
    // has its column, which then takes the name instead of a new one.
    if (EditorRules::comboIndex(chooserItems, name) < 0) {
        if (m_history.columnCount() <= row)
            m_history.setColumnCount(row + 1);
        m_history.setCell(row, 0, name);
        result.historyChanged = true;
        result.addChooserItem = true;
        result.chooserIndex = row - 1;
        const TableFile::SaveResult history =
            TableFile::save(m_history, m_historyFile, TableFile::Kind::Plain);
        if (!history.ok) {
            m_dialogs.error(history.error);
            result.historyNotSaved = true;
        }
    }
    return result;
}

SoftwareSave::DeleteResult SoftwareSave::deleteRecord(int selectedRow, const QStringList &chooserItems)
{
    DeleteResult result;
    if (selectedRow < 1 || selectedRow >= m_software.rowCount())
        return result;
    const QString name = m_software.cell(Field::ProgramName, selectedRow);
    // The lone blank row of an empty list is no record; a record without a
    // name (a file edited by hand) is one, and goes by its place.
    if (name.isEmpty() && m_software.rowCount() <= 2) {
        const QStringList cells = m_software.row(selectedRow);
        if (std::all_of(cells.cbegin(), cells.cend(), [](const QString &c) { return c.isEmpty(); }))
            return result;
    }
    // Unlike the save's warnings, Enter confirms this one.
    if (m_dialogs.confirmOkCancel(WarningTitle, deleteQuestion()) != Dialogs::Answer::Ok)
        return result;

    const Table softwareBefore = m_software;
    const Table historyBefore = m_history;

    // A heading row and one empty record row stay after the deletion.
    if (m_software.rowCount() < 3)
        m_software.setRowCount(3);
    // The history's columns run parallel to the software rows.
    if (selectedRow < m_history.columnCount())
        m_history.removeColumn(selectedRow);
    m_software.removeRow(selectedRow);

    const TableFile::SaveResult saved =
        TableFile::save(m_software, m_catalogueFile, TableFile::Kind::Marked);
    if (!saved.ok) {
        m_software = softwareBefore;
        m_history = historyBefore;
        m_dialogs.error(saved.error);
        return result;
    }
    result.deleted = true;
    result.row = selectedRow;
    // The chooser lists a nameless record as "(unnamed)", by its place.
    result.chooserIndex = name.isEmpty() ? selectedRow - 1 : EditorRules::comboIndex(chooserItems, name);
    const TableFile::SaveResult history =
        TableFile::save(m_history, m_historyFile, TableFile::Kind::Plain);
    if (!history.ok) {
        m_dialogs.error(history.error);
        result.historyNotSaved = true;
    }
    return result;
}
