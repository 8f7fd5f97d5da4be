#include "catalogue/pseudofields.h"
#include "platform/table.h"
#include "submit/formwalk/backgroundplan.h"
#include "submit/formwalk/formwalkplanner.h"
#include "support/softwarerecord.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimer>

using Set = ElementWrite::Set;

Q_DECLARE_METATYPE(PageSnapshot)

namespace {

SnapshotElement input(const QString &type, const QString &name, const QString &value = {}, bool checked = false)
{
    SnapshotElement e;
    e.tag = type.compare("textarea", Qt::CaseInsensitive) == 0 ? "TEXTAREA" : "INPUT";
    e.type = type;
    e.name = name;
    e.value = value;
    e.checked = checked;
    return e;
}

// Option k has the text texts[k] and the value "v<k>".
SnapshotElement choiceList(const QString &name, const QStringList &texts, bool multiple = false,
                           const QList<int> &chosen = {})
{
    SnapshotElement e;
    e.tag = "SELECT";
    e.type = multiple ? "select-multiple" : "select-one";
    e.name = name;
    e.multiple = multiple;
    for (int k = 0; k < texts.size(); ++k)
        e.options.append({texts.at(k), QStringLiteral("v%1").arg(k), chosen.contains(k)});
    return e;
}

PageSnapshot pageOf(const QList<QList<SnapshotElement>> &forms)
{
    PageSnapshot page;
    page.valid = true;
    for (const auto &elements : forms) {
        SnapshotForm f;
        f.index = int(page.forms.size());
        f.elements = elements;
        page.forms.append(f);
    }
    return page;
}

PageSnapshot fixture(const QString &name)
{
    QFile f(QStringLiteral(KELVANE_TEST_DATA "/formwalk/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return PageSnapshot::fromJson(f.readAll());
}

// A site whose field map starts at column 8; `record` sets software fields.
FormWalk::Input siteWith(const QStringList &entries, const QList<QPair<int, QString>> &record = {},
                         const QString &userPass = {})
{
    FormWalk::Input in;
    in.siteRecord = QStringList{"Site", "http://site", "", "yes", "http://site/submit", "0", userPass, ""};
    in.siteRecord += entries;
    in.softwareRecord = recordWith(record);
    in.constants = PseudoFields::constantValueList();
    in.defaultLogin = {"defuser", "defpass"};
    return in;
}

// The one write the plan holds for (form, element), if any.
std::optional<ElementWrite> writeTo(const FormWalkPlan &plan, int form, int element)
{
    std::optional<ElementWrite> found;
    for (const ElementWrite &w : plan.writes) {
        if (w.form == form && w.element == element) {
            if (found)
                qFatal("two writes to one element");
            found = w;
        }
    }
    return found;
}

SnapshotElement withId(SnapshotElement e, const QString &id)
{
    e.id = id;
    return e;
}

// A button of `tag` ("BUTTON" or "INPUT") and `type` reading `caption`.
SnapshotElement button(const QString &tag, const QString &type, const QString &caption)
{
    SnapshotElement e;
    e.tag = tag;
    e.type = type;
    e.name = caption.toLower();
    e.label = caption;
    return e;
}

SnapshotElement hinted(SnapshotElement e, const QString &label, const QString &placeholder = {},
                       const QString &picture = {})
{
    e.label = label;
    e.placeholder = placeholder;
    e.picture = picture;
    return e;
}

PageSnapshot loosePage(const QList<SnapshotElement> &elements)
{
    PageSnapshot page = pageOf({elements});
    page.forms[0].loose = true;
    page.forms[0].path = "#page";
    return page;
}

const QStringList minorUpdate{"Minor Update", "Update", "Upgrade", "New software version", "true"};
const QStringList newRelease{"New Release", "New", "Add to", "false"};

} // namespace

class TestFormWalkPlanner : public QObject
{
    Q_OBJECT

private slots:
    void aPageWithoutAFormGivesResultZeroAndDoesNothing();
    void everyKindOfInputOnOnePageIsFilled();

    void textLikeInputsTakeTheValue_data();
    void textLikeInputsTakeTheValue();
    void aTextAreaGainsALineForEveryEntryNamingIt();
    void loginPairComesFromTheSiteOrTheDefaults_data();
    void loginPairComesFromTheSiteOrTheDefaults();

    void choiceListsFollowTheirFieldsRule_data();
    void choiceListsFollowTheirFieldsRule();
    void radioButtonsAreTickedByContainment_data();
    void radioButtonsAreTickedByContainment();
    void eachFormsRadioGroupEndsWithOneButtonTicked_data();
    void eachFormsRadioGroupEndsWithOneButtonTicked();
    void aHugePageIsPlannedWhileTheCallersLoopTurns_data();
    void aHugePageIsPlannedWhileTheCallersLoopTurns();
    void checkBoxesReadAnIntegerOrTheSystemList_data();
    void checkBoxesReadAnIntegerOrTheSystemList();

    void entriesRunFromTheirFirstColumnToTheFirstBlankCell_data();
    void entriesRunFromTheirFirstColumnToTheFirstBlankCell();
    void fieldNumbersWithoutAValueStopTheWalk_data();
    void fieldNumbersWithoutAValueStopTheWalk();
    void anEntryThatIsNotANumberRaisesAnErrorAndKeepsEarlierWrites_data();
    void anEntryThatIsNotANumberRaisesAnErrorAndKeepsEarlierWrites();

    void theSubmitControlIsTheLastEnabledSubmitOfTheLastMatchedForm_data();
    void theSubmitControlIsTheLastEnabledSubmitOfTheLastMatchedForm();
    void aRejectedLoginShowsItsMessageAndSendsNothing();
    void theLoginFillSendsItsFormWhateverTheAutoSubmitSetting();
    void theSiteMarkColumnHoldsNoEntry();
    void thePlanSerialisesForTheApplyScript();
    void thePlanSaysWhichEntriesFoundTheirInput_data();
    void thePlanSaysWhichEntriesFoundTheirInput();
    void anInputIsFoundByItsIdWhereItsFormHasNoneOfThatName_data();
    void anInputIsFoundByItsIdWhereItsFormHasNoneOfThatName();
    void whatSendsTheFormAndWhatIsLeftToTheUser_data();
    void whatSendsTheFormAndWhatIsLeftToTheUser();
};

void TestFormWalkPlanner::aPageWithoutAFormGivesResultZeroAndDoesNothing()
{
    const FormWalkPlan plan = FormWalk::plan(fixture("no_form.json"), siteWith({"1=name"}, {{1, "x"}}));
    QCOMPARE(plan.result, FormWalkPlan::NoForm);
    QVERIFY(plan.writes.isEmpty());
    QVERIFY(!plan.focus.isValid());
    QVERIFY(plan.message.isEmpty() && plan.notice.isEmpty() && plan.error.isEmpty());
}

void TestFormWalkPlanner::everyKindOfInputOnOnePageIsFilled()
{
    FormWalk::Input in = siteWith({"0=program_name", "63=description", "13=screenshot", "-1=pass",
                                   "47=category", "11=os", "-13=freeware", "10=release", "57=padurl",
                                   "38=email", "1=details"},
                                  {{0, "KelvaneEdit"}, {1, "x"}, {11, "Win98,Linux"}, {63, "A text editor"}, {13, "shot.png"},
                                   {47, "Utilities"}, {10, "Minor Update"}, {57, "http://x/pad.xml"},
                                   {38, "me@example.com"}},
                                  "joe\tsecret");
    in.matchLists.release = minorUpdate;
    in.matchLists.os = {"", "Win98", "Linux"};
    const FormWalkPlan plan = FormWalk::plan(fixture("every_kind.json"), in);

    QCOMPARE(plan.result, FormWalkPlan::Walked);
    // Radio 7 is unticked by the browser when its group mate 8 is ticked.
    const QList<int> order{0, 1, 2, 3, 4, 5, 6, 8, 11};
    QCOMPARE(plan.writes.size(), order.size());
    for (int i = 0; i < order.size(); ++i)
        QCOMPARE(plan.writes.at(i).element, order.at(i));
    QCOMPARE(writeTo(plan, 0, 1)->value, QString("Existing line\rA text editor"));
    QCOMPARE(writeTo(plan, 0, 2)->set, Set::FileName);
    QCOMPARE(writeTo(plan, 0, 3)->value, QString("secret"));
    QCOMPARE(writeTo(plan, 0, 4)->selectedIndex, 1);
    QCOMPARE(writeTo(plan, 0, 5)->selected, (QList<int>{1, 3}));
    QCOMPARE(writeTo(plan, 0, 6)->checked, true);
    QCOMPARE(writeTo(plan, 0, 8)->checked, true);
    QCOMPARE(writeTo(plan, 0, 11)->value, QString("me@example.com"));
    QVERIFY(!writeTo(plan, 0, 9));                    // hidden
    QCOMPARE(plan.focus.element, 12);
    QCOMPARE(plan.waitMs, 100);
    QVERIFY(!plan.click);
}

void TestFormWalkPlanner::textLikeInputsTakeTheValue_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");   // a null string: no write

    QTest::newRow("a text input takes the value") << "text" << "old" << "new" << "new";
    QTest::newRow("the type compares without letter case") << "TEXT" << "" << "new" << "new";
    QTest::newRow("an e-mail input is typed into like text") << "email" << "" << "a@b.c" << "a@b.c";
    QTest::newRow("a blank value leaves the input as it is") << "text" << "old" << " \t " << QString();
    QTest::newRow("the value it already holds needs no write") << "text" << "same" << "same" << QString();
    QTest::newRow("a hidden input is left alone") << "hidden" << "keep" << "new" << QString();
    QTest::newRow("a button is left alone") << "button" << "Go" << "new" << QString();
    QTest::newRow("an empty text area receives the value alone") << "textarea" << "" << "line" << "line";
    QTest::newRow("a text area with text gains a line") << "textarea" << "first" << "line" << "first\rline";
    QTest::newRow("a text area of blanks keeps them before the value") << "textarea" << "  " << "line" << "  line";
}

void TestFormWalkPlanner::textLikeInputsTakeTheValue()
{
    QFETCH(QString, type);
    QFETCH(QString, before);
    QFETCH(QString, value);
    QFETCH(QString, after);
    const FormWalkPlan plan = FormWalk::plan(pageOf({{input(type, "f", before)}}), siteWith({"2=f"}, {{2, value}}));
    QCOMPARE(plan.result, FormWalkPlan::Walked);
    QVERIFY(plan.found);
    const auto w = writeTo(plan, 0, 0);
    QCOMPARE(w.has_value(), !after.isNull());
    if (w) {
        QCOMPARE(w->set, Set::Value);
        QCOMPARE(w->value, after);
    }
}

void TestFormWalkPlanner::aTextAreaGainsALineForEveryEntryNamingIt()
{
    const FormWalkPlan plan = FormWalk::plan(pageOf({{input("textarea", "d", "intro")}}),
                                             siteWith({"58=d", "59=d"}, {{58, "short"}, {59, "long"}}));
    QCOMPARE(plan.writes.size(), 1);
    QCOMPARE(plan.writes.first().value, QString("intro\rshort\rlong"));
}

void TestFormWalkPlanner::loginPairComesFromTheSiteOrTheDefaults_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("userPass");
    QTest::addColumn<QString>("after");   // a null string: no write

