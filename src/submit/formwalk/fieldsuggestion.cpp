#include "submit/formwalk/fieldsuggestion.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"

#include <algorithm>
#include <vector>

namespace {

// Words sites use for what the catalogue calls otherwise.
struct Synonym
{
    const char *word;
    const char *means;
};
constexpr Synonym kSynonyms[] = {
    {"mail", "email"},       {"desc", "description"}, {"descr", "description"},
    {"pwd", "password"},     {"pass", "password"},    {"passwd", "password"},
    {"login", "user"},       {"username", "user"},    {"userid", "user"},
    {"nick", "user"},        {"software", "program"}, {"product", "program"},
    {"app", "program"},      {"prog", "program"},     {"title", "program"},
    {"ver", "version"},      {"cat", "category"},     {"lang", "language"},
    {"postcode", "zip"},     {"postal", "zip"},       {"homepage", "website"},
    {"web", "website"},      {"site", "website"},     {"www", "website"},
    {"link", "url"},         {"tel", "phone"},
    {"telephone", "phone"},  {"firstname", "first"},  {"lastname", "last"},
    {"surname", "last"},     {"screen", "screenshot"},{"shot", "screenshot"},
    {"organization", "company"}, {"organisation", "company"},
};

// Words that say nothing about which field is meant.
constexpr const char *kFiller[] = {
    "the", "of", "your", "you", "a", "an", "and", "or", "to", "for", "in", "on", "is", "my",
    "enter", "please", "here", "max", "maximum", "char", "character", "required", "optional",
    "field", "input", "txt", "text", "box", "value", "new", "edit",
};

// Words of inputs that must never be filled from a product: the site's
// own questions to a human.
constexpr const char *kNotAField[] = {
    "captcha", "letter", "security", "verification", "verify", "human", "spam", "search", "agree",
};

// A suggestion whose words cover less than this of the field's words is no suggestion.
constexpr double MinFieldCover = 0.5;
constexpr double MinInputCover = 1.0 / 3.0;
// Half of each side is a guess, not a suggestion ("Search the site" is no web site).
constexpr double MinScore = 1.2;

constexpr qsizetype MaxCachedPiece = 64;
constexpr qsizetype MaxCachedPieces = 20'000;

// Extra texts that name a field besides its caption, meaning and PAD element.
struct ExtraName
{
    int field;
    const char *text;
};
constexpr ExtraName kExtraNames[] = {
    {PseudoFields::SiteUserName, "user name"},
    {PseudoFields::SiteUserName, "user"},
    {PseudoFields::SitePassword, "password"},
    {Field::ProgramName, "program name"},
    {Field::Desc250, "description"},
    {Field::Desc80, "short description"},
    {Field::Desc2000, "long description"},
    {Field::PrimaryDownloadUrl, "download url"},
    {Field::PrimaryDownloadUrl, "file url"},
    {Field::InfoUrl, "program website"},
    {Field::AuthorEmail, "email"},
    {Field::AuthorEmail, "email address"},
};

// "languages" and "language" are one word; short ones ("os", "vb") keep their s.
QString singular(const QString &word)
{
    if (word.size() > 3 && word.endsWith(u's') && !word.endsWith(QLatin1String("ss")))
        return word.left(word.size() - 1);
    return word;
}

// Lower-case pieces at signs, blanks, letter/digit changes and camelCase
// ("PADFileURL" -> pad, file, url).
QStringList rawPieces(const QString &text)
{
    QStringList pieces;
    QString current;
    auto flush = [&] {
        if (!current.isEmpty())
            pieces.append(current.toLower());
        current.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isLetterOrNumber()) {
            flush();
            continue;
        }
        if (!current.isEmpty()) {
            const QChar prev = text.at(i - 1);
            const bool next = i + 1 < text.size() && text.at(i + 1).isLower();
            if ((prev.isLower() && c.isUpper()) || (prev.isUpper() && c.isUpper() && next)
                || prev.isDigit() != c.isDigit())
                flush();
        }
        current += c;
    }
    flush();
    // "e-mail" and "e mail" are one word.
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        if (pieces.at(i) == u"e" && pieces.at(i + 1) == u"mail")
            pieces.replace(i, QStringLiteral("email")), pieces.removeAt(i + 1);
    return pieces;
}

} // namespace

FieldSuggester::FieldSuggester()
{
    for (const Synonym &s : kSynonyms) {
        m_vocabulary.insert(QString::fromLatin1(s.word));
        m_synonyms.insert(QString::fromLatin1(s.word), QString::fromLatin1(s.means));
    }
    for (const char *f : kFiller)
        m_filler.insert(QString::fromLatin1(f));
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        const FieldInfo &f = FieldCatalogue::field(n);
        // Nothing a form asks for: the reserved cell, the mark, the site tokens.
        if (f.kind == EditorKind::Reserved || f.kind == EditorKind::Mark
            || n == Field::SiteCategoryNames || n == Field::OsSiteTokens)
            continue;
        addCandidate(n, QString::fromLatin1(f.meaning));
        if (f.caption)
            addCandidate(n, QString::fromLatin1(f.caption));
        if (f.padElement)
            addCandidate(n, QString::fromLatin1(f.padElement));
    }
    for (const ExtraName &e : kExtraNames)
        addCandidate(e.field, QString::fromLatin1(e.text));
}

