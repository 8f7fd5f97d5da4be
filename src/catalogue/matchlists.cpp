#include "catalogue/matchlists.h"

#include "catalogue/fieldcatalogue.h"

namespace {

const QChar Tab = QLatin1Char('\t');
const QChar Comma = QLatin1Char(',');
const QChar Amp = QLatin1Char('&');

// The texts between one tab and the next; `rest` gets the text after the
// last tab (the whole text when it holds none).
QStringList tabTokens(const QString &text, QString *rest = nullptr)
{
    QStringList parts = text.split(Tab);
    if (rest)
        *rest = parts.last();
    if (parts.size() < 2)
        return QStringList();
    parts.removeFirst();
    parts.removeLast();
    return parts;
}

// Sites write "&" in their choice lists as "and" or as the HTML entity.
void addAmpersandVariants(QStringList &list, const QString &text)
{
    const qsizetype amp = text.indexOf(Amp);
    if (amp < 0)
        return;
    const QString before = text.left(amp);
    const QString after = text.mid(amp + 1);
    list.append(before + QLatin1String("and") + after);
    list.append(before + QLatin1String("&amp;") + after);
}

bool holdsIgnoringCase(const QStringList &list, const QString &text)
{
    return list.contains(text, Qt::CaseInsensitive);
}

} // namespace

QStringList MatchLists::buildCategory(const QStringList &record)
{
    QStringList list;
    const QString classKey = record.value(Field::CategoryClass);
    const QString siteNames = record.value(Field::SiteCategoryNames);
    const QString suggested = record.value(Field::SuggestedCategories);

    // A key without "::" (a PAD import can bring one) is taken as the
    // sub-category as a whole, with no main category.
    const qsizetype separator = classKey.indexOf(QLatin1String("::"));
    const QString subCategory = separator < 0 ? classKey : classKey.mid(separator + 2);
    QString mainCategory = separator < 0 ? QString() : classKey.left(separator);

    list.append(subCategory);
    addAmpersandVariants(list, subCategory);

    const QStringList tokens = tabTokens(siteNames);
    for (const QString &token : tokens) {
        if (token.trimmed().isEmpty())
            continue;
        list.append(token);
        addAmpersandVariants(list, token);
    }

    if (!suggested.trimmed().isEmpty()) {
        if (suggested.contains(Comma)) {
            const QStringList parts = suggested.split(Comma);
            for (const QString &part : parts)
                list.append(part.trimmed());
        } else {
            list.append(suggested);
        }
    }

    // Each half of "Editors & Converters" on its own, once.
    for (const QString &token : tokens) {
        const qsizetype amp = token.indexOf(Amp);
        if (amp < 0)
            continue;
        const QString before = token.left(amp).chopped(amp > 0 ? 1 : 0);
        if (!holdsIgnoringCase(list, before))
            list.append(before);
        const QString after = token.mid(amp + 2);
        if (!holdsIgnoringCase(list, after))
            list.append(after);
    }

    const qsizetype amp = mainCategory.indexOf(Amp);
    if (amp >= 0)
        mainCategory = mainCategory.mid(amp + 2);
    list.append(mainCategory);
    return list;
}

QStringList MatchLists::buildRelease(const QStringList &record)
{
    const QString status = record.value(Field::ReleaseStatus);
    QStringList list{status};
    if (status.contains(QLatin1String("Update"), Qt::CaseSensitive))
        list << QStringLiteral("Update") << QStringLiteral("Upgrade")
             << QStringLiteral("New software version") << QStringLiteral("true");
    else
        list << QStringLiteral("New") << QStringLiteral("Add to") << QStringLiteral("false");
    return list;
}

QStringList MatchLists::buildOs(const QStringList &record)
{
    QStringList list;
    QString names = record.value(Field::OsSupport) + Comma;
    while (names.contains(Comma)) {
        const qsizetype comma = names.indexOf(Comma);
        if (!names.trimmed().isEmpty())
            list.append(names.left(comma));
        names = names.mid(comma + 1);
    }

    QString summary;
    const QStringList tokens = tabTokens(record.value(Field::OsSiteTokens), &summary);
    for (const QString &token : tokens)
        if (!token.trimmed().isEmpty())
            list.append(token);

    // Sites that offer one "Windows" box want the run of versions covered.
    const QString text = list.join(QLatin1Char('\n'));
    const auto has = [&text](const char *what) {
        return text.contains(QLatin1String(what), Qt::CaseSensitive);
    };
    if (has("95") && has("98"))
        summary = QStringLiteral("95,98");
    if (summary == QLatin1String("95,98") && has("Me"))
        summary = QStringLiteral("95,98,Me");
    if (summary == QLatin1String("95,98,Me") && has("NT"))
        summary = QStringLiteral("95,98,Me,NT");
    if (summary == QLatin1String("95,98,Me,NT") && has("2000"))
        summary = QStringLiteral("95,98,Me,NT,2000");
    if (summary == QLatin1String("95,98,Me,NT,2000") && has("XP"))
        summary = QStringLiteral("95,98,Me,NT,2000,XP");
    list.prepend(summary);
    return list;
}

QStringList MatchLists::buildLanguage(const QStringList &record)
{
    const QString languages = record.value(Field::Languages);
    if (!languages.contains(Comma))
        return QStringList{languages};
    QStringList parts = (languages + Comma).split(Comma);
    parts.removeLast();
    return parts;
}

MatchLists MatchLists::build(const QStringList &record)
{
    MatchLists lists;
    lists.category = buildCategory(record);
    lists.release = buildRelease(record);
    lists.os = buildOs(record);
    lists.language = buildLanguage(record);
    return lists;
}
