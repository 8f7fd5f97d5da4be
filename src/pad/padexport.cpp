#include "pad/padexport.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/cp1252.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace PadExport {
namespace {

const QLatin1String LineEnd("\r\n");

// One line of the fixed part of the document: a fixed line, a value element
// written from a field, a "Y"/"N" element for a check box field, or an
// element holding a fixed text and one of the two addresses.
enum class Kind { Fixed, Value, YesNo, EditorNote, PadNote };

struct Line
{
    int indent;
    Kind kind;
    const char *text; // the fixed line, or the element name
    int field = -1;
};

const char EditorNoteText[] = "Created by KelvaneSubmit. Check at at ";
const char PadNoteText[] =
    "Portable Application Description, or PAD for short, is a data set used by software authors "
    "to disseminate information to anyone interested in their software products. More info at ";

// Everything from the declaration to "</Web_Info>".
const Line Head[] = {
    {0, Kind::Fixed, "<?xml version=\"1.0\"  encoding=\"Windows-1252\" ?>"},
    {0, Kind::Fixed, "<XML_DIZ_INFO>"},
    {3, Kind::Fixed, "<MASTER_PAD_VERSION_INFO>"},
    {6, Kind::Fixed, "<MASTER_PAD_VERSION>2.01</MASTER_PAD_VERSION>"},
    {6, Kind::EditorNote, "MASTER_PAD_EDITOR"},
    {6, Kind::PadNote, "MASTER_PAD_INFO"},
    {3, Kind::Fixed, "</MASTER_PAD_VERSION_INFO>"},
    {3, Kind::Fixed, "<Company_Info>"},
    {6, Kind::Value, "Company_Name", Field::CompanyName},
    {6, Kind::Value, "Address_1", Field::Address1},
    {6, Kind::Value, "Address_2", Field::Address2},
    {6, Kind::Value, "City_Town", Field::City},
    {6, Kind::Value, "State_Province", Field::StateProvince},
    {6, Kind::Value, "Zip_Postal_Code", Field::PostalCode},
    {6, Kind::Value, "Country", Field::Country},
    {6, Kind::Value, "Company_WebSite_URL", Field::CompanyWebSite},
    {6, Kind::Fixed, "<Contact_Info>"},
    {9, Kind::Value, "Author_First_Name", Field::AuthorFirstName},
    {9, Kind::Value, "Author_Last_Name", Field::AuthorLastName},
    {9, Kind::Value, "Author_Email", Field::AuthorEmail},
    {9, Kind::Value, "Contact_First_Name", Field::ContactFirstName},
    {9, Kind::Value, "Contact_Last_Name", Field::ContactLastName},
    {9, Kind::Value, "Contact_Email", Field::ContactEmail},
    {6, Kind::Fixed, "</Contact_Info>"},
    {6, Kind::Fixed, "<Support_Info>"},
    {9, Kind::Value, "Sales_Email", Field::SalesEmail},
    {9, Kind::Value, "Support_Email", Field::SupportEmail},
    {9, Kind::Value, "General_Email", Field::GeneralEmail},
    {9, Kind::Value, "Sales_Phone", Field::SalesPhone},
    {9, Kind::Value, "Support_Phone", Field::SupportPhone},
    {9, Kind::Value, "General_Phone", Field::GeneralPhone},
    {9, Kind::Value, "Fax_Phone", Field::Fax},
    {6, Kind::Fixed, "</Support_Info>"},
    {3, Kind::Fixed, "</Company_Info>"},
    {3, Kind::Fixed, "<Program_Info>"},
    {6, Kind::Value, "Program_Name", Field::ProgramName},
    {6, Kind::Value, "Program_Version", Field::ProgramVersion},
    {6, Kind::Value, "Program_Release_Month", Field::ReleaseMonth},
    {6, Kind::Value, "Program_Release_Day", Field::ReleaseDay},
    {6, Kind::Value, "Program_Release_Year", Field::ReleaseYear},
    {6, Kind::Value, "Program_Cost_Dollars", Field::CostDollars},
    {6, Kind::Value, "Program_Cost_Other_Code", Field::CostOtherCode},
    {6, Kind::Value, "Program_Cost_Other", Field::CostOther},
    {6, Kind::Value, "Program_Type", Field::ReleaseType},
    {6, Kind::Value, "Program_Release_Status", Field::ReleaseStatus},
    {6, Kind::Value, "Program_Install_Support", Field::InstallSupport},
    {6, Kind::Value, "Program_OS_Support", Field::OsSupport},
    {6, Kind::Value, "Program_Language", Field::Languages},
    {6, Kind::Fixed, "<File_Info>"},
    {9, Kind::Value, "Filename_Versioned", Field::FileNameVersioned},
    {9, Kind::Value, "Filename_Previous", Field::FileNamePrevious},
    {9, Kind::Value, "Filename_Generic", Field::FileNameGeneric},
    {9, Kind::Value, "Filename_Long", Field::FileNameLong},
    {9, Kind::Value, "File_Size_Bytes", Field::FileSizeBytes},
    {9, Kind::Value, "File_Size_K", Field::FileSizeK},
    {9, Kind::Value, "File_Size_MB", Field::FileSizeMB},
    {6, Kind::Fixed, "</File_Info>"},
    {6, Kind::Fixed, "<Expire_Info>"},
    {9, Kind::Value, "Has_Expire_Info", Field::HasExpiry},
    {9, Kind::Value, "Expire_Count", Field::ExpiryCount},
    {9, Kind::Value, "Expire_Based_On", Field::ExpiryBasedOn},
    {9, Kind::Value, "Expire_Other_Info", Field::ExpiryOther},
    {9, Kind::Value, "Expire_Month", Field::ExpiryMonth},
    {9, Kind::Value, "Expire_Day", Field::ExpiryDay},
    {9, Kind::Value, "Expire_Year", Field::ExpiryYear},
    {6, Kind::Fixed, "</Expire_Info>"},
    {6, Kind::Value, "Program_Change_Info", Field::ChangeInfo},
    {6, Kind::Value, "Program_Specific_Category", Field::Category},
    // The escaping writes the class's "&" as "&amp;".
    {6, Kind::Value, "Program_Category_Class", Field::CategoryClass},
    {6, Kind::Value, "Program_Categories", Field::SuggestedCategories},
    {6, Kind::Value, "Program_System_Requirements", Field::OtherRequirements},
    {6, Kind::YesNo, "Includes_JAVA_VM", Field::IncludesJavaVm},
    {6, Kind::YesNo, "Includes_VB_Runtime", Field::IncludesVbRuntime},
    {6, Kind::YesNo, "Includes_DirectX", Field::IncludesDirectX},
    {3, Kind::Fixed, "</Program_Info>"},
    {3, Kind::Fixed, "<Program_Descriptions>"},
    {6, Kind::Fixed, "<English>"},
    {9, Kind::Value, "Keywords", Field::Keywords},
    {9, Kind::Value, "Char_Desc_45", Field::Desc45},
    {9, Kind::Value, "Char_Desc_80", Field::Desc80},
    {9, Kind::Value, "Char_Desc_250", Field::Desc250},
    {9, Kind::Value, "Char_Desc_450", Field::Desc450},
    {9, Kind::Value, "Char_Desc_2000", Field::Desc2000},
    {6, Kind::Fixed, "</English>"},
    {3, Kind::Fixed, "</Program_Descriptions>"},
    {3, Kind::Fixed, "<Web_Info>"},
    {6, Kind::Fixed, "<Application_URLs>"},
    {9, Kind::Value, "Application_Info_URL", Field::InfoUrl},
    {9, Kind::Value, "Application_Order_URL", Field::OrderUrl},
    {9, Kind::Value, "Application_Screenshot_URL", Field::ScreenshotUrl},
    {9, Kind::Value, "Application_Icon_URL", Field::IconUrl},
    {9, Kind::Value, "Application_XML_File_URL", Field::PadUrl},
    {6, Kind::Fixed, "</Application_URLs>"},
    {6, Kind::Fixed, "<Download_URLs>"},
    {9, Kind::Value, "Primary_Download_URL", Field::PrimaryDownloadUrl},
    {9, Kind::Value, "Secondary_Download_URL", Field::SecondaryDownloadUrl},
    {9, Kind::Value, "Additional_Download_URL_1", Field::ThirdDownloadUrl},
    {9, Kind::Value, "Additional_Download_URL_2", Field::FourthDownloadUrl},
    {6, Kind::Fixed, "</Download_URLs>"},
    {3, Kind::Fixed, "</Web_Info>"},
};

// A provider block of the affiliates section: two value lines (the vendor
// line fixed for eSellerate, which has no vendor field) and two fixed lines.
struct Provider
{
    const char *vendorElement; // nullptr: `fixedVendor` is written instead
    int vendorField;
    const char *productElement;
    int productField;
    const char *fixedVendor;
    const char *third;
    const char *fourth;
};

const Provider Providers[] = {
    {"Affiliates_Regnow_Vendor_ID", Field::RegNowVendorId, "Affiliates_Regnow_Product_ID",
     Field::RegNowProductId, nullptr,
     "<Affiliates_Regnow_Order_Page> </Affiliates_Regnow_Order_Page>",
     "<Affiliates_Regnow_Maximum_Commission_Rate> </Affiliates_Regnow_Maximum_Commission_Rate>"},
    {"Affiliates_ShareIt_Vendor_ID", Field::ShareItVendorId, "Affiliates_ShareIt_Product_ID",
     Field::ShareItProductId, nullptr,
     "<Affiliates_ShareIt_Order_Page> </Affiliates_ShareIt_Order_Page>",
     "<Affiliates_ShareIt_Maximum_Commission_Rate> </Affiliates_ShareIt_Maximum_Commission_Rate>"},
    {"Affiliates_Regsoft_Vendor_ID", Field::RegSoftVendorId, "Affiliates_Regsoft_Product_ID",
     Field::RegSoftProductId, nullptr,
     "<Affiliates_Regsoft_Order_Page></Affiliates_Regsoft_Order_Page>",
     "<Affiliates_Regsoft_Maximum_Commission_Rate> </Affiliates_Regsoft_Maximum_Commission_Rate>"},
    // The product element is spelled "eSellrate"; the import reads the same name.
    {nullptr, -1, "Affiliates_eSellrate_Product_ID", Field::ESellerateProductId,
     "<Affiliates_eSellerate_Vendor_ID />",
     "<Affiliates_eSellerate_Maximum_Commission_Rate></Affiliates_eSellerate_Maximum_Commission_Rate>",
     "<Affiliates_eSellerate_Order_Page />"},
    {"Affiliates_eMetrix_Vendor_ID", Field::EMetrixVendorId, "Affiliates_eMetrix_Product_ID",
     Field::EMetrixProductId, nullptr, "<Affiliates_Emetrix_Order_Page />",
     "<Affiliates_Emetrix_Maximum_Commission_Rate />"},
    {"Affiliates_DigiBuy_Vendor_ID", Field::DigiBuyVendorId, "Affiliates_DigiBuy_Product_ID",
     Field::DigiBuyProductId, nullptr, "<Affiliates_DigiBuy_Order_Page />",
     "<Affiliates_DigiBuy_Maximum_Commission_Rate />"},
    {"Affiliates_SWReg_Vendor_ID", Field::SwRegVendorId, "Affiliates_SWReg_Product_ID",
     Field::SwRegProductId, nullptr,
     "<Affiliates_SWReg_Order_Page></Affiliates_SWReg_Order_Page>",
     "<Affiliates_SWReg_Maximum_Commission_Rate></Affiliates_SWReg_Maximum_Commission_Rate>"},
};

// Blanks and control characters, as the trimming of the other rules removes them.
QString trimmedCtl(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from).unicode() <= 0x20)
        ++from;
    while (to > from && text.at(to - 1).unicode() <= 0x20)
        --to;
    return text.mid(from, to - from);
}

