#include "catalogue/fieldcatalogue.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace {

// field, meaning, caption, control, kind, PAD element, page, tab order, limit
constexpr FieldInfo kFields[] = {
    {Field::ProgramName, "Program name", "Name", "Edit_program_name", EditorKind::Edit, "Program_Name", 0, 0, 0},
    {Field::ProgramVersion, "Program version", "Version", "Edit_version", EditorKind::Edit, "Program_Version", 0, 1, 0},
    {Field::ReleaseType, "Release type", "Type", "ComboBox_release_type", EditorKind::Combo, "Program_Type", 0, 3, 0},
    {Field::ReleaseMonth, "Release month", "month", "Edit_release_month", EditorKind::Edit, "Program_Release_Month", 0, 2, 0},
    {Field::ReleaseDay, "Release day", "day", "Edit_release_day", EditorKind::Edit, "Program_Release_Day", 0, 4, 0},
    {Field::ReleaseYear, "Release year", "year", "Edit_release_year", EditorKind::Edit, "Program_Release_Year", 0, 5, 0},
    {Field::CostDollars, "Cost in US dollars", "Cost (USD)", "Edit_cost_usd", EditorKind::Edit, "Program_Cost_Dollars", 0, 6, 0},
    {Field::CostOther, "Cost in other currency", "Cost", "Edit_cost_other", EditorKind::Edit, "Program_Cost_Other", 0, 7, 0},
    {Field::CostOtherCode, "Other currency", "currency", "ComboBox_currency", EditorKind::Combo, "Program_Cost_Other_Code", 0, 8, 0},
    {Field::InstallSupport, "Install support", "Install Support", "ComboBox_install_sup", EditorKind::Combo, "Program_Install_Support", 0, 10, 0},
    {Field::ReleaseStatus, "Release status", "Rel. Status", "ComboBox_rel_status", EditorKind::Combo, "Program_Release_Status", 0, 9, 0},
    {Field::OsSupport, "Operating systems", "OS Support", "ListBox_os_support", EditorKind::OsList, "Program_OS_Support", 0, 11, 0},
    {Field::Languages, "Languages", "Languages", "ListBox_languages", EditorKind::LanguageList, "Program_Language", 0, 12, 0},
    {Field::FileNameVersioned, "File name, versioned", "Name Versioned", "Edit_filename_version", EditorKind::Edit, "Filename_Versioned", 0, 13, 0},
    {Field::FileNamePrevious, "File name, previous", "Name Previous ", "Edit_filename_prev", EditorKind::Edit, "Filename_Previous", 0, 14, 0},
    {Field::FileNameGeneric, "File name, generic", "Name Generic", "Edit_filename_generic", EditorKind::Edit, "Filename_Generic", 0, 15, 0},
    {Field::FileSizeBytes, "File size in bytes", "Size bytes", "Edit_size_byte", EditorKind::Edit, "File_Size_Bytes", 0, 16, 0},
    {Field::FileSizeK, "File size in kilobytes", "K", "Edit_size_kb", EditorKind::Edit, "File_Size_K", 0, 17, 0},
    {Field::FileSizeMB, "File size in megabytes", "Mb", "Edit_size_mb", EditorKind::Edit, "File_Size_MB", 0, 18, 0},
    {Field::HasExpiry, "Has expiry", "Expires", "ComboBox_expire", EditorKind::Combo, "Has_Expire_Info", 0, 19, 0},
    {Field::ExpiryBasedOn, "Expiry based on", "Expire Base", "ComboBox_expire_base", EditorKind::Combo, "Expire_Based_On", 0, 21, 0},
    {Field::ExpiryCount, "Expiry count", "Expire Count", "Edit_expire_days", EditorKind::Edit, "Expire_Count", 0, 20, 0},
    {Field::ExpiryOther, "Other expiry information", "Expire Other", "Edit_expire_other", EditorKind::Edit, "Expire_Other_Info", 0, 25, 0},
    {Field::ExpiryMonth, "Expiry month", "month", "Edit_expire_month", EditorKind::Edit, "Expire_Month", 0, 24, 0},
    {Field::ExpiryDay, "Expiry day", "day", "Edit_expire_day", EditorKind::Edit, "Expire_Day", 0, 23, 0},
    {Field::ExpiryYear, "Expiry year", "year", "Edit_expire_year", EditorKind::Edit, "Expire_Year", 0, 22, 0},
    {Field::CompanyName, "Company name", "Company", "Edit_company_name", EditorKind::Edit, "Company_Name", 1, 0, 0},
    {Field::Address1, "Address line 1", "Address 1", "Edit_address1", EditorKind::Edit, "Address_1", 1, 1, 0},
    {Field::Address2, "Address line 2", "Address 2", "Edit_address2", EditorKind::Edit, "Address_2", 1, 2, 0},
    {Field::City, "City", "City", "Edit_city", EditorKind::Edit, "City_Town", 1, 4, 0},
    {Field::PostalCode, "Postal code", "Zip", "Edit_zip", EditorKind::Edit, "Zip_Postal_Code", 1, 6, 0},
    {Field::Country, "Country", "Country", "ComboBox_country", EditorKind::Combo, "Country", 1, 5, 0},
    {Field::StateProvince, "State or province", "State", "Edit_state", EditorKind::Edit, "State_Province", 1, 7, 0},
    {Field::CompanyWebSite, "Company web site", "Website", "Edit_url", EditorKind::Edit, "Company_WebSite_URL", 1, 3, 0},
    {Field::AuthorFirstName, "Author first name", "First name", "Edit_author_firstname", EditorKind::Edit, "Author_First_Name", 1, 18, 0},
    {Field::AuthorLastName, "Author last name", "Last name", "Edit_author_lastname", EditorKind::Edit, "Author_Last_Name", 1, 19, 0},
    {Field::AuthorEmail, "Author e-mail", "Email", "Edit_author_email", EditorKind::Edit, "Author_Email", 1, 17, 0},
    {Field::ContactFirstName, "Contact first name", "First name", "Edit_firstname", EditorKind::Edit, "Contact_First_Name", 1, 8, 0},
    {Field::ContactLastName, "Contact last name", "Last name", "Edit_lastname", EditorKind::Edit, "Contact_Last_Name", 1, 12, 0},
    {Field::ContactEmail, "Contact e-mail", "Email", "Edit_contact_email", EditorKind::Edit, "Contact_Email", 1, 9, 0},
    {Field::SalesEmail, "Sales e-mail", "Sales email", "Edit_sales_email", EditorKind::Edit, "Sales_Email", 1, 10, 0},
    {Field::SupportEmail, "Support e-mail", "Support email", "Edit_support_email", EditorKind::Edit, "Support_Email", 1, 11, 0},
    {Field::GeneralEmail, "General e-mail", "General email", "Edit_general_email", EditorKind::Edit, "General_Email", 1, 13, 0},
    {Field::SalesPhone, "Sales phone", "Sales phone", "Edit_sales_phone", EditorKind::Edit, "Sales_Phone", 1, 15, 0},
    {Field::SupportPhone, "Support phone", "Support phone", "Edit_support_phone", EditorKind::Edit, "Support_Phone", 1, 16, 0},
    {Field::GeneralPhone, "General phone", "General phone", "Edit_general_phone", EditorKind::Edit, "General_Phone", 1, 14, 0},
    {Field::ChangeInfo, "Changes since last release", "Changes since last Rel.", "Edit_changes", EditorKind::Edit, "Program_Change_Info", 2, 0, 300},
    {Field::Category, "Category", "Category", "ComboBox_category", EditorKind::Combo, "Program_Specific_Category", 2, 1, 0},
    {Field::CategoryClass, "Category class", "Category_Class", "ComboBox_class", EditorKind::ClassCombo, "Program_Category_Class", 2, 2, 0},
    {Field::SuggestedCategories, "Suggested categories", "Suggest category", "Edit_suggest_cat", EditorKind::Edit, "Program_Categories", 2, 3, 0},
    {Field::OtherRequirements, "Other requirements", "Other Requiremnts", "Edit_other_required", EditorKind::Edit, "Program_System_Requirements", 2, 4, 0},
    {Field::IncludesJavaVm, "Includes Java VM", "Java Vm", "CheckBox_java", EditorKind::CheckBox, "Includes_JAVA_VM", 2, 5, 0},
    {Field::IncludesVbRuntime, "Includes VB runtime", "VB Runtime", "CheckBox_vb", EditorKind::CheckBox, "Includes_VB_Runtime", 2, 6, 0},
    {Field::IncludesDirectX, "Includes DirectX", "DirectX", "CheckBox_directx", EditorKind::CheckBox, "Includes_DirectX", 2, 7, 0},
    {Field::InfoUrl, "Information page address", "Info URL", "Edit_info_url", EditorKind::Edit, "Application_Info_URL", 2, 8, 300},
    {Field::OrderUrl, "Order page address", "Order URL", "Edit_order_url", EditorKind::Edit, "Application_Order_URL", 2, 9, 300},
    {Field::ScreenshotUrl, "Screenshot address", "Screenshot", "Edit_screeshot_url", EditorKind::Edit, "Application_Screenshot_URL", 2, 10, 300},
    {Field::PadUrl, "PAD file address", "PAD File URL", "Edit_pad_url", EditorKind::Edit, "Application_XML_File_URL", 2, 11, 300},
    {Field::Keywords, "Keywords", "Keywords", "Edit_keywords", EditorKind::Edit, "Keywords", 3, 1, 300},
    {Field::Desc45, "Description, 45 characters", "45 chars", "Edit_descript45", EditorKind::Edit, "Char_Desc_45", 3, 2, 45},
    {Field::Desc80, "Description, 80 characters", "80 chars", "Edit_descript80", EditorKind::Edit, "Char_Desc_80", 3, 3, 80},
    {Field::Desc250, "Description, 250 characters", "250 chars", "Memo_descript250", EditorKind::Memo, "Char_Desc_250", 3, 5, 250},
    {Field::Desc450, "Description, 450 characters", "450 chars", "Memo_descript450", EditorKind::Memo, "Char_Desc_450", 3, 0, 450},
    {Field::Desc2000, "Description, 2000 characters", "2000 chars", "Memo_descript2000", EditorKind::Memo, "Char_Desc_2000", 3, 4, 2000},
    {Field::PrimaryDownloadUrl, "Primary download address", "Primary download", "Edit_downld_primary", EditorKind::Edit, "Primary_Download_URL", 4, 0, 150},
    {Field::SecondaryDownloadUrl, "Secondary download address", "Secondary url", "Edit_downld_secondary", EditorKind::Edit, "Secondary_Download_URL", 4, 1, 150},
    {Field::ThirdDownloadUrl, "Third download address", "3rd download url", "Edit_downld_three", EditorKind::Edit, "Additional_Download_URL_1", 4, 2, 150},
    {Field::FourthDownloadUrl, "Fourth download address", "4th download url", "Edit_downld_four", EditorKind::Edit, "Additional_Download_URL_2", 4, 4, 150},
    {Field::Permissions, "Distribution permissions", "Permissions", "Memo_permissions", EditorKind::Memo, "Distribution_Permissions", 4, 3, 450},
    {Field::Eula, "User licence", "User License ", "Memo_user_license", EditorKind::Memo, "EULA", 4, 5, 450},
    {Field::PadRing, "PAD ring", "PAD Ring", "Memo_pad_ring", EditorKind::MemoLines, "Padring", 5, 0, 0},
    {Field::RegNowVendorId, "RegNow vendor ID", "RegNow", "Edit_regnow_v_id", EditorKind::Edit, "Affiliates_Regnow_Vendor_ID", 6, 0, 0},
    {Field::ShareItVendorId, "ShareIt vendor ID", "ShareIt", "Edit_shareit_v_id", EditorKind::Edit, "Affiliates_ShareIt_Vendor_ID", 6, 2, 0},
    {Field::RegSoftVendorId, "RegSoft vendor ID", "RegSoft", "Edit_regsoft_v_id", EditorKind::Edit, "Affiliates_Regsoft_Vendor_ID", 6, 1, 0},
    {Field::IconUrl, "Icon address", "Icon", "Edit_icon_url", EditorKind::Edit, "Application_Icon_URL", 2, 12, 300},
    {Field::Fax, "Fax", "Fax", "Edit_fax", EditorKind::Edit, "Fax_Phone", 1, 20, 0},
    {Field::FileNameLong, "File name, long", "Name Long", "Edit_name_long", EditorKind::Edit, "Filename_Long", 0, 26, 0},
    {Field::ESellerateProductId, "eSellerate product ID", "eSellerate", "Edit_esellerate_p_id", EditorKind::Edit, "Affiliates_eSellrate_Product_ID", 6, 12, 0},
    {Field::EMetrixVendorId, "eMetrix vendor ID", "eMetrix", "Edit_emetrix_v_id", EditorKind::Edit, "Affiliates_eMetrix_Vendor_ID", 6, 3, 0},
    {Field::DigiBuyVendorId, "DigiBuy vendor ID", "DigiBuy", "Edit_digibuy_v_id", EditorKind::Edit, "Affiliates_DigiBuy_Vendor_ID", 6, 5, 0},
    {Field::LinkBackUrl, "Link-back page address", "Link back URL", "Edit_link_back", EditorKind::Edit, nullptr, 5, 1, 300},
    {Field::RegNowProductId, "RegNow product ID", "RegNow", "Edit_regnow_p_id", EditorKind::Edit, "Affiliates_Regnow_Product_ID", 6, 8, 0},
    {Field::RegSoftProductId, "RegSoft product ID", "RegSoft", "Edit_regsoft_p_id", EditorKind::Edit, "Affiliates_Regsoft_Product_ID", 6, 7, 0},
    {Field::ShareItProductId, "ShareIt product ID", "ShareIt", "Edit_shareit_p_id", EditorKind::Edit, "Affiliates_ShareIt_Product_ID", 6, 6, 0},
    {Field::SwRegVendorId, "SwReg vendor ID", "SwReg", "Edit_swreg_v_id", EditorKind::Edit, "Affiliates_SWReg_Vendor_ID", 6, 4, 0},
    {Field::EMetrixProductId, "eMetrix product ID", "eMetrix", "Edit_emetrix_p_id", EditorKind::Edit, "Affiliates_eMetrix_Product_ID", 6, 9, 0},
    {Field::DigiBuyProductId, "DigiBuy product ID", "DigiBuy", "Edit_digibuy_p_id", EditorKind::Edit, "Affiliates_DigiBuy_Product_ID", 6, 10, 0},
    {Field::SwRegProductId, "SwReg product ID", "SwReg", "Edit_swreg_p_id", EditorKind::Edit, "Affiliates_SWReg_Product_ID", 6, 11, 0},
    {Field::UnlockKeyUrl, "Unlock-key page address", "Unlock key URL", "Edit_unlock_code", EditorKind::Edit, nullptr, 5, 2, 300},
    {Field::MainIdUsed, "Main shareware ID used", "Main ID used", "ComboBox_main_ID", EditorKind::Combo, nullptr, 6, 13, 0},
    {Field::MainProductId, "Main product ID", nullptr, "Edit_main_p_id", EditorKind::ReadOnlyEdit, nullptr, 6, 14, 0},
    {Field::MainVendorId, "Main vendor ID", nullptr, "Edit_main_v_id", EditorKind::ReadOnlyEdit, nullptr, 6, 15, 0},
    {Field::Reserved, "Reserved", nullptr, nullptr, EditorKind::Reserved, nullptr, -1, -1, 0},
    {Field::SiteCategoryNames, "Site category names", nullptr, nullptr, EditorKind::Derived, nullptr, -1, -1, 0},
    {Field::OsSiteTokens, "OS site tokens", nullptr, nullptr, EditorKind::Derived, nullptr, -1, -1, 0},
    {Field::AuthorFullName, "Author full name", nullptr, nullptr, EditorKind::Derived, nullptr, -1, -1, 0},
    {Field::ExpirySummary, "Expiry summary", nullptr, nullptr, EditorKind::Derived, nullptr, -1, -1, 0},
    {Field::FileSizeWithUnit, "File size with unit", nullptr, nullptr, EditorKind::Derived, nullptr, -1, -1, 0},
    {Field::ReleaseDateMonthFirst, "Release date, month first", nullptr, nullptr, EditorKind::Derived, nullptr, -1, -1, 0},
    {Field::ReleaseDateYearFirst, "Release date, year first", nullptr, nullptr, EditorKind::Derived, nullptr, -1, -1, 0},
    {Field::OtherLimitations, "Other limitations", "Other Limitations", "Edit_other_limits", EditorKind::Edit, nullptr, 5, 3, 300},
    {Field::AdultContent, "Adult content", "Adult Content", "CheckBox_adult_contnt", EditorKind::CheckBox, nullptr, 5, 4, 0},
    {Field::OwnAffiliateProgram, "Own affiliate program", nullptr, "CheckBox_affiliate_sys", EditorKind::CheckBoxYesNo, nullptr, 6, 16, 0},
    {Field::OwnAffiliateDescription, "Own affiliate program description", "Description of your system :", "Memo_affiliate_sys", EditorKind::Memo, nullptr, 6, 17, 0},
    {Field::SubmissionMark, "Submission mark", nullptr, nullptr, EditorKind::Mark, nullptr, -1, -1, 0},
};

