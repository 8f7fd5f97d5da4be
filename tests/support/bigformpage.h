#pragma once

#include <QByteArray>
#include <QStringList>

// A submission page of 2,000 form elements: 1,998 text inputs f0..f1997, a
// category list of 1,000 options and the submit button, plus the field map
// of 30 entries that fills it (29 inputs and the category list).
namespace BigFormPage {

inline constexpr int TextInputs = 1998;
inline constexpr int CategoryOptions = 1000;
inline constexpr int UtilitiesOption = 700;

// Text inputs f<first>..f<last - 1>.
inline QByteArray inputs(int first, int last)
{
    QByteArray html;
    for (int i = first; i < last; ++i)
        html += "<input name=f" + QByteArray::number(i) + ">";
    return html;
}

inline QByteArray categoryList()
{
    QByteArray html = "<select name=category>";
    for (int k = 0; k < CategoryOptions; ++k) {
        html += "<option value=c" + QByteArray::number(k) + ">"
                + (k == UtilitiesOption ? QByteArray("Utilities - System")
                                        : "Category " + QByteArray::number(k));
    }
    return html + "</select>";
}

inline QByteArray form(const QByteArray &action)
{
    return "<form method=post action=\"" + action + "\">" + inputs(0, TextInputs) + categoryList()
           + "<input type=submit name=send value=Send></form>";
}

inline QByteArray html(const QByteArray &action)
{
    return "<html><head><title>Big form</title></head><body>" + form(action) + "</body></html>";
}

// Fields 0..28 into f0..f28, the category (field 47) into the list.
inline QStringList fieldMap()
{
    QStringList entries;
    for (int i = 0; i < 29; ++i)
        entries.append(QStringLiteral("%1=f%2").arg(i).arg(i));
    entries.append(QStringLiteral("47=category"));
    return entries;
}

inline QStringList softwareRecord()
{
    QStringList record(105);
    for (int i = 0; i < 29; ++i)
        record[i] = QStringLiteral("value %1").arg(i);
    record[47] = QStringLiteral("Utilities");
    return record;
}

} // namespace BigFormPage