// Walks the document once: writes its text, or lists its value elements
// with their paths, which the fixed lines of the sections give.
class Writer
{
public:
    enum class Mode { Text, Elements };

    Writer(const QStringList &record, Mode mode) : m_record(record), m_mode(mode)
    {
        if (m_mode == Mode::Text)
            m_text.reserve(12000);
    }

    QString cell(int field) const { return m_record.value(field); }

    void line(int indent, QLatin1String text)
    {
        if (m_mode == Mode::Elements) {
            follow(text);
            return;
        }
        m_text.append(QString(indent, QLatin1Char(' ')));
        m_text.append(text);
        m_text.append(LineEnd);
    }
    // A PAD ring line: escaped text, never an element.
    void line(int indent, const QString &text)
    {
        if (m_mode == Mode::Elements)
            return;
        m_text.append(QString(indent, QLatin1Char(' ')));
        m_text.append(text);
        m_text.append(LineEnd);
    }
    void value(int indent, const char *element, int field, const QString &value)
    {
        const QLatin1String name(element);
        if (m_mode == Mode::Elements) {
            m_elements.append({m_prefix + name, field, value});
            return;
        }
        m_text.append(QString(indent, QLatin1Char(' ')));
        m_text.append(QLatin1Char('<')).append(name).append(QLatin1Char('>'));
        m_text.append(escaped(value));
        m_text.append(QLatin1String("</")).append(name).append(QLatin1Char('>'));
        m_text.append(LineEnd);
    }

