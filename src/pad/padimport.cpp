#include "pad/padimport.h"

#include "catalogue/fieldcatalogue.h"
#include "pad/categorytables.h"
#include "pad/padexport.h"
#include "platform/cp1252.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>

namespace PadImport {
namespace {

enum class Rule {
    Text,        // the field's text becomes the value, untrimmed
    Combo,       // the item equal to the value, letter case aside
    Check,       // ticked for "y"/"Y"
    OsList,      // names, trimmed, exact letter case
    Languages,   // names, letter case aside
    Class,       // first class row containing the value
    PadRing,     // one address per line
    TextSection, // lines of the permissions or EULA box
};

struct Element
{
    const char *name;
    Rule rule;
    int field;
};

const Element Elements[] = {
    {"Company_Name", Rule::Text, Field::CompanyName},
    {"Address_1", Rule::Text, Field::Address1},
    {"Address_2", Rule::Text, Field::Address2},
    {"City_Town", Rule::Text, Field::City},
    {"State_Province", Rule::Text, Field::StateProvince},
    {"Zip_Postal_Code", Rule::Text, Field::PostalCode},
    {"Company_WebSite_URL", Rule::Text, Field::CompanyWebSite},
    {"Author_First_Name", Rule::Text, Field::AuthorFirstName},
    {"Author_Last_Name", Rule::Text, Field::AuthorLastName},
    {"Author_Email", Rule::Text, Field::AuthorEmail},
    {"Contact_First_Name", Rule::Text, Field::ContactFirstName},
    {"Contact_Last_Name", Rule::Text, Field::ContactLastName},
    {"Contact_Email", Rule::Text, Field::ContactEmail},
    {"Sales_Email", Rule::Text, Field::SalesEmail},
    {"Support_Email", Rule::Text, Field::SupportEmail},
    {"General_Email", Rule::Text, Field::GeneralEmail},
    {"Sales_Phone", Rule::Text, Field::SalesPhone},
    {"Support_Phone", Rule::Text, Field::SupportPhone},
    {"General_Phone", Rule::Text, Field::GeneralPhone},
    {"Fax_Phone", Rule::Text, Field::Fax},
    {"Program_Name", Rule::Text, Field::ProgramName},
    {"Program_Version", Rule::Text, Field::ProgramVersion},
    {"Program_Release_Month", Rule::Text, Field::ReleaseMonth},
    {"Program_Release_Day", Rule::Text, Field::ReleaseDay},
    {"Program_Release_Year", Rule::Text, Field::ReleaseYear},
    {"Program_Cost_Dollars", Rule::Text, Field::CostDollars},
    {"Program_Cost_Other", Rule::Text, Field::CostOther},
    {"Filename_Versioned", Rule::Text, Field::FileNameVersioned},
    {"Filename_Previous", Rule::Text, Field::FileNamePrevious},
    {"Filename_Generic", Rule::Text, Field::FileNameGeneric},
    {"Filename_Long", Rule::Text, Field::FileNameLong},
    {"File_Size_Bytes", Rule::Text, Field::FileSizeBytes},
    {"File_Size_K", Rule::Text, Field::FileSizeK},
    {"File_Size_MB", Rule::Text, Field::FileSizeMB},
    {"Expire_Count", Rule::Text, Field::ExpiryCount},
    {"Expire_Other_Info", Rule::Text, Field::ExpiryOther},
    {"Expire_Month", Rule::Text, Field::ExpiryMonth},
    {"Expire_Day", Rule::Text, Field::ExpiryDay},
    {"Expire_Year", Rule::Text, Field::ExpiryYear},
    {"Program_Change_Info", Rule::Text, Field::ChangeInfo},
    {"Program_Categories", Rule::Text, Field::SuggestedCategories},
    {"Program_System_Requirements", Rule::Text, Field::OtherRequirements},
    {"Keywords", Rule::Text, Field::Keywords},
    {"Char_Desc_45", Rule::Text, Field::Desc45},
    {"Char_Desc_80", Rule::Text, Field::Desc80},
    {"Char_Desc_250", Rule::Text, Field::Desc250},
    {"Char_Desc_450", Rule::Text, Field::Desc450},
    {"Char_Desc_2000", Rule::Text, Field::Desc2000},
    {"Application_Info_URL", Rule::Text, Field::InfoUrl},
    {"Application_Order_URL", Rule::Text, Field::OrderUrl},
    {"Application_Screenshot_URL", Rule::Text, Field::ScreenshotUrl},
    {"Application_Icon_URL", Rule::Text, Field::IconUrl},
    {"Application_XML_File_URL", Rule::Text, Field::PadUrl},
    {"Primary_Download_URL", Rule::Text, Field::PrimaryDownloadUrl},
    {"Secondary_Download_URL", Rule::Text, Field::SecondaryDownloadUrl},
    {"Additional_Download_URL_1", Rule::Text, Field::ThirdDownloadUrl},
    {"Additional_Download_URL_2", Rule::Text, Field::FourthDownloadUrl},
    {"Affiliates_Regnow_Vendor_ID", Rule::Text, Field::RegNowVendorId},
    {"Affiliates_Regnow_Product_ID", Rule::Text, Field::RegNowProductId},
    {"Affiliates_ShareIt_Vendor_ID", Rule::Text, Field::ShareItVendorId},
    {"Affiliates_ShareIt_Product_ID", Rule::Text, Field::ShareItProductId},
    {"Affiliates_Regsoft_Vendor_ID", Rule::Text, Field::RegSoftVendorId},
    {"Affiliates_Regsoft_Product_ID", Rule::Text, Field::RegSoftProductId},
    {"Affiliates_eSellrate_Product_ID", Rule::Text, Field::ESellerateProductId},
    {"Affiliates_eMetrix_Vendor_ID", Rule::Text, Field::EMetrixVendorId},
    {"Affiliates_eMetrix_Product_ID", Rule::Text, Field::EMetrixProductId},
    {"Affiliates_DigiBuy_Vendor_ID", Rule::Text, Field::DigiBuyVendorId},
    {"Affiliates_DigiBuy_Product_ID", Rule::Text, Field::DigiBuyProductId},
    {"Affiliates_SWReg_Vendor_ID", Rule::Text, Field::SwRegVendorId},
    {"Affiliates_SWReg_Product_ID", Rule::Text, Field::SwRegProductId},
    {"Country", Rule::Combo, Field::Country},
    {"Program_Cost_Other_Code", Rule::Combo, Field::CostOtherCode},
    {"Program_Type", Rule::Combo, Field::ReleaseType},
    {"Program_Release_Status", Rule::Combo, Field::ReleaseStatus},
    {"Program_Install_Support", Rule::Combo, Field::InstallSupport},
    {"Has_Expire_Info", Rule::Combo, Field::HasExpiry},
    {"Expire_Based_On", Rule::Combo, Field::ExpiryBasedOn},
    {"Program_Specific_Category", Rule::Combo, Field::Category},
    {"Includes_JAVA_VM", Rule::Check, Field::IncludesJavaVm},
    {"Includes_VB_Runtime", Rule::Check, Field::IncludesVbRuntime},
    {"Includes_DirectX", Rule::Check, Field::IncludesDirectX},
    {"Program_OS_Support", Rule::OsList, Field::OsSupport},
    {"Program_Language", Rule::Languages, Field::Languages},
    {"Program_Category_Class", Rule::Class, Field::CategoryClass},
    {"Padring", Rule::PadRing, Field::PadRing},
    {"Distribution_Permissions", Rule::TextSection, Field::Permissions},
    {"EULA", Rule::TextSection, Field::Eula},
};

const QLatin1String RootElement("XML_DIZ_INFO");

const QHash<QString, const Element *> &elementsByName()
{
    static const QHash<QString, const Element *> byName = [] {
        QHash<QString, const Element *> h;
        for (const Element &e : Elements)
            h.insert(QString::fromLatin1(e.name), &e);
        return h;
    }();
    return byName;
}

// The drop-down items the editor offers for a field.
const QStringList &comboItems(int field)
{
    static const QHash<int, QStringList> items = [] {
        QHash<int, QStringList> h;
        for (const Element &e : Elements) {
            if (e.rule == Rule::Combo)
                h.insert(e.field, e.field == Field::Category ? CategoryTables::categoryItems()
                                                             : FieldCatalogue::comboItems(e.field));
        }
        return h;
    }();
    static const QStringList none;
    const auto it = items.constFind(field);
    return it == items.cend() ? none : *it;
}

bool isBlankChar(QChar c) { return c.unicode() <= 0x20; }

QStringView trimmedCtl(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlankChar(text.at(from)))
        ++from;
    while (to > from && isBlankChar(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

bool isBlank(QStringView text) { return trimmedCtl(text).isEmpty(); }

QString hexCode(QStringView text)
{
    const qsizetype at = Cp1252::firstUnencodable(text.toString());
    char32_t code = text.at(at).unicode();
    if (text.at(at).isHighSurrogate() && at + 1 < text.size())
        code = QChar::surrogateToUcs4(text.at(at), text.at(at + 1));
    return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
}

// Collects the record as the element rules fill it.
class Builder
{
public:
    Builder()
    {
        m_result.record = QStringList(FieldCatalogue::FieldCount);
        // The emptied editor's check boxes are unticked.
        for (int f : {Field::IncludesJavaVm, Field::IncludesVbRuntime, Field::IncludesDirectX})
            m_result.record[f] = QStringLiteral("0");
    }

    void apply(const Element &e, const QString &value)
    {
        switch (e.rule) {
        case Rule::Text:
            if (storable(e, value))
                m_result.record[e.field] = value;
            break;
        case Rule::Combo: {
            const QStringList &items = comboItems(e.field);
            QString chosen;
            for (const QString &item : items) {
                if (!item.isEmpty() && item.compare(value, Qt::CaseInsensitive) == 0) {
                    chosen = item;
                    break;
                }
            }
            m_result.record[e.field] = chosen;
            break;
        }
        case Rule::Check:
            m_result.record[e.field] = value.toLower() == QLatin1String("y") ? QStringLiteral("1")
                                                                            : QStringLiteral("0");
            break;
        case Rule::OsList: osList(value); break;
        case Rule::Languages: languages(value); break;
        case Rule::Class: {
            const int row = CategoryTables::findClassItem(CategoryTables::classItems(), value);
            m_result.classRow = row;
            m_result.record[e.field] =
                row < 0 ? QString() : CategoryTables::classKey(CategoryTables::classItems().at(row));
            break;
        }
        case Rule::PadRing:
        case Rule::TextSection: setLines(e, QStringList{value}); break;
        }
    }

    // The PAD ring (CR LF between lines) and the permissions and EULA boxes
    // ("\n" between lines), from lines already trimmed and not blank.
    void setLines(const Element &e, const QStringList &lines)
    {
        QStringList kept;
        for (const QString &line : lines) {
            if (!line.isEmpty() && storable(e, line))
                kept.append(line);
        }
        m_result.record[e.field] = kept.join(e.rule == Rule::PadRing ? QStringLiteral("\r\n")
                                                                     : QStringLiteral("\n"));
    }

    void note(const QString &text) { m_result.notes.append(text); }
    Result take()
    {
        m_result.status = Result::Status::Imported;
        return std::move(m_result);
    }

private:
    bool storable(const Element &e, const QString &value)
    {
        if (!Cp1252::canEncode(value)) {
            note(QObject::tr("%1: the value holds the character %2, which the catalogue (Windows-1252) "
                             "cannot store; it was left out.")
                     .arg(QLatin1String(e.name), hexCode(value)));
            return false;
        }
        // Nor a character our own PAD files could not carry again.
        const auto unwritable = std::find_if_not(value.cbegin(), value.cend(), PadExport::writable);
        if (unwritable == value.cend())
            return true;
        note(QObject::tr("%1: the value holds the character %2, which a PAD file cannot hold; it "
                         "was left out.")
                 .arg(QLatin1String(e.name),
                      QStringLiteral("U+%1").arg(uint(unwritable->unicode()), 4, 16, QLatin1Char('0')).toUpper()));
        return false;
    }

    void osList(QString value)
    {
        const QStringList &items = PickLists::osItems();
        QList<bool> selected(items.size(), false);
        value.append(QLatin1Char(','));
        qsizetype comma;
        while ((comma = value.indexOf(QLatin1Char(','))) >= 0) {
            const QString name = value.left(comma).trimmed();
            for (qsizetype i = 0; i < items.size(); ++i) {
                if (PickLists::osName(items.at(i)) == name) {
                    selected[i] = true;
                    break;
                }
            }
            value = value.mid(comma + 1).trimmed();
        }
        QStringList names;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (selected.at(i))
                names.append(PickLists::osName(items.at(i)));
        }
        m_result.record[Field::OsSupport] = names.join(QLatin1Char(','));
    }

    void languages(QString value)
    {
        const QStringList &items = PickLists::languages();
        QList<bool> selected(items.size(), false);
        auto select = [&](const QString &name) {
            for (qsizetype i = 0; i < items.size(); ++i) {
                if (items.at(i).compare(name, Qt::CaseInsensitive) == 0) {
                    selected[i] = true;
                    break;
                }
            }
        };
        qsizetype comma;
        while ((comma = value.indexOf(QLatin1Char(','))) >= 0) {
            select(value.left(comma));
            value = value.mid(comma + 1).trimmed();
        }
        select(value);
        QStringList names;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (selected.at(i))
                names.append(items.at(i));
        }
        m_result.record[Field::Languages] = names.join(QLatin1Char(','));
    }

    Result m_result;
};

// ---- Text from bytes ----------------------------------------------------

struct Decoded
{
    QString text;
    QString error;
    QString note;
};

bool isAscii(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

// The encoding named in the XML declaration, lower case, or "".
QString declaredEncoding(const QByteArray &bytes)
{
    if (!bytes.startsWith("<?xml"))
        return QString();
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0 || end > 1024)
        return QString();
    static const QRegularExpression encoding(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QRegularExpressionMatch m = encoding.match(QString::fromLatin1(bytes.left(end)));
    return m.hasMatch() ? m.captured(1).trimmed().toLower() : QString();
}

bool decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes, QString &text)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

Decoded decodeText(const QByteArray &bytes)
{
    Decoded d;
    if (bytes.isEmpty()) {
        d.error = QObject::tr("The file is empty.");
        return d;
    }
    const auto utf16 = [&](QStringConverter::Encoding encoding, qsizetype skip) {
        if (!decodeWith(encoding, QByteArrayView(bytes).sliced(skip), d.text))
            d.error = QObject::tr("The file starts as UTF-16 text but is not valid UTF-16.");
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (!decodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), d.text)) {
            d.text = Cp1252::decode(bytes.mid(3));
            d.note = QObject::tr("The file is marked as UTF-8 but is not valid UTF-8; it was read as Windows-1252.");
        }
    } else if (bytes.startsWith("\xFF\xFE")) {
        utf16(QStringConverter::Utf16LE, 2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        utf16(QStringConverter::Utf16BE, 2);
    } else if (bytes.size() >= 2 && bytes.at(0) == '<' && bytes.at(1) == '\0') {
        utf16(QStringConverter::Utf16LE, 0);
    } else if (bytes.size() >= 2 && bytes.at(0) == '\0' && bytes.at(1) == '<') {
        utf16(QStringConverter::Utf16BE, 0);
    } else {
        const QString encoding = declaredEncoding(bytes);
        const bool utf8Declared = encoding == QLatin1String("utf-8") || encoding == QLatin1String("utf8");
        bool read = false;
        if (utf8Declared || (encoding.isEmpty() && !isAscii(bytes))) {
            // Undeclared text is UTF-8 when it reads as UTF-8; our own files declare Windows-1252.
            read = decodeWith(QStringConverter::Utf8, bytes, d.text);
            if (!read && utf8Declared)
                d.note = QObject::tr("The file declares UTF-8 but is not valid UTF-8; it was read as Windows-1252.");
        }
        if (!read)
            d.text = Cp1252::decode(bytes);
    }
    if (d.error.isEmpty() && d.text.contains(QChar(0))) {
        d.error = QObject::tr("The file holds binary data, not text.");
        d.text.clear();
    }
    return d;
}

// ---- The line reader ----------------------------------------------------

// The lines of the text, without their ends (CR LF, LF or CR).
QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

// The tag part: the line up to and including its first ">", trimmed.
QStringView tagPart(QStringView line)
{
    const qsizetype gt = line.indexOf(QLatin1Char('>'));
    return gt < 0 ? QStringView() : trimmedCtl(line.left(gt + 1));
}

// The element a tag part opens ("<Company_Name>"), or nullptr.
const Element *openedElement(QStringView tag)
{
    if (tag.size() < 3 || tag.front() != QLatin1Char('<') || tag.back() != QLatin1Char('>'))
        return nullptr;
    return elementsByName().value(tag.mid(1, tag.size() - 2).toString(), nullptr);
}

struct LineScan
{
    Builder builder;
    int elements = 0;       // lines that open a value element
    bool irregular = false; // something the line layout cannot read right
};

void scanLines(QStringView text, LineScan &scan)
{
    const QList<QStringView> lines = splitLines(text);
    const qsizetype count = lines.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QStringView line = lines.at(i);
        if (line.contains(QLatin1String("<!--")) || line.contains(QLatin1String("<![CDATA[")))
            scan.irregular = true;
        const QStringView tag = tagPart(line);
        const Element *e = openedElement(tag);
        if (e)
            ++scan.elements;

        const qsizetype gt = line.indexOf(QLatin1Char('>'));
        const qsizetype close = line.indexOf(QLatin1String("</"));
        if (close >= 0) {
            // A known element closed on a line that does not open it plainly
            // (attributes, several elements on one line, a comment first).
            const qsizetype end = line.indexOf(QLatin1Char('>'), close);
            const QStringView closed = line.mid(close + 2, end < 0 ? 0 : end - close - 2);
            if (elementsByName().contains(closed.toString())
                && !(tag.size() == closed.size() + 2 && tag.mid(1, closed.size()) == closed))
                scan.irregular = true;
        }
        const QStringView value = close >= 0 ? (gt >= 0 && close > gt ? line.mid(gt + 1, close - gt - 1)
                                                                       : QStringView())
                                             : line;
        if (!e || isBlank(value) || value.contains(QLatin1String("/>")))
            continue;

        if (e->rule != Rule::PadRing && e->rule != Rule::TextSection) {
            if (close < 0) {
                // An element spanning lines: the XML reading takes it.
                scan.irregular = true;
                continue;
            }
            scan.builder.apply(*e, decodeReferences(value.toString()));
            continue;
        }
        if (close >= 0) {
            scan.builder.setLines(*e, {decodeReferences(trimmedCtl(value).toString())});
            continue;
        }
        // A section over several lines: the text after the opening tag, then
        // each further line up to the closing one.
        const bool ring = e->rule == Rule::PadRing;
        const QString closing = QLatin1Char('/') + QLatin1String(e->name);
        QStringList entries;
        const QStringView first = trimmedCtl(line.mid(gt + 1));
        if (!first.isEmpty())
            entries.append(decodeReferences(first.toString()));
        bool closed = false;
        while (!closed && ++i < count) {
            const QStringView next = lines.at(i);
            const QStringView nextTag = tagPart(next);
            if (ring) {
                if (nextTag.contains(closing)) {
                    closed = true;
                    break;
                }
                const QStringView entry = trimmedCtl(next);
                if (!entry.isEmpty())
                    entries.append(decodeReferences(entry.toString()));
                continue;
            }
            const qsizetype nextClose = nextTag.indexOf(QLatin1String("</"));
            const QStringView entry = trimmedCtl(nextClose >= 0 ? nextTag.left(nextClose) : next);
            if (!entry.isEmpty())
                entries.append(decodeReferences(entry.toString()));
            closed = nextTag.contains(closing);
        }
        if (!closed)
            scan.builder.note(QObject::tr("%1: the file ends inside this section; it was read up to "
                                          "the end of the file.")
                                  .arg(QLatin1String(e->name)));
        scan.builder.setLines(*e, entries);
    }
}