static_assert(std::size(kFields) == FieldCatalogue::FieldCount);

constexpr bool numberedInOrder()
{
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n)
        if (kFields[n].number != n)
            return false;
    return true;
}
static_assert(numberedInOrder(), "row n of the field table must describe field n");

// Section captions of the editor pages, top to bottom.
// Up to four per page; unused slots stay null.
constexpr const char *kSections[FieldCatalogue::PageCount][4] = {
    {"Program Information", "File Information", "Expire Information"},
    {"Company Information", "Contact Information", "Support Information", "Author Information"},
    {"Program Change Information", "Includes", "Application Web Information"},
    {"Program Descriptions"},
    {"Download Information", "Distribution_Permissions"},
    {"PAD Extensions", "Diverse information"},
    {"Shareware Vendor ID's", "Shareware Product ID's", "Main Vendor ID used   (some sites need this info)", "Own Affiliate Program"},
};

struct GroupRange
{
    int first;
    int last;
    const char *word;
};

// Group words that prefix the software list headers of fields below 90.
constexpr GroupRange kGroups[] = {
    {Field::ProgramName, Field::Languages, "Release"},
    {Field::FileNameVersioned, Field::FileSizeMB, "File"},
    {Field::FileNameLong, Field::FileNameLong, "File"},
    {Field::HasExpiry, Field::ExpiryYear, "Expire"},
    {Field::CompanyName, Field::CompanyWebSite, "Company"},
    {Field::AuthorFirstName, Field::AuthorEmail, "Author"},
    {Field::ContactFirstName, Field::ContactEmail, "Contact"},
    {Field::SalesEmail, Field::GeneralPhone, "Support"},
    {Field::Fax, Field::Fax, "Support"},
    {Field::ChangeInfo, Field::IncludesDirectX, "Program"},
    {Field::InfoUrl, Field::PadUrl, "Web"},
    {Field::IconUrl, Field::IconUrl, "Web"},
    {Field::Keywords, Field::Desc2000, "Descript."},
    {Field::PrimaryDownloadUrl, Field::FourthDownloadUrl, "Download"},
    {Field::Permissions, Field::Eula, "Permissions"},
};