    QString text() const { return m_text; }
    QList<Element> takeElements() { return std::move(m_elements); }

private:
    // A fixed line opens or closes a section, or is a value element of its
    // own ("<X>text</X>", "<X />").
    void follow(QLatin1String text)
    {
        if (!text.startsWith(QLatin1Char('<')) || text.startsWith(QLatin1String("<?"))
            || !text.endsWith(QLatin1Char('>')))
            return;
        if (text.endsWith(QLatin1String(" />"))) {
            m_elements.append({m_prefix + text.sliced(1, text.size() - 4), -1, QString()});
            return;
        }
        const qsizetype close = text.indexOf(QLatin1String("</"), 1);
        if (close > 0) {
            const qsizetype nameEnd = text.indexOf(QLatin1Char('>'));
            m_elements.append({m_prefix + text.sliced(1, nameEnd - 1), -1,
                               text.sliced(nameEnd + 1, close - nameEnd - 1)});
            return;
        }
        if (text.startsWith(QLatin1String("</"))) {
            m_sections.removeLast();
        } else {
            m_sections.append(text.sliced(1, text.size() - 2));
        }
        m_prefix.clear();
        for (const QString &section : std::as_const(m_sections))
            m_prefix += section + QLatin1Char('/');
    }

    const QStringList &m_record;
    const Mode m_mode;
    QString m_text;
    QList<Element> m_elements;
    QStringList m_sections;
    QString m_prefix;
};