    QTest::newRow("a password input mapped to -1 takes the password") << "password" << -1 << "joe\tsecret" << "secret";
    QTest::newRow("a password input mapped to -2 stays empty") << "password" << -2 << "joe\tsecret" << QString();
    QTest::newRow("a text input mapped to -2 takes the user name") << "text" << -2 << "joe\tsecret" << "joe";
    QTest::newRow("the password is all after the first tab") << "text" << -1 << "joe\tse\tcret" << "se\tcret";
    QTest::newRow("a cell without a tab is all password") << "password" << -1 << "secret" << "secret";
    QTest::newRow("and has no user name") << "text" << -2 << "secret" << QString();
    QTest::newRow("a blank cell gives the default password") << "password" << -1 << " \t\x01" << "defpass";
    QTest::newRow("a blank cell gives the default user name") << "text" << -2 << "" << "defuser";
}

void TestFormWalkPlanner::loginPairComesFromTheSiteOrTheDefaults()
{
    QFETCH(QString, type);
    QFETCH(int, field);
    QFETCH(QString, userPass);
    QFETCH(QString, after);
    const FormWalkPlan plan = FormWalk::plan(pageOf({{input(type, "p")}}),
                                             siteWith({QStringLiteral("%1=p").arg(field)}, {}, userPass));
    const auto w = writeTo(plan, 0, 0);
    QCOMPARE(w.has_value(), !after.isNull());
    if (w)
        QCOMPARE(w->value, after);
}

