#include "submit/browser/pagescripts.h"

#include "submit/formwalk/pagesnapshot.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace PageScripts {

namespace {

// Shared by every script. Page scripts live in another world and cannot
// reach these functions; named form controls can still shadow document.forms
// and form.elements ("<input name=elements>"), so both are read through the
// prototypes' own getters.
const char *const Prelude = R"JS(
'use strict';
var getter = function (proto, name) {
  return Object.getOwnPropertyDescriptor(proto, name).get;
};
var formsOf = getter(Document.prototype, 'forms');
var elementsOf = getter(HTMLFormElement.prototype, 'elements');
var formAttr = Element.prototype.getAttribute;
var text = function (v) { return typeof v === 'string' ? v : ''; };
var target = function (ref) {
  var forms = formsOf.call(document);
  if (ref.form < 0 || ref.form >= forms.length) return null;
  var elements = elementsOf.call(forms[ref.form]);
  if (ref.element < 0 || ref.element >= elements.length) return null;
  var e = elements[ref.element];
  // The plan was made from a snapshot: refuse an element that is no longer the one it saw.
  if (text(e.tagName) !== ref.tag || text(e.name) !== ref.name) return null;
  return e;
};
)JS";

const char *const SnapshotBody = R"JS(
var forms = formsOf.call(document);
var byId = Document.prototype.getElementById;
var squash = function (s) {
  if (!s) return '';
  s = text(s).replace(/\s+/g, ' ').trim();
  return s.length > limits.label ? s.slice(0, limits.label) : s;
};
// The text a label shows, without the texts of the controls inside it.
var shownText = function (node, depth) {
  var out = '';
  for (var c = node.firstChild; c && out.length <= limits.label; c = c.nextSibling) {
    if (c.nodeType === 3) out += c.nodeValue;
    else if (c.nodeType === 1 && depth < 8
             && !/^(SELECT|TEXTAREA|OPTION|SCRIPT|STYLE|BUTTON|INPUT)$/.test(c.tagName))
      out += ' ' + shownText(c, depth + 1);
  }
  return out;
};
// Each control's first label, found from the labels in one pass: asking
// every element for its labels walks the whole page each time.
var labelText = new Map();
var labelsOf = Document.prototype.getElementsByTagName.call(document, 'label');
var controlOf = getter(HTMLLabelElement.prototype, 'control');
for (var n = 0; n < labelsOf.length && n < limits.elements; ++n) {
  var control = controlOf.call(labelsOf[n]);
  if (control && !labelText.has(control)) labelText.set(control, shownText(labelsOf[n], 0));
}
// What names the element for a reader, in the order assistive technology
// takes it: aria-labelledby, aria-label, its label, placeholder, title.
var labelOf = function (e) {
  var by = formAttr.call(e, 'aria-labelledby');
  if (by) {
    var parts = [];
    var ids = by.split(/\s+/);
    for (var n = 0; n < ids.length && n < 8; ++n) {
      var node = ids[n] ? byId.call(document, ids[n]) : null;
      if (node) parts.push(shownText(node, 0));
    }
    var t = squash(parts.join(' '));
    if (t) return t;
  }
  var names = [formAttr.call(e, 'aria-label'), labelText.get(e) || '',
               formAttr.call(e, 'placeholder'), formAttr.call(e, 'title')];
  for (var k = 0; k < names.length; ++k) {
    var s = squash(names[k]);
    if (s) return s;
  }
  return '';
};
var out = { url: String(location.href), title: String(document.title), forms: [] };
// A page far beyond any real form is cut where the planner would cut it anyway.
var elementsLeft = limits.elements, optionsLeft = limits.options;
for (var i = 0; i < forms.length && i < limits.forms; ++i) {
  var f = forms[i];
  var elements = elementsOf.call(f);
  var list = [];
  for (var k = 0; k < elements.length && elementsLeft > 0; ++k, --elementsLeft) {
    var e = elements[k];
    var item = {
      tag: text(e.tagName), name: text(e.name), id: text(e.id), type: text(e.type),
      value: text(e.value), checked: e.checked === true, disabled: e.disabled === true,
      multiple: e.multiple === true
    };
    var label = labelOf(e);
    if (label) item.label = label;
    if (e instanceof HTMLSelectElement) {
      var options = [];
      for (var n = 0; n < e.options.length && optionsLeft > 0; ++n, --optionsLeft) {
        var o = e.options[n];
        options.push({ text: text(o.text), value: text(o.value), selected: o.selected === true });
      }
      item.options = options;
    }
    list.push(item);
  }
  out.forms.push({
    name: text(formAttr.call(f, 'name') || ''), id: text(formAttr.call(f, 'id') || ''),
    action: text(formAttr.call(f, 'action') || ''), method: text(formAttr.call(f, 'method') || ''),
    elements: list
  });
}
return JSON.stringify(out);
)JS";