bool affiliatesWritten(const QStringList &record)
{
    // Blanks count as a value here: only the provider blocks trim.
    for (const Provider &p : Providers) {
        if ((p.vendorField >= 0 && !record.value(p.vendorField).isEmpty())
            || !record.value(p.productField).isEmpty())
            return true;
    }
    return false;
}

void writeAffiliates(Writer &w)
{
    w.line(3, QLatin1String("<Affiliates>"));
    w.line(5, QLatin1String("<Affiliates_FORM>Y</Affiliates_FORM>"));
    w.line(5, QLatin1String("<Affiliates_FORM_VER>1.0</Affiliates_FORM_VER>"));
    for (const Provider &p : Providers) {
        const bool vendor = p.vendorField >= 0 && !trimmedCtl(w.cell(p.vendorField)).isEmpty();
        if (!vendor && trimmedCtl(w.cell(p.productField)).isEmpty())
            continue;
        if (p.vendorElement)
            w.value(5, p.vendorElement, p.vendorField, w.cell(p.vendorField));
        else
            w.line(5, QLatin1String(p.fixedVendor));
        w.value(5, p.productElement, p.productField, w.cell(p.productField));
        w.line(5, QLatin1String(p.third));
        w.line(5, QLatin1String(p.fourth));
    }
    w.line(3, QLatin1String("</Affiliates>"));
}

// One line per line of the PAD ring. Any line break ends a line (the record
// holds CR LF; a lone CR or LF is taken as a break too, never swallowing a
// character), and a final break gives no extra line.
void writePadRing(Writer &w)
{
    w.line(3, QLatin1String("<Padring>"));
    const QString ring = w.cell(Field::PadRing);
    qsizetype start = 0;
    const qsizetype size = ring.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && ring.at(end) != QLatin1Char('\r') && ring.at(end) != QLatin1Char('\n'))
            ++end;
        w.line(6, escaped(ring.mid(start, end - start)));
        if (end < size && ring.at(end) == QLatin1Char('\r') && end + 1 < size
            && ring.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    w.line(3, QLatin1String("</Padring>"));
}

} // namespace

