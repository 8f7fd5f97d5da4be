#include "submit/formwalk/fieldchoices.h"
#include "submit/formwalk/fieldsuggestion.h"

#include <QTest>

class TestFieldSuggestion : public QObject
{
    Q_OBJECT

private slots:
    void namesAndLabelsSuggestTheFieldTheyMean_data();
    void namesAndLabelsSuggestTheFieldTheyMean();
    void wordsAreSplitTheWaySitesWriteThem_data();
    void wordsAreSplitTheWaySitesWriteThem();
    void everyChoiceNamesItsFieldOnce();
};

void TestFieldSuggestion::namesAndLabelsSuggestTheFieldTheyMean_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("field");   // -100: no suggestion

    QTest::newRow("padurl") << "padurl" << "" << 57;
    QTest::newRow("pad_url") << "pad_url" << "" << 57;
    QTest::newRow("padURL in camel case") << "padURL" << "" << 57;
    QTest::newRow("a label PAD file URL") << "f17" << "PAD file URL" << 57;
    QTest::newRow("a wordy label") << "q" << "Your program's PAD file URL (required)" << 57;
    QTest::newRow("the PAD element name") << "Application_XML_File_URL" << "" << 57;
    QTest::newRow("email is the author's") << "email" << "" << 36;
    QTest::newRow("e-mail address") << "x" << "E-mail address" << 36;
    QTest::newRow("contact email") << "contact-email" << "" << 39;
    QTest::newRow("program name") << "program_name" << "" << 0;
    QTest::newRow("software title") << "softwareTitle" << "" << 0;
    QTest::newRow("version") << "ver" << "Version" << 1;
    QTest::newRow("category") << "cat" << "" << 47;
    QTest::newRow("keywords") << "keywords" << "" << 58;
    QTest::newRow("45 character description") << "desc45" << "" << 59;
    QTest::newRow("short description") << "short_desc" << "" << 60;
    QTest::newRow("download url") << "downloadUrl" << "" << 64;
    QTest::newRow("user name is the site's") << "username" << "" << -2;
    QTest::newRow("login is the user name") << "login" << "" << -2;
    QTest::newRow("password is the site's") << "pwd" << "Password" << -1;
    QTest::newRow("the label wins over a meaningless name") << "field_3" << "Zip code" << 30;
    QTest::newRow("a captcha is nothing") << "captcha" << "Type the letters" << -100;
    QTest::newRow("a submit button is nothing") << "submit" << "Send" << -100;
    QTest::newRow("a bare id is nothing") << "id" << "" << -100;
    QTest::newRow("nothing at all") << "" << "" << -100;
}

void TestFieldSuggestion::namesAndLabelsSuggestTheFieldTheyMean()
{
    QFETCH(QString, name);
    QFETCH(QString, label);
    QFETCH(int, field);

    const FieldSuggester suggester;
    QCOMPARE(suggester.suggest(name, label).value_or(-100), field);
}

void TestFieldSuggestion::wordsAreSplitTheWaySitesWriteThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("separators") << "pad_url-file.name x" << QStringList{"pad", "url", "file", "name"};
    QTest::newRow("camel case and acronyms") << "PADFileURL" << QStringList{"pad", "file", "url"};
    QTest::newRow("run together") << "programname" << QStringList{"program", "name"};
    QTest::newRow("synonyms and plurals") << "Desc Languages" << QStringList{"description", "language"};
    QTest::newRow("filler dropped") << "Please enter your email" << QStringList{"email"};
    QTest::newRow("unknown words stay whole") << "xyzzy" << QStringList{"xyzzy"};
}

void TestFieldSuggestion::wordsAreSplitTheWaySitesWriteThem()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(FieldSuggester().words(text), words);
}

void TestFieldSuggestion::everyChoiceNamesItsFieldOnce()
{
    const QList<FieldChoices::Choice> choices = FieldChoices::all();
    QCOMPARE(choices.size(), 103 + 2 + 6);
    QCOMPARE(FieldChoices::caption(57), QString("PAD file address : 57"));
    QCOMPARE(FieldChoices::caption(-1), QString("Site password : -1"));
    QCOMPARE(FieldChoices::caption(-10), QString("Constant: \"kb\" : -10"));
    QCOMPARE(FieldChoices::caption(-15), QString("Constant: empty : -15"));
    QCOMPARE(FieldChoices::caption(104), QString());
    QCOMPARE(FieldChoices::caption(-5), QString());
}

QTEST_GUILESS_MAIN(TestFieldSuggestion)
#include "test_fieldsuggestion.moc"
