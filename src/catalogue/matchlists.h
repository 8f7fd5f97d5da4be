#pragma once

#include <QString>
#include <QStringList>

// The four match lists describe the selected record in the words download
// sites use in their choice lists; the form walk reads them for fields 48,
// 10, 11 and 12. `record` is the selected row (missing cells read as "").
struct MatchLists
{
    QStringList category;
    QStringList release;
    QStringList os;
    QStringList language;

    static QStringList buildCategory(const QStringList &record);
    static QStringList buildRelease(const QStringList &record);
    static QStringList buildOs(const QStringList &record);
    static QStringList buildLanguage(const QStringList &record);
    // All four, built in the order category, release, OS, language.
    static MatchLists build(const QStringList &record);
};
