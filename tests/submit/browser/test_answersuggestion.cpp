// The outcome suggestion from an answer page's visible text.
#include "submit/browser/answersuggestion.h"
#include "submit/browser/inplaceanswer.h"

#include <QTest>

class TestAnswerSuggestion : public QObject
{
    Q_OBJECT

private slots:
    void aPageTextGetsTheSuggestionOfItsDecidingPhrase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bar"); // "" for no suggestion

        QTest::newRow("thanks") << "Home | Submit\nThank you for your submission!\nBack"
                                << "looks accepted: 'Thank you for your submission'";
        QTest::newRow("received mid-sentence")
            << "Thank you, your program was received." << "looks accepted: 'Thank you, your program was received'";
        QTest::newRow("already exists")
            << "Error: this program already exists" << "looks refused: 'Error: this program already exists'";
        QTest::newRow("refused wins over an earlier thanks")
            << "Thank you for visiting.\nYour program was rejected by the moderator."
            << "looks refused: 'Your program was rejected by the moderator'";
        QTest::newRow("any letter case") << "SUBMISSION ADDED SUCCESSFULLY"
                                         << "looks accepted: 'SUBMISSION ADDED SUCCESSFULLY'";
        QTest::newRow("whole words only") << "Terrorist-free zone. Thankyou. Received-by: x"
                                          << "looks accepted: 'Received-by: x'";
        QTest::newRow("a phrase broken by blanks") << "The  code you entered\tis   invalid"
                                                    << "looks refused: 'The code you entered is invalid'";
        QTest::newRow("a long sentence is cut around the phrase")
            << "We looked at every field of the form you sent us today and found that the "
               "program has been added to our list of new programs for this week, as asked"
            << "looks accepted: '...the program has been added to our list of new programs for...'";
        QTest::newRow("no phrase") << "Welcome to FilesWeb. Browse our categories." << "";
        QTest::newRow("empty page") << "" << "";
    }

    void aPageTextGetsTheSuggestionOfItsDecidingPhrase()
    {
        QFETCH(QString, text);
        QFETCH(QString, bar);
        const std::optional<AnswerSuggestion::Suggestion> s = AnswerSuggestion::suggest(text);
        QCOMPARE(s ? AnswerSuggestion::barText(*s) : QString(), bar);
        if (s)
            QVERIFY(s->quote.size() <= AnswerSuggestion::MaxQuote + 6);
    }

    void aPageHasAnsweredInPlaceWhenItsTitleOrEnoughOfItsLinesChange_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("changed");

        // Before: title "Submit", text "Name\nVersion\nSend".
        QTest::newRow("the same page") << "Submit" << "Name\nVersion\nSend" << false;
        QTest::newRow("blanks around lines") << " Submit " << "  Name\n\nVersion \nSend\n" << false;
        QTest::newRow("another title") << "Thanks" << "Name\nVersion\nSend" << true;
        QTest::newRow("a line of 19 characters") << "Submit" << "Name\nVersion\nSend\n1234567890123456789" << false;
        QTest::newRow("a line of 20 characters") << "Submit" << "Name\nVersion\nSend\n12345678901234567890" << true;
        QTest::newRow("lines gone and come, 20 in all") << "Submit" << "Name\nSaved: 123456789" << true;
        QTest::newRow("a line moved") << "Submit" << "Send\nName\nVersion" << false;
        QTest::newRow("a line doubled") << "Submit" << "Name\nVersion\nVersion\nSend" << false;
    }
    void aPageHasAnsweredInPlaceWhenItsTitleOrEnoughOfItsLinesChange()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QTEST(InPlaceAnswer::changed({"Submit", "Name\nVersion\nSend"}, {title, text}), "changed");
    }

    void textBeyondTheBoundIsNotRead()
    {
        const QString page = QString(AnswerSuggestion::MaxText, QLatin1Char('x')) + " error";
        QVERIFY(!AnswerSuggestion::suggest(page));
    }
};

QTEST_APPLESS_MAIN(TestAnswerSuggestion)
#include "test_answersuggestion.moc"
