#pragma once

#include <QJsonObject>
#include <QString>

// The page driver's scripts, run in the isolated world. Every value a script
// needs reaches it as a JSON argument; every script answers a JSON text, and
// one that threw answers { "scriptError": "..." }.
namespace PageScripts {

// A JSON text (PageSnapshot's shape) of every form and element of the page,
// its frames of the same site and its open shadow roots, up to
// PageSnapshot's bounds.
QString snapshot();
// Applies FormWalkPlan::toJson()'s "writes"; answers a JSON text
// { "applied": n, "failed": index or -1, "error": "", "files": [names] }.
QString apply(const QJsonObject &plan);
// `control` is { "focus": ref or null, "click": bool, "reveal": as the
// plan's }: focuses the submit control, clicks it when "click" is true and
// brings "reveal" into view; answers { "result": "ok", "title", "text" }
// (the page before the click) or { "result": "missing" }.
QString submit(const QJsonObject &control);
// The snapshot's "shape" of the page as it is now: { "shape": "..." }.
QString shape();
// The page's title and the visible text of its body, at most
// AnswerSuggestion::MaxText characters: { "title": "", "text": "" }.
QString state();
// Appends `signatureHtml` at the end of the body and removes its border.
QString decorate(const QString &signatureHtml);
// Gives the page's window the keyboard focus.
QString focusPage();

} // namespace PageScripts
