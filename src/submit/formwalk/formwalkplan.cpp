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
    QJsonObject o{{"form", form}, {"element", element}, {"path", path}, {"tag", tag},
                  {"name", name}, {"id", id},         {"set", QString(setName(set))}};
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

QJsonObject ElementRef::toJson() const
{
    return QJsonObject{{"form", form}, {"element", element}, {"path", path},
                       {"tag", tag},   {"name", name},       {"id", id}};
}

QJsonObject FormWalkPlan::toJson() const
{
    QJsonArray writeArray;
    for (const ElementWrite &w : writes)
        writeArray.append(w.toJson());
    QJsonValue focusValue(QJsonValue::Null);
    if (focus.isValid())
        focusValue = focus.toJson();
    QJsonValue revealValue(QJsonValue::Null);
    if (reveal.isValid()) {
        QJsonObject o = reveal.toJson();
        o.insert(QLatin1StringView("focus"), revealFocus);
        revealValue = o;
    } else if (revealFrame >= 0) {
        revealValue = QJsonObject{{"frame", revealFrame}};
    }
    return QJsonObject{{"result", result},     {"error", error},        {"message", message},
                       {"notice", notice},     {"attention", attention}, {"found", found},
                       {"submitForm", submitForm}, {"writes", writeArray}, {"focus", focusValue},
                       {"reveal", revealValue}, {"waitMs", waitMs},     {"click", click}};
}

int FormWalkPlan::foundEntries() const
{
    return int(std::count_if(entries.cbegin(), entries.cend(),
                             [](const EntryMatch &e) { return e.found(); }));
}

bool FormWalkPlan::awaitsForm() const
{
    return result == NoForm || (result == Walked && !found && !entries.isEmpty());
}

QByteArray FormWalkPlan::toJsonText() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}
