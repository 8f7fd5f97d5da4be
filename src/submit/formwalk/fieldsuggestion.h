#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Suggests the catalogue field an input of a site's form wants, from the
// input's name and the label beside it, by matching their words against the
// field captions, the fields' meanings and their PAD element names. Only a
// suggestion: the user confirms every pick.
class FieldSuggester
{
public:
    FieldSuggester();

    // "padURL", "pad_url", "PAD file URL" all give 57; nullopt when nothing
    // fits well enough (a captcha, a submit button).
    std::optional<int> suggest(const QString &inputName, const QString &label = QString()) const;

    // The words of a text as the matching sees them: lower case, split at
    // blanks, "_", "-", ".", any other sign and camelCase, run-together
    // words split into known ones ("padurl" -> "pad", "url"), synonyms
    // folded ("desc" -> "description"), plurals and filler words dropped.
    QStringList words(const QString &text) const;

private:
    struct Candidate
    {
        int field;
        QSet<QString> words;
    };
    struct Score
    {
        double value = 0;
        int field = 0;
    };

    void addCandidate(int field, const QString &text);
    QStringList splitKnown(const QString &word) const;
    // The words one lower-case piece of a text gives.
    const QStringList &wordsOfPiece(const QString &piece) const;
    QString synonymOf(const QString &word) const { return m_synonyms.value(word, word); }
    std::optional<Score> best(const QString &text) const;
    std::optional<Score> best(const QStringList &words) const;

    QList<Candidate> m_candidates;
    // Which candidates hold a word, so an input meets only those sharing one.
    QHash<QString, QList<int>> m_byWord;
    QSet<QString> m_vocabulary;
    QHash<QString, QString> m_synonyms;
    QSet<QString> m_filler;
    // Pages repeat their words: each piece is split and folded once.
    mutable QHash<QString, QStringList> m_pieceCache;
    mutable QStringList m_uncached;
};
