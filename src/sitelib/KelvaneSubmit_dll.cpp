// The site table: ten constant records, each field followed by a carriage
// return, no line feed. The program copies what it needs and unloads us at once.

#include <cstdint>

#if defined(_WIN32)
#define KELVANE_SITELIB_EXPORT __declspec(dllexport)
#else
#define KELVANE_SITELIB_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
KELVANE_SITELIB_EXPORT std::int32_t NumOfRows();
KELVANE_SITELIB_EXPORT const char *LoadStrings(std::int32_t number);
}

namespace {

// Field order: site name, home page, notes, auto, submission page, login,
// user pass, reg url, then the field map entries.
#define CR "\r"

constexpr char Empty[] = "";

constexpr char Record1[] =
    "BestSoftware" CR "http://www.bestsoftware.example" CR CR "yes" CR
    "http://www.bestsoftware.example/submit.php" CR "0" CR CR CR
    "57=padurl" CR;

constexpr char Record2[] =
    "AmazingFiles" CR "http://www.amazingfiles.example" CR CR "yes" CR
    "http://www.amazingfiles.example/submit.php" CR "0" CR CR CR
    "57=padurl" CR;

constexpr char Record3[] =
    "FilesWeb" CR "http://www.filesweb.example/" CR "Must link back" CR "yes" CR
    "http://www.filesweb.example/addpad.html" CR "0" CR CR CR
    "57=padurl" CR "80=linkto" CR;

constexpr char Record4[] =
    "1000files" CR "http://www.1000files.example/" CR CR "yes" CR
    "http://www.1000files.example/addsoftware.html" CR "0" CR CR CR
    "48=cat" CR "57=padurl" CR;

constexpr char Record5[] =
    "FileHungry" CR "http://www.filehungry.example" CR CR "yes" CR
    "http://www.filehungry.example/pad/" CR "0" CR CR CR
    "57=edt_pad_location" CR;

constexpr char Record6[] =
    "FreeTrialDownloads" CR "http://www.freetrialdownloads.example/" CR CR "yes" CR
    "http://www.freetrialdownloads.example/submit.asp" CR "0" CR CR CR
    "57=cPadURL" CR "81=cProductID" CR;

constexpr char Record7[] =
    "DownloadChoice" CR "http://www.downloadchoice.example" CR CR "yes" CR
    "http://www.downloadchoice.example/submit.php" CR "0" CR CR CR
    "57=padurl" CR "81=regnow" CR;

constexpr char Record8[] =
    "Downloadplaza" CR "http://www.downloadplaza.example/" CR CR "yes" CR
    "http://www.downloadplaza.example/submit.html" CR "0" CR CR CR
    "0=Title" CR "64=Url" CR "62=Description" CR;

constexpr char Record9[] =
    "FreewareHome" CR "http://www.freewarehome.example/" CR "Freeware only" CR "yes" CR
    "http://www.freewarehome.example/add_ons/submit.html" CR "0" CR CR CR
    "10=a_Action" CR "0=b_required_Program_Name" CR "54=e_required_Home_Page" CR
    "95=d_required_Author_Name" CR "39=e_Author_Email" CR "64=g_required_Download_Url" CR
    "11=h_OS" CR "97=j_File_Size" CR "1=i_Program_Version" CR
    "61=z_required_Description" CR "47=c_Category" CR;

constexpr char Record10[] =
    "SharewareLinks" CR "http://www.sharewarelinks.example/" CR CR "yes" CR
    "http://www.sharewarelinks.example/submitsite.php" CR "0" CR CR CR
    "0=Company" CR "54=URL" CR "60=Description" CR;

#undef CR

// Index 0 is the empty text, so one unsigned bound covers 0, negatives and
// everything above the last record.
constexpr const char *Records[] = {
    Empty,   Record1, Record2, Record3, Record4, Record5,
    Record6, Record7, Record8, Record9, Record10,
};

constexpr std::uint32_t RecordCount = 10;
static_assert(sizeof(Records) / sizeof(Records[0]) == RecordCount + 1);

} // namespace

std::int32_t NumOfRows()
{
    return std::int32_t(RecordCount);
}

const char *LoadStrings(std::int32_t number)
{
    const auto n = static_cast<std::uint32_t>(number);
    return n <= RecordCount ? Records[n] : Empty;
}
