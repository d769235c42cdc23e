// The style and script of every page the WebEngine view shows. The script applies the
// document model's changes (see MirrorOp) and reports the user's actions to the "kit" object.
// The page's Content-Security-Policy names this script by its digest: it runs as it stands
// here, and no other script does.
#pragma once

namespace gr::ui {

inline constexpr const char* kKitPageStyle = R"CSS(
body { font-family: "MS Sans Serif", "DejaVu Sans", sans-serif; font-size: 10pt; }
.glyph { font-family: "Symbola", "DejaVu Sans", sans-serif; }
@media print {
  * { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
  body { overflow: visible !important; }
  thead { display: table-header-group; }
  tr { break-inside: avoid; }
}
)CSS";

inline constexpr const char* kKitPageScript = R"JS(
(function () {
  'use strict';
  var bridge = null;
  var applying = 0;
  function byK(k) { return k ? document.querySelector('[data-k="' + k + '"]') : null; }
  function owner(node) {
    while (node && (node.nodeType !== 1 || !node.hasAttribute('data-k'))) node = node.parentNode;
    return node;
  }
  function report(kind, ev) {
    if (!bridge || applying) return;
    var el = owner(ev.target);
    if (!el) return;
    // The document model raises the change of a check box or radio button after its click.
    if ((kind === 'input' || kind === 'change') && (el.type === 'checkbox' || el.type === 'radio')) return;
    var value = ('value' in el && el.value !== undefined && el.value !== null) ? String(el.value) : '';
    var selected = ('selectedIndex' in el) ? el.selectedIndex : -1;
    bridge.event(kind, parseInt(el.getAttribute('data-k'), 10), value, !!el.checked, selected);
  }
  document.addEventListener('click', function (e) { report('click', e); }, true);
  document.addEventListener('change', function (e) { report('change', e); }, true);
  document.addEventListener('input', function (e) { report('input', e); }, true);
  document.addEventListener('focusin', function (e) { report('focus', e); }, true);
  document.addEventListener('contextmenu', function (e) { e.preventDefault(); }, true);
  function setK(node, k) { if (node) node.setAttribute('data-k', String(k)); }
  var ops = [
    function (o) { setK(document.documentElement, o[1]); setK(document.head, o[4]); setK(document.body, o[5]); },
    function (o) { byK(o[1]).innerHTML = o[3]; },
    function (o) { byK(o[1]).textContent = o[3]; },
    function (o) { byK(o[1]).setAttribute(o[2], o[3]); },
    function (o) { byK(o[1]).removeAttribute(o[2]); },
    function (o) {
      var el = byK(o[1]);
      if (!o[6]) el[o[2]] = o[3];
      else if (o[2] === 'checked') el.checked = !!o[4];
      else el[o[2]] = o[4];
    },
    function (o) { byK(o[1]).style[o[2]] = o[3]; },
    function (o) {
      var before = byK(o[4]);
      if (before) before.insertAdjacentHTML('beforebegin', o[3]);
      else byK(o[1]).insertAdjacentHTML('beforeend', o[3]);
    },
    function (o) { var el = byK(o[1]); if (el) el.remove(); },
    function (o) { byK(o[1]).focus(); },
    function (o) { byK(o[1]).scrollIntoView(); }
  ];
  function snapshot(node) {
    if (node.nodeType === 3) return node.data;
    var tag = node.tagName.toLowerCase();
    var out = { t: tag, a: {} };
    for (var i = 0; i < node.attributes.length; i++) {
      var a = node.attributes[i];
      if (a.name !== 'data-k' && a.name !== 'style') out.a[a.name] = a.value;
    }
    if (tag === 'input' || tag === 'textarea') { out.v = node.value; out.x = !!node.checked; }
    else if (tag === 'select') out.s = node.selectedIndex;
    out.c = [];
    for (var c = node.firstChild; c; c = c.nextSibling)
      if (c.nodeType === 1 || c.nodeType === 3) out.c.push(snapshot(c));
    return out;
  }
  window.__gr = {
    apply: function (list) {
      applying++;
      try {
        for (var i = 0; i < list.length; i++) {
          try { ops[list[i][0]](list[i]); }
          catch (e) { console.error('gridora: change ' + list[i][0] + ' failed: ' + e); }
        }
      } finally { applying--; }
    },
    snapshot: function () { return JSON.stringify(snapshot(document.body)); }
  };
  // On paper a table's heading row repeats on every page, which takes a head (thead): while
  // the page prints, the first row of each table of several rows moves into one, and back
  // afterwards so that the page keeps the structure of the document model. A table of fixed
  // width wider than the paper (the draft board) turns the paper to landscape and is scaled
  // down to fit if it must, rather than cut off.
  var PORTRAIT_PX = 718;   // A4 across less margins of 10 mm, the narrower of A4 and Letter
  var LANDSCAPE_PX = 980;  // Letter along less the margins, the narrower of the two
  var printHeads = [];
  window.addEventListener('beforeprint', function () {
    var tables = document.querySelectorAll('table');
    var widest = 0;
    for (var i = 0; i < tables.length; i++) {
      var table = tables[i];
      // A table as wide as the window narrows to the paper by itself; one of fixed width not.
      var width = table.getAttribute('width');
      if (width && width.indexOf('%') < 0) widest = Math.max(widest, table.offsetWidth);
      if (table.tHead || table.rows.length < 2) continue;
      var row = table.rows[0];
      var from = row.parentNode;
      table.createTHead().appendChild(row);
      printHeads.push({ table: table, row: row, from: from });
    }
    if (widest > PORTRAIT_PX) {
      var landscape = document.createElement('style');
      landscape.id = 'gr-print-landscape';
      landscape.textContent = '@page { size: landscape; }';
      document.head.appendChild(landscape);
      if (widest > LANDSCAPE_PX) document.body.style.zoom = String(LANDSCAPE_PX / widest);
    }
  });
  window.addEventListener('afterprint', function () {
    while (printHeads.length) {
      var p = printHeads.pop();
      p.from.insertBefore(p.row, p.from.firstChild);
      p.table.deleteTHead();
    }
    var landscape = document.getElementById('gr-print-landscape');
    if (landscape) landscape.remove();
    document.body.style.zoom = '';
  });
  new QWebChannel(qt.webChannelTransport, function (channel) {
    bridge = channel.objects.kit;
    bridge.event('ready', 0, '', false, -1);
  });
})();
)JS";

}  // namespace gr::ui
