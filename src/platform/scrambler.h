#pragma once

#include <QByteArray>
#include <QString>

class Settings;

// The credential scrambler: every byte XOR both keys (their low 8 bits).
// Its own inverse; the length never changes. Texts pass through Windows-1252
// so the stored bytes are the ones the user's characters stand for.
namespace Scrambler {

struct KeyPair
{
    int first;
    int second;
};

// Fixed for good: stored settings and credential files can only be read back
// with the pair that wrote them. The pairs also differ in their combined key.
inline constexpr KeyPair LoginUserNameKeys{3, 7};
inline constexpr KeyPair LoginPasswordKeys{5, 2};
inline constexpr KeyPair CredentialFileKeys{9, 4};

QByteArray scramble(const QByteArray &bytes, int firstKey, int secondKey);
QString scramble(const QString &text, int firstKey, int secondKey);
inline QString scramble(const QString &text, KeyPair keys)
{
    return scramble(text, keys.first, keys.second);
}

} // namespace Scrambler

// The default site login of the options view ("Defaults for Logins").
namespace Login {

inline constexpr int MaxLength = 8;

// The built-in pair, held scrambled like stored values (7 characters each).
QString defaultUserNameScrambled();
QString defaultPassWordScrambled();
// The options view keeps its note while the password field holds this text
// (the built-in password).
QString noteComparisonText();

inline QString emptyMessage() { return QStringLiteral("Username / Password can't be empty!"); }
inline QString tooLongMessage()
{
    return QStringLiteral("Username / Password max 8 characters length");
}

// Removes leading and trailing blanks and control characters.
QString trimmed(const QString &text);

// The checks of the "ok" button, in order: the warning to show, or "" when
// the pair may be stored.
QString check(const QString &userName, const QString &passWord);

struct Pair
{
    QString userName;
    QString passWord;
};

// Start-up: the stored pair descrambled; a key that is absent gives the
// built-in default.
Pair load(const Settings &settings);

// "ok" of the options view (`SpeedButton2Click`): the checks, then both
// texts, untrimmed, stored
// scrambled. Returns the warning when nothing was stored, else "".
QString store(Settings &settings, const QString &userName, const QString &passWord);

// `Button_optClick`: whether the note stays visible for this password text.
bool noteStaysVisible(const QString &passWord);

} // namespace Login
