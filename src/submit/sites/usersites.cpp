#include "submit/sites/usersites.h"

#include "platform/cp1252.h"
#include "platform/recordfile.h"
#include "platform/tablefile.h"
#include "submit/sites/sitelibrary.h"
#include "submit/sites/siterecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("UserSites", text);
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

// Rows named in the message before "and N more".
constexpr int NamedRows = 10;

} // namespace

namespace UserSites {

QList<QStringList> File::sites() const
{
    QList<QStringList> records;
    for (const Entry &entry : entries) {
        if (entry.usable)
            records.append(entry.cells);
    }
    return records;
}

int File::indexOf(const QString &name) const
{
    for (int i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        if (entry.usable
            && entry.cells.value(SiteRecord::SiteName).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void File::setSite(const QString &oldName, const QStringList &record)
{
    Entry entry;
    entry.cells = storedCells(record);
    entry.usable = true;
    int at = oldName.isEmpty() ? -1 : indexOf(oldName);
    if (at < 0)
        at = indexOf(record.value(SiteRecord::SiteName));
    if (at < 0) {
        entries.append(entry);
        return;
    }
    // A rename onto another of the user's sites leaves one record of that name.
    entries[at].usable = false;
    const int other = indexOf(record.value(SiteRecord::SiteName));
    entries[at] = entry;
    if (other >= 0)
        entries.removeAt(other);
}

bool File::removeSite(const QString &name)
{
    const int at = indexOf(name);
    if (at < 0)
        return false;
    entries.removeAt(at);
    return true;
}

QStringList storedCells(const QStringList &record)
{
    QStringList cells = record.mid(0, FixedCells);
    while (cells.size() < FixedCells)
        cells.append(QString());
    for (int c = SiteRecord::FirstFieldMap; c < record.size() && !isBlank(record.at(c)); ++c)
        cells.append(record.at(c));
    return cells;
}

LoadResult load(const QString &path, const Refusal &refusal)
{
    LoadResult result;
    QStringList reasons;
    QSet<QString> names; // case folded, as the submit list matches them
    int row = 0;
    const RecordFile::ReadResult read = RecordFile::readEach(path, [&](QByteArrayView bytes) {
        ++row;
        Entry entry;
        entry.raw = bytes.toByteArray();
        // A record past a library record's size is kept, never read: a
        // hand-made record of megabytes would cost the submit list gigabytes.
        const bool oversized = entry.raw.size() > SiteLibrary::MaxRecordBytes;
        const QString text = oversized ? QString() : Cp1252::decode(entry.raw);
        // Splitting stops past the bound: such a record is kept, never read.
        const qsizetype bars = text.count(QLatin1Char('|'));
        if (bars < MaxCells && !oversized)
            entry.cells = text.split(QLatin1Char('|'));
        QString reason;
        if (oversized)
            reason = tr("row %1 is longer than a site record may be (%2 bytes)")
                         .arg(row)
                         .arg(SiteLibrary::MaxRecordBytes);
        else if (bars >= MaxCells)
            reason = tr("row %1 holds more than %2 cells").arg(row).arg(MaxCells);
        else if (isBlank(text))
            reason = QString(); // an empty record holds no site and needs no word
        else if (entry.cells.size() < FixedCells)
            reason = tr("row %1 holds %2 of the 8 cells name to reg url")
                         .arg(row)
                         .arg(entry.cells.size());
        else if (isBlank(entry.cells.at(SiteRecord::SiteName)))
            reason = tr("row %1 has no site name").arg(row);
        else if (names.contains(entry.cells.at(SiteRecord::SiteName).toCaseFolded()))
            reason = tr("row %1 names the site \"%2\" a second time")
                         .arg(row)
                         .arg(entry.cells.at(SiteRecord::SiteName));
        else if (const QString refused = refusal ? refusal(storedCells(entry.cells)) : QString();
                 !refused.isEmpty())
            reason = tr("row %1, the site \"%2\": %3")
                         .arg(row)
                         .arg(entry.cells.at(SiteRecord::SiteName), refused);
        else
            entry.usable = true;
        if (entry.usable)
            names.insert(entry.cells.at(SiteRecord::SiteName).toCaseFolded());
        if (!entry.usable && (oversized || !isBlank(text))) {
            result.skippedRows.append(row);
            if (reasons.size() < NamedRows)
                reasons.append(reason);
        }
        result.file.entries.append(std::move(entry));
    });
    result.fileExisted = read.exists;
    QStringList parts;
    if (!read.error.isEmpty())
        parts.append(read.error);
    if (!result.skippedRows.isEmpty()) {
        QString skipped = tr("These records of %1 are no site records and were left out of "
                             "the submit list; they stay in the file as they are: %2")
                              .arg(QDir::toNativeSeparators(path), reasons.join(QStringLiteral("; ")));
        if (result.skippedRows.size() > reasons.size())
            skipped += tr("; and %1 more").arg(result.skippedRows.size() - reasons.size());
        parts.append(skipped + QLatin1Char('.'));
    }
    result.problem = parts.join(QLatin1Char('\n'));
    return result;
}

QString save(const File &file, const QString &path)
{
    QList<QByteArray> records;
    records.reserve(file.entries.size());
    for (const Entry &entry : file.entries) {
        if (!entry.raw.isNull() || !entry.usable) {
            records.append(entry.raw);
            continue;
        }
        for (int c = 0; c < entry.cells.size(); ++c) {
            const QString problem = TableFile::cellProblem(entry.cells.at(c));
            if (!problem.isEmpty())
                return tr("Nothing was saved to %1: cell %2 of the site \"%3\" cannot be "
                          "stored, because %4.")
                    .arg(QDir::toNativeSeparators(path))
                    .arg(c)
                    .arg(entry.cells.value(SiteRecord::SiteName), problem);
        }
        records.append(Cp1252::encode(entry.cells.join(QLatin1Char('|'))));
    }
    return RecordFile::write(path, records);
}

} // namespace UserSites
