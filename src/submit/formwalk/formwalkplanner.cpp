#include "submit/formwalk/formwalkplanner.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"
#include "submit/formwalk/formhints.h"
#include "platform/table.h"
#include "submit/sites/siterecord.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

#include <vector>

namespace FormWalk {

namespace {

constexpr int SubmitWaitMs = 100;

// Blank as the site tables mean it: nothing but blanks and control characters.
bool isBlank(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() > 0x20)
            return false;
    return true;
}

QString trimmedControls(const QString &s)
{
    qsizetype begin = 0, end = s.size();
    while (begin < end && s.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && s.at(end - 1).unicode() <= 0x20)
        --end;
    return s.mid(begin, end - begin);
}

// `haystack` is already in lower case. An empty needle is contained in nothing.
bool containsLower(const QString &haystack, const QString &lowerNeedle)
{
    return !lowerNeedle.isEmpty() && haystack.contains(lowerNeedle);
}

// A decimal integer, optionally signed and blank-padded; only whether it is 0
// matters, so a number of any length is read without overflow.
std::optional<bool> decimalIsNonZero(const QString &text)
{
    const QString t = trimmedControls(text);
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-'))
        ++i;
    if (i == t.size())
        return std::nullopt;
    bool nonZero = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        nonZero = nonZero || c != u'0';
    }
    return nonZero;
}

// The element types a text is typed into. Besides "text", the later input
// types that older browsers reported as "text" are filled the same way.
bool isTextType(const QString &lowerType)
{
    static const QStringList types{
        QStringLiteral("text"),  QStringLiteral("search"), QStringLiteral("email"),
        QStringLiteral("url"),   QStringLiteral("tel"),    QStringLiteral("number"),
        QStringLiteral("date"),  QStringLiteral("month"),  QStringLiteral("week"),
        QStringLiteral("time"),  QStringLiteral("datetime-local")};
    return types.contains(lowerType);
}