void TestFormWalkPlanner::choiceListsFollowTheirFieldsRule_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("matchList");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<QList<int>>("chosen");   // before and after the walk
    QTest::addColumn<QList<int>>("expected");

    const QStringList games{"Games", "Utilities - System", "Other"};
    QTest::newRow("category Utilities takes the option naming it") << 47 << "Utilities" << QStringList() << games << false << QList<int>{0} << QList<int>{1};
    QTest::newRow("category Science falls back to Other") << 47 << "Science" << QStringList() << games << false << QList<int>{0} << QList<int>{2};
    QTest::newRow("of Other and Miscellaneous the lower one wins") << 47 << "Science" << QStringList()
        << QStringList{"Miscellaneous", "Games", "Other"} << false << QList<int>{} << QList<int>{2};
    QTest::newRow("and the other way round") << 47 << "Science" << QStringList()
        << QStringList{"other stuff", "Games", "MISCELLANEOUS"} << false << QList<int>{} << QList<int>{2};
    QTest::newRow("category sets selectedIndex even on a multiple list") << 47 << "utilities" << QStringList()
        << games << true << QList<int>{0, 2} << QList<int>{1};
    QTest::newRow("no category and no catch-all leaves the list") << 47 << "Science" << QStringList()
        << QStringList{"Games"} << false << QList<int>{0} << QList<int>{0};

    QTest::newRow("class: main and sub category together first") << 48 << "x" << QStringList{"Editors", "Business"}
        << QStringList{"Home - Editors", "Business - Editors"} << false << QList<int>{} << QList<int>{1};
    QTest::newRow("class: else the first option naming a sub category") << 48 << "x" << QStringList{"Editors", "Business"}
        << QStringList{"Games", "Text Editors", "Code Editors"} << false << QList<int>{} << QList<int>{1};
    QTest::newRow("class: earlier list entries come first") << 48 << "x" << QStringList{"Audio", "Video", "Multimedia"}
        << QStringList{"Multimedia - Video", "Multimedia - Audio"} << false << QList<int>{} << QList<int>{1};
    QTest::newRow("class: an empty sub category names nothing") << 48 << "x" << QStringList{"", "Games"}
        << QStringList{"Games"} << false << QList<int>{} << QList<int>{};
    QTest::newRow("class: a list of one entry chooses nothing") << 48 << "x" << QStringList{"Games"}
        << QStringList{"Games"} << false << QList<int>{} << QList<int>{};

    QTest::newRow("release: the first list entry any option names") << 10 << "Minor Update" << minorUpdate
        << QStringList{"New", "Upgrade", "Update"} << false << QList<int>{0} << QList<int>{2};
    QTest::newRow("release: New Release picks New") << 10 << "New Release" << newRelease
        << QStringList{"Update", "New"} << false << QList<int>{} << QList<int>{1};

    const QStringList systems{"Win95", "Win98", "WinXP", "Linux"};
    QTest::newRow("systems: every option naming an entry") << 11 << "x" << QStringList{"", "win9", "Linux"}
        << systems << true << QList<int>{} << QList<int>{0, 1, 3};
    QTest::newRow("systems: on a single list the last one shows") << 11 << "x" << QStringList{"win9", "Linux"}
        << systems << false << QList<int>{} << QList<int>{3};
    QTest::newRow("languages: walked from last to first") << 12 << "x" << QStringList{"English", "German"}
        << QStringList{"German", "English", "French"} << false << QList<int>{} << QList<int>{1};
    QTest::newRow("languages: all of them on a multiple list") << 12 << "x" << QStringList{"English", "German"}
        << QStringList{"German", "English", "French"} << true << QList<int>{2} << QList<int>{0, 1, 2};

    QTest::newRow("other fields: the text equal without case") << 5 << "yes" << QStringList()
        << QStringList{"No", "YES"} << false << QList<int>{0} << QList<int>{1};
    QTest::newRow("other fields: or the value") << 5 << "V0" << QStringList()
        << QStringList{"No", "Yes"} << false << QList<int>{1} << QList<int>{0};
    QTest::newRow("other fields: a part of the text is not enough") << 5 << "ye" << QStringList()
        << QStringList{"No", "Yes"} << false << QList<int>{0} << QList<int>{0};
}