// Writes each value the way a user's typing would end: the value, then the
// "input" and "change" events, so the page's own scripts see it. A page
// listener that throws does not stop the fill (dispatchEvent reports it and
// returns).
const char *const ApplyBody = R"JS(
var out = { applied: 0, failed: -1, error: '', files: [] };
var fire = function (e, type) { e.dispatchEvent(new Event(type, { bubbles: true })); };
for (var i = 0; i < plan.writes.length; ++i) {
  var w = plan.writes[i];
  var e = target(w);
  if (!e) { out.failed = i; out.error = 'missing'; break; }
  try {
    if (w.set === 'file') { out.files.push(w.name); continue; }
    if (w.set === 'value') {
      e.value = w.value;
    } else if (w.set === 'checked') {
      e.checked = w.checked;
    } else if (w.set === 'selection') {
      if (e.multiple) {
        var chosen = new Set(w.selected);
        for (var n = 0; n < e.options.length; ++n)
          e.options[n].selected = chosen.has(n);
      } else {
        e.selectedIndex = w.selectedIndex;
      }
    }
    fire(e, 'input');
    fire(e, 'change');
    out.applied++;
  } catch (x) {
    out.failed = i;
    out.error = String(x);
    break;
  }
}
return JSON.stringify(out);
)JS";

const char *const SubmitBody = R"JS(
var e = target(control);
if (!e) return JSON.stringify({ result: 'missing' });
e.focus();
if (control.click) e.click();
return JSON.stringify({ result: 'ok' });
)JS";

const char *const DecorateBody = R"JS(
var body = document.body;
// A frameset has no body to write into; its frames are pages of their own.
if (!(body instanceof HTMLBodyElement)) return JSON.stringify({ decorated: false });
body.insertAdjacentHTML('beforeend', signature);
body.style.borderStyle = 'none';
return JSON.stringify({ decorated: true });
)JS";

const char *const VisibleTextBody = R"JS(
var body = document.body;
var t = body ? body.innerText : '';
return JSON.stringify({ text: text(t).slice(0, limit) });
)JS";

// Every script answers a JSON text; what it throws comes back as
// { "scriptError": text } instead of an empty answer.
QString wrap(const char *body, const char *parameter, const QByteArray &argumentJson)
{
    return QStringLiteral("(function (%1) {").arg(QLatin1String(parameter))
           + QString::fromLatin1(Prelude) + QStringLiteral("try {")
           + QString::fromLatin1(body)
           + QStringLiteral("} catch (x) { return JSON.stringify({ scriptError: String(x && "
                            "x.message || x) }); }})(")
           + QString::fromUtf8(argumentJson) + QStringLiteral(")");
}

QByteArray json(const QJsonValue &value)
{
    // A JSON text is a JavaScript expression: the value arrives as data,
    // never as script.
    if (value.isObject())
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    if (value.isArray())
        return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace

QString snapshot()
{
    const QJsonObject limits{{"forms", PageSnapshot::MaxForms},
                             {"elements", PageSnapshot::MaxElements},
                             {"options", PageSnapshot::MaxOptions},
                             {"label", SnapshotElement::MaxLabelLength}};
    return wrap(SnapshotBody, "limits", json(limits));
}

QString apply(const QJsonObject &plan)
{
    return wrap(ApplyBody, "plan", json(plan));
}

QString submit(const QJsonObject &control)
{
    return wrap(SubmitBody, "control", json(control));
}

QString decorate(const QString &signatureHtml)
{
    return wrap(DecorateBody, "signature", json(QJsonValue(signatureHtml)));
}

QString visibleText(int limit)
{
    return wrap(VisibleTextBody, "limit", json(QJsonValue(limit)));
}

QString focusPage()
{
    return QStringLiteral("window.focus(); true;");
}

} // namespace PageScripts
