#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The field catalogue: one table row per software field. It drives the
// software list headers, the editor pages, the load/store rules, PAD mapping
// and the e-mail body, so none of those keeps its own copy of this data.

// How a field is held by its editor control, and so how it is stored and loaded.
enum class EditorKind {
    Edit,          // one-line text box
    ReadOnlyEdit,  // one-line text box the user cannot type in (fields 90, 91)
    Combo,         // drop-down list of fixed items, stored as the chosen item's text
    ClassCombo,    // category-class drop-down: stored as the item's text before its first tab
    Memo,          // multi-line box, line breaks stored as one space each
    MemoLines,     // multi-line box keeping its line breaks (field 70)
    CheckBox,      // "1" / "0"
    CheckBoxYesNo, // "Yes" / "No" (field 102)
    OsList,        // multi-select OS list (field 11)
    LanguageList,  // multi-select language list (field 12)
    Reserved,      // no control, always stored empty (field 92)
    Derived,       // computed by every store (fields 93 to 99)
    Mark,          // submission mark, drawn in the software list (field 104)
};

// Software record fields by number: cell n of a software row holds field n.
enum Field : int {
    ProgramName, // 0
    ProgramVersion, // 1
    ReleaseType, // 2
    ReleaseMonth, // 3
    ReleaseDay, // 4
    ReleaseYear, // 5
    CostDollars, // 6
    CostOther, // 7
    CostOtherCode, // 8
    InstallSupport, // 9
    ReleaseStatus, // 10
    OsSupport, // 11
    Languages, // 12
    FileNameVersioned, // 13
    FileNamePrevious, // 14
    FileNameGeneric, // 15
    FileSizeBytes, // 16
    FileSizeK, // 17
    FileSizeMB, // 18
    HasExpiry, // 19
    ExpiryBasedOn, // 20
    ExpiryCount, // 21
    ExpiryOther, // 22
    ExpiryMonth, // 23
    ExpiryDay, // 24
    ExpiryYear, // 25
    CompanyName, // 26
    Address1, // 27
    Address2, // 28
    City, // 29
    PostalCode, // 30
    Country, // 31
    StateProvince, // 32
    CompanyWebSite, // 33
    AuthorFirstName, // 34
    AuthorLastName, // 35
    AuthorEmail, // 36
    ContactFirstName, // 37
    ContactLastName, // 38
    ContactEmail, // 39
    SalesEmail, // 40
    SupportEmail, // 41
    GeneralEmail, // 42
    SalesPhone, // 43
    SupportPhone, // 44
    GeneralPhone, // 45
    ChangeInfo, // 46
    Category, // 47
    CategoryClass, // 48
    SuggestedCategories, // 49
    OtherRequirements, // 50
    IncludesJavaVm, // 51
    IncludesVbRuntime, // 52
    IncludesDirectX, // 53
    InfoUrl, // 54
    OrderUrl, // 55
    ScreenshotUrl, // 56
    PadUrl, // 57
    Keywords, // 58
    Desc45, // 59
    Desc80, // 60
    Desc250, // 61
    Desc450, // 62
    Desc2000, // 63
    PrimaryDownloadUrl, // 64
    SecondaryDownloadUrl, // 65
    ThirdDownloadUrl, // 66
    FourthDownloadUrl, // 67
    Permissions, // 68
    Eula, // 69
    PadRing, // 70
    RegNowVendorId, // 71
    ShareItVendorId, // 72
    RegSoftVendorId, // 73
    IconUrl, // 74
    Fax, // 75
    FileNameLong, // 76
    ESellerateProductId, // 77
    EMetrixVendorId, // 78
    DigiBuyVendorId, // 79
    LinkBackUrl, // 80
    RegNowProductId, // 81
    RegSoftProductId, // 82
    ShareItProductId, // 83
    SwRegVendorId, // 84
    EMetrixProductId, // 85
    DigiBuyProductId, // 86
    SwRegProductId, // 87
    UnlockKeyUrl, // 88
    MainIdUsed, // 89
    MainProductId, // 90
    MainVendorId, // 91
    Reserved, // 92
    SiteCategoryNames, // 93
    OsSiteTokens, // 94
    AuthorFullName, // 95
    ExpirySummary, // 96
    FileSizeWithUnit, // 97
    ReleaseDateMonthFirst, // 98
    ReleaseDateYearFirst, // 99
    OtherLimitations, // 100
    AdultContent, // 101
    OwnAffiliateProgram, // 102
    OwnAffiliateDescription, // 103
    SubmissionMark, // 104
};

struct FieldInfo
{
    int number;
    const char *meaning;    // "Program name"
    const char *caption;    // label text on the editor page; nullptr when none
    const char *control;    // object name of the editor control; nullptr when none
    EditorKind kind;
    const char *padElement; // PAD element written by the export; nullptr when none
    int page;               // editor page 0..6 (Panel_1a..Panel_1g); -1 when on none
    int tabOrder;           // position within its page's tab order; -1 when on none
    int limit;              // input limit in characters; 0 when none
};

namespace FieldCatalogue {

constexpr int FieldCount = 105;
constexpr int MarkField = Field::SubmissionMark;
constexpr int PageCount = 7;

// Field n, 0 <= n < FieldCount.
const FieldInfo &field(int n);

// Object names "Panel_1a" .. "Panel_1g".
QString pageName(int page);
// Fields of a page in its tab order.
QList<int> pageFields(int page);
// Section captions of a page, top to bottom.
QStringList pageSections(int page);

// Group word of a field below 90 ("Release", "File", ...; "" for the rest).
QString groupWord(int n);
// Header text of software list column n: "Release Name : 0", " [col 95]".
QString headerText(int n);
// How a record's program name is shown in the list and the product chooser: a
// record without one (a file edited by hand) is shown as "(unnamed)".
QString shownProgramName(const QString &name);

// The ten columns the software list shows: 0, 1, 2, 10, 15, 26, 36, 47, 54, 64.
const QList<int> &visibleColumns();
bool isVisibleColumn(int n);

// Items of a fixed drop-down list, in order, including an empty first item
// where the list has one; empty for fields without such a list (and for the
// category and class lists, which the category tables provide).
QStringList comboItems(int field);

} // namespace FieldCatalogue

// The fixed lists of the editor controls.
namespace PickLists {

// 34 OS items: name, then site tokens, tab-separated, without the trailing
// tab the program appends at start-up.
const QStringList &osItems();
// Name of an OS item: the text before its first tab.
QString osName(const QString &item);
// 26 languages.
const QStringList &languages();
// 164 currency items, the empty first one included.
const QStringList &currencies();
// 244 country items, the empty first one included (two names occur twice).
const QStringList &countries();

} // namespace PickLists
