#include "submit/sites/sitepack.h"

#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SitePack", text);
}

using namespace SiteRecord;

// The site record's cells a pack carries, by key; UserPass never.
struct Key
{
    const char *name;
    int column;
    bool required;
};
constexpr Key Keys[] = {
    {"name", SiteName, true},
    {"homePage", HomePage, false},
    {"notes", Notes, false},
    {"auto", Auto, false},
    {"submitPage", SubmitPage, true},
    {"login", Login, true},
    {"registrationPage", RegUrl, false},
};
constexpr const char *FieldMapKey = "fieldMap";

// Lists and objects a pack may hold before it is parsed: an object costs
// the parser far more memory than its bytes, so a file of nothing but small
// lists would take gigabytes. Room for each site's own, and keys of later
// versions.
constexpr qsizetype MaxContainers = 16 * qsizetype(SitePack::MaxSites);
// Unknown keys named in the note.
constexpr int NamedKeys = 10;

// A key, name or reason as the user is shown it: a hostile pack's megabyte
// of name would not fit a window.
QString shown(const QString &text, int maxChars = SitePack::MaxShownChars)
{
    return text.size() > maxChars ? text.left(maxChars) + QChar(0x2026) : text;
}

void appendString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (uchar(c) < 0x20)
            out += "\\u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
        else
            out += c;
    }
    out += '"';
}

// Counts '[' and '{' outside strings, stopping once past `limit`.
qsizetype containerCount(const QByteArray &bytes, qsizetype limit)
{
    qsizetype count = 0;
    bool inString = false;
    for (qsizetype i = 0; i < bytes.size() && count <= limit; ++i) {
        const char c = bytes.at(i);
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++count;
        }
    }
    return count;
}

bool looksLikeWebPage(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xef\xbb\xbf"))
        view = view.sliced(3);
    return view.trimmed().startsWith('<');
}

bool isCredentialKey(const QString &key)
{
    QString letters;
    for (const QChar c : key) {
        if (c.isLetterOrNumber())
            letters += c.toCaseFolded();
    }
    static const QSet<QString> names = {
        QStringLiteral("user"),     QStringLiteral("username"),    QStringLiteral("userpass"),
        QStringLiteral("pass"),     QStringLiteral("passwd"),      QStringLiteral("pwd"),
        QStringLiteral("password"), QStringLiteral("credentials"),
    };
    return names.contains(letters) || letters.contains(QLatin1String("password"));
}

bool isKnownKey(const QString &key)
{
    if (key == QLatin1String(FieldMapKey))
        return true;
    return std::any_of(std::begin(Keys), std::end(Keys),
                       [&](const Key &k) { return key == QLatin1String(k.name); });
}