void TestFormWalkPlanner::choiceListsFollowTheirFieldsRule()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QStringList, matchList);
    QFETCH(QStringList, options);
    QFETCH(bool, multiple);
    QFETCH(QList<int>, chosen);
    QFETCH(QList<int>, expected);

    FormWalk::Input in = siteWith({QStringLiteral("%1=list").arg(field)}, {{field, value}});
    in.matchLists = {matchList, matchList, matchList, matchList};
    const FormWalkPlan plan = FormWalk::plan(pageOf({{choiceList("list", options, multiple, chosen)}}), in);
    QCOMPARE(plan.result, FormWalkPlan::Walked);
    const auto w = writeTo(plan, 0, 0);
    QCOMPARE(w.has_value(), expected != chosen);
    if (w) {
        QCOMPARE(w->set, Set::Selection);
        QCOMPARE(w->selected, expected);
        QCOMPARE(w->selectedIndex, expected.value(0, -1));
    }
}

void TestFormWalkPlanner::radioButtonsAreTickedByContainment_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("releaseList");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QList<bool>>("checked");

    QTest::newRow("a Minor Update ticks update") << 10 << "Minor Update" << minorUpdate
        << QStringList{"new", "update"} << QList<bool>{false, true};
    QTest::newRow("a New Release ticks new") << 10 << "New Release" << newRelease
        << QStringList{"new", "update"} << QList<bool>{true, false};
    QTest::newRow("other fields tick the button whose value holds the value") << 4 << "Yes" << QStringList()
        << QStringList{"yes", "no"} << QList<bool>{true, false};
    QTest::newRow("of two buttons holding it the later stays ticked") << 4 << "1" << QStringList()
        << QStringList{"0", "1", "10"} << QList<bool>{false, false, true};
}

void TestFormWalkPlanner::radioButtonsAreTickedByContainment()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QStringList, releaseList);
    QFETCH(QStringList, buttons);
    QFETCH(QList<bool>, checked);

    FormWalk::Input in = siteWith({QStringLiteral("%1=r").arg(field)}, {{field, value}});
    in.matchLists.release = releaseList;
    QList<SnapshotElement> elements;
    for (const QString &b : buttons)
        elements.append(input("radio", "r", b));
    const FormWalkPlan plan = FormWalk::plan(pageOf({elements}), in);
    for (int k = 0; k < buttons.size(); ++k) {
        const auto w = writeTo(plan, 0, k);
        QCOMPARE(w ? w->checked : false, checked.at(k));
    }
}

void TestFormWalkPlanner::eachFormsRadioGroupEndsWithOneButtonTicked_data()
{
    QTest::addColumn<int>("forms");
    QTest::addColumn<QStringList>("buttons");   // the values of each form's group "r"
    QTest::addColumn<int>("checkedBefore");     // -1 for none
    QTest::addColumn<QStringList>("writes");    // "form:element=checked"

    QTest::newRow("a group in each of two forms") << 2 << QStringList{"1", "10"} << -1
        << QStringList{"0:1=1", "1:1=1"};
    QTest::newRow("a ticked button the walk moves past is cleared") << 1 << QStringList{"1", "x", "10"} << 0
        << QStringList{"0:0=0", "0:2=1"};
    QTest::newRow("50,000 buttons of one group: the last one") << 1 << QStringList(50000, "v1") << -1
        << QStringList{"0:49999=1"};
}

void TestFormWalkPlanner::eachFormsRadioGroupEndsWithOneButtonTicked()
{
    QFETCH(int, forms);
    QFETCH(QStringList, buttons);
    QFETCH(int, checkedBefore);
    QFETCH(QStringList, writes);

    QList<SnapshotElement> group;
    for (int k = 0; k < buttons.size(); ++k)
        group.append(input("radio", "r", buttons.at(k), k == checkedBefore));
    const FormWalkPlan plan =
        FormWalk::plan(pageOf(QList<QList<SnapshotElement>>(forms, group)), siteWith({"4=r"}, {{4, "1"}}));
    QStringList written;
    for (const ElementWrite &w : plan.writes)
        written.append(QStringLiteral("%1:%2=%3").arg(w.form).arg(w.element).arg(int(w.checked)));
    QCOMPARE(written, writes);
}

void TestFormWalkPlanner::aHugePageIsPlannedWhileTheCallersLoopTurns_data()
{
    QTest::addColumn<int>("radios");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("write");   // "element:selected or checked"
    QTest::newRow("50,000 radio buttons of one group") << 50000 << 0 << "49999:1";
    QTest::newRow("a list of 1,000,000 options") << 0 << 1000000 << "0:999999";
}

void TestFormWalkPlanner::aHugePageIsPlannedWhileTheCallersLoopTurns()
{
    QFETCH(int, radios);
    QFETCH(int, options);
    QFETCH(QString, write);

    QList<SnapshotElement> elements;
    for (int k = 0; k < radios; ++k)
        elements.append(input("radio", "release", QStringLiteral("Update %1").arg(k)));
    if (options > 0) {
        SnapshotElement list = choiceList("os", {});
        for (int k = 0; k < options; ++k)
            list.options.append({QStringLiteral("Linux %1").arg(k), QString::number(k), false});
        elements.append(list);
    }
    elements.append(input("submit", "send"));
    const QString json = QString::fromUtf8(QJsonDocument(pageOf({elements}).toJson()).toJson());
    FormWalk::Input in = siteWith({"10=release", "11=os"}, {{10, "Minor Update"}, {11, "Linux"}});
    in.matchLists.release = minorUpdate;
    in.matchLists.os = {"Linux"};

    // The loop that would be the window's: a zero timer ticks on it while
    // the pool thread reads and plans.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(0);
    QFuture<FormWalkPlan> future = FormWalk::planInBackground(json, in);
    QVERIFY(QTest::qWaitFor([&] { return future.isFinished(); }, 120000));
    ticker.stop();
    QVERIFY(ticks > 0);
    const FormWalkPlan plan = future.result();
    QCOMPARE(plan.result, FormWalkPlan::Walked);
    QCOMPARE(plan.writes.size(), 1);
    const ElementWrite &w = plan.writes.first();
    QCOMPARE(QStringLiteral("%1:%2").arg(w.element).arg(w.set == Set::Selection ? w.selectedIndex : int(w.checked)),
             write);
    QCOMPARE(plan.focus.element, elements.size() - 1);
}

