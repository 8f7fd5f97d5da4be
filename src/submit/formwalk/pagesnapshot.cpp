#include "submit/formwalk/pagesnapshot.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <utility>

namespace {

// The snapshot comes from a page we do not control: anything that is not of
// the expected type reads as empty rather than failing the walk.
QString text(const QJsonObject &o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    return v.isString() ? v.toString() : QString();
}

bool flag(const QJsonObject &o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    return v.isBool() && v.toBool();
}

QJsonArray array(const QJsonObject &o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    return v.isArray() ? v.toArray() : QJsonArray();
}

struct Budget
{
    qsizetype elements = PageSnapshot::MaxElements;
    qsizetype options = PageSnapshot::MaxOptions;
    bool truncated = false;

    qsizetype take(qsizetype wanted, qsizetype &left)
    {
        const qsizetype n = std::min(wanted, left);
        if (n < wanted)
            truncated = true;
        left -= n;
        return n;
    }
};

SnapshotElement readElement(const QJsonObject &o, Budget &budget)
{
    SnapshotElement e;
    e.tag = text(o, QLatin1StringView("tag"));
    e.name = text(o, QLatin1StringView("name"));
    e.id = text(o, QLatin1StringView("id"));
    e.type = text(o, QLatin1StringView("type"));
    e.value = text(o, QLatin1StringView("value"));
    e.checked = flag(o, QLatin1StringView("checked"));
    e.disabled = flag(o, QLatin1StringView("disabled"));
    e.multiple = flag(o, QLatin1StringView("multiple"));
    e.label = text(o, QLatin1StringView("label")).left(SnapshotElement::MaxLabelLength);
    e.placeholder = text(o, QLatin1StringView("placeholder")).left(SnapshotElement::MaxLabelLength);
    e.picture = text(o, QLatin1StringView("picture")).left(SnapshotElement::MaxLabelLength);
    const QJsonArray options = array(o, QLatin1StringView("options"));
    const qsizetype n = budget.take(options.size(), budget.options);
    e.options.reserve(n);
    for (qsizetype k = 0; k < n; ++k) {
        const QJsonObject p = options.at(k).toObject();
        e.options.append({text(p, QLatin1StringView("text")), text(p, QLatin1StringView("value")),
                          flag(p, QLatin1StringView("selected"))});
    }
    return e;
}

} // namespace

bool SnapshotElement::isFieldset() const
{
    return tag.compare(QLatin1StringView("fieldset"), Qt::CaseInsensitive) == 0;
}

bool SnapshotElement::isSelect() const
{
    return tag.compare(QLatin1StringView("select"), Qt::CaseInsensitive) == 0;
}

int PageSnapshot::elementCount() const
{
    qsizetype n = 0;
    for (const SnapshotForm &f : forms)
        n += f.elements.size();
    return int(n);
}

PageSnapshot PageSnapshot::fromJson(const QByteArray &json)
{
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        PageSnapshot s;
        s.error = parseError.error != QJsonParseError::NoError
            ? QCoreApplication::translate("PageSnapshot", "The page could not be read: %1")
                  .arg(parseError.errorString())
            : QCoreApplication::translate("PageSnapshot", "The page could not be read.");
        return s;
    }
    return fromJson(doc.object());
}

PageSnapshot PageSnapshot::fromJson(const QJsonObject &object)
{
    PageSnapshot s;
    s.valid = true;
    s.url = text(object, QLatin1StringView("url"));
    s.title = text(object, QLatin1StringView("title"));
    const QJsonArray forms = array(object, QLatin1StringView("forms"));
    Budget budget;
    qsizetype formsLeft = MaxForms;
    const qsizetype formCount = budget.take(forms.size(), formsLeft);
    s.forms.reserve(formCount);
    for (qsizetype i = 0; i < formCount; ++i) {
        const QJsonObject o = forms.at(i).toObject();
        SnapshotForm f;
        f.index = int(i);
        f.name = text(o, QLatin1StringView("name"));
        f.id = text(o, QLatin1StringView("id"));
        f.action = text(o, QLatin1StringView("action"));
        f.method = text(o, QLatin1StringView("method"));
        f.path = text(o, QLatin1StringView("path"));
        f.loose = flag(o, QLatin1StringView("loose"));
        const QJsonArray elements = array(o, QLatin1StringView("elements"));
        const qsizetype n = budget.take(elements.size(), budget.elements);
        f.elements.reserve(n);
        for (qsizetype k = 0; k < n; ++k)
            f.elements.append(readElement(elements.at(k).toObject(), budget));
        s.forms.append(std::move(f));
    }
    const QJsonArray foreign = array(object, QLatin1StringView("foreign"));
    qsizetype framesLeft = MaxForms;
    const qsizetype frameCount = budget.take(foreign.size(), framesLeft);
    for (qsizetype i = 0; i < frameCount; ++i) {
        const QJsonObject o = foreign.at(i).toObject();
        const QJsonValue form = o.value(QLatin1StringView("form"));
        const int index = form.isDouble() ? form.toInt(-1) : -1;
        s.foreignFrames.append({text(o, QLatin1StringView("src")).left(2048),
                                index >= 0 && index < s.forms.size() ? index : -1});
    }
    const QJsonValue hidden = object.value(QLatin1StringView("hidden"));
    s.hiddenParts = hidden.isDouble() ? int(std::clamp(hidden.toDouble(), 0.0, double(MaxElements))) : 0;
    s.shape = text(object, QLatin1StringView("shape")).left(64);
    s.truncated = budget.truncated || flag(object, QLatin1StringView("truncated"));
    return s;
}

QJsonObject PageSnapshot::toJson() const
{
    QJsonArray formArray;
    for (const SnapshotForm &f : forms) {
        QJsonArray elementArray;
        for (const SnapshotElement &e : f.elements) {
            QJsonObject eo{{"tag", e.tag},       {"name", e.name},         {"id", e.id},
                           {"type", e.type},     {"value", e.value},       {"checked", e.checked},
                           {"disabled", e.disabled}, {"multiple", e.multiple}};
            for (const auto &[key, hint] : {std::pair{"label", &e.label},
                                            std::pair{"placeholder", &e.placeholder},
                                            std::pair{"picture", &e.picture}})
                if (!hint->isEmpty())
                    eo.insert(QLatin1StringView(key), *hint);
            if (!e.options.isEmpty()) {
                QJsonArray optionArray;
                for (const SnapshotOption &p : e.options)
                    optionArray.append(QJsonObject{{"text", p.text}, {"value", p.value}, {"selected", p.selected}});
                eo.insert(QLatin1StringView("options"), optionArray);
            }
            elementArray.append(eo);
        }
        formArray.append(QJsonObject{{"name", f.name},     {"id", f.id},
                                     {"action", f.action}, {"method", f.method},
                                     {"path", f.path},     {"loose", f.loose},
                                     {"elements", elementArray}});
    }
    QJsonArray frameArray;
    for (const SnapshotFrame &frame : foreignFrames)
        frameArray.append(QJsonObject{{"src", frame.src}, {"form", frame.form}});
    return QJsonObject{{"url", url},       {"title", title},           {"forms", formArray},
                       {"foreign", frameArray}, {"hidden", hiddenParts}, {"shape", shape},
                       {"truncated", truncated}};
}
