#include "catalogue/fieldcatalogue.h"

#include <cstddef>

namespace {

// OS items: the name the list shows and field 11 stores, then the site tokens
// that field 94 collects, tab-separated.
const char *const kOsItems[] = {
    "Win 3.1x\t31", "Win95\t95\tosnew[1]", "Win98\t98\tosnew[1]", "WinME\tMe\tosnew[2]",
    "WinNT 3.x\tnt3\tosnew[3]\tNT", "WinNT 4.x\tnt4\tosnew[3]\tNT", "WinXP\tXP\tosnew[5]",
    "Windows2000\t2000\tosnew[4]\t2k", "Windows2003\t2003\tosnew[6]\t2k3\t2k", "Windows CE\tWinCE",
    "Unix\tUnix\tosnew[8]", "Linux\tUnix\tosnew[8]", "Linux Console\tUnix\tosnew[8]",
    "Linux Gnome\tUnix\tosnew[8]", "Linux GPL\tUnix\tosnew[8]",
    "Linux Open Source\tUnix\tosnew[8]", "MS-DOS", "Mac 68k\tMAC", "Mac PPC\tMAC", "Mac OS X\tMAC",
    "Mac Other\tMAC", "Palm OS 1.0\tPalm", "Palm OS 2.0\tPalm", "Palm OS 2.1\tPalm",
    "Palm OS 3.0\tPalm", "Palm OS 3.1\tPalm", "Palm OS 3.2\tPalm", "Pocket PC",
    "Symbian\tMobile OS", "OpenVMS\tMobile OS", "Netware", "BEOS", "Java", "Not Applicable\tOther",
};

const char *const kLanguages[] = {
    "Arabic", "Czech", "Danish", "English", "Finnish", "French", "German", "Greek", "Hindi",
    "Hungarian", "Italian", "Japanese", "Korean", "Other", "Polish", "Portuguese", "Romanian",
    "Russian", "Spanish", "Swedish", "Turkish", "Urdu", "Vietnamese", "Yiddish",
    "ChineseSimplified", "ChineseTraditional",
};

const char *const kCurrencies[] = {
    "", "AED", "AFA", "ALL", "AMD", "ANG", "AOR", "ARS", "AUD", "AWG", "AZM", "BAK", "BBD", "BDT",
    "BGN", "BHD", "BIF", "BMD", "BND", "BOB", "BRL", "BSD", "BTN", "BWP", "BYR", "BZD", "CAD",
    "CDF", "CHF", "CLP", "CNY", "COP", "CRC", "CSD", "CZK", "CUP", "CVE", "CYP", "DJF", "DKK",
    "DOP", "DZD", "EEK", "EGP", "ERN", "ETB", "EUR", "FJD", "FKP", "GBP", "GEL", "GHC", "GIP",
    "GMD", "GNF", "GTQ", "GYD", "HKD", "HNL", "HRK", "HTG", "HUF", "IDR", "ILS", "INR", "IQD",
    "IRR", "ISK", "JMD", "JOD", "JPY", "KES", "KGS", "KHR", "KMF", "KPW", "KRW", "KWD", "KYD",
    "KZT", "LAK", "LBP", "LKR", "LRD", "LSL", "LTL", "LVL", "LYD", "MAD", "MDL", "MGA", "MGF",
    "MKD", "MMK", "MNT", "MOP", "MRO", "MTL", "MUR", "MVR", "MWK", "MXN", "MYR", "MZM", "NAD",
    "NGN", "NIO", "NOK", "NPR", "NZD", "OMR", "PAB", "PEN", "PGK", "PHP", "PKR", "PLN", "PYG",
    "QAR", "ROL", "RUB", "RWF", "SAR", "SBD", "SCR", "SDD", "SEK", "SGD", "SHP", "SIT", "SKK",
    "SLL", "SOS", "SRD", "STD", "SVC", "SYP", "SZL", "THB", "TJS", "TMM", "TND", "TOP", "TRL",
    "TTD", "TWD", "TZS", "UAH", "UGX", "USD", "UYU", "UZS", "VEB", "VND", "VUV", "WST", "XAF",
    "XCD", "XOF", "XPF", "YER", "ZAR", "ZMK", "ZWD",
};

const char *const kCountries[] = {
    "", "United States of America", "Andorra", "United Arab Emirates", "Afghanistan",
    "Antigua and Barbuda", "Anguilla", "Albania", "Armenia", "Netherlands Antilles", "Angola",
    "Antarctica", "Argentina", "American Samoa", "Austria", "Australia", "Aruba", "Azerbaidjan",
    "Bosnia-Herzegovina", "Barbados", "Bangladesh", "Belgium", "Burkina Faso", "Bulgaria",
    "Bahrain", "Burundi", "Benin", "Bermuda", "Brunei Darussalam", "Bolivia", "Brazil", "Bahamas",
    "Bhutan", "Bouvet Island", "Botswana", "Belarus", "Belize", "Canada",
    "Cocos (Keeling) Islands", "Democratic Republic of Congo", "Central African Republic", "Congo",
    "Switzerland", "Ivory Coast (Cote D'Ivoire)", "Cook Islands", "Chile", "Cameroon", "China",
    "Colombia", "Costa Rica", "Czech Republic", "Cuba", "Cape Verde", "Christmas Island", "Cyprus",
    "Czech Republic", "Germany", "Djibouti", "Denmark", "Dominica", "Dominican Republic",
    "Algeria", "Ecuador", "Estonia", "Egypt", "Western Sahara", "Eritrea", "Spain", "Ethiopia",
    "Finland", "Fiji", "Falkland Islands", "Micronesia", "Faroe Islands", "France", "Gabon",
    "Great Britain", "Grenada", "Georgia", "French Guyana", "Guernsey", "Ghana", "Gibraltar",
    "Greenland", "Gambia", "Guinea", "Guadeloupe (French)", "Equatorial Guinea", "Greece",
    "S. Georgia & S. Sandwich Isls.", "Guatemala", "Guam (USA)", "Guinea Bissau", "Guyana",
    "Hong Kong", "Heard and McDonald Islands", "Honduras", "Croatia", "Haiti", "Hungary",
    "Indonesia", "Ireland", "Israel", "Isle of Man", "India", "Iraq", "Iran", "Iceland", "Italy",
    "Jersey", "Jamaica", "Jordan", "Japan", "Kenya", "Kyrgyzstan", "Cambodia", "Kiribati",
    "Comoros", "Anguilla", "North Korea", "South Korea", "Kuwait", "Cayman Islands", "Kazakhstan",
    "Laos", "Lebanon", "Saint Lucia", "Liechtenstein", "Sri Lanka", "Liberia", "Lesotho",
    "Lithuania", "Luxembourg", "Latvia", "Libya", "Morocco", "Monaco", "Moldavia", "Madagascar",
    "Marshall Islands", "Macedonia", "Mali", "Myanmar", "Mongolia", "Macau",
    "Northern Mariana Islands", "Martinique", "Mauritania", "Montserrat", "Malta", "Mauritius",
    "Maldives", "Malawi", "Mexico", "Malaysia", "Mozambique", "Namibia", "New Caledonia", "Niger",
    "Norfolk Island", "Nigeria", "Nicaragua", "Netherlands", "Norway", "Nepal", "Nauru",
    "Neutral Zone", "Niue", "New Zealand", "Oman", "Panama", "Peru", "Polynesia",
    "Papua New Guinea", "Philippines", "Pakistan", "Poland", "Saint Pierre and Miquelon",
    "Pitcairn Island", "Puerto Rico", "Portugal", "Palau", "Paraguay", "Qatar", "Reunion",
    "Romania", "Russia", "Rwanda", "Saudi Arabia", "Samoa", "Saint Helena", "Solomon Islands",
    "Seychelles", "Sudan", "Sweden", "Singapore", "Slovenia", "Svalbard and Jan Mayen Islands",
    "Slovak Republic", "Slovakia", "Sierra Leone", "San Marino", "Senegal", "Somalia",
    "South Africa", "Suriname", "Saint Tome and Principe", "Former USSR", "El Salvador", "Syria",
    "Swaziland", "Turks and Caicos Islands", "Chad", "Togo", "Thailand", "Tadjikistan", "Tokelau",
    "Turkmenistan", "Tunisia", "Tonga", "East Timor", "Turkey", "Trinidad and Tobago", "Tuvalu",
    "Taiwan", "Tanzania", "Ukraine", "Uganda", "United Kingdom", "United States", "Uruguay",
    "Uzbekistan", "Vatican City State", "Saint Vincent & Grenadines", "Venezuela",
    "Virgin Islands", "Vietnam", "Vanuatu", "Wallis and Futuna Islands", "Yemen", "Mayotte",
    "Yugoslavia", "Zambia", "Zimbabwe",
};

template <std::size_t N> QStringList listOf(const char *const (&items)[N])
{
    QStringList list;
    list.reserve(qsizetype(N));
    for (const char *item : items)
        list.append(QString::fromLatin1(item));
    return list;
}

} // namespace

namespace PickLists {

const QStringList &osItems()
{
    static const QStringList items = listOf(kOsItems);
    return items;
}

QString osName(const QString &item)
{
    const qsizetype tab = item.indexOf(QLatin1Char('\t'));
    return tab < 0 ? item : item.left(tab);
}

const QStringList &languages()
{
    static const QStringList items = listOf(kLanguages);
    return items;
}

const QStringList &currencies()
{
    static const QStringList items = listOf(kCurrencies);
    return items;
}

const QStringList &countries()
{
    static const QStringList items = listOf(kCountries);
    return items;
}

} // namespace PickLists
