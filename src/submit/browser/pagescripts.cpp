#include "submit/browser/pagescripts.h"

#include "submit/browser/answersuggestion.h"
#include "submit/formwalk/pagesnapshot.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace PageScripts {

namespace {

// Shared by every script. Page scripts live in another world and cannot
// reach these functions; named controls can still shadow a document's and a
// form's properties ("<input name=elements>", "<img name=title>"), so they
// are read through the prototypes' own getters and methods. Frames of the
// same site are other windows: their elements fail instanceof checks, so
// kinds are told by tag name.
//
// collect() finds every form of the page in a fixed order, so that the
// snapshot's indices address the same forms when the plan is applied: per
// document, its forms (those in open shadow roots where their hosts stand),
// then its loose controls as one more form, then its frames' documents.
const char *const Prelude = R"JS(
'use strict';
var getter = function (proto, name) {
  return Object.getOwnPropertyDescriptor(proto, name).get;
};
var elementsOf = getter(HTMLFormElement.prototype, 'elements');
var tagNameOf = getter(Element.prototype, 'tagName');
var shadowOf = getter(Element.prototype, 'shadowRoot');
var iframeDocOf = getter(HTMLIFrameElement.prototype, 'contentDocument');
var frameDocOf = getter(HTMLFrameElement.prototype, 'contentDocument');
var titleOf = getter(Document.prototype, 'title');
var bodyOf = getter(Document.prototype, 'body');
var innerTextOf = getter(HTMLElement.prototype, 'innerText');
var docAll = Document.prototype.querySelectorAll;
var fragAll = DocumentFragment.prototype.querySelectorAll;
var closest = Element.prototype.closest;
var formAttr = Element.prototype.getAttribute;
var nodeTypeOf = getter(Node.prototype, 'nodeType');
var text = function (v) { return typeof v === 'string' ? v : ''; };
var tagOf = function (e) { return text(tagNameOf.call(e)); };
var Controls = { INPUT: 1, SELECT: 1, TEXTAREA: 1, BUTTON: 1 };
var collect = function (countHidden) {
  var out = { groups: [], foreign: [], hidden: 0, documents: 0, controls: 0, truncated: false };
  var nodesLeft = bounds.nodes;
  var visitDocument = function (doc, path, depth) {
    if (out.documents >= bounds.documents) { out.truncated = true; return; }
    ++out.documents;
    var forms = [], loose = [], frames = [];
    var visitRoot = function (root, isDocument, where, depth) {
      var nodes = (isDocument ? docAll : fragAll).call(root, '*');
      var hosts = 0;
      for (var i = 0; i < nodes.length; ++i) {
        if (--nodesLeft < 0) { out.truncated = true; return; }
        var e = nodes[i];
        var tag = tagOf(e).toUpperCase();
        if (tag === 'FORM') forms.push({ element: e, where: where });
        else if (Controls[tag] === 1) { if (!e.form) loose.push(e); }
        else if (tag === 'IFRAME' || tag === 'FRAME') frames.push(e);
        var shadow = shadowOf.call(e);
        if (shadow) {
          if (depth >= bounds.depth) out.truncated = true;
          else visitRoot(shadow, false, where + '/s' + hosts++, depth + 1);
        } else if (countHidden && tag.indexOf('-') > 0 && e.childElementCount === 0) {
          // A component that shows something but lets nobody in: a closed shadow root.
          var box = e.getBoundingClientRect();
          if (box.width * box.height >= 400) ++out.hidden;
        }
      }
    };
    visitRoot(doc, true, path, depth);
    var formGroup = new Map();
    for (var k = 0; k < forms.length; ++k) {
      formGroup.set(forms[k].element, out.groups.length);
      out.groups.push({ path: forms[k].where + '#' + k, form: forms[k].element, loose: false });
    }
    var looseGroup = -1;
    if (loose.length) {
      looseGroup = out.groups.length;
      out.groups.push({ path: path + '#page', elements: loose, loose: true });
    }
    for (var n = 0; n < frames.length; ++n) {
      var f = frames[n];
      var inner = null;
      try {
        inner = (tagOf(f).toUpperCase() === 'IFRAME' ? iframeDocOf : frameDocOf).call(f);
      } catch (x) { inner = null; }
      if (inner) {
        if (depth >= bounds.depth) out.truncated = true;
        else visitDocument(inner, path + '/f' + n, depth + 1);
      } else {
        var owner = closest.call(f, 'form');
        out.foreign.push({ element: f, src: text(f.src),
                           form: owner && formGroup.has(owner) ? formGroup.get(owner) : looseGroup });
      }
    }
  };
  visitDocument(document, '', 0);
  for (var g = 0; g < out.groups.length; ++g) {
    var group = out.groups[g];
    if (!group.loose) group.elements = elementsOf.call(group.form);
    out.controls += group.elements.length;
  }
  return out;
};
// What changes when controls, forms or frames come or go.
var shapeOf = function (page) {
  return page.documents + ':' + page.groups.length + ':' + page.controls + ':' + page.foreign.length;
};
// The element a plan names, if it is still the one the snapshot saw there.
var target = function (page, ref) {
  var group = page.groups[ref.form];
  if (!group || group.path !== text(ref.path)) return null;
  if (ref.element < 0 || ref.element >= group.elements.length) return null;
  var e = group.elements[ref.element];
  if (tagOf(e) !== ref.tag || text(e.name) !== ref.name || text(e.id) !== text(ref.id)) return null;
  return e;
};
// The title, and the visible text of the page and of its frames of the same
// site: a form sent inside a frame answers there.
var pageState = function (limit) {
  var t = '';
  var docs = [document];
  var frames = docAll.call(document, 'iframe, frame');
  for (var i = 0; i < frames.length && i < 20; ++i) {
    try {
      var inner = (tagOf(frames[i]).toUpperCase() === 'IFRAME' ? iframeDocOf : frameDocOf).call(frames[i]);
      if (inner) docs.push(inner);
    } catch (x) {}
  }
  for (var k = 0; k < docs.length && t.length < limit; ++k) {
    var body = bodyOf.call(docs[k]);
    if (body) t += text(innerTextOf.call(body)) + '\n';
  }
  return { title: text(titleOf.call(document)), text: t.slice(0, limit) };
};
)JS";