// Addresses the browser would run or read from disk instead of fetching;
// an e-mail site's recipient is not held to the web rules by the site editor.
bool isScriptOrFileAddress(const QString &cell)
{
    const QString text = cell.trimmed();
    for (const char *scheme : {"javascript:", "vbscript:", "file:", "data:"}) {
        if (text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString siteName(const QJsonValue &site)
{
    return site.toObject().value(QLatin1String("name")).toString();
}

// The site's stored cells, or why the pack's object is no site.
QString readSite(const QJsonObject &object, QStringList &cells)
{
    cells = QStringList(UserSites::FixedCells, QString());
    qsizetype chars = 0;
    for (const Key &key : Keys) {
        const QJsonValue value = object.value(QLatin1String(key.name));
        if (value.isUndefined()) {
            if (key.required)
                return tr("the key \"%1\" is missing").arg(QLatin1String(key.name));
            continue;
        }
        if (!value.isString())
            return tr("the key \"%1\" holds no text").arg(QLatin1String(key.name));
        cells[key.column] = value.toString();
        chars += cells.at(key.column).size();
    }
    const QJsonValue map = object.value(QLatin1String(FieldMapKey));
    if (!map.isUndefined() && !map.isArray())
        return tr("the key \"%1\" holds no list").arg(QLatin1String(FieldMapKey));
    const QJsonArray entries = map.toArray();
    if (entries.size() > SitePack::MaxFieldMapEntries)
        return tr("its field map holds %1 entries, more than a site may have (%2)")
            .arg(entries.size())
            .arg(SitePack::MaxFieldMapEntries);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonValue entry = entries.at(i);
        if (!entry.isString())
            return tr("field map entry %1 holds no text").arg(i + 1);
        cells.append(entry.toString());
        chars += cells.constLast().size();
        if (chars > SitePack::MaxSiteChars)
            break;
        if (cells.constLast().trimmed().isEmpty())
            return tr("field map entry %1 is blank, which would end the field map there")
                .arg(i + 1);
    }
    if (chars > SitePack::MaxSiteChars)
        return tr("its texts are longer than a site's may be (%1 characters)")
            .arg(SitePack::MaxSiteChars);
    for (const int column : {HomePage, SubmitPage, RegUrl}) {
        if (isScriptOrFileAddress(cells.at(column)))
            return tr("the %1 column holds a script or file address, which a site may not name")
                .arg(SubmitList::headings().value(column));
    }
    return QString();
}

QString noteFor(const QStringList &keys)
{
    if (keys.isEmpty())
        return QString();
    QStringList named;
    for (int i = 0; i < keys.size() && i < NamedKeys; ++i)
        named.append(QLatin1Char('"') + keys.at(i) + QLatin1Char('"'));
    QString note = tr("The pack's sites hold keys this version does not know; they were "
                      "ignored: %1")
                       .arg(named.join(QStringLiteral(", ")));
    if (keys.size() > named.size())
        note += tr(" and %1 more").arg(keys.size() - named.size());
    return note + QLatin1Char('.');
}

QString foldedName(const QStringList &record)
{
    return record.value(SiteName).toCaseFolded();
}

// Name to index, the first of a name winning.
QHash<QString, qsizetype> byName(const QList<QStringList> &sites)
{
    QHash<QString, qsizetype> index;
    index.reserve(sites.size());
    for (qsizetype i = sites.size() - 1; i >= 0; --i)
        index.insert(foldedName(sites.at(i)), i);
    return index;
}

QString fieldMapText(const QStringList &cells)
{
    return cells.mid(FirstFieldMap).join(QLatin1Char('\n'));
}

} // namespace

namespace SitePack {

QByteArray write(const QList<QStringList> &siteRecords, const QString &programText,
                 const QDate &created)
{
    QByteArray out = "{\n    \"format\": ";
    appendString(out, QLatin1String(FormatName));
    out += ",\n    \"version\": " + QByteArray::number(Version) + ",\n    \"program\": ";
    appendString(out, programText);
    if (created.isValid()) {
        out += ",\n    \"created\": ";
        appendString(out, created.toString(Qt::ISODate));
    }
    out += ",\n    \"sites\": [";
    for (qsizetype s = 0; s < siteRecords.size(); ++s) {
        const QStringList cells = UserSites::storedCells(siteRecords.at(s));
        out += s == 0 ? "\n        {" : ",\n        {";
        for (const Key &key : Keys) {
            out += "\n            \"" + QByteArray(key.name) + "\": ";
            appendString(out, cells.at(key.column));
            out += ',';
        }
        out += "\n            \"" + QByteArray(FieldMapKey) + "\": [";
        for (int c = FirstFieldMap; c < cells.size(); ++c) {
            out += c == FirstFieldMap ? "\n                " : ",\n                ";
            appendString(out, cells.at(c));
        }
        out += cells.size() > FirstFieldMap ? "\n            ]\n        }" : "]\n        }";
    }
    out += siteRecords.isEmpty() ? "]\n}\n" : "\n    ]\n}\n";
    return out;
}

ReadResult read(const QByteArray &bytes, const Refusal &siteRule)
{
    ReadResult result;
    const auto refuse = [&](Status status, const QString &message) {
        result.status = status;
        result.message = message;
        result.sites.clear();
        result.refused.clear();
        result.unknownKeys.clear();
        return result;
    };
    if (bytes.size() > MaxFileBytes)
        return refuse(Status::TooLarge,
                      tr("The file is larger than a site pack may be (%1 bytes; at most %2).")
                          .arg(bytes.size())
                          .arg(MaxFileBytes));
    if (bytes.trimmed().isEmpty())
        return refuse(Status::NotAPack, tr("The file is empty; it holds no site pack."));
    if (looksLikeWebPage(bytes))
        return refuse(Status::NotAPack,
                      tr("The file is a web page, not a site pack; a download may have brought "
                         "an error page in its place."));
    if (containerCount(bytes, MaxContainers) > MaxContainers)
        return refuse(Status::TooLarge,
                      tr("The file holds more lists and objects than a site pack of %1 sites "
                         "could.")
                          .arg(MaxSites));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return refuse(Status::NotAPack,
                      tr("The file is no site pack: it is not JSON text (%1 at byte %2).")
                          .arg(error.errorString())
                          .arg(error.offset));
    const QJsonObject top = document.object();
    if (top.value(QLatin1String("format")).toString() != QLatin1String(FormatName))
        return refuse(Status::NotAPack,
                      tr("The file is JSON, but no site pack: it lacks \"format\": \"%1\".")
                          .arg(QLatin1String(FormatName)));
    const QJsonValue version = top.value(QLatin1String("version"));
    const double number = version.toDouble(-1);
    if (number < 1 || (number <= Version && number != std::floor(number)))
        return refuse(Status::NotAPack,
                      tr("The site pack gives no version this program can read (\"version\" "
                         "must be a whole number)."));
    if (number > Version)
        return refuse(Status::NewerVersion,
                      tr("The site pack was made by a newer version of the program (pack "
                         "version %1; this one reads up to %2); update it first.")
                          .arg(QString::number(number, 'g', 16))
                          .arg(Version));
    result.version = int(number);
    result.program = top.value(QLatin1String("program")).toString();
    result.created = QDate::fromString(top.value(QLatin1String("created")).toString(), Qt::ISODate);
    const QJsonValue list = top.value(QLatin1String("sites"));
    if (!list.isArray())
        return refuse(Status::NotAPack,
                      tr("The site pack holds no list of sites (\"sites\": [ ... ])."));
    const QJsonArray sites = list.toArray();
    if (sites.size() > MaxSites)
        return refuse(Status::TooLarge, tr("The site pack holds %1 sites; a pack may hold at "
                                           "most %2. Nothing was read from it.")
                                            .arg(sites.size())
                                            .arg(MaxSites));

    // Credentials refuse the whole pack, wherever they stand in it.
    for (qsizetype s = 0; s < sites.size(); ++s) {
        const QJsonObject object = sites.at(s).toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!isCredentialKey(it.key()))
                continue;
            const QString name = shown(siteName(sites.at(s)));
            const QString which = name.isEmpty() ? tr("Site %1 of this pack").arg(s + 1)
                                                 : tr("The site \"%1\" in this pack").arg(name);
            return refuse(Status::HasCredentials,
                          tr("%1 carries a user name or password (the key \"%2\"). A site pack "
                             "never carries them, so nothing was read from it.")
                              .arg(which, shown(it.key())));
        }
    }

    QSet<QString> names;
    QSet<QString> unknown;
    for (qsizetype s = 0; s < sites.size(); ++s) {
        RefusedSite refused;
        refused.number = int(s + 1);
        if (!sites.at(s).isObject()) {
            refused.reason = tr("it is no site (an object in braces)");
            result.refused.append(refused);
            continue;
        }
        const QJsonObject object = sites.at(s).toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!isKnownKey(it.key()))
                unknown.insert(shown(it.key()));
        }
        const QString name = siteName(sites.at(s));
        refused.name = shown(name);
        // The first site of a name takes it, taken or refused.
        const QString folded = name.toCaseFolded();
        const bool twice = !name.isEmpty() && names.contains(folded);
        names.insert(folded);
        QStringList cells;
        if (twice)
            refused.reason = tr("its name appears twice in the pack");
        else
            refused.reason = readSite(object, cells);
        if (refused.reason.isEmpty() && siteRule)
            refused.reason = shown(siteRule(cells), 4 * MaxShownChars); // it may quote a cell
        if (refused.reason.isEmpty())
            result.sites.append(cells);
        else
            result.refused.append(refused);
    }
    result.unknownKeys = QStringList(unknown.cbegin(), unknown.cend());
    result.unknownKeys.sort();
    result.note = noteFor(result.unknownKeys);
    result.status = Status::Ok;
    return result;
}