void TestFormWalkPlanner::checkBoxesReadAnIntegerOrTheSystemList_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("boxValue");
    QTest::addColumn<bool>("before");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("after");

    QTest::newRow("\"1\" ticks") << 51 << "1" << "b" << "on" << false << 1 << true;
    QTest::newRow("\"0\" unticks") << 51 << "0" << "b" << "on" << true << 1 << false;
    QTest::newRow("any number but 0 ticks") << 51 << " -12 " << "b" << "on" << false << 1 << true;
    QTest::newRow("a long run of zeros is 0") << 51 << "000000000000000000000" << "b" << "on" << true << 1 << false;
    QTest::newRow("\"yes\" stops the walk") << 51 << "yes" << "b" << "on" << false << 2 << false;
    QTest::newRow("systems: the box value names one") << 11 << "x" << "os" << "Linux" << false << 1 << true;
    QTest::newRow("systems: or else its name") << 11 << "x" << "os_win98" << "on" << false << 1 << true;
    QTest::newRow("systems: a box naming none is never unticked") << 11 << "x" << "os" << "Mac" << true << 1 << true;
}

void TestFormWalkPlanner::checkBoxesReadAnIntegerOrTheSystemList()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, boxName);
    QFETCH(QString, boxValue);
    QFETCH(bool, before);
    QFETCH(int, result);
    QFETCH(bool, after);

    FormWalk::Input in = siteWith({QStringLiteral("%1=%2").arg(field).arg(boxName)}, {{field, value}});
    in.matchLists.os = {"", "Win98", "Linux"};
    const FormWalkPlan plan = FormWalk::plan(pageOf({{input("checkbox", boxName, boxValue, before), input("submit", "s")}}), in);
    QCOMPARE(plan.result, result);
    const auto w = writeTo(plan, 0, 0);
    QCOMPARE(w ? w->checked : before, after);
    QCOMPARE(plan.focus.isValid(), result == FormWalkPlan::Walked);
}

void TestFormWalkPlanner::entriesRunFromTheirFirstColumnToTheFirstBlankCell_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QStringList>("filled");

    QTest::newRow("from column 8 to the first blank cell") << QStringList{"1=a", "1=b", " \t", "1=c"} << false << QStringList{"a", "b"};
    QTest::newRow("from column 10 once logged in") << QStringList{"1=a", "1=b", "1=c"} << true << QStringList{"c"};
    QTest::newRow("names compare exactly") << QStringList{"1=A", "1=b ", "1=c"} << false << QStringList{"c"};
    QTest::newRow("an empty input name names nothing") << QStringList{"1=", "1=c"} << false << QStringList{"c"};
}

void TestFormWalkPlanner::entriesRunFromTheirFirstColumnToTheFirstBlankCell()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, loggedIn);
    QFETCH(QStringList, filled);

    FormWalk::Input in = siteWith(entries, {{1, "v"}});
    in.loggedIn = loggedIn;
    const PageSnapshot page = pageOf({{input("text", "a"), input("text", "b"), input("text", "c"), input("text", "")}});
    const FormWalkPlan plan = FormWalk::plan(page, in);
    QStringList names;
    for (const ElementWrite &w : plan.writes)
        names << w.name;
    QCOMPARE(names, filled);
}

void TestFormWalkPlanner::fieldNumbersWithoutAValueStopTheWalk_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("value");   // what input b receives

    QTest::newRow("-10 is kb") << -10 << 1 << "kb";
    QTest::newRow("-15 is empty and leaves the input") << -15 << 1 << "";
    QTest::newRow("-16 has no value") << -16 << 2 << "";
    QTest::newRow("-3 has no value") << -3 << 2 << "";
    QTest::newRow("-9 has no value") << -9 << 2 << "";
    QTest::newRow("a field beyond the record is empty") << 300 << 1 << "";
}

void TestFormWalkPlanner::fieldNumbersWithoutAValueStopTheWalk()
{
    QFETCH(int, field);
    QFETCH(int, result);
    QFETCH(QString, value);

    const PageSnapshot page = pageOf({{input("text", "a"), input("text", "b"), input("text", "c"), input("submit", "s")}});
    const FormWalkPlan plan = FormWalk::plan(
        page, siteWith({"1=a", QStringLiteral("%1=b").arg(field), "1=c", QStringLiteral("%1=unmatched").arg(field)}, {{1, "v"}}));
    QCOMPARE(plan.result, result);
    QCOMPARE(writeTo(plan, 0, 0)->value, QString("v"));
    QCOMPARE(writeTo(plan, 0, 1).value_or(ElementWrite{}).value, value);
    QCOMPARE(writeTo(plan, 0, 2).has_value(), result == FormWalkPlan::Walked);
    QCOMPARE(plan.focus.isValid(), result == FormWalkPlan::Walked);
}

void TestFormWalkPlanner::anEntryThatIsNotANumberRaisesAnErrorAndKeepsEarlierWrites_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("error");
    QTest::newRow("a word before the =") << "abc=b" << "'abc' is not a valid integer value";
    QTest::newRow("no = at all") << "padurl" << "'padurl' is not a valid integer value";
    QTest::newRow("a number out of range") << "99999999999=b" << "'99999999999' is not a valid integer value";
}