const char *const SnapshotBody = R"JS(
var page = collect(true);
var squash = function (s) {
  if (!s) return '';
  s = text(s).replace(/\s+/g, ' ').trim();
  return s.length > bounds.label ? s.slice(0, bounds.label) : s;
};
// The text a label shows, without the texts of the controls inside it.
var shownText = function (node, depth) {
  var out = '';
  for (var c = node.firstChild; c && out.length <= bounds.label; c = c.nextSibling) {
    var kind = nodeTypeOf.call(c);
    if (kind === 3) out += c.nodeValue;
    else if (kind === 1 && depth < 8
             && !/^(SELECT|TEXTAREA|OPTION|SCRIPT|STYLE|BUTTON|INPUT)$/i.test(tagOf(c)))
      out += ' ' + shownText(c, depth + 1);
  }
  return out;
};
// Each control's first label, found per document or shadow root in one pass:
// asking every element for its labels walks the whole page each time.
var rootOf = Node.prototype.getRootNode;
var controlOf = getter(HTMLLabelElement.prototype, 'control');
var labelMaps = new Map();
var labelsIn = function (root) {
  var map = labelMaps.get(root);
  if (map) return map;
  map = new Map();
  labelMaps.set(root, map);
  var labels = (nodeTypeOf.call(root) === 9 ? docAll : fragAll).call(root, 'label');
  for (var n = 0; n < labels.length && n < bounds.elements; ++n) {
    var control = controlOf.call(labels[n]);
    if (control && !map.has(control)) map.set(control, shownText(labels[n], 0));
  }
  return map;
};
var byIdIn = function (root, id) {
  return nodeTypeOf.call(root) === 9 ? Document.prototype.getElementById.call(root, id)
                             : DocumentFragment.prototype.getElementById.call(root, id);
};
// What names the element for a reader, in the order assistive technology
// takes it: aria-labelledby, aria-label, its label, placeholder, title; a
// button's own caption after those.
var labelOf = function (e, tag) {
  var root = rootOf.call(e);
  var by = formAttr.call(e, 'aria-labelledby');
  if (by) {
    var parts = [];
    var ids = by.split(/\s+/);
    for (var n = 0; n < ids.length && n < 8; ++n) {
      var node = ids[n] ? byIdIn(root, ids[n]) : null;
      if (node) parts.push(shownText(node, 0));
    }
    var t = squash(parts.join(' '));
    if (t) return t;
  }
  var names = [formAttr.call(e, 'aria-label'), labelsIn(root).get(e) || '',
               formAttr.call(e, 'placeholder'), formAttr.call(e, 'title')];
  if (tag === 'BUTTON') names.push(shownText(e, 0));
  else if (tag === 'INPUT') names.push(formAttr.call(e, 'alt'));
  for (var k = 0; k < names.length; ++k) {
    var s = squash(names[k]);
    if (s) return s;
  }
  return '';
};
// A picture standing beside a text input (a picture code, mostly): itself,
// or within two levels below, a sibling of the input or of its parent.
var picturesLeft = 100;
var pictureIn = function (node, depth) {
  if (tagOf(node).toUpperCase() === 'IMG') return node;
  if (depth === 0) return null;
  var n = 0;
  for (var c = node.firstElementChild; c && n < 10; c = c.nextElementSibling, ++n) {
    var found = pictureIn(c, depth - 1);
    if (found) return found;
  }
  return null;
};
var pictureNear = function (e) {
  if (--picturesLeft < 0) return '';
  var places = [e.previousElementSibling, e.nextElementSibling];
  var parent = e.parentElement;
  if (parent) places.push(parent.previousElementSibling, parent.nextElementSibling);
  for (var k = 0; k < places.length; ++k) {
    var img = places[k] ? pictureIn(places[k], 2) : null;
    if (img) return squash([formAttr.call(img, 'alt'), formAttr.call(img, 'title'),
                            formAttr.call(img, 'src')].join(' '));
  }
  return '';
};
var TextInputs = { text: 1, number: 1, tel: 1 };
var out = { url: String(location.href), title: text(titleOf.call(document)), forms: [],
            foreign: [], hidden: page.hidden, shape: shapeOf(page), truncated: page.truncated };