Comparison compare(const QList<QStringList> &packSites, const QList<QStringList> &librarySites,
                   const QList<QStringList> &userSites)
{
    const QHash<QString, qsizetype> library = byName(librarySites);
    const QHash<QString, qsizetype> user = byName(userSites);
    const QStringList captions = SubmitList::headings();
    Comparison comparison;
    comparison.sites.reserve(packSites.size());
    for (const QStringList &pack : packSites) {
        SiteComparison site;
        site.name = pack.value(SiteName);
        const QString key = foldedName(pack);
        const QStringList *ours = nullptr;
        if (const auto it = user.constFind(key); it != user.constEnd()) {
            site.ours = Ours::User;
            ours = &userSites.at(*it);
        } else if (const auto at = library.constFind(key); at != library.constEnd()) {
            site.ours = Ours::Library;
            ours = &librarySites.at(*at);
        }
        if (!ours) {
            site.state = State::New;
            ++comparison.newCount;
            comparison.sites.append(site);
            continue;
        }
        const QStringList a = UserSites::storedCells(*ours);
        const QStringList b = UserSites::storedCells(pack);
        for (int c = 0; c < UserSites::FixedCells; ++c) {
            if (c != UserPass && a.at(c) != b.at(c))
                site.differences.append({captions.value(c), a.at(c), b.at(c)});
        }
        const QString ourMap = fieldMapText(a);
        const QString theirMap = fieldMapText(b);
        if (ourMap != theirMap)
            site.differences.append({tr("field map"), ourMap, theirMap});
        site.state = site.differences.isEmpty() ? State::Same : State::Differs;
        ++(site.differences.isEmpty() ? comparison.sameCount : comparison.differsCount);
        comparison.sites.append(site);
    }
    return comparison;
}

UserSites::File apply(UserSites::File file, const QList<QStringList> &chosen)
{
    // Name to entry, as File::indexOf finds them, without a walk per site.
    QHash<QString, qsizetype> at;
    for (qsizetype i = file.entries.size() - 1; i >= 0; --i) {
        if (file.entries.at(i).usable)
            at.insert(foldedName(file.entries.at(i).cells), i);
    }
    for (const QStringList &record : chosen) {
        UserSites::Entry entry;
        entry.cells = UserSites::storedCells(record);
        entry.cells[UserPass].clear();
        entry.usable = true;
        const QString key = foldedName(entry.cells);
        if (const auto it = at.constFind(key); it != at.constEnd()) {
            file.entries[*it] = std::move(entry);
        } else {
            at.insert(key, file.entries.size());
            file.entries.append(std::move(entry));
        }
    }
    return file;
}

} // namespace SitePack
