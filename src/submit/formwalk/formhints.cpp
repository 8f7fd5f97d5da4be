#include "submit/formwalk/formhints.h"

#include <QRegularExpression>
#include <QStringList>

namespace FormHints {

namespace {

bool isBlank(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() > 0x20)
            return false;
    return true;
}

bool containsAny(const QString &text, std::initializer_list<const char *> needles)
{
    for (const char *needle : needles)
        if (text.contains(QLatin1StringView(needle), Qt::CaseInsensitive))
            return true;
    return false;
}

// Names and labels are written "security_code", "securityCode" and
// "Security code" alike: compare them with the separators taken out.
QString squeezed(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c.isLetterOrNumber())
            out.append(c.toLower());
    return out;
}

} // namespace

bool readsAsSending(const QString &caption)
{
    static const QStringList words{
        QStringLiteral("submit"),   QStringLiteral("send"), QStringLiteral("upload"),
        QStringLiteral("add"),      QStringLiteral("save"), QStringLiteral("continue"),
        QStringLiteral("next"),     QStringLiteral("post"), QStringLiteral("publish")};
    static const QRegularExpression nonLetters(QStringLiteral("[^\\p{L}]+"));
    // Whole words: "Address" holds "add", and says nothing about sending.
    for (const QString &word : caption.toLower().split(nonLetters, Qt::SkipEmptyParts))
        if (words.contains(word))
            return true;
    return false;
}

bool isButton(const SnapshotElement &e)
{
    const QString type = e.type.toLower();
    if (e.tag.compare(QLatin1StringView("button"), Qt::CaseInsensitive) == 0)
        return type != u"reset";
    return type == u"button" || type == u"submit" || type == u"image";
}

QString caption(const SnapshotElement &e)
{
    return e.label.isEmpty() ? e.value : e.label;
}

bool asksForPictureCode(const SnapshotElement &e)
{
    static const QStringList textTypes{QStringLiteral("text"), QStringLiteral("number"),
                                       QStringLiteral("tel"), QString()};
    if (e.disabled || !isBlank(e.value) || !textTypes.contains(e.type.toLower()))
        return false;
    const QString said = squeezed(e.name + u' ' + e.id + u' ' + e.label + u' ' + e.placeholder);
    // "characters" alone is any text box's limit; "the characters you see" asks for a code.
    static const QStringList phrases{
        QStringLiteral("captcha"),          QStringLiteral("securitycode"),
        QStringLiteral("verificationcode"), QStringLiteral("charactersyousee"),
        QStringLiteral("charactersshown"),  QStringLiteral("charactersinthe"),
        QStringLiteral("imagecode"),        QStringLiteral("picturecode"),
        QStringLiteral("antispam")};
    for (const QString &phrase : phrases)
        if (said.contains(phrase))
            return true;
    // A picture beside the input that says what it is, by its text or its address.
    return containsAny(e.picture, {"captcha", "security code", "verification", "securimage"});
}

bool isChallengeResponse(const SnapshotElement &e)
{
    static const QStringList names{QStringLiteral("g-recaptcha-response"),
                                   QStringLiteral("h-captcha-response"),
                                   QStringLiteral("cf-turnstile-response")};
    return names.contains(e.name.toLower()) && isBlank(e.value);
}

bool isChallengeFrame(const QString &src)
{
    return containsAny(src, {"recaptcha", "hcaptcha", "challenges.cloudflare.com", "turnstile",
                             "captcha"});
}

} // namespace FormHints
