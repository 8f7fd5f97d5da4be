#include "platform/scrambler.h"

#include "platform/cp1252.h"
#include "platform/settings.h"

#include <QCoreApplication>

namespace Scrambler {

QByteArray scramble(const QByteArray &bytes, int firstKey, int secondKey)
{
    const char key = char((firstKey ^ secondKey) & 0xFF);
    QByteArray out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = char(bytes.at(i) ^ key);
    return out;
}

QString scramble(const QString &text, int firstKey, int secondKey)
{
    return Cp1252::decode(scramble(Cp1252::encode(text), firstKey, secondKey));
}

} // namespace Scrambler

namespace Login {

QString defaultUserNameScrambled()
{
    return QStringLiteral("oahreja");
}

QString defaultPassWordScrambled()
{
    return QStringLiteral("lbkwftt");
}

QString noteComparisonText()
{
    return QStringLiteral("kelpass");
}

QString trimmed(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

QString check(const QString &userName, const QString &passWord)
{
    if (trimmed(userName).isEmpty() || trimmed(passWord).isEmpty())
        return emptyMessage();
    if (userName.size() > MaxLength || passWord.size() > MaxLength)
        return tooLongMessage();
    // The stored form is bytes: a character without a Windows-1252 byte
    // would come back as something else.
    for (const QString &text : {userName, passWord}) {
        const qsizetype bad = Cp1252::firstUnencodable(text);
        if (bad >= 0)
            return QCoreApplication::translate(
                       "Login", "Username / Password can't hold the character \"%1\".")
                .arg(text.mid(bad, text.at(bad).isHighSurrogate() ? 2 : 1));
    }
    return QString();
}

Pair load(const Settings &settings)
{
    QString userName = settings.userNameStored();
    QString passWord = settings.passWordStored();
    // Settings gives "" for an absent key; only a pair written as such may be
    // empty (the "ok" button never writes empty values).
    if (!settings.hasLogin()) {
        if (userName.isEmpty())
            userName = defaultUserNameScrambled();
        if (passWord.isEmpty())
            passWord = defaultPassWordScrambled();
    }
    return {Scrambler::scramble(userName, Scrambler::LoginUserNameKeys),
            Scrambler::scramble(passWord, Scrambler::LoginPasswordKeys)};
}

QString store(Settings &settings, const QString &userName, const QString &passWord)
{
    const QString warning = check(userName, passWord);
    if (!warning.isEmpty())
        return warning;
    settings.setLoginStored(Scrambler::scramble(userName, Scrambler::LoginUserNameKeys),
                            Scrambler::scramble(passWord, Scrambler::LoginPasswordKeys));
    return QString();
}

bool noteStaysVisible(const QString &passWord)
{
    return passWord == noteComparisonText();
}

} // namespace Login
