#include "submit/formwalk/formwalkplan.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

QLatin1StringView setName(ElementWrite::Set set)
{
    switch (set) {
    case ElementWrite::Set::Value:
        return QLatin1StringView("value");
    case ElementWrite::Set::Checked:
        return QLatin1StringView("checked");
    case ElementWrite::Set::Selection:
        return QLatin1StringView("selection");
    case ElementWrite::Set::FileName:
        return QLatin1StringView("file");
    }
    return QLatin1StringView("value");
}

} // namespace

QJsonObject ElementWrite::toJson() const
{
    QJsonObject o{{"form", form}, {"element", element}, {"tag", tag}, {"name", name},
                  {"set", QString(setName(set))}};
    switch (set) {
    case Set::Value:
    case Set::FileName:
        o.insert(QLatin1StringView("value"), value);
        break;
    case Set::Checked:
        o.insert(QLatin1StringView("checked"), checked);
        break;
    case Set::Selection: {
        QJsonArray chosen;
        for (int k : selected)
            chosen.append(k);
        o.insert(QLatin1StringView("selectedIndex"), selectedIndex);
        o.insert(QLatin1StringView("selected"), chosen);
        break;
    }
    }
    return o;
}

QJsonObject FormWalkPlan::toJson() const
{
    QJsonArray writeArray;
    for (const ElementWrite &w : writes)
        writeArray.append(w.toJson());
    QJsonValue focusValue(QJsonValue::Null);
    if (focus.isValid())
        focusValue = QJsonObject{{"form", focus.form}, {"element", focus.element},
                                 {"tag", focus.tag},   {"name", focus.name}};
    return QJsonObject{{"result", result},   {"error", error},          {"message", message},
                       {"notice", notice},   {"found", found},          {"submitForm", submitForm},
                       {"writes", writeArray}, {"focus", focusValue},   {"waitMs", waitMs},
                       {"click", click}};
}

int FormWalkPlan::foundEntries() const
{
    return int(std::count_if(entries.cbegin(), entries.cend(),
                             [](const EntryMatch &e) { return e.found(); }));
}

QByteArray FormWalkPlan::toJsonText() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}
