#include "site/site_assets.h"

namespace quiral {

// The search follows search/search_rules.h point by point; a change there is a change here.
const std::string& siteScript() {
  static const std::string js = R"js("use strict";
(function () {
  // Rule 1: folding (search/search_text.cpp).
  var LATIN1 = ["a","a","a","a","a","a","ae","c","e","e","e","e","i","i","i","i",
    "d","n","o","o","o","o","o"," ","o","u","u","u","u","y","th","ss",
    "a","a","a","a","a","a","ae","c","e","e","e","e","i","i","i","i",
    "d","n","o","o","o","o","o"," ","o","u","u","u","u","y","th","y"];
  var EXTENDED_A = [[0x105,"a"],[0x10D,"c"],[0x111,"d"],[0x11B,"e"],[0x123,"g"],[0x127,"h"],
    [0x131,"i"],[0x133,"ij"],[0x135,"j"],[0x138,"k"],[0x142,"l"],[0x14B,"n"],[0x151,"o"],
    [0x153,"oe"],[0x159,"r"],[0x161,"s"],[0x167,"t"],[0x173,"u"],[0x175,"w"],[0x178,"y"],
    [0x17E,"z"],[0x17F,"s"]];
  var ANYWHERE_IN_NAME_FROM = 3;
  var SHOWN = 50;

  function foldedLetters(c) {
    if (c === 0xB5) return "u";
    if (c < 0xC0) return "";
    if (c <= 0xFF) return LATIN1[c - 0xC0].trim();
    if (c <= 0x17F)
      for (var i = 0; i < EXTENDED_A.length; ++i) if (c <= EXTENDED_A[i][0]) return EXTENDED_A[i][1];
    return null;
  }

  // A query word's folded characters (separators dropped).
  function fold(text) {
    var out = "";
    for (var ch of text) {
      var c = ch.codePointAt(0);
      if (c < 0x80) {
        if ((c >= 97 && c <= 122) || (c >= 48 && c <= 57)) out += ch;
        else if (c >= 65 && c <= 90) out += String.fromCharCode(c + 32);
        continue;
      }
      var letters = foldedLetters(c);
      out += letters === null ? ch : letters;
    }
    return out;
  }

  // Lengths are counted in UTF-8 bytes, as the program counts them.
  function utf8Length(text) {
    var n = 0;
    for (var ch of text) {
      var c = ch.codePointAt(0);
      n += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    return n;
  }

  // Rule 2: words split at white space, each folded as one text; empty ones dropped.
  function parseQuery(text) {
    var words = [], whole = "";
    text.split(/[ \t\n\v\f\r]+/).forEach(function (part) {
      var word = fold(part);
      if (!word) return;
      words.push({ chars: word, anywhere: utf8Length(word) >= ANYWHERE_IN_NAME_FROM });
      whole += word;
    });
    return { words: words, whole: whole, wholeAnywhere: utf8Length(whole) >= ANYWHERE_IN_NAME_FROM };
  }

  // A folded field from the index: its words separated by spaces.
  function field(spaced) {
    var chars = "", starts = [], startList = [];
    var atStart = true;
    for (var i = 0; i < spaced.length; ++i) {
      var ch = spaced[i];
      if (ch === " ") { atStart = true; continue; }
      if (atStart) {
        starts[chars.length] = 1;
        startList.push(chars.length);
      }
      atStart = false;
      chars += ch;
    }
    return { chars: chars, starts: starts, startList: startList };
  }

  // Rule 3.
  function contains(f, word, anywhere) {
    if (!word) return false;
    for (var at = f.chars.indexOf(word); at >= 0; at = f.chars.indexOf(word, at + 1))
      if (anywhere || f.starts[at]) return true;
    return false;
  }

  var NONE = 7;
  // Rules 4 and 5: the tier of an entry, NONE when it does not match.
  function tier(q, e) {
    var name = e.name.chars;
    if (name === q.whole) return 0;
    if (name.startsWith(q.whole)) return 1;
    if (contains(e.name, q.whole, q.wholeAnywhere)) return 2;
    // Most names lack some word in every field: one look at all the fields together rules them
    // out (a field's characters hold no space, so the joined text finds nothing a field lacks).
    for (var k = 0; k < q.words.length; ++k) if (e.all.indexOf(q.words[k].chars) < 0) return NONE;
    var weakest = 2;
    for (var i = 0; i < q.words.length; ++i) {
      var w = q.words[i], t;
      if (contains(e.name, w.chars, w.anywhere)) t = 2;
      else if (contains(e.keywords, w.chars, false)) t = 3;
      else if (contains(e.description, w.chars, false)) t = 4;
      else if (contains(e.filters, w.chars, false)) t = 5;
      else if (contains(e.libraryFolded, w.chars, false)) t = 6;
      else return NONE;
      if (t > weakest) weakest = t;
    }
    return weakest;
  }

  var entries = null, libraries = null;

  // Short queries (every word, and the words together, under ANYWHERE_IN_NAME_FROM) match only
  // where a field's word starts: whatever tier an entry reaches, the first word is there, as the
  // first one or two characters from a word's start. For each such beginning, the entries having
  // it, in the index's order; a short query looks only at those.
  var byBeginning = null;

  function addBeginnings(f, order) {
    for (var k = 0; k < f.startList.length; ++k) {
      var start = f.startList[k];
      for (var length = 1; length <= 2 && start + length <= f.chars.length; ++length) {
        var key = f.chars.substr(start, length), list = byBeginning.get(key);
        if (!list) byBeginning.set(key, list = []);
        if (list[list.length - 1] !== order) list.push(order);
      }
    }
  }

  function indexBeginnings() {
    byBeginning = new Map();
    entries.forEach(function (e) {
      [e.name, e.keywords, e.description, e.filters, e.libraryFolded].forEach(function (f) {
        addBeginnings(f, e.order);
      });
    });
  }

  // The entries a query can match: all, or for a short query those with its first word's beginning.
  function candidates(q) {
    if (q.wholeAnywhere || q.words.some(function (w) { return w.anywhere; })) return null;
    var key = q.words[0].chars;
    if (key.length > 2) return null;
    if (!byBeginning) indexBeginnings();
    return byBeginning.get(key) || [];
  }

  function prepare(index) {
    libraries = index.libraries.map(function (l) {
      return { name: l[0], page: l[1], folded: field(l[2]) };
    });
    entries = index.names.map(function (n, order) {
      var library = libraries[n[0]];
      return {
        library: library, libraryFolded: library.folded, name: field(n[5]),
        keywords: field(n[6]), description: field(n[7]), filters: field(n[8]), shown: n[1],
        anchor: n[2] === null ? n[1] : n[2], length: n[3], text: n[4], order: order, all: ""
      };
    });
    entries.forEach(function (e) {
      e.all = [e.name, e.keywords, e.description, e.filters, e.libraryFolded].map(function (f) {
        return f.chars;
      }).join(" ");
    });
  }

  // Rule 6: tier, name length, then the index's own order (libraries as given, names in order).
  // Names are gathered by tier in that order, so only the tiers that fill the first `limit`
  // places (0: all) need sorting, by length, which keeps the order within a length.
  function search(text, limit) {
    var q = parseQuery(text);
    var tiers = [[], [], [], [], [], [], []], count = 0;
    if (!q.words.length) return { hits: [], count: 0 };
    var some = candidates(q), total = some ? some.length : entries.length;
    for (var i = 0; i < total; ++i) {
      var e = some ? entries[some[i]] : entries[i], t = tier(q, e);
      if (t !== NONE) {
        tiers[t].push(e);
        ++count;
      }
    }
    var hits = [];
    for (var k = 0; k < tiers.length && (!limit || hits.length < limit); ++k) {
      tiers[k].sort(function (a, b) { return a.length - b.length || a.order - b.order; });
      for (var j = 0; j < tiers[k].length && (!limit || hits.length < limit); ++j)
        hits.push(tiers[k][j]);
    }
    return { hits: hits, count: count };
  }

  function linkOf(e) {
    return e.library.page + "#" + encodeURIComponent(e.anchor);
  }

  // For tests and for whoever wants it: [library, name] of the best `limit` results.
  window.quiralSearch = function (text, limit) {
    if (!entries) return null;
    return search(text, limit).hits.map(function (e) { return [e.library.name, e.shown]; });
  };

  var input, list, status, active = -1, loading = false;

  // What to do once the index is there: the latest wish only (a search typed while it loads).
  var whenLoaded = null;
  function loadIndex(then) {
    if (entries) return then();
    whenLoaded = then;
    if (loading) return;
    loading = true;
    status.textContent = "Loading the index\u2026";
    var script = document.createElement("script");
    script.src = "search-index.js";
    script.onload = function () {
      prepare(window.QUIRAL_INDEX);
      window.QUIRAL_INDEX = null;
      indexBeginnings();
      status.textContent = "";
      whenLoaded();
    };
    script.onerror = function () { status.textContent = "The search index could not be loaded."; };
    document.head.appendChild(script);
  }

  function select(i) {
    var items = list.children;
    if (active >= 0 && items[active]) items[active].setAttribute("aria-selected", "false");
    active = i;
    if (active >= 0 && items[active]) {
      items[active].setAttribute("aria-selected", "true");
      input.setAttribute("aria-activedescendant", items[active].id);
      items[active].scrollIntoView({ block: "nearest" });
    } else {
      input.removeAttribute("aria-activedescendant");
    }
  }

  function show() {
    var text = input.value;
    var found = text.trim() ? search(text, SHOWN) : { hits: [], count: 0 };
    list.textContent = "";
    active = -1;
    input.removeAttribute("aria-activedescendant");
    found.hits.forEach(function (e, i) {
      var li = document.createElement("li");
      li.id = "result-" + i;
      li.setAttribute("role", "option");
      li.setAttribute("aria-selected", "false");
      var a = document.createElement("a");
      a.href = linkOf(e);
      a.tabIndex = -1;
      var name = document.createElement("b");
      name.textContent = e.shown;
      var library = document.createElement("span");
      library.className = "library";
      library.textContent = e.library.name;
      a.append(name, library);
      if (e.text) {
        var description = document.createElement("span");
        description.className = "text";
        description.textContent = e.text;
        a.append(description);
      }
      li.append(a);
      list.append(li);
    });
    var open = found.count > 0;
    list.hidden = !open;
    input.setAttribute("aria-expanded", open ? "true" : "false");
    status.textContent = !text.trim() ? "" : found.count === 0 ? "No symbol found." :
      found.count + (found.count === 1 ? " symbol" : " symbols") +
      (found.count > SHOWN ? " (the first " + SHOWN + " shown)" : "");
  }

  function choose(i) {
    var item = list.children[i];
    if (!item) return;
    var href = item.firstChild.getAttribute("href");
    list.hidden = true;
    input.setAttribute("aria-expanded", "false");
    window.location.href = href;
  }

  function onKey(event) {
    var count = list.children.length;
    if (event.key === "ArrowDown" && count) {
      select((active + 1) % count);
    } else if (event.key === "ArrowUp" && count) {
      select(active <= 0 ? count - 1 : active - 1);
    } else if (event.key === "Enter" && count) {
      choose(active >= 0 ? active : 0);
    } else if (event.key === "Escape") {
      input.value = "";
      show();
    } else {
      return;
    }
    event.preventDefault();
  }

  // Pin tables, built from the library's pin script (loaded once, when a panel first opens).
  var PIN_TITLES = ["Number", "Name", "Type", "Shape", "Unit", "Body style", "Position", "Length"];
  var pinKinds = null, pinTables = null, pinsLoading = false;
  window.quiralPins = function (kinds, tables) {
    pinKinds = kinds;
    pinTables = tables;
  };

  function pinRow(body, pins, i) {
    var row = body.insertRow(), kind = pinKinds[pins[i + 2]];
    [pins[i], pins[i + 1], kind[0], kind[1], kind[2], kind[3], pins[i + 3] + ", " + pins[i + 4],
      pins[i + 5]].forEach(function (text) { row.insertCell().textContent = String(text); });
  }

  function fillPinTable(holder) {
    var section = holder.closest("section.symbol");
    var key = section && "#" + section.id;
    var pins = pinTables && key && Object.prototype.hasOwnProperty.call(pinTables, key) &&
      pinTables[key];
    if (!pins || holder.firstChild) return;
    var table = document.createElement("table");
    table.className = "pins";
    table.createCaption().textContent = "Pins";
    var head = table.createTHead().insertRow();
    PIN_TITLES.forEach(function (title) {
      var th = document.createElement("th"), button = document.createElement("button");
      th.scope = "col";
      button.type = "button";
      button.textContent = title;
      th.append(button);
      head.append(th);
    });
    var body = table.createTBody();
    for (var i = 0; i + 5 < pins.length; i += 6) pinRow(body, pins, i);
    holder.append(table);
  }

  function showPins(details) {
    if (!details.querySelector("div.pins")) return;
    var main = document.querySelector("main[data-pins]");
    var fillOpen = function () {
      document.querySelectorAll("details[open] div.pins").forEach(fillPinTable);
    };
    if (pinTables) return fillOpen();
    if (!main || pinsLoading) return;
    pinsLoading = true;
    var script = document.createElement("script");
    script.src = main.getAttribute("data-pins");
    script.onload = fillOpen;
    document.head.appendChild(script);
  }

  document.addEventListener("toggle", function (event) {
    if (event.target.tagName === "DETAILS" && event.target.open) showPins(event.target);
  }, true);

  // Rows compare as numbers when both cells are numbers (or number pairs), else as text with
  // digits compared by their value.
  var collator = new Intl.Collator(undefined, { numeric: true, sensitivity: "base" });
  var NUMBERS = /^-?\d+(\.\d+)?(, -?\d+(\.\d+)?)?$/;
  function compareCells(a, b) {
    if (NUMBERS.test(a) && NUMBERS.test(b)) {
      var x = a.split(", ").map(Number), y = b.split(", ").map(Number);
      return x[0] - y[0] || (x[1] || 0) - (y[1] || 0);
    }
    return collator.compare(a, b);
  }

  function sortTable(th) {
    var table = th.closest("table"), body = table.tBodies[0];
    var column = Array.prototype.indexOf.call(th.parentNode.children, th);
    var ascending = th.getAttribute("aria-sort") !== "ascending";
    Array.prototype.forEach.call(th.parentNode.children, function (other) {
      other.removeAttribute("aria-sort");
    });
    th.setAttribute("aria-sort", ascending ? "ascending" : "descending");
    var rows = Array.prototype.slice.call(body.rows);
    rows.sort(function (r, s) {
      var order = compareCells(r.cells[column].textContent, s.cells[column].textContent);
      return ascending ? order : -order;
    });
    body.append.apply(body, rows);
  }

  document.addEventListener("click", function (event) {
    var button = event.target.closest && event.target.closest("table.pins th button");
    if (button) sortTable(button.parentNode);
  });

  // Printing shows every picture, also those not yet scrolled to.
  window.addEventListener("beforeprint", function () {
    document.querySelectorAll("img[loading=lazy]").forEach(function (img) { img.loading = "eager"; });
  });

  function start() {
    input = document.getElementById("search");
    list = document.getElementById("results");
    status = document.getElementById("search-status");
    if (!input) return;
    input.addEventListener("focus", function () { if (!loading) loadIndex(function () {}); });
    input.addEventListener("input", function () { loadIndex(show); });
    input.addEventListener("keydown", onKey);
    list.addEventListener("mousedown", function (event) { event.preventDefault(); });
    list.addEventListener("click", function (event) {
      var item = event.target.closest("li");
      if (!item) return;
      event.preventDefault();
      choose(Array.prototype.indexOf.call(list.children, item));
    });
  }
  if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", start);
  else start();
})();
)js";
  return js;
}

}  // namespace quiral