void FieldSuggester::addCandidate(int field, const QString &text)
{
    QSet<QString> set;
    for (const QString &piece : rawPieces(text)) {
        const QString word = synonymOf(singular(piece));
        if (word.size() < 2 || m_filler.contains(word))
            continue;
        set.insert(word);
        m_vocabulary.insert(word);
        m_vocabulary.insert(piece);
    }
    if (set.isEmpty())
        return;
    for (const QString &word : set)
        m_byWord[word].append(int(m_candidates.size()));
    m_candidates.append({field, set});
}

QStringList FieldSuggester::splitKnown(const QString &word) const
{
    if (m_vocabulary.contains(word) || word.size() > 64)
        return {word};
    // Fewest known pieces of two letters or more that make up the word.
    const qsizetype n = word.size();
    std::vector<int> pieces(n + 1, -1), from(n + 1, -1);
    pieces[0] = 0;
    for (qsizetype end = 2; end <= n; ++end) {
        for (qsizetype begin = 0; begin + 2 <= end; ++begin) {
            if (pieces[begin] < 0 || !m_vocabulary.contains(word.mid(begin, end - begin)))
                continue;
            if (pieces[end] < 0 || pieces[begin] + 1 < pieces[end]) {
                pieces[end] = pieces[begin] + 1;
                from[end] = int(begin);
            }
        }
    }
    if (pieces[n] < 0)
        return {word};
    QStringList out;
    for (qsizetype end = n; end > 0; end = from[end])
        out.prepend(word.mid(from[end], end - from[end]));
    return out;
}

const QStringList &FieldSuggester::wordsOfPiece(const QString &piece) const
{
    auto cached = m_pieceCache.constFind(piece);
    if (cached != m_pieceCache.cend())
        return *cached;
    QStringList words;
    for (const QString &part : splitKnown(piece)) {
        const QString word = synonymOf(singular(part));
        if (word.size() >= 2 && !m_filler.contains(word))
            words.append(word);
    }
    // A hostile page's endless distinct or endless long words must not grow
    // the cache out of proportion: real words are short and repeat.
    if (piece.size() > MaxCachedPiece) {
        m_uncached = words;
        return m_uncached;
    }
    if (m_pieceCache.size() >= MaxCachedPieces)
        m_pieceCache.clear();
    return *m_pieceCache.insert(piece, words);
}

QStringList FieldSuggester::words(const QString &text) const
{
    QStringList out;
    for (const QString &piece : rawPieces(text))
        for (const QString &word : wordsOfPiece(piece))
            if (!out.contains(word))
                out.append(word);
    return out;
}

std::optional<FieldSuggester::Score> FieldSuggester::best(const QString &text) const
{
    // "Key words" means the field "Keywords": the text run together is tried too.
    QString joined;
    for (QChar c : text)
        if (c.isLetterOrNumber())
            joined += c;
    const std::optional<Score> apart = best(words(text));
    const std::optional<Score> together = joined == text ? std::nullopt : best(words(joined));
    if (together && (!apart || together->value > apart->value))
        return together;
    return apart;
}

std::optional<FieldSuggester::Score> FieldSuggester::best(const QStringList &input) const
{
    if (input.isEmpty())
        return std::nullopt;
    for (const char *word : kNotAField)
        if (input.contains(QLatin1String(word)))
            return std::nullopt;
    // Matched words per candidate that shares any; in candidate order for the ties.
    std::vector<int> matches(m_candidates.size(), 0);
    std::vector<int> touched;
    for (const QString &w : input) {
        const auto holders = m_byWord.constFind(w);
        if (holders == m_byWord.cend())
            continue;
        for (int c : *holders)
            if (matches[c]++ == 0)
                touched.push_back(c);
    }
    std::sort(touched.begin(), touched.end());
    std::optional<Score> best;
    for (int index : touched) {
        const Candidate &c = m_candidates.at(index);
        const int matched = matches[index];
        const double inputCover = double(matched) / double(input.size());
        const double fieldCover = double(matched) / double(c.words.size());
        if (inputCover < MinInputCover || fieldCover < MinFieldCover)
            continue;
        // Ties go to the field listed first: the author before the contact.
        const double value = inputCover + fieldCover;
        if (value < MinScore)
            continue;
        if (!best || value > best->value)
            best = Score{value, c.field};
    }
    return best;
}

std::optional<int> FieldSuggester::suggest(const QString &inputName, const QString &label) const
{
    const std::optional<Score> byName = best(inputName);
    const std::optional<Score> byLabel = best(label);
    if (byName && (!byLabel || byName->value >= byLabel->value))
        return byName->field;
    if (byLabel)
        return byLabel->field;
    return std::nullopt;
}