void TestFormWalkPlanner::anEntryThatIsNotANumberRaisesAnErrorAndKeepsEarlierWrites()
{
    QFETCH(QString, entry);
    QFETCH(QString, error);
    const PageSnapshot page = pageOf({{input("text", "a"), input("text", "b"), input("submit", "s")}});
    const FormWalkPlan plan = FormWalk::plan(page, siteWith({"1=a", entry, "1=b"}, {{1, "v"}}));
    QCOMPARE(plan.result, FormWalkPlan::Raised);
    QCOMPARE(plan.error, error);
    QCOMPARE(plan.writes.size(), 1);
    QVERIFY(!plan.focus.isValid() && !plan.click);

    // A page whose forms could not be read raises the reader's reason, writing nothing.
    PageSnapshot unread = page;
    unread.valid = false;
    unread.error = QStringLiteral("the page answered with no forms list");
    const FormWalkPlan raised = FormWalk::plan(unread, siteWith({"1=a"}, {{1, "v"}}));
    QCOMPARE(raised.result, FormWalkPlan::Raised);
    QCOMPARE(raised.error, QStringLiteral("the page answered with no forms list"));
    QVERIFY(raised.writes.isEmpty());
}

void TestFormWalkPlanner::theSubmitControlIsTheLastEnabledSubmitOfTheLastMatchedForm_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("autoSubmit");
    QTest::addColumn<int>("submitForm");
    QTest::addColumn<QString>("focus");   // empty: none
    QTest::addColumn<int>("writes");

    QTest::newRow("an input in both forms fills both and sends the second")
        << QStringList{"1=title"} << true << 1 << "send" << 3;
    QTest::newRow("the form of the last match is sent") << QStringList{"1=title", "1=q"} << true << 0 << "go" << 4;
    QTest::newRow("with auto-submit off the control only gets the focus") << QStringList{"1=url"} << false << 1 << "send" << 1;
    QTest::newRow("a fieldset never matches") << QStringList{"1=url", "1=q"} << true << 0 << "go" << 2;
    QTest::newRow("nothing matched: nothing to focus") << QStringList{"1=nothere"} << true << -1 << "" << 0;
}

void TestFormWalkPlanner::theSubmitControlIsTheLastEnabledSubmitOfTheLastMatchedForm()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, autoSubmit);
    QFETCH(int, submitForm);
    QFETCH(QString, focus);
    QFETCH(int, writes);

    FormWalk::Input in = siteWith(entries, {{1, "v"}});
    in.autoSubmit = autoSubmit;
    const FormWalkPlan plan = FormWalk::plan(fixture("two_forms.json"), in);
    QCOMPARE(plan.result, FormWalkPlan::Walked);
    QCOMPARE(plan.submitForm, submitForm);
    QCOMPARE(plan.writes.size(), writes);
    QCOMPARE(plan.focus.name, focus);
    QCOMPARE(plan.click, autoSubmit && !focus.isEmpty());
    QCOMPARE(plan.waitMs, focus.isEmpty() ? 0 : 100);
    QCOMPARE(plan.notice.isEmpty(), !focus.isEmpty());
    QVERIFY(plan.message.isEmpty());
}

void TestFormWalkPlanner::aRejectedLoginShowsItsMessageAndSendsNothing()
{
    // The page after the login has only the login inputs of columns 8 and 9.
    FormWalk::Input in = siteWith({"-2=user", "-1=pass", "1=title"}, {{1, "v"}}, "joe\tsecret");
    in.loggedIn = true;
    in.autoSubmit = true;
    const PageSnapshot page = pageOf({{input("text", "user"), input("password", "pass"), input("submit", "login")}});
    const FormWalkPlan plan = FormWalk::plan(page, in);
    QCOMPARE(plan.result, FormWalkPlan::Walked);
    QVERIFY(!plan.found);
    QCOMPARE(plan.message, QString("This user/password pair was not accepted...\rYou must register with this site before submiting."));
    QVERIFY(plan.writes.isEmpty());
    QVERIFY(!plan.focus.isValid() && !plan.click && plan.waitMs == 0);
}

void TestFormWalkPlanner::theLoginFillSendsItsFormWhateverTheAutoSubmitSetting()
{
    FormWalk::Input in = siteWith({"-2=user", "-1=pass", "1=title"}, {{1, "v"}}, "joe\tsecret");
    in.step = FormWalk::Step::LoginFill;
    in.loggedIn = true;   // the login fill always starts from column 8
    in.autoSubmit = false;
    const PageSnapshot page = pageOf({{input("text", "user"), input("password", "pass"), input("submit", "login")}});
    const FormWalkPlan plan = FormWalk::plan(page, in);
    QCOMPARE(plan.writes.size(), 2);
    QCOMPARE(plan.writes.at(0).value, QString("joe"));
    QCOMPARE(plan.writes.at(1).value, QString("secret"));
    QCOMPARE(plan.focus.name, QString("login"));
    QVERIFY(plan.click);
    QVERIFY(plan.message.isEmpty());
}

void TestFormWalkPlanner::theSiteMarkColumnHoldsNoEntry()
{
    // The widest record's last entry sits right before the mark column.
    Table submitList(11, 2);
    const QStringList row{"Site", "", "", "yes", "", "0", "", "", "1=a", "1=b", "x"};
    submitList.setRow(1, row);
    FormWalk::Input in = siteWith({});
    in.siteRecord = FormWalk::siteRecordCells(submitList, 1);
    in.softwareRecord[1] = "v";
    const FormWalkPlan plan = FormWalk::plan(pageOf({{input("text", "a"), input("text", "b")}}), in);
    QCOMPARE(plan.result, FormWalkPlan::Walked);
    QCOMPARE(plan.writes.size(), 2);
}