// ---- The XML reader -----------------------------------------------------

// A value read as XML: a text on several lines becomes its trimmed lines.
QStringList trimmedLines(const QString &text)
{
    QStringList lines;
    for (QStringView line : splitLines(text)) {
        const QStringView t = trimmedCtl(line);
        if (!t.isEmpty())
            lines.append(t.toString());
    }
    return lines;
}

struct XmlRead
{
    Result result;
    bool ok = false;
    QString problem; // why the XML reading gave up
};

XmlRead readXml(const QString &text)
{
    XmlRead read;
    // The declaration is dropped: the text is decoded already, whatever it names.
    QStringView body(text);
    if (body.startsWith(QLatin1String("<?xml"))) {
        const qsizetype end = body.indexOf(QLatin1String("?>"));
        if (end >= 0)
            body = body.mid(end + 2);
    }
    QXmlStreamReader xml(body.toString());
    Builder builder;
    bool rootSeen = false;
    int elements = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty()) {
            // Only the predefined entities are read; declared ones are never expanded.
            read.problem = QObject::tr("The file declares its own entities, which are not read.");
            return read;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (!rootSeen) {
            rootSeen = true;
            if (xml.name() != RootElement) {
                read.problem = QObject::tr("Its root element is %1, not XML_DIZ_INFO.").arg(xml.name());
                return read;
            }
            continue;
        }
        const Element *e = elementsByName().value(xml.name().toString(), nullptr);
        if (!e)
            continue;
        ++elements;
        const QString value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (xml.hasError())
            break;
        if (isBlank(value))
            continue;
        if (e->rule == Rule::PadRing || e->rule == Rule::TextSection) {
            builder.setLines(*e, trimmedLines(value));
        } else if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
            // Pretty-printed over several lines: one line of text.
            builder.apply(*e, trimmedLines(value).join(QLatin1Char(' ')));
        } else {
            builder.apply(*e, value);
        }
    }
    if (xml.hasError()) {
        read.problem = QObject::tr("It is not well-formed XML (line %1: %2).")
                           .arg(xml.lineNumber())
                           .arg(xml.errorString());
        return read;
    }
    if (!rootSeen) {
        read.problem = QObject::tr("It holds no XML element.");
        return read;
    }
    if (elements == 0) {
        read.problem = QObject::tr("It holds none of the PAD elements.");
        return read;
    }
    read.result = builder.take();
    read.ok = true;
    return read;
}