bool writable(QChar c)
{
    const char16_t u = c.unicode();
    // XML 1.0 has no place for the C0 controls but tab and the line breaks,
    // not even as references; Windows-1252 has no character for these five.
    if (u < 0x20)
        return u == u'\t' || u == u'\r' || u == u'\n';
    return u != 0x81 && u != 0x8D && u != 0x8F && u != 0x90 && u != 0x9D && u != 0xFFFE
           && u != 0xFFFF;
}

QStringList lostCharacters(const QStringList &record)
{
    QStringList lost;
    for (const Element &e : elements(record)) {
        QStringList codes;
        for (QChar c : e.value) {
            const QString code = QStringLiteral("U+%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0')).toUpper();
            if (!writable(c) && !codes.contains(code))
                codes.append(code);
        }
        if (!codes.isEmpty())
            lost.append(e.path.section(QLatin1Char('/'), -1) + QLatin1String(": ")
                        + codes.join(QLatin1String(", ")));
    }
    return lost;
}

QString escaped(const QString &value)
{
    QString result;
    result.reserve(value.size() + 16);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (!writable(c))
            continue;
        switch (c.unicode()) {
        case '&': result.append(QLatin1String("&amp;")); break;
        case '<': result.append(QLatin1String("&lt;")); break;
        case '>': result.append(QLatin1String("&gt;")); break;
        // A value is one line: its own line breaks go as references.
        case '\r': result.append(QLatin1String("&#13;")); break;
        case '\n': result.append(QLatin1String("&#10;")); break;
        default:
            if (c.unicode() < 0x80 || Cp1252::canEncode(QString(c))) {
                result.append(c);
            } else {
                char32_t code = c.unicode();
                if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
                    code = QChar::surrogateToUcs4(c, value.at(i + 1));
                    ++i;
                }
                result.append(QLatin1String("&#x"))
                    .append(QString::number(uint(code), 16).toUpper())
                    .append(QLatin1Char(';'));
            }
        }
    }
    return result;
}

namespace {

void walk(Writer &w, const QStringList &record)
{
    for (const Line &l : Head) {
        switch (l.kind) {
        case Kind::EditorNote:
            w.value(l.indent, l.text, -1, QLatin1String(EditorNoteText) + QLatin1String(MakerPage));
            break;
        case Kind::PadNote:
            w.value(l.indent, l.text, -1, QLatin1String(PadNoteText) + QLatin1String(PadHomePage));
            break;
        case Kind::Fixed: w.line(l.indent, QLatin1String(l.text)); break;
        case Kind::Value: w.value(l.indent, l.text, l.field, w.cell(l.field)); break;
        case Kind::YesNo:
            w.value(l.indent, l.text, l.field,
                    w.cell(l.field) == QLatin1String("1") ? QStringLiteral("Y") : QStringLiteral("N"));
            break;
        }
    }
    if (affiliatesWritten(record))
        writeAffiliates(w);
    writePadRing(w);
    w.line(3, QLatin1String("<Permissions>"));
    w.value(6, "Distribution_Permissions", Field::Permissions, w.cell(Field::Permissions));
    w.value(6, "EULA", Field::Eula, w.cell(Field::Eula));
    w.line(3, QLatin1String("</Permissions>"));
    w.line(0, QLatin1String(""));
    w.line(0, QLatin1String("</XML_DIZ_INFO>"));
}

} // namespace

QByteArray document(const QStringList &record)
{
    Writer w(record, Writer::Mode::Text);
    walk(w, record);
    return Cp1252::encode(w.text());
}

QList<Element> elements(const QStringList &record)
{
    Writer w(record, Writer::Mode::Elements);
    walk(w, record);
    return w.takeElements();
}

QString save(const QStringList &record, const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QObject::tr("Cannot write %1: it is a folder.").arg(QDir::toNativeSeparators(path));
    if (info.exists() && !info.isWritable())
        return QObject::tr("Cannot write %1: the file is read-only.").arg(QDir::toNativeSeparators(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QObject::tr("Cannot create file %1. %2").arg(QDir::toNativeSeparators(path), file.errorString());
    const QByteArray bytes = document(record);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QObject::tr("Cannot write file %1. %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

} // namespace PadExport