constexpr FieldInfo kNoField = {-1, "", nullptr, nullptr, EditorKind::Reserved, nullptr, -1, -1, 0};

QStringList listOf(std::initializer_list<const char *> items)
{
    QStringList list;
    list.reserve(qsizetype(items.size()));
    for (const char *item : items)
        list.append(QString::fromLatin1(item));
    return list;
}

} // namespace

namespace FieldCatalogue {

const FieldInfo &field(int n)
{
    Q_ASSERT(n >= 0 && n < FieldCount);
    if (n < 0 || n >= FieldCount)
        return kNoField;
    return kFields[n];
}

QString pageName(int page)
{
    if (page < 0 || page >= PageCount)
        return QString();
    return QStringLiteral("Panel_1") + QChar(u'a' + page);
}

QList<int> pageFields(int page)
{
    QList<int> fields;
    for (const FieldInfo &info : kFields)
        if (info.page == page && page >= 0)
            fields.append(info.number);
    std::sort(fields.begin(), fields.end(),
              [](int a, int b) { return kFields[a].tabOrder < kFields[b].tabOrder; });
    return fields;
}

QStringList pageSections(int page)
{
    if (page < 0 || page >= PageCount)
        return QStringList();
    QStringList sections;
    for (const char *caption : kSections[page])
        if (caption)
            sections.append(QString::fromLatin1(caption));
    return sections;
}

QString groupWord(int n)
{
    for (const GroupRange &group : kGroups)
        if (n >= group.first && n <= group.last)
            return QString::fromLatin1(group.word);
    return QString();
}

QString shownProgramName(const QString &name)
{
    return name.isEmpty() ? QCoreApplication::translate("FieldCatalogue", "(unnamed)") : name;
}

QString headerText(int n)
{
    if (n < 0 || n >= FieldCount)
        return QString();
    if (n >= Field::MainProductId)
        return QStringLiteral(" [col ") + QString::number(n) + QLatin1Char(']');
    return groupWord(n) + QLatin1Char(' ') + QString::fromLatin1(kFields[n].caption)
        + QStringLiteral(" : ") + QString::number(n);
}

const QList<int> &visibleColumns()
{
    static const QList<int> columns = {
        Field::ProgramName,     Field::ProgramVersion,    Field::ReleaseType, Field::ReleaseStatus,
        Field::FileNameGeneric, Field::CompanyName,       Field::AuthorEmail, Field::Category,
        Field::InfoUrl,         Field::PrimaryDownloadUrl};
    return columns;
}

bool isVisibleColumn(int n)
{
    return visibleColumns().contains(n);
}

QStringList comboItems(int field)
{
    switch (field) {
    case Field::ReleaseType:
        return listOf({"Shareware", "Freeware", "Adware", "Demo", "Commercial", "Data Only"});
    case Field::CostOtherCode:
        return PickLists::currencies();
    case Field::InstallSupport:
        return listOf({"Install and Uninstall", "Install Only", "No Install Support", "Uninstall Only"});
    case Field::ReleaseStatus:
        return listOf({"Major Update", "Minor Update", "New Release", "Beta", "Alpha", "Media Only"});
    case Field::HasExpiry:
        return listOf({"Y", "N"});
    case Field::ExpiryBasedOn:
        return listOf({"Days", "Uses", "Either"});
    case Field::Country:
        return PickLists::countries();
    case Field::MainIdUsed:
        // The empty first item lets the user go back to "no main ID" once one was chosen.
        return listOf({"", "RegNow", "RegSoft", "ShareIt", "eSellerate", "DigiBuy", "SwReg", "eMetrix"});
    default:
        // Fields 47 and 48 take their items from the category tables.
        return QStringList();
    }
}

} // namespace FieldCatalogue
