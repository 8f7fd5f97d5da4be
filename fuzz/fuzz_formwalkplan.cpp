// libFuzzer target for a page's snapshot as the page driver receives it: any
// text must read and plan without a crash, a hang or memory out of
// proportion, and every plan must address only what the snapshot holds.
#include "catalogue/pseudofields.h"
#include "submit/formwalk/formwalkplanner.h"

#include <QJsonDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_formwalkplan: %s\n", what);
    std::abort();
}

// A site whose field map reaches every rule of the walk, on inputs named
// a to l, for a record whose fields all hold something.
FormWalk::Input siteInput(bool loggedIn, bool autoSubmit)
{
    FormWalk::Input in;
    in.siteRecord = QStringList{"Fuzz", "", "", "yes", "", "0", "user\tpass", ""};
    in.siteRecord << "0=a" << "60=b" << "-1=c" << "-2=d" << "47=e" << "48=f" << "10=g" << "11=h"
                  << "12=i" << "-13=j" << "5=k" << "56=l" << "-14=a" << "61=b" << "0=captcha";
    in.softwareRecord = QStringList(105);
    for (int f = 0; f < 105; ++f)
        in.softwareRecord[f] = QStringLiteral("v%1 Other 1").arg(f);
    in.matchLists.category = {"Utilities", "v47", "Other"};
    in.matchLists.release = {"Update", "New", "1"};
    in.matchLists.os = {"Win", "Linux", "v"};
    in.matchLists.language = {"English", "v"};
    in.constants = PseudoFields::constantValueList();
    in.loggedIn = loggedIn;
    in.autoSubmit = autoSubmit;
    return in;
}

void check(const PageSnapshot &page, const FormWalkPlan &plan)
{
    if (plan.result < FormWalkPlan::Raised || plan.result > FormWalkPlan::ElementError)
        fail("result out of range");
    for (const ElementWrite &w : plan.writes) {
        if (w.form < 0 || w.form >= page.forms.size())
            fail("write to a form the page does not have");
        const QList<SnapshotElement> &elements = page.forms.at(w.form).elements;
        if (w.element < 0 || w.element >= elements.size())
            fail("write to an element the form does not have");
        const SnapshotElement &e = elements.at(w.element);
        if (w.tag != e.tag || w.name != e.name || w.id != e.id || w.path != page.forms.at(w.form).path)
            fail("write names another element");
        for (int k : w.selected)
            if (k < 0 || k >= e.options.size())
                fail("choice of an option the list does not have");
    }
    if (plan.focus.isValid()) {
        if (plan.focus.form != plan.submitForm || plan.focus.form >= page.forms.size()
            || plan.focus.element >= page.forms.at(plan.focus.form).elements.size())
            fail("submit control outside the submit form");
    }
    if (plan.click && !plan.focus.isValid())
        fail("a click without a control");
    // A form that waits for the user is never sent.
    if (plan.click && plan.userStep != FormWalkPlan::UserStep::None)
        fail("a click past a picture code or a check");
    if (plan.reveal.isValid()
        && (plan.reveal.form != plan.submitForm || plan.reveal.form >= page.forms.size()
            || plan.reveal.element >= page.forms.at(plan.reveal.form).elements.size()))
        fail("a code input outside the submit form");
    if (plan.revealFrame >= page.foreignFrames.size())
        fail("a challenge frame the page does not have");
    for (const EntryMatch &e : plan.entries)
        if (e.matches < 0 || (e.found() && page.forms.isEmpty()))
            fail("an entry found an input the page does not have");
    if (plan.foundEntries() > plan.entries.size())
        fail("more entries found than read");
    // The plan goes to the apply script as JSON: it must stay readable.
    if (!QJsonDocument::fromJson(plan.toJsonText()).isObject())
        fail("plan JSON not readable");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const PageSnapshot page = PageSnapshot::fromJson(bytes);
    if (page.forms.size() > PageSnapshot::MaxForms || page.elementCount() > PageSnapshot::MaxElements)
        fail("snapshot beyond its bounds");
    if (!page.valid && page.error.isEmpty())
        fail("refused without a reason");
    const bool flags = size > 0 && (data[0] & 1);
    for (const FormWalk::Step step : {FormWalk::Step::NormalFill, FormWalk::Step::LoginFill})
        check(page, FormWalk::plan(page, [&] {
                  FormWalk::Input in = siteInput(flags, !flags);
                  in.step = step;
                  return in;
              }()));
    return 0;
}
