#pragma once

#include "catalogue/fieldcatalogue.h"
#include "editor/editorvalues.h"
#include "pad/categorytables.h"
#include "platform/table.h"
#include "support/softwarerecord.h"

#include <QFile>
#include <QString>
#include <QStringList>

// Editor contents that pass every check of the save.
inline EditorValues passingValues(const QString &name = QStringLiteral("Alpha Tool"))
{
    EditorValues v;
    auto set = [&v](int n, const char *text) { v.fields[n] = QString::fromLatin1(text); };
    v.fields[0] = name;
    set(1, "2.0.1");
    set(2, "Shareware");
    set(3, "05");
    set(4, "11");
    set(5, "2005");
    set(6, "19.95");
    set(7, "18.00");
    set(8, "EUR");
    set(9, "Install and Uninstall");
    set(10, "Major Update");
    set(13, "alpha201.zip");
    set(14, "alpha200.zip");
    set(15, "alpha.zip");
    set(16, "1192000");
    set(17, "1159");
    set(18, "1.15");
    set(19, "Y");
    set(20, "Days");
    set(21, "30");
    set(22, " or 40 uses");
    set(26, "Kelvane Tools");
    set(27, "1 Main Street");
    set(29, "Lisbon");
    set(30, "2410");
    set(31, "Portugal");
    set(33, "http://www.kelvane.example/");
    set(34, "Ana");
    set(35, "Silva");
    set(36, "ana@kelvane.example");
    set(37, "Rui");
    set(38, "Costa");
    set(39, "rui@kelvane.example");
    set(42, "info@kelvane.example");
    set(46, "Faster start-up");
    set(47, "Audio");
    set(49, "Encoders, Converters");
    set(51, "1");
    set(52, "0");
    set(53, "1");
    set(54, "http://www.kelvane.example/alpha.html");
    set(55, "http://www.kelvane.example/order.html");
    set(57, "http://www.kelvane.example/alpha.xml");
    set(58, "audio, encoder");
    set(59, "Encodes audio");
    set(60, "Encodes audio files quickly");
    set(61, "Encodes audio files quickly and well.");
    set(62, "Encodes audio files quickly and well, in many formats.");
    set(63, "Encodes audio files quickly and well, in many formats, for everyone.");
    set(64, "http://www.kelvane.example/dl/alpha201.zip");
    set(68, "Free to distribute.");
    set(69, "Use at your own risk.");
    set(70, "http://pad.kelvane.example/one.xml\nhttp://pad.kelvane.example/two.xml");
    set(71, "V-71");
    set(81, "P-81");
    set(80, "http://www.kelvane.example/links.html");
    set(88, "http://www.kelvane.example/key.html");
    set(89, "RegNow");
    set(90, "P-81");
    set(91, "V-71");
    set(100, "30 days");
    set(101, "0");
    set(102, "Yes");
    set(103, "Our own shop");
    v.classItem = EditorRules::classItems().at(0);
    const QStringList &os = EditorRules::osItems();
    v.selectedOs = {os.at(1), os.at(2), os.at(13)};
    v.selectedLanguages = {QStringLiteral("English"), QStringLiteral("German")};
    return v;
}

// A fresh software list: 105 columns, header and one empty row.
inline Table freshSoftwareTable()
{
    Table table(FieldCatalogue::FieldCount, 2);
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n)
        table.setCell(n, 0, FieldCatalogue::headerText(n));
    return table;
}

// A history of two sites whose product columns follow the software rows.
inline Table historyFor(const Table &software)
{
    Table history(software.rowCount(), 3);
    history.setCell(0, 0, QStringLiteral("Web site"));
    history.setCell(0, 1, QStringLiteral("site-one.example"));
    history.setCell(0, 2, QStringLiteral("site-two.example"));
    for (int r = 1; r < software.rowCount(); ++r)
        history.setCell(r, 0, software.cell(0, r));
    return history;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

// A software record with its name, release status (field 10) and any further cells.
inline QStringList record(const QString &name, const QString &release = QString(),
                          const QList<QPair<int, QString>> &more = {})
{
    return recordWith(QList<QPair<int, QString>>{{Field::ProgramName, name},
                                                 {Field::ReleaseStatus, release}}
                      + more);
}

// "Product 1" with "Release 1", "Product 2" with "Release 2", ...
inline QList<QStringList> numberedRecords(int count)
{
    QList<QStringList> records;
    for (int i = 1; i <= count; ++i)
        records.append(record(QStringLiteral("Product %1").arg(i), QStringLiteral("Release %1").arg(i)));
    return records;
}

// A software list holding `records` below its heading row.
inline Table catalogueOf(const QList<QStringList> &records)
{
    Table table = freshSoftwareTable();
    for (int i = 0; i < records.size(); ++i)
        table.setRow(i == 0 ? 1 : table.appendRow(), records.at(i));
    return table;
}