// A page far beyond any real form is cut where the planner would cut it anyway.
var elementsLeft = bounds.elements, optionsLeft = bounds.options;
for (var i = 0; i < page.groups.length && i < bounds.forms; ++i) {
  var group = page.groups[i];
  var elements = group.elements;
  var list = [];
  for (var k = 0; k < elements.length && elementsLeft > 0; ++k, --elementsLeft) {
    var e = elements[k];
    var tag = tagOf(e);
    var item = {
      tag: tag, name: text(e.name), id: text(e.id), type: text(e.type),
      value: text(e.value), checked: e.checked === true, disabled: e.disabled === true,
      multiple: e.multiple === true
    };
    var upper = tag.toUpperCase();
    var label = labelOf(e, upper);
    if (label) item.label = label;
    var placeholder = squash(formAttr.call(e, 'placeholder'));
    if (placeholder) item.placeholder = placeholder;
    if (upper === 'INPUT' && TextInputs[item.type] === 1 && !item.value) {
      var picture = pictureNear(e);
      if (picture) item.picture = picture;
    }
    if (upper === 'SELECT') {
      var options = [];
      for (var n = 0; n < e.options.length && optionsLeft > 0; ++n, --optionsLeft) {
        var o = e.options[n];
        options.push({ text: text(o.text), value: text(o.value), selected: o.selected === true });
      }
      item.options = options;
    }
    list.push(item);
  }
  var f = group.form;
  out.forms.push(group.loose
    ? { name: '', id: '', action: '', method: '', path: group.path, loose: true, elements: list }
    : { name: text(formAttr.call(f, 'name') || ''), id: text(formAttr.call(f, 'id') || ''),
        action: text(formAttr.call(f, 'action') || ''),
        method: text(formAttr.call(f, 'method') || ''), path: group.path, loose: false,
        elements: list });
}
for (var j = 0; j < page.foreign.length && j < bounds.forms; ++j)
  out.foreign.push({ src: page.foreign[j].src, form: page.foreign[j].form });
return JSON.stringify(out);
)JS";

