#pragma once

#include <QJsonObject>
#include <QString>

// The page driver's scripts, run in the isolated world. Every value a script
// needs reaches it as a JSON argument; every script answers a JSON text, and
// one that threw answers { "scriptError": "..." }.
namespace PageScripts {

// A JSON text (PageSnapshot's shape) of every form and element of the page,
// up to PageSnapshot's bounds.
QString snapshot();
// Applies FormWalkPlan::toJson()'s "writes"; answers a JSON text
// { "applied": n, "failed": index or -1, "error": "", "files": [names] }.
QString apply(const QJsonObject &plan);
// Focuses `control` ({form, element, tag, name, click}) and clicks it when
// "click" is true; answers { "result": "ok" } or { "result": "missing" }.
QString submit(const QJsonObject &control);
// Appends `signatureHtml` at the end of the body and removes its border.
QString decorate(const QString &signatureHtml);
// The visible text of the page's body, at most `limit` characters; answers
// { "text": "..." }.
QString visibleText(int limit);
// Gives the page's window the keyboard focus.
QString focusPage();

} // namespace PageScripts
