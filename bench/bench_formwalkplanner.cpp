// The form-walk planner on a page of 2,000 elements, a category list of
// 1,000 options among them, with a site of 30 field map entries. The category
// names no option, so both passes of the category rule run over the whole
// list. Then two hostile pages, read from their snapshot text and planned as
// the browser window does it: 50,000 radio buttons of one group that all hold
// the value, and one list of 1,000,000 options that all name a system.
// Prints each measurement and whether it meets its target.
#include "benchreport.h"
#include "catalogue/pseudofields.h"
#include "submit/formwalk/formwalkplanner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Elements = 2000;
constexpr int CategoryOptions = 1000;
constexpr int Entries = 30;

SnapshotElement element(const QString &tag, const QString &type, const QString &name, const QString &value = {})
{
    SnapshotElement e;
    e.tag = tag;
    e.type = type;
    e.name = name;
    e.value = value;
    return e;
}

SnapshotElement choiceList(const QString &name, int options, bool multiple, const QString &prefix)
{
    SnapshotElement e = element(QStringLiteral("SELECT"), multiple ? QStringLiteral("select-multiple")
                                                                   : QStringLiteral("select-one"), name);
    e.multiple = multiple;
    for (int k = 0; k < options; ++k)
        e.options.append({QStringLiteral("%1 %2 :: Sub %3").arg(prefix).arg(k / 20).arg(k),
                          QString::number(k), k == 0});
    e.options.last().text = QStringLiteral("Other");
    return e;
}

// Three forms: a search form, the submission form and a newsletter form that
// shares some input names with it.
PageSnapshot makePage()
{
    PageSnapshot page;
    page.valid = true;
    page.forms.resize(3);
    for (int f = 0; f < 3; ++f)
        page.forms[f].index = f;
    page.forms[0].elements = {element("INPUT", "text", "q"), element("INPUT", "submit", "go")};
    QList<SnapshotElement> &form = page.forms[1].elements;
    form.append(choiceList(QStringLiteral("category"), CategoryOptions, false, QStringLiteral("Group")));
    form.append(choiceList(QStringLiteral("os"), 40, true, QStringLiteral("Win")));
    form.append(choiceList(QStringLiteral("language"), 60, true, QStringLiteral("Lang")));
    for (int i = 0; form.size() < Elements - 40; ++i) {
        switch (i % 6) {
        case 0: form.append(element("TEXTAREA", "textarea", QStringLiteral("area%1").arg(i), "intro")); break;
        case 1: form.append(element("INPUT", "checkbox", QStringLiteral("box%1").arg(i), "on")); break;
        case 2: form.append(element("INPUT", "radio", QStringLiteral("radio%1").arg(i % 60), QString::number(i))); break;
        case 3: form.append(element("INPUT", "hidden", QStringLiteral("h%1").arg(i), "x")); break;
        case 4: form.append(element("FIELDSET", "fieldset", QStringLiteral("set%1").arg(i))); break;
        default: form.append(element("INPUT", "text", QStringLiteral("field%1").arg(i))); break;
        }
    }
    form.append(element("INPUT", "submit", "send"));
    while (page.elementCount() < Elements)
        page.forms[2].elements.append(element("INPUT", "text", QStringLiteral("field%1").arg(6 * page.forms[2].elements.size() + 5)));
    return page;
}

FormWalk::Input makeInput()
{
    FormWalk::Input in;
    in.siteRecord = {"Bench site", "", "", "yes", "", "0", "joe\tsecret", ""};
    in.siteRecord << "47=category" << "11=os" << "12=language" << "-11=q";
    for (int i = 0; in.siteRecord.size() < 8 + Entries; ++i) {
        const int n = 6 * i;
        in.siteRecord << QStringLiteral("%1=area%2").arg(58 + i % 4).arg(n)
                      << QStringLiteral("-13=box%1").arg(n + 1)
                      << QStringLiteral("%1=field%2").arg(i % 40).arg(n + 5);
    }
    in.siteRecord = in.siteRecord.mid(0, 8 + Entries);
    in.softwareRecord = QStringList(105);
    for (int n = 0; n < 104; ++n)
        in.softwareRecord[n] = QStringLiteral("value of field %1").arg(n);
    in.softwareRecord[47] = QStringLiteral("Science");
    in.matchLists.category = {"Editors", "Text", "Utilities"};
    in.matchLists.release = {"Minor Update", "Update", "Upgrade", "New software version", "true"};
    in.matchLists.os = {"", "Win 1", "Win 2", "Linux"};
    in.matchLists.language = {"English", "German"};
    in.constants = PseudoFields::constantValueList();
    in.defaultLogin = {"user", "pass"};
    in.autoSubmit = true;
    return in;
}

