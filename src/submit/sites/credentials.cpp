#include "submit/sites/credentials.h"

#include "platform/cp1252.h"
#include "platform/recordfile.h"
#include "platform/scrambler.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QSet>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Credentials", text);
}

// The pair's column must lie before the mark column, or a pair would become a mark.
bool hasColumn(const Table &submitList)
{
    return SiteRecord::UserPass < Marks::column(submitList);
}

QByteArray scrambled(const QByteArray &bytes)
{
    return Scrambler::scramble(bytes, Scrambler::CredentialFileKeys.first,
                               Scrambler::CredentialFileKeys.second);
}

} // namespace

namespace Credentials {

bool isEmpty(const QString &userPass)
{
    return Login::trimmed(userPass).isEmpty();
}

QByteArray recordText(const QString &siteName, const QString &userPass)
{
    QByteArray text = Cp1252::encode(siteName);
    text.append('\t');
    text.append(scrambled(Cp1252::encode(userPass)));
    return text;
}

LoadResult load(Table &submitList, const QString &path)
{
    LoadResult result;
    const RecordFile::ReadResult file = RecordFile::read(path);
    result.fileExisted = file.exists;
    result.problem = file.error;
    if (!hasColumn(submitList))
        return result;
    QSet<int> filled;
    for (const QByteArray &record : file.records) {
        const qsizetype tab = record.indexOf('\t');
        if (tab <= 0) {
            ++result.malformed;
            continue;
        }
        const int row = submitList.findRow(SiteRecord::SiteName, Cp1252::decode(record.left(tab)));
        if (row < 1) {
            ++result.unknownSites;
            continue;
        }
        if (filled.contains(row)) {
            ++result.duplicates;
            continue;
        }
        filled.insert(row);
        submitList.setCell(SiteRecord::UserPass, row,
                           Cp1252::decode(scrambled(record.mid(tab + 1))));
        ++result.loaded;
    }
    return result;
}

QString write(const Table &submitList, const QString &path)
{
    QList<QByteArray> records;
    const bool hasPairs = hasColumn(submitList);
    if (hasPairs) {
        for (int r = 1; r < submitList.rowCount(); ++r) {
            const QString userPass = submitList.cell(SiteRecord::UserPass, r);
            if (!isEmpty(userPass))
                records.append(recordText(submitList.cell(SiteRecord::SiteName, r), userPass));
        }
    }
    // The pair of a site the list does not hold now (a library update that
    // left it out for a while, a site renamed) stays as it was, to come
    // back with the site.
    for (const QByteArray &record : RecordFile::read(path).records) {
        const qsizetype tab = record.indexOf('\t');
        if (tab > 0
            && (!hasPairs || submitList.findRow(SiteRecord::SiteName, Cp1252::decode(record.left(tab))) < 1))
            records.append(record);
    }
    return RecordFile::write(path, records, RecordFile::Access::OwnerOnly);
}

std::optional<DialogFields> dialogFor(const Table &submitList, int siteRow)
{
    if (siteRow < 1)
        return std::nullopt;
    const QString site = submitList.cell(SiteRecord::SiteName, siteRow);
    if (site.isEmpty())
        return std::nullopt;
    const QString userPass = submitList.cell(SiteRecord::UserPass, siteRow);
    const qsizetype tab = userPass.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return DialogFields{site, QString(), userPass};
    return DialogFields{site, userPass.left(tab), userPass.mid(tab + 1)};
}

QString check(const QString &userName, const QString &passWord)
{
    for (const QString &text : {userName, passWord}) {
        if (text.contains(QLatin1Char('\t')))
            return tr("Username / Password can't hold a tab.");
        const qsizetype bad = Cp1252::firstUnencodable(text);
        if (bad >= 0)
            return tr("Username / Password can't hold the character \"%1\".")
                .arg(text.mid(bad, text.at(bad).isHighSurrogate() ? 2 : 1));
    }
    return QString();
}

QString store(Table &submitList, int row, const QString &userName, const QString &passWord,
              const QString &path)
{
    const QString refusal = check(userName, passWord);
    if (!refusal.isEmpty())
        return refusal;
    if (row < 1 || row >= submitList.rowCount() || !hasColumn(submitList))
        return QString();
    submitList.setCell(SiteRecord::UserPass, row, userName + QLatin1Char('\t') + passWord);
    return write(submitList, path);
}

} // namespace Credentials