void TestFormWalkPlanner::thePlanSerialisesForTheApplyScript()
{
    FormWalk::Input in = siteWith({"1=t", "2=l", "3=c"}, {{1, "a\"b"}, {2, "Yes"}, {3, "1"}});
    in.autoSubmit = true;
    const PageSnapshot page = pageOf({{input("text", "t"), choiceList("l", {"No", "Yes"}, true, {0}),
                                       input("checkbox", "c"), input("submit", "go")}});
    const QJsonObject o = QJsonDocument::fromJson(FormWalk::plan(page, in).toJsonText()).object();
    QCOMPARE(o.value("result").toInt(), 1);
    QCOMPARE(o.value("submitForm").toInt(), 0);
    QCOMPARE(o.value("waitMs").toInt(), 100);
    QCOMPARE(o.value("click").toBool(), true);
    QCOMPARE(o.value("focus").toObject().value("element").toInt(), 3);
    const QJsonArray writes = o.value("writes").toArray();
    QCOMPARE(writes.size(), 3);
    QCOMPARE(writes.at(0).toObject().value("set").toString(), QString("value"));
    QCOMPARE(writes.at(0).toObject().value("value").toString(), QString("a\"b"));
    QCOMPARE(writes.at(1).toObject().value("set").toString(), QString("selection"));
    QCOMPARE(writes.at(1).toObject().value("selected").toArray(), (QJsonArray{0, 1}));
    QCOMPARE(writes.at(2).toObject().value("checked").toBool(), true);
    QCOMPARE(writes.at(2).toObject().value("element").toInt(), 2);

    const QJsonObject none = FormWalkPlan{}.toJson();
    QVERIFY(none.value("focus").isNull());
}

void TestFormWalkPlanner::thePlanSaysWhichEntriesFoundTheirInput_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<bool>("withForm");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<int>("found");

    QTest::newRow("every input on the page") << QStringList{"1=a", "2=b"} << false << true << QStringList{} << 2;
    QTest::newRow("an input the page lost") << QStringList{"1=a", "57=padurl", "2=b"} << false << true << QStringList{"57=padurl"} << 2;
    QTest::newRow("entries after an element error still counted") << QStringList{"1=a", "-16=b", "1=gone", "1=c"} << false << true << QStringList{"1=gone"} << 3;
    QTest::newRow("an entry that is not a number finds nothing") << QStringList{"x=a", "1=b"} << false << true << QStringList{"x=a"} << 1;
    QTest::newRow("a fieldset's name is no input") << QStringList{"1=box", "1=a"} << false << true << QStringList{"1=box"} << 1;
    QTest::newRow("logged in, the login entries are left out") << QStringList{"-2=gone", "-1=gone2", "1=a", "1=gone3"} << true << true << QStringList{"1=gone3"} << 1;
    QTest::newRow("a page without a form finds nothing") << QStringList{"1=a", "2=b"} << false << false << QStringList{"1=a", "2=b"} << 0;
}

void TestFormWalkPlanner::thePlanSaysWhichEntriesFoundTheirInput()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, loggedIn);
    QFETCH(bool, withForm);
    QFETCH(QStringList, missing);
    QFETCH(int, found);

    SnapshotElement box;
    box.tag = "FIELDSET";
    box.name = "box";
    FormWalk::Input in = siteWith(entries, {{1, "v"}, {2, "w"}});
    in.loggedIn = loggedIn;
    const PageSnapshot page = withForm ? pageOf({{input("text", "a"), box}, {input("text", "b"), input("text", "c")}}) : pageOf({});
    const FormWalkPlan plan = FormWalk::plan(page, in);
    QStringList notFound;
    for (const EntryMatch &e : plan.entries)
        if (!e.found())
            notFound << e.entry;
    QCOMPARE(notFound, missing);
    QCOMPARE(plan.foundEntries(), found);
}

void TestFormWalkPlanner::anInputIsFoundByItsIdWhereItsFormHasNoneOfThatName_data()
{
    QTest::addColumn<PageSnapshot>("page");
    QTest::addColumn<QList<int>>("written");   // form * 100 + element, in write order
    QTest::addColumn<int>("submitForm");

    const SnapshotElement idOnly = withId(input("text", ""), "title");
    QTest::newRow("an input with the id and no name")
        << pageOf({{input("text", "q"), idOnly}}) << QList<int>{1} << 0;
    QTest::newRow("a name in the form hides another input's id")
        << pageOf({{idOnly, input("text", "title")}}) << QList<int>{1} << 0;
    QTest::newRow("the name in one form, the id in the next: both, the next one sent")
        << pageOf({{input("text", "title")}, {idOnly}}) << QList<int>{0, 100} << 1;
    QTest::newRow("an input named otherwise is found by its id")
        << pageOf({{withId(input("text", "data[title]"), "title")}}) << QList<int>{0} << 0;
    QTest::newRow("ids compare with their letter case")
        << pageOf({{withId(input("text", ""), "Title")}}) << QList<int>{} << -1;
}

void TestFormWalkPlanner::anInputIsFoundByItsIdWhereItsFormHasNoneOfThatName()
{
    QFETCH(PageSnapshot, page);
    QFETCH(QList<int>, written);
    QFETCH(int, submitForm);

    const FormWalkPlan plan = FormWalk::plan(page, siteWith({"0=title"}, {{0, "Frobnicator"}}));
    QList<int> got;
    for (const ElementWrite &w : plan.writes) {
        got << w.form * 100 + w.element;
        QCOMPARE(w.value, QString("Frobnicator"));
    }
    QCOMPARE(got, written);
    QCOMPARE(plan.submitForm, submitForm);
    QCOMPARE(plan.foundEntries(), written.isEmpty() ? 0 : 1);
}