PageSnapshot hostilePage(int radios, int options)
{
    PageSnapshot page;
    page.valid = true;
    page.forms.resize(1);
    QList<SnapshotElement> &form = page.forms[0].elements;
    for (int k = 0; k < radios; ++k)
        form.append(element("INPUT", "radio", "release", QStringLiteral("Update %1").arg(k)));
    if (options > 0) {
        SnapshotElement list = element("SELECT", "select-one", "os");
        list.options.reserve(options);
        for (int k = 0; k < options; ++k)
            list.options.append({QStringLiteral("Linux %1").arg(k), QString::number(k), false});
        form.append(list);
    }
    form.append(element("INPUT", "submit", "send"));
    return page;
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const PageSnapshot page = makePage();
    const FormWalk::Input in = makeInput();
    const QByteArray snapshotJson = QJsonDocument(page.toJson()).toJson(QJsonDocument::Compact);

    FormWalkPlan last;
    const double planMs = bestOf(20, [&] { last = FormWalk::plan(page, in); });
    const double parseMs = bestOf(20, [&] {
        if (PageSnapshot::fromJson(snapshotJson).elementCount() != Elements)
            std::puts("snapshot lost elements");
    });
    QByteArray planJson;
    const double writeMs = bestOf(20, [&] { planJson = last.toJsonText(); });

    std::printf("page: %d elements in %lld forms, snapshot %.0f kB; plan: result %d, %lld writes, "
                "submit form %d, focus %d, plan %.1f kB\n",
                page.elementCount(), qlonglong(page.forms.size()), snapshotJson.size() / 1e3, last.result,
                qlonglong(last.writes.size()), last.submitForm, last.focus.element, planJson.size() / 1e3);
    bool ok = last.result == FormWalkPlan::Walked && last.focus.isValid();
    if (!ok)
        std::puts("the walk did not reach its submit control: MISSED");
    ok &= report("plan, ms (2,000 elements, 30 entries)", planMs, 5.0);
    std::printf("%-44s %8.2f\n", "snapshot JSON parse, ms", parseMs);
    std::printf("%-44s %8.2f\n", "plan JSON write, ms", writeMs);

    FormWalk::Input hostile = in;
    hostile.siteRecord = in.siteRecord.mid(0, 8) << "10=release" << "11=os";
    hostile.matchLists.os = {"Linux"};
    struct Row
    {
        const char *what;
        int radios;
        int options;
        double limitMs;
    };
    // Both stay well inside the page driver's 20 s planning watchdog.
    const Row rows[] = {{"read + plan, ms (50,000 radios of one group)", 50'000, 0, 1000.0},
                        {"read + plan, ms (one list of 1,000,000 options)", 0, 1'000'000, 5000.0}};
    for (const Row &row : rows) {
        const QByteArray json =
            QJsonDocument(hostilePage(row.radios, row.options).toJson()).toJson(QJsonDocument::Compact);
        FormWalkPlan plan;
        const double ms = bestOf(3, [&] { plan = FormWalk::plan(PageSnapshot::fromJson(json), hostile); });
        if (plan.result != FormWalkPlan::Walked || plan.writes.size() != 1) {
            std::printf("%s: %lld writes, expected one: MISSED\n", row.what, qlonglong(plan.writes.size()));
            ok = false;
        }
        std::printf("snapshot %.1f MB\n", json.size() / 1e6);
        ok &= report(row.what, ms, row.limitMs);
    }
    return ok ? 0 : 1;
}
