#include "editor/editorvalues.h"

#include "catalogue/derivedfields.h"
#include "catalogue/fieldcatalogue.h"
#include "pad/categorytables.h"
#include "platform/tablefile.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QChar Comma = QLatin1Char(',');

QString tr(const char *text)
{
    return QCoreApplication::translate("EditorRules", text);
}

// Fields the editor writes: 0..91 and 100..103.
bool isEditorField(int n)
{
    return (n >= Field::ProgramName && n <= Field::MainVendorId)
        || (n >= Field::OtherLimitations && n <= Field::OwnAffiliateDescription);
}

bool readsAsNonZero(const QString &value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok && number != 0;
}

QString caption(int n)
{
    const FieldInfo &info = FieldCatalogue::field(n);
    return QString::fromLatin1(info.caption ? info.caption : info.meaning).trimmed();
}

} // namespace

EditorValues::EditorValues() : fields(FieldCatalogue::FieldCount) {}

namespace EditorRules {

const QStringList &classItems()
{
    static const QStringList items = CategoryTables::withStartupTab(CategoryTables::classItems());
    return items;
}

const QStringList &osItems()
{
    static const QStringList items = CategoryTables::withStartupTab(PickLists::osItems());
    return items;
}

QStringList comboItemsOf(int field)
{
    if (field == Field::Category)
        return CategoryTables::categoryItems();
    if (field == Field::CategoryClass)
        return classItems();
    return FieldCatalogue::comboItems(field);
}

QString breaksToSpaces(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

QString linesToStored(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return result;
}

QString storedToLines(const QString &stored)
{
    QString result = stored;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString storedValue(const EditorValues &values, int field)
{
    switch (FieldCatalogue::field(field).kind) {
    case EditorKind::Edit:
    case EditorKind::ReadOnlyEdit:
    case EditorKind::Combo:
        return values.text(field);
    case EditorKind::ClassCombo:
        return CategoryTables::classKey(values.classItem);
    case EditorKind::Memo:
        return breaksToSpaces(values.text(field));
    case EditorKind::MemoLines:
        return linesToStored(values.text(field));
    case EditorKind::CheckBox:
        return values.text(field) == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    case EditorKind::CheckBoxYesNo:
        return values.text(field) == QLatin1String("Yes") ? QStringLiteral("Yes") : QStringLiteral("No");
    case EditorKind::OsList: {
        QStringList names;
        names.reserve(values.selectedOs.size());
        for (const QString &item : values.selectedOs)
            names.append(PickLists::osName(item));
        return names.join(Comma);
    }
    case EditorKind::LanguageList:
        return values.selectedLanguages.join(Comma);
    case EditorKind::Reserved:
    case EditorKind::Derived:
    case EditorKind::Mark:
        break;
    }
    return QString();
}

void storeInto(QStringList &record, const EditorValues &values)
{
    if (record.size() < FieldCatalogue::FieldCount)
        record.resize(FieldCatalogue::FieldCount);
    for (int n = Field::ProgramName; n <= Field::MainVendorId; ++n)
        record[n] = storedValue(values, n);
    DerivedFields::store(record, values.classItem, values.selectedOs);
    for (int n = Field::OtherLimitations; n <= Field::OwnAffiliateDescription; ++n)
        record[n] = storedValue(values, n);
}

int comboIndex(const QStringList &items, const QString &value)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(value, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QList<int> osSelection(const QStringList &items, const QString &value)
{
    QList<int> selected;
    const QStringList parts = value.split(Comma);
    for (qsizetype p = 0; p < parts.size(); ++p) {
        QString name = parts.at(p);
        if (p > 0) {
            qsizetype blanks = 0;
            while (blanks < name.size() && name.at(blanks) == QLatin1Char(' '))
                ++blanks;
            name.remove(0, blanks);
        }
        if (name.isEmpty())
            continue;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (PickLists::osName(items.at(i)) == name) {
                if (!selected.contains(int(i)))
                    selected.append(int(i));
                break;
            }
        }
    }
    std::sort(selected.begin(), selected.end());
    return selected;
}

QList<int> languageSelection(const QStringList &items, const QString &value)
{
    QList<int> selected;
    const QStringList parts = value.split(Comma);
    for (const QString &part : parts) {
        const int index = comboIndex(items, part.trimmed());
        if (index >= 0 && !selected.contains(index))
            selected.append(index);
    }
    std::sort(selected.begin(), selected.end());
    return selected;
}

bool includesTicked(const QString &value)
{
    // A value that is not a number (never written by the store) counts as unticked.
    return readsAsNonZero(value);
}

bool adultTicked(const QString &value)
{
    return !value.trimmed().isEmpty() && readsAsNonZero(value);
}

bool affiliateTicked(const QString &value)
{
    return value == QLatin1String("Yes");
}

EditorValues fromRecord(const QStringList &record)
{
    EditorValues values;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        if (!isEditorField(n))
            continue;
        const QString stored = record.value(n);
        switch (FieldCatalogue::field(n).kind) {
        case EditorKind::Edit:
        case EditorKind::ReadOnlyEdit:
        case EditorKind::Memo:
            values.fields[n] = stored;
            break;
        case EditorKind::MemoLines:
            values.fields[n] = storedToLines(stored);
            break;
        case EditorKind::Combo: {
            const QStringList items = comboItemsOf(n);
            const int index = comboIndex(
                items, n == Field::Category ? CategoryTables::storedCategory(stored) : stored);
            values.fields[n] = index < 0 ? QString() : items.at(index);
            break;
        }
        case EditorKind::ClassCombo: {
            // A key no item holds chooses no class, so that the save asks for one
            // instead of writing the class of the record shown before.
            const int index = CategoryTables::findClassItem(classItems(), stored);
            values.classItem = index < 0 ? QString() : classItems().at(index);
            break;
        }
        case EditorKind::CheckBox:
            values.fields[n] =
                (n == Field::AdultContent ? adultTicked(stored) : includesTicked(stored))
                    ? QStringLiteral("1")
                    : QStringLiteral("0");
            break;
        case EditorKind::CheckBoxYesNo:
            values.fields[n] = affiliateTicked(stored) ? QStringLiteral("Yes") : QStringLiteral("No");
            break;
        case EditorKind::OsList:
            for (int index : osSelection(osItems(), stored))
                values.selectedOs.append(osItems().at(index));
            break;
        case EditorKind::LanguageList:
            for (int index : languageSelection(PickLists::languages(), stored))
                values.selectedLanguages.append(PickLists::languages().at(index));
            break;
        case EditorKind::Reserved:
        case EditorKind::Derived:
        case EditorKind::Mark:
            break;
        }
    }
    return values;
}

MainIdSources mainIdSources(const QString &choice)
{
    static const struct
    {
        const char *choice;
        MainIdSources sources;
    } table[] = {
        {"RegNow", {Field::RegNowProductId, Field::RegNowVendorId}},
        {"RegSoft", {Field::RegSoftProductId, Field::RegSoftVendorId}},
        {"ShareIt", {Field::ShareItProductId, Field::ShareItVendorId}},
        {"eSellerate", {Field::ESellerateProductId, -1}},
        {"DigiBuy", {Field::DigiBuyProductId, Field::DigiBuyVendorId}},
        {"SwReg", {Field::SwRegProductId, Field::SwRegVendorId}},
        {"eMetrix", {Field::EMetrixProductId, Field::EMetrixVendorId}},
    };
    for (const auto &row : table) {
        if (choice == QLatin1String(row.choice))
            return row.sources;
    }
    return {};
}

EditorValues exampleContents()
{
    EditorValues v;
    auto set = [&v](int n, const char *text) { v.fields[n] = QString::fromLatin1(text); };
    const char *const site = "http://www.yourcompany.example";
    auto address = [&](int n, const char *path) {
        v.fields[n] = QString::fromLatin1(site) + QString::fromLatin1(path);
    };

    set(Field::ProgramName, "Program name (to delete - just example)");
    set(Field::ProgramVersion, "1.3.2.6");
    set(Field::ReleaseMonth, "05");
    set(Field::ReleaseDay, "11");
    set(Field::ReleaseYear, "2005");
    set(Field::CostDollars, "1230.00");
    set(Field::CostOther, "1230.00");
    set(Field::FileNameVersioned, "filename.zip");
    set(Field::FileNamePrevious, "file_old.zip");
    set(Field::FileNameGeneric, "filename.exe");
    set(Field::FileNameLong, "filename_long.exe");
    set(Field::FileSizeBytes, "1192000");
    set(Field::FileSizeK, "1159");
    set(Field::FileSizeMB, "1.15");
    set(Field::ExpiryCount, "60");
    set(Field::ExpiryMonth, "05");
    set(Field::ExpiryDay, "11");
    set(Field::ExpiryYear, "2005");
    set(Field::CompanyName, "Your Name");
    set(Field::Address1, "Your Address 1");
    set(Field::Address2, "Your Address 2");
    set(Field::City, "Your City");
    set(Field::PostalCode, "2410");
    set(Field::StateProvince, "xx");
    set(Field::AuthorFirstName, "1st Name");
    set(Field::ContactFirstName, "1st Name");
    set(Field::AuthorLastName, "last Name");
    set(Field::ContactLastName, "last Name");
    for (int n : {Field::SalesPhone, Field::SupportPhone, Field::GeneralPhone, Field::Fax})
        set(n, "+351 000 000 000");
    set(Field::Keywords, "Keyword1, keyword2, keyword3");
    set(Field::Desc45, "description 45 chars");
    set(Field::Desc80, "description 80 chars");
    set(Field::Desc250, "description 250 chars");
    set(Field::Desc450, "description\n450 chars");
    set(Field::Desc2000, "description\n\n2000 chars");
    set(Field::Permissions, "Anybody may use or copy this program free of charge.\n"
                            "I must stress that they do so at their own risk. .....");
    v.fields[Field::Eula] = v.fields[Field::Permissions];
    set(Field::OtherLimitations, "Reduced limitations for trial use");

    set(Field::AuthorEmail, "author@yourcompany.example");
    set(Field::ContactEmail, "contact@yourcompany.example");
    set(Field::SalesEmail, "sales@yourcompany.example");
    set(Field::SupportEmail, "support@yourcompany.example");
    set(Field::GeneralEmail, "info@yourcompany.example");

    address(Field::CompanyWebSite, "/");
    address(Field::InfoUrl, "/program/info.html");
    address(Field::OrderUrl, "/program/order.html");
    address(Field::ScreenshotUrl, "/program/images/screenshot.gif");
    address(Field::PadUrl, "/program/pad_file.xml");
    address(Field::IconUrl, "/program/images/icon.gif");
    address(Field::LinkBackUrl, "/program/link_back.html");
    address(Field::UnlockKeyUrl, "/program/unlock_key.html");
    address(Field::PrimaryDownloadUrl, "/download/filename.zip");
    address(Field::SecondaryDownloadUrl, "/mirror/filename.zip");
    v.fields[Field::PadRing] =
        QString::fromLatin1(site) + QLatin1String("/padring/pad_file1.xml\n")
        + QString::fromLatin1(site) + QLatin1String("/padring/pad_file2.xml\n")
        + QString::fromLatin1(site) + QLatin1String("/padring/pad_file3.xml");

    for (int n : {Field::IncludesJavaVm, Field::IncludesVbRuntime, Field::IncludesDirectX,
                  Field::AdultContent})
        set(n, "0");
    set(Field::OwnAffiliateProgram, "No");
    return v;
}

Unstorable firstUnstorable(const EditorValues &values)
{
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        if (!isEditorField(n))
            continue;
        const QString stored = storedValue(values, n);
        QString problem = TableFile::cellProblem(stored);
        const EditorKind kind = FieldCatalogue::field(n).kind;
        if (problem.isEmpty() && (kind == EditorKind::Edit || kind == EditorKind::ReadOnlyEdit)
            && (stored.contains(QLatin1Char('\n')) || stored.contains(QLatin1Char('\r'))))
            problem = tr("it holds a line break, which a one-line field cannot keep");
        if (!problem.isEmpty()) {
            const QString meaning = QString::fromLatin1(FieldCatalogue::field(n).meaning);
            const QString name = caption(n);
            const QString described = name.compare(meaning, Qt::CaseInsensitive) == 0
                ? QStringLiteral("\"%1\"").arg(name)
                : QStringLiteral("\"%1\" (%2)").arg(name, meaning);
            return {n, tr("The field %1 cannot be stored, because %2.\r"
                          "Nothing was saved: please correct the field and save again.")
                           .arg(described, problem)};
        }
    }
    return {};
}

} // namespace EditorRules