void TestFormWalkPlanner::whatSendsTheFormAndWhatIsLeftToTheUser_data()
{
    QTest::addColumn<PageSnapshot>("page");
    QTest::addColumn<QString>("focus");      // the focused control's name; "" none
    QTest::addColumn<bool>("click");
    QTest::addColumn<int>("userStep");
    QTest::addColumn<int>("reveal");         // element brought into view, -1 none
    QTest::addColumn<int>("revealFrame");
    QTest::addColumn<QString>("attention");

    const QString send = "No button on the page reads as sending this form: check it and send it yourself.";
    const QString code = "Type the characters from the picture, then send the form.";
    const QString check = "Complete the check on the page, then send the form.";
    const int none = int(FormWalkPlan::UserStep::None);
    const int picture = int(FormWalkPlan::UserStep::PictureCode);
    const int challenge = int(FormWalkPlan::UserStep::Challenge);
    const SnapshotElement title = input("text", "title");
    const SnapshotElement go = input("submit", "go");

    QTest::newRow("loose controls: the button after them that reads as sending")
        << loosePage({button("BUTTON", "submit", "Cancel"), title, button("BUTTON", "submit", "Search"),
                      button("BUTTON", "button", "Add my program"), button("BUTTON", "button", "Next")})
        << "add my program" << true << none << -1 << -1 << "";
    QTest::newRow("loose controls: else the last such button before them")
        << loosePage({button("INPUT", "button", "Post"), button("INPUT", "submit", "Send"), title})
        << "send" << true << none << -1 << -1 << "";
    QTest::newRow("loose controls: a word inside another word does not send")
        << loosePage({title, button("BUTTON", "submit", "Address book"), button("BUTTON", "reset", "Submit")})
        << "" << false << none << -1 << -1 << send;
    QTest::newRow("a form without a submit control: its sending button")
        << pageOf({{title, button("BUTTON", "button", "Save changes")}})
        << "save changes" << true << none << -1 << -1 << "";
    QTest::newRow("an empty picture code named so")
        << pageOf({{title, input("text", "captcha_code"), go}}) << "go" << false << picture << 1 << -1 << code;
    QTest::newRow("a picture code by its label")
        << pageOf({{title, hinted(input("text", "f7"), "Type the characters you see"), go}})
        << "go" << false << picture << 1 << -1 << code;
    QTest::newRow("a picture code by its placeholder")
        << pageOf({{title, hinted(input("text", "f7"), "", "Security code"), go}})
        << "go" << false << picture << 1 << -1 << code;
    QTest::newRow("a picture code by the picture beside it")
        << pageOf({{title, hinted(input("text", "code"), "", "", "/img/captcha.php?id=4"), go}})
        << "go" << false << picture << 1 << -1 << code;
    QTest::newRow("a picture code an entry fills is answered")
        << pageOf({{input("text", "captcha"), go}}) << "go" << true << none << -1 << -1 << "";
    QTest::newRow("a picture code already typed")
        << pageOf({{title, input("text", "captcha_text", "x7Fq"), go}}) << "go" << true << none << -1 << -1 << "";
    QTest::newRow("a characters limit is no picture code")
        << pageOf({{title, hinted(input("text", "summary"), "Summary (250 characters)"), go}})
        << "go" << true << none << -1 << -1 << "";
    QTest::newRow("a picture code and no button: nothing to press, the code to type")
        << loosePage({title, input("text", "securitycode")}) << "" << false << picture << 1 << -1 << code;

    SnapshotElement response = input("textarea", "g-recaptcha-response");
    QTest::newRow("an empty challenge response")
        << pageOf({{title, response, go}}) << "go" << false << challenge << 1 << -1 << check;
    response.value = "03AGdBq2...";
    QTest::newRow("a challenge already answered")
        << pageOf({{title, response, go}}) << "go" << true << none << -1 << -1 << "";
    PageSnapshot framed = pageOf({{input("text", "q")}, {title, go}});
    framed.foreignFrames = {{"https://ads.example/banner", 1},
                            {"https://www.google.com/recaptcha/api2/anchor?k=x", 0},
                            {"https://challenges.cloudflare.com/cdn-cgi/challenge-platform/turnstile", 1}};
    QTest::newRow("a challenge frame of the form sent")
        << framed << "go" << false << challenge << -1 << 2 << check;
    framed.foreignFrames.removeLast();
    QTest::newRow("a challenge frame of another form")
        << framed << "go" << true << none << -1 << -1 << "";

    PageSnapshot nothing = pageOf({{input("text", "q"), go}});
    nothing.foreignFrames = {{"https://forms.example/embed", -1}};
    QTest::newRow("nothing found beside a frame of another site")
        << nothing << "" << false << none << -1 << -1 << "The form is inside a frame from another site; fill it in by hand.";
    nothing.foreignFrames.clear();
    nothing.hiddenParts = 1;
    QTest::newRow("nothing found beside a closed component")
        << nothing << "" << false << none << -1 << -1
        << "The form is inside a part of the page that cannot be read; fill it in by hand.";
    PageSnapshot empty = pageOf({});
    empty.foreignFrames = {{"https://forms.example/embed", -1}};
    QTest::newRow("no form at all beside a frame of another site")
        << empty << "" << false << none << -1 << -1 << "The form is inside a frame from another site; fill it in by hand.";
}

void TestFormWalkPlanner::whatSendsTheFormAndWhatIsLeftToTheUser()
{
    QFETCH(PageSnapshot, page);
    QFETCH(QString, focus);
    QFETCH(bool, click);
    QFETCH(int, userStep);
    QFETCH(int, reveal);
    QFETCH(int, revealFrame);
    QFETCH(QString, attention);

    FormWalk::Input in = siteWith({"0=title", "0=captcha"}, {{0, "Frobnicator"}});
    in.autoSubmit = true;
    const FormWalkPlan plan = FormWalk::plan(page, in);
    QCOMPARE(plan.focus.name, focus);
    QCOMPARE(plan.click, click);
    QCOMPARE(int(plan.userStep), userStep);
    QCOMPARE(plan.reveal.isValid() ? plan.reveal.element : -1, reveal);
    QCOMPARE(plan.revealFocus, userStep == int(FormWalkPlan::UserStep::PictureCode));
    QCOMPARE(plan.revealFrame, revealFrame);
    QCOMPARE(plan.attention, attention);
}

QTEST_GUILESS_MAIN(TestFormWalkPlanner)
#include "test_formwalkplanner.moc"
