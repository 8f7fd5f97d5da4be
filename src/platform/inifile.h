#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// An ini file as the platform it comes from reads it: sections and keys
// matched without regard to letter case, values trimmed and taken whole
// (commas included), one pair of surrounding quotes removed. Every line is
// kept as it was, comments and unknown keys included, so writing the file
// back changes only the lines that were set. Text is Windows-1252.
class IniFile
{
public:
    static IniFile parse(const QByteArray &bytes);
    QByteArray toBytes() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Replaces the key's first line, or adds it at the end of its section
    // (the section at the end of the file). Line breaks in the value become
    // blanks: a line cannot hold them.
    void setValue(const QString &section, const QString &key, const QString &value);

    // Line numbers (from 1) of the lines that are neither blank, a comment,
    // a section heading nor a key inside a section.
    QList<int> notUnderstood() const;
    void removeNotUnderstood();

private:
    struct Line
    {
        enum class Kind { Blank, Comment, Section, Entry, Other };
        Kind kind = Kind::Blank;
        QString text; // as in the file, without its line break
        bool carriageReturn = false;
        QString name; // section or key
        QString value;
    };

    static Line parseLine(QString text, bool inSection);
    qsizetype findSection(const QString &section) const;
    // The section's lines run from after `heading` up to the returned index.
    qsizetype sectionEnd(qsizetype heading) const;
    // New lines follow the file's own line breaks; a new file gets "\r\n".
    bool breaksWithCarriageReturn() const;

    QList<Line> m_lines;
    bool m_bom = false;
    bool m_endsWithBreak = true;
};