// Writes each value the way a user's typing would end: the value, then the
// "input" and "change" events, so the page's own scripts (and a framework
// that keeps its own state from them) see it; composed, so that they leave
// a shadow root as typing does. A page listener that throws does not stop
// the fill (dispatchEvent reports it and returns).
const char *const ApplyBody = R"JS(
var page = collect();
var out = { applied: 0, failed: -1, error: '', files: [] };
var fire = function (e, type) { e.dispatchEvent(new Event(type, { bubbles: true, composed: true })); };
for (var i = 0; i < plan.writes.length; ++i) {
  var w = plan.writes[i];
  var e = target(page, w);
  if (!e) { out.failed = i; out.error = 'missing'; break; }
  try {
    if (w.set === 'file') { out.files.push(w.name || w.id); continue; }
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

// Focuses the submit control and clicks it when asked; then brings what the
// user must complete into view. Answers the page as it was before the click,
// for telling an answer shown in place from the page that was filled.
const char *const SubmitBody = R"JS(
var page = collect();
var before = pageState(bounds.text);
var e = null;
if (control.focus) {
  e = target(page, control.focus);
  if (!e) return JSON.stringify({ result: 'missing' });
  e.focus();
}
var reveal = control.reveal;
if (reveal) {
  var shown = typeof reveal.frame === 'number'
    ? (page.foreign[reveal.frame] || {}).element : target(page, reveal);
  // A response field is often hidden: its widget is the nearest box that shows.
  var box = shown;
  while (box && box.getClientRects().length === 0)
    box = box.parentElement || (box.getRootNode().host || null);
  if (box) box.scrollIntoView({ block: 'center' });
  if (shown && reveal.focus) shown.focus();
}
// An answer the form would send to a new window comes to this one instead:
// the form is on its way, so nothing filled is lost, and the answer is read
// where its outcome is given. A frame the page names as the target keeps it.
var keepAnswerHere = function (e) {
  var own = formAttr.call(e, 'formtarget');
  var form = e.form || null;
  var name = own !== null ? own : (form ? formAttr.call(form, 'target') : null);
  if (name === null || name === '') return;
  var lower = name.toLowerCase();
  if (lower === '_self' || lower === '_parent' || lower === '_top') return;
  if (lower !== '_blank') {
    var docs = [e.ownerDocument, document];
    for (var d = 0; d < docs.length; ++d) {
      var frames = docAll.call(docs[d], 'iframe, frame');
      for (var i = 0; i < frames.length; ++i)
        if (formAttr.call(frames[i], 'name') === name) return;
    }
  }
  Element.prototype.setAttribute.call(own !== null ? e : form, own !== null ? 'formtarget' : 'target', '_self');
};
if (e && control.click) { keepAnswerHere(e); e.click(); }
return JSON.stringify({ result: 'ok', title: before.title, text: before.text });
)JS";

const char *const ShapeBody = R"JS(
return JSON.stringify({ shape: shapeOf(collect()) });
)JS";

const char *const StateBody = R"JS(
return JSON.stringify(pageState(bounds.text));
)JS";

const char *const DecorateBody = R"JS(
var body = bodyOf.call(document);
// A frameset has no body to write into; its frames are pages of their own.
if (!body || tagOf(body).toUpperCase() !== 'BODY') return JSON.stringify({ decorated: false });
body.insertAdjacentHTML('beforeend', signature);
body.style.borderStyle = 'none';
return JSON.stringify({ decorated: true });
)JS";

// The bounds of collect() and of the snapshot, the same for every script.
QByteArray boundsJson()
{
    const QJsonObject bounds{{"forms", PageSnapshot::MaxForms},
                             {"elements", PageSnapshot::MaxElements},
                             {"options", PageSnapshot::MaxOptions},
                             {"depth", PageSnapshot::MaxDepth},
                             {"documents", PageSnapshot::MaxDocuments},
                             {"nodes", PageSnapshot::MaxNodes},
                             {"label", SnapshotElement::MaxLabelLength},
                             {"text", AnswerSuggestion::MaxText}};
    return QJsonDocument(bounds).toJson(QJsonDocument::Compact);
}

// Every script answers a JSON text; what it throws comes back as
// { "scriptError": text } instead of an empty answer.
QString wrap(const char *body, const char *parameter, const QByteArray &argumentJson)
{
    return QStringLiteral("(function (%1, bounds) {").arg(QLatin1String(parameter))
           + QString::fromLatin1(Prelude) + QStringLiteral("try {")
           + QString::fromLatin1(body)
           + QStringLiteral("} catch (x) { return JSON.stringify({ scriptError: String(x && "
                            "x.message || x) }); }})(")
           + QString::fromUtf8(argumentJson) + u',' + QString::fromUtf8(boundsJson())
           + QStringLiteral(")");
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
    return wrap(SnapshotBody, "unused", "null");
}

QString apply(const QJsonObject &plan)
{
    return wrap(ApplyBody, "plan", json(plan));
}

QString submit(const QJsonObject &control)
{
    return wrap(SubmitBody, "control", json(control));
}

QString shape()
{
    return wrap(ShapeBody, "unused", "null");
}

QString state()
{
    return wrap(StateBody, "unused", "null");
}

QString decorate(const QString &signatureHtml)
{
    return wrap(DecorateBody, "signature", json(QJsonValue(signatureHtml)));
}

QString focusPage()
{
    return QStringLiteral("window.focus(); true;");
}

} // namespace PageScripts
