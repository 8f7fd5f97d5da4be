#include "platform/inifile.h"

#include "platform/cp1252.h"

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool quoted(const QString &text)
{
    return text.size() >= 2 && text.front() == text.back()
           && (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\''));
}

// What the reader gives back unchanged: blanks at either end or a pair of
// quotes would otherwise be taken off, so such a value is put in quotes.
QString storedValue(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (value != value.trimmed() || quoted(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

} // namespace

IniFile::Line IniFile::parseLine(QString text, bool inSection)
{
    Line line;
    line.text = std::move(text);
    const QString trimmed = line.text.trimmed();
    if (trimmed.isEmpty()) {
        line.kind = Line::Kind::Blank;
    } else if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'))) {
        line.kind = Line::Kind::Comment;
    } else if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        line.kind = close > 0 ? Line::Kind::Section : Line::Kind::Other;
        line.name = trimmed.mid(1, close - 1).trimmed();
    } else {
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        line.name = trimmed.left(eq).trimmed();
        if (eq <= 0 || line.name.isEmpty() || !inSection) {
            line.kind = Line::Kind::Other;
        } else {
            line.kind = Line::Kind::Entry;
            line.value = trimmed.mid(eq + 1).trimmed();
            if (quoted(line.value))
                line.value = line.value.mid(1, line.value.size() - 2);
        }
    }
    return line;
}

IniFile IniFile::parse(const QByteArray &bytes)
{
    IniFile ini;
    QByteArray body = bytes;
    if (body.startsWith(Utf8Bom)) {
        ini.m_bom = true;
        body.remove(0, Utf8Bom.size());
    }
    if (body.isEmpty())
        return ini;
    ini.m_endsWithBreak = body.endsWith('\n');
    if (ini.m_endsWithBreak)
        body.chop(1);
    bool inSection = false;
    for (const QByteArray &raw : body.split('\n')) {
        QString text = Cp1252::decode(raw);
        const bool cr = text.endsWith(QLatin1Char('\r'));
        if (cr)
            text.chop(1);
        Line line = parseLine(std::move(text), inSection);
        line.carriageReturn = cr;
        if (line.kind == Line::Kind::Section)
            inSection = true;
        ini.m_lines.append(std::move(line));
    }
    return ini;
}

QByteArray IniFile::toBytes() const
{
    QByteArray out = m_bom ? Utf8Bom : QByteArray();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            out.append('\n');
        out.append(Cp1252::encode(m_lines.at(i).text));
        if (m_lines.at(i).carriageReturn)
            out.append('\r');
    }
    if (!m_lines.isEmpty() && m_endsWithBreak)
        out.append('\n');
    return out;
}

qsizetype IniFile::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).kind == Line::Kind::Section && sameName(m_lines.at(i).name, section))
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype heading) const
{
    qsizetype i = heading + 1;
    while (i < m_lines.size() && m_lines.at(i).kind != Line::Kind::Section)
        ++i;
    return i;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const qsizetype heading = findSection(section);
    if (heading < 0)
        return std::nullopt;
    const qsizetype end = sectionEnd(heading);
    for (qsizetype i = heading + 1; i < end; ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == Line::Kind::Entry && sameName(line.name, key))
            return line.value;
    }
    return std::nullopt;
}

bool IniFile::breaksWithCarriageReturn() const
{
    return m_lines.isEmpty() || m_lines.first().carriageReturn;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const bool cr = breaksWithCarriageReturn();
    qsizetype heading = findSection(section);
    if (heading < 0) {
        if (!m_lines.isEmpty() && m_lines.last().kind != Line::Kind::Blank) {
            Line blank;
            blank.carriageReturn = cr;
            m_lines.append(blank);
        }
        Line line = parseLine(QLatin1Char('[') + section + QLatin1Char(']'), false);
        line.carriageReturn = cr;
        m_lines.append(line);
        heading = m_lines.size() - 1;
        m_endsWithBreak = true;
    }
    const qsizetype end = sectionEnd(heading);
    qsizetype insertAt = heading + 1;
    for (qsizetype i = heading + 1; i < end; ++i) {
        Line &line = m_lines[i];
        if (line.kind != Line::Kind::Entry)
            continue;
        if (sameName(line.name, key)) {
            const bool keepCr = line.carriageReturn;
            line = parseLine(line.name + QLatin1Char('=') + storedValue(value), true);
            line.carriageReturn = keepCr;
            return;
        }
        insertAt = i + 1;
    }
    Line line = parseLine(key + QLatin1Char('=') + storedValue(value), true);
    line.carriageReturn = cr;
    m_lines.insert(insertAt, line);
    if (insertAt == m_lines.size() - 1)
        m_endsWithBreak = true;
}

QList<int> IniFile::notUnderstood() const
{
    QList<int> numbers;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).kind == Line::Kind::Other)
            numbers.append(int(i + 1));
    }
    return numbers;
}

void IniFile::removeNotUnderstood()
{
    m_lines.removeIf([](const Line &line) { return line.kind == Line::Kind::Other; });
}