Result notPad(const QString &why)
{
    Result r;
    r.status = Result::Status::NotPad;
    r.error = QObject::tr("This is not a PAD file. %1").arg(why);
    return r;
}

} // namespace

QString decodeReferences(const QString &text)
{
    qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (amp >= 0) {
        out.append(QStringView(text).mid(from, amp - from));
        const qsizetype semi = text.indexOf(QLatin1Char(';'), amp + 1);
        bool done = false;
        if (semi > amp + 1 && semi - amp <= 10) {
            const QStringView name = QStringView(text).mid(amp + 1, semi - amp - 1);
            static const struct { const char *name; char c; } predefined[] = {
                {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
            for (const auto &p : predefined) {
                if (name == QLatin1String(p.name)) {
                    out.append(QLatin1Char(p.c));
                    done = true;
                    break;
                }
            }
            if (!done && name.size() >= 2 && name.front() == QLatin1Char('#')) {
                bool ok = false;
                const uint code = name.at(1) == QLatin1Char('x')
                    ? name.mid(2).toUInt(&ok, 16)
                    : name.mid(1).toUInt(&ok, 10);
                // Characters XML allows: no NUL and other C0 controls, no surrogates.
                const bool allowed = ok && (code == 0x9 || code == 0xA || code == 0xD
                                            || (code >= 0x20 && code <= 0xD7FF)
                                            || (code >= 0xE000 && code <= 0xFFFD)
                                            || (code >= 0x10000 && code <= 0x10FFFF));
                if (allowed && name.mid(1).front() != QLatin1Char('+') && name.mid(1).front() != QLatin1Char('-')) {
                    const char32_t c = code;
                    out.append(QString::fromUcs4(&c, 1));
                    done = true;
                }
            }
        }
        if (done) {
            from = semi + 1;
        } else {
            out.append(QLatin1Char('&'));
            from = amp + 1;
        }
        amp = text.indexOf(QLatin1Char('&'), from);
    }
    out.append(QStringView(text).mid(from));
    return out;
}

Result fromBytes(const QByteArray &bytes)
{
    const Decoded decoded = decodeText(bytes);
    if (!decoded.error.isEmpty())
        return notPad(decoded.error);

    LineScan scan;
    scanLines(decoded.text, scan);
    Result result;
    if (scan.elements > 0 && !scan.irregular) {
        result = scan.builder.take();
    } else {
        XmlRead xml = readXml(decoded.text);
        if (xml.ok) {
            result = std::move(xml.result);
        } else if (scan.elements > 0) {
            // Not XML as a whole, but laid out one element per line: what the lines hold.
            result = scan.builder.take();
            result.notes.prepend(xml.problem + QLatin1Char(' ')
                                 + QObject::tr("The file was read line by line; elements not "
                                               "written on a line of their own were left out."));
        } else {
            return notPad(xml.problem);
        }
    }
    if (!decoded.note.isEmpty())
        result.notes.prepend(decoded.note);
    return result;
}

Result fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result r;
        r.status = Result::Status::Unreadable;
        r.error = QObject::tr("Cannot open file %1. %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return r;
    }
    if (file.size() > MaxFileSize)
        // In bytes: just past the bound, "8 MB" would read as within it.
        return notPad(QObject::tr("The file is %1 bytes long; a PAD file is far smaller (at most %2 MB "
                                  "are read).")
                          .arg(file.size())
                          .arg(MaxFileSize / (1024 * 1024)));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        Result r;
        r.status = Result::Status::Unreadable;
        r.error = QObject::tr("Cannot read file %1. %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return r;
    }
    if (bytes.size() > MaxFileSize)
        return notPad(QObject::tr("The file is larger than %1 MB; a PAD file is far smaller.")
                          .arg(MaxFileSize / (1024 * 1024)));
    return fromBytes(bytes);
}

} // namespace PadImport