QString notAnIntegerMessage(const QString &text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

struct Slot
{
    int form;
    int element;
};

// The walk's working copy of one element, made when the walk first reaches it.
struct ElementState
{
    bool ready = false;
    bool touched = false;
    QString value;
    bool checked = false;
    std::vector<char> selected;
    // The options now chosen, so that a new single choice clears only them
    // (a list of a million options is chosen from a million times).
    std::vector<int> chosen;
    QStringList lowerTexts;
    QStringList lowerValues;
};

class Walker
{
public:
    Walker(const PageSnapshot &page, const Input &input) : m_page(page), m_input(input)
    {
        m_loggedIn = input.step == Step::LoginFill ? false : input.loggedIn;
        m_autoSubmit = input.step == Step::LoginFill ? true : input.autoSubmit;
        const LoginPair pair =
            loginPair(input.siteRecord.value(SiteRecord::UserPass), input.defaultLogin);
        m_context = {input.softwareRecord, input.constants, pair.password, pair.userName};
    }

    FormWalkPlan run();

private:
    const SnapshotElement &element(int flat) const
    {
        return m_page.forms.at(m_slots[flat].form).elements.at(m_slots[flat].element);
    }
    ElementState &state(int flat);
    void touch(int flat);
    void index();
    void matchEntries();
    int firstEntryColumn() const
    {
        return m_loggedIn ? SiteRecord::FirstFieldMapLoggedIn : SiteRecord::FirstFieldMap;
    }

    std::optional<QString> valueFor(int field) const;
    bool fill(int flat, int field, const QString &value);
    void choose(int flat, int option, bool bySelectedIndex);
    void fillChoiceList(int flat, int field, const QString &value);
    bool fillCheckBox(int flat, int field, const QString &value);
    void fillRadio(int flat, int field, const QString &value);
    void check(int flat);
    void submitStep();
    int sendingButton(int form) const;
    void findUserStep(int form);
    void noteUnreadableParts();
    ElementRef refOf(int form, int element) const;
    const std::vector<int> &matchesFor(const QString &inputName);
    void collectWrites();

    const PageSnapshot &m_page;
    const Input &m_input;
    bool m_loggedIn = false;
    bool m_autoSubmit = false;
    PseudoFields::Context m_context;

    // A radio group: the radio buttons of one form sharing one name. Once
    // the walk ticks one of them, that one alone is on.
    struct RadioGroup
    {
        int ticked = -1;
    };

    bool isOn(int flat) const;

    std::vector<Slot> m_slots;
    std::vector<int> m_formStart;   // per form: the flat index of its first element
    std::vector<ElementState> m_states;
    QHash<QString, std::vector<int>> m_byName;
    QHash<QString, std::vector<int>> m_byId;
    QHash<QString, std::vector<int>> m_matches;
    int m_lastMatch = -1;
    std::vector<int> m_groupOf;   // per element: its radio group, or -1
    std::vector<RadioGroup> m_groups;
    std::vector<int> m_touchOrder;
    FormWalkPlan m_plan;
};

void Walker::index()
{
    m_slots.reserve(m_page.elementCount());
    m_groupOf.reserve(m_page.elementCount());
    m_formStart.reserve(m_page.forms.size());
    for (int f = 0; f < m_page.forms.size(); ++f) {
        const QList<SnapshotElement> &elements = m_page.forms.at(f).elements;
        m_formStart.push_back(int(m_slots.size()));
        QHash<QString, int> groupsOfForm;
        for (int e = 0; e < elements.size(); ++e) {
            const SnapshotElement &el = elements.at(e);
            const int flat = int(m_slots.size());
            m_slots.push_back({f, e});
            m_groupOf.push_back(-1);
            // Fieldsets are never filled.
            if (el.isFieldset())
                continue;
            if (!el.id.isEmpty())
                m_byId[el.id].push_back(flat);
            if (el.name.isEmpty())
                continue;
            m_byName[el.name].push_back(flat);
            if (el.type.compare(QLatin1StringView("radio"), Qt::CaseInsensitive) == 0) {
                const auto group = groupsOfForm.constFind(el.name);
                if (group != groupsOfForm.cend()) {
                    m_groupOf.back() = *group;
                } else {
                    m_groupOf.back() = int(m_groups.size());
                    groupsOfForm.insert(el.name, int(m_groups.size()));
                    m_groups.push_back({});
                }
            }
        }
    }
    m_states.resize(m_slots.size());
}

ElementState &Walker::state(int flat)
{
    ElementState &s = m_states[flat];
    if (!s.ready) {
        const SnapshotElement &e = element(flat);
        s.ready = true;
        s.value = e.value;
        s.checked = e.checked;
        if (e.isSelect()) {
            s.selected.reserve(e.options.size());
            s.lowerTexts.reserve(e.options.size());
            s.lowerValues.reserve(e.options.size());
            for (const SnapshotOption &o : e.options) {
                if (o.selected)
                    s.chosen.push_back(int(s.selected.size()));
                s.selected.push_back(o.selected);
                s.lowerTexts.append(o.text.toLower());
                s.lowerValues.append(o.value.toLower());
            }
        }
    }
    return s;
}

void Walker::touch(int flat)
{
    ElementState &s = state(flat);
    if (!s.touched) {
        s.touched = true;
        m_touchOrder.push_back(flat);
    }
}

std::optional<QString> Walker::valueFor(int field) const
{
    // A field beyond the record's last reads as empty; the pseudo field
    // numbers say which of them have a value at all.
    if (field >= 0)
        return m_input.softwareRecord.value(field);
    return PseudoFields::value(field, m_context);
}

FormWalkPlan Walker::run()
{
    if (!m_page.valid) {
        m_plan.result = FormWalkPlan::Raised;
        m_plan.error = m_page.error;
        return m_plan;
    }
    index();
    matchEntries();
    if (m_page.forms.isEmpty()) {
        m_plan.result = FormWalkPlan::NoForm;
        noteUnreadableParts();
        return m_plan;
    }
    m_plan.result = FormWalkPlan::Walked;

    const QStringList &site = m_input.siteRecord;
    const int first = firstEntryColumn();
    for (int column = first; column < site.size(); ++column) {
        const QString &cell = site.at(column);
        if (isBlank(cell))
            break;
        const std::optional<FieldMapEntry> entry = parseEntry(cell);
        if (!entry) {
            const qsizetype eq = cell.indexOf(u'=');
            m_plan.result = FormWalkPlan::Raised;
            m_plan.error = notAnIntegerMessage(eq < 0 ? cell : cell.left(eq));
            collectWrites();
            return m_plan;
        }
        for (int flat : matchesFor(entry->inputName)) {
            m_plan.found = true;
            m_plan.submitForm = m_slots[flat].form;
            m_lastMatch = flat;
            const std::optional<QString> value = valueFor(entry->field);
            if (!value || !fill(flat, entry->field, *value)) {
                m_plan.result = FormWalkPlan::ElementError;
                collectWrites();
                return m_plan;
            }
        }
    }
    collectWrites();
    submitStep();
    return m_plan;
}

void Walker::matchEntries()
{
    const QStringList &site = m_input.siteRecord;
    for (int column = firstEntryColumn(); column < site.size(); ++column) {
        const QString &cell = site.at(column);
        if (isBlank(cell))
            break;
        EntryMatch match;
        match.column = column;
        match.entry = cell;
        if (const std::optional<FieldMapEntry> entry = parseEntry(cell)) {
            match.readable = true;
            match.field = entry->field;
            match.inputName = entry->inputName;
            match.matches = int(matchesFor(entry->inputName).size());
        }
        m_plan.entries.append(match);
    }
}

// The elements an entry's input name reaches: those of that name, and in a
// form that has none of that name, those whose id it is.
const std::vector<int> &Walker::matchesFor(const QString &inputName)
{
    const auto known = m_matches.constFind(inputName);
    if (known != m_matches.cend())
        return *known;
    std::vector<int> matches = m_byName.value(inputName);
    const auto withId = m_byId.constFind(inputName);
    if (withId != m_byId.cend()) {
        QSet<int> formsWithName;
        for (int flat : matches)
            formsWithName.insert(m_slots[flat].form);
        for (int flat : *withId)
            if (!formsWithName.contains(m_slots[flat].form))
                matches.push_back(flat);
        std::sort(matches.begin(), matches.end());
    }
    return *m_matches.insert(inputName, std::move(matches));
}

// False for an element error.
bool Walker::fill(int flat, int field, const QString &value)
{
    if (isBlank(value))
        return true;
    const SnapshotElement &e = element(flat);
    const QString type = e.type.toLower();
    if (type == u"textarea") {
        ElementState &s = state(flat);
        // The text area keeps what it holds and gains the value as a new line.
        if (!isBlank(s.value))
            s.value += u'\r';
        s.value += value;
        touch(flat);
    } else if (isTextType(type) || type == u"file"
               || (type == u"password" && field == PseudoFields::SitePassword)) {
        state(flat).value = value;
        touch(flat);
    } else if (e.isSelect()) {
        fillChoiceList(flat, field, value);
    } else if (type == u"checkbox") {
        return fillCheckBox(flat, field, value);
    } else if (type == u"radio") {
        fillRadio(flat, field, value);
    }
    return true;
}

void Walker::choose(int flat, int option, bool bySelectedIndex)
{
    ElementState &s = state(flat);
    // selectedIndex, and any choice on a single-choice list, replaces the
    // previous choice; a multiple list adds to it.
    if (bySelectedIndex || !element(flat).multiple) {
        for (int k : s.chosen)
            s.selected[k] = 0;
        s.chosen.clear();
    }
    if (!s.selected[option]) {
        s.selected[option] = 1;
        s.chosen.push_back(option);
    }
    touch(flat);
}

void Walker::fillChoiceList(int flat, int field, const QString &value)
{
    ElementState &s = state(flat);
    const QStringList &texts = s.lowerTexts;
    const int n = int(texts.size());
    const MatchLists &lists = m_input.matchLists;

    switch (field) {
    case Field::Category: {
        const QString v = value.toLower();
        for (int k = 0; k < n; ++k) {
            if (containsLower(texts.at(k), v)) {
                choose(flat, k, true);
                return;
            }
        }
        // No option names the category: the site's catch-all, the last one
        // in the list when it has several.
        for (int k = 0; k < n; ++k)
            if (texts.at(k).contains(u"other") || texts.at(k).contains(u"miscellaneous"))
                choose(flat, k, true);
        return;
    }
    case Field::CategoryClass: {
        const QStringList &c = lists.category;
        if (c.size() < 2)
            return;
        const QString main = c.last().toLower();
        QStringList sub;
        for (qsizetype j = 0; j + 1 < c.size(); ++j)
            sub.append(c.at(j).toLower());
        for (const QString &cj : sub) {
            for (int k = 0; k < n; ++k) {
                if (containsLower(texts.at(k), main) && containsLower(texts.at(k), cj)) {
                    choose(flat, k, false);
                    return;
                }
            }
        }
        for (const QString &cj : sub) {
            for (int k = 0; k < n; ++k) {
                if (containsLower(texts.at(k), cj)) {
                    choose(flat, k, false);
                    return;
                }
            }
        }
        return;
    }
    case Field::ReleaseStatus:
        for (const QString &entry : lists.release) {
            const QString r = entry.toLower();
            for (int k = 0; k < n; ++k) {
                if (containsLower(texts.at(k), r)) {
                    choose(flat, k, false);
                    return;
                }
            }
        }
        return;
    case Field::OsSupport:
        for (const QString &entry : lists.os) {
            const QString o = entry.toLower();
            for (int k = 0; k < n; ++k)
                if (containsLower(texts.at(k), o))
                    choose(flat, k, false);
        }
        return;
    case Field::Languages:
        for (qsizetype j = lists.language.size() - 1; j >= 0; --j) {
            const QString l = lists.language.at(j).toLower();
            for (int k = 0; k < n; ++k)
                if (containsLower(texts.at(k), l))
                    choose(flat, k, false);
        }
        return;
    default: {
        const QString v = value.toLower();
        for (int k = 0; k < n; ++k)
            if (texts.at(k) == v || s.lowerValues.at(k) == v)
                choose(flat, k, false);
        return;
    }
    }
}

bool Walker::fillCheckBox(int flat, int field, const QString &value)
{
    const SnapshotElement &e = element(flat);
    if (field == Field::OsSupport) {
        const QString boxValue = e.value.toLower();
        const QString boxName = e.name.toLower();
        // Only ever ticks: a box that names none of the systems keeps its state.
        for (const QString &entry : m_input.matchLists.os) {
            const QString o = entry.toLower();
            if (containsLower(boxValue, o) || containsLower(boxName, o)) {
                check(flat);
                break;
            }
        }
        return true;
    }
    const std::optional<bool> on = decimalIsNonZero(value);
    if (!on)
        return false;
    state(flat).checked = *on;
    touch(flat);
    return true;
}

void Walker::fillRadio(int flat, int field, const QString &value)
{
    const QString buttonValue = element(flat).value.toLower();
    if (field == Field::ReleaseStatus) {
        for (const QString &entry : m_input.matchLists.release) {
            if (containsLower(buttonValue, entry.toLower())) {
                check(flat);
                return;
            }
        }
        return;
    }
    if (containsLower(buttonValue, value.toLower()))
        check(flat);
}

void Walker::check(int flat)
{
    state(flat).checked = true;
    touch(flat);
    // Ticking a radio button clears the others of its group; the browser
    // does that itself, the walk only keeps its copy true.
    if (m_groupOf[flat] >= 0)
        m_groups[m_groupOf[flat]].ticked = flat;
}

bool Walker::isOn(int flat) const
{
    const int group = m_groupOf[flat];
    if (group >= 0 && m_groups[group].ticked >= 0)
        return m_groups[group].ticked == flat;
    return m_states[flat].checked;
}

void Walker::collectWrites()
{
    for (int flat : m_touchOrder) {
        const SnapshotElement &e = element(flat);
        const ElementState &s = m_states[flat];
        ElementWrite w;
        w.form = m_slots[flat].form;
        w.element = m_slots[flat].element;
        w.path = m_page.forms.at(w.form).path;
        w.tag = e.tag;
        w.name = e.name;
        w.id = e.id;
        const QString type = e.type.toLower();
        if (e.isSelect()) {
            bool changed = false;
            for (int k = 0; k < int(s.selected.size()); ++k) {
                changed = changed || bool(s.selected[k]) != e.options.at(k).selected;
                if (s.selected[k])
                    w.selected.append(k);
            }
            if (!changed)
                continue;
            w.set = ElementWrite::Set::Selection;
            w.selectedIndex = w.selected.isEmpty() ? -1 : w.selected.first();
        } else if (type == u"checkbox" || type == u"radio") {
            const bool on = isOn(flat);
            if (on == e.checked)
                continue;
            w.set = ElementWrite::Set::Checked;
            w.checked = on;
        } else {
            if (s.value == e.value)
                continue;
            w.set = type == u"file" ? ElementWrite::Set::FileName : ElementWrite::Set::Value;
            w.value = s.value;
        }
        m_plan.writes.append(w);
    }
}

ElementRef Walker::refOf(int form, int element) const
{
    const SnapshotForm &f = m_page.forms.at(form);
    const SnapshotElement &e = f.elements.at(element);
    return {form, element, f.path, e.tag, e.name, e.id};
}

void Walker::submitStep()
{
    if (m_loggedIn && !m_plan.found) {
        m_plan.message = rejectedLoginMessage();
        return;
    }
    if (m_plan.submitForm < 0) {
        // Nothing of the field map is on this page: there is no form to send.
        m_plan.notice = QCoreApplication::translate(
            "FormWalk", "None of this site's fields were found on the page; nothing was filled.");
        noteUnreadableParts();
        return;
    }
    const SnapshotForm &form = m_page.forms.at(m_plan.submitForm);
    int control = -1;
    // Outside a form a button's "submit" type sends nothing: only its words count.
    if (!form.loose) {
        for (int e = 0; e < form.elements.size(); ++e) {
            const SnapshotElement &el = form.elements.at(e);
            // A disabled button takes neither the focus nor a click.
            if (!el.disabled && el.type.compare(QLatin1StringView("submit"), Qt::CaseInsensitive) == 0)
                control = e;
        }
    }
    if (control < 0)
        control = sendingButton(m_plan.submitForm);
    findUserStep(m_plan.submitForm);
    if (control < 0) {
        if (m_plan.userStep != FormWalkPlan::UserStep::None)
            return;
        // How such a form is sent is the page's own business (a script, an
        // image button): leave it to the user rather than guess.
        if (form.loose)
            m_plan.attention = QCoreApplication::translate(
                "FormWalk", "No button on the page reads as sending this form: check it and send it yourself.");
        else
            m_plan.notice = QCoreApplication::translate(
                "FormWalk", "The form has no submit button; please send it yourself.");
        return;
    }
    m_plan.focus = refOf(m_plan.submitForm, control);
    m_plan.waitMs = SubmitWaitMs;
    // A picture code or a check the user has not done yet: the site would refuse the form.
    m_plan.click = m_autoSubmit && m_plan.userStep == FormWalkPlan::UserStep::None;
}

// The button a script-sent form goes with: one that reads as sending, the
// first after the last filled input, else the last before it.
int Walker::sendingButton(int form) const
{
    const QList<SnapshotElement> &elements = m_page.forms.at(form).elements;
    const int lastMatch = m_lastMatch >= 0 && m_slots[m_lastMatch].form == form
        ? m_slots[m_lastMatch].element
        : -1;
    int before = -1;
    for (int e = 0; e < elements.size(); ++e) {
        const SnapshotElement &el = elements.at(e);
        if (el.disabled || !FormHints::isButton(el) || !FormHints::readsAsSending(FormHints::caption(el)))
            continue;
        if (e > lastMatch)
            return e;
        before = e;
    }
    return before;
}

void Walker::findUserStep(int form)
{
    const QList<SnapshotElement> &elements = m_page.forms.at(form).elements;
    const int first = m_formStart[form];
    int code = -1, response = -1;
    for (int e = 0; e < elements.size() && code < 0; ++e) {
        const ElementState &s = m_states[first + e];
        // An entry that fills the input answers it.
        if (s.touched && !isBlank(s.value))
            continue;
        if (FormHints::asksForPictureCode(elements.at(e)))
            code = e;
        else if (response < 0 && FormHints::isChallengeResponse(elements.at(e)))
            response = e;
    }
    int frame = -1;
    for (int k = 0; k < m_page.foreignFrames.size() && frame < 0; ++k)
        if (m_page.foreignFrames.at(k).form == form
            && FormHints::isChallengeFrame(m_page.foreignFrames.at(k).src))
            frame = k;
    if (code >= 0) {
        m_plan.userStep = FormWalkPlan::UserStep::PictureCode;
        m_plan.reveal = refOf(form, code);
        m_plan.revealFocus = true;
        m_plan.attention = QCoreApplication::translate(
            "FormWalk", "Type the characters from the picture, then send the form.");
    } else if (response >= 0 || frame >= 0) {
        m_plan.userStep = FormWalkPlan::UserStep::Challenge;
        if (response >= 0)
            m_plan.reveal = refOf(form, response);
        else
            m_plan.revealFrame = frame;
        m_plan.attention = QCoreApplication::translate(
            "FormWalk", "Complete the check on the page, then send the form.");
    }
}

// Frames of other sites and closed components cannot be read: when the walk
// found nothing, the form may well be in one of them.
void Walker::noteUnreadableParts()
{
    if (!m_page.foreignFrames.isEmpty())
        m_plan.attention = QCoreApplication::translate(
            "FormWalk", "The form is inside a frame from another site; fill it in by hand.");
    else if (m_page.hiddenParts > 0)
        m_plan.attention = QCoreApplication::translate(
            "FormWalk", "The form is inside a part of the page that cannot be read; fill it in by hand.");
}

} // namespace

LoginPair loginPair(const QString &userPass, const LoginPair &defaultPair)
{
    if (isBlank(userPass))
        return defaultPair;
    const qsizetype tab = userPass.indexOf(u'\t');
    if (tab < 0)
        return {QString(), userPass};
    return {userPass.left(tab), userPass.mid(tab + 1)};
}

QStringList siteRecordCells(const Table &submitList, int siteRow)
{
    QStringList cells = submitList.row(siteRow);
    if (!cells.isEmpty())
        cells.removeLast();
    return cells;
}

std::optional<FieldMapEntry> parseEntry(const QString &entry)
{
    const qsizetype eq = entry.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    bool ok = false;
    const int field = trimmedControls(entry.left(eq)).toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return FieldMapEntry{field, entry.mid(eq + 1)};
}

QString rejectedLoginMessage()
{
    return QStringLiteral("This user/password pair was not accepted...\r"
                          "You must register with this site before submiting.");
}

FormWalkPlan plan(const PageSnapshot &page, const Input &input)
{
    FormWalkPlan p = Walker(page, input).run();
    p.pageShape = page.shape;
    return p;
}

} // namespace FormWalk
