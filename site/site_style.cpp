#include "site/site_assets.h"

namespace quiral {

const std::string& siteStyleSheet() {
  static const std::string css = R"css(:root {
  color-scheme: light dark;
  --text: #1d1d1f; --muted: #5a5a60; --ground: #fafafa; --card: #fff; --line: #d0d0d6;
  --accent: #0b57d0; --mark: #fff3b0; --picture: #fff;
}
@media (prefers-color-scheme: dark) {
  :root {
    --text: #e8e8ec; --muted: #a8a8b0; --ground: #17171a; --card: #222226; --line: #3c3c44;
    --accent: #8ab4f8; --mark: #4a4215;
  }
}
* { box-sizing: border-box; }
body {
  margin: 0; padding: 0 1.5rem 2rem; background: var(--ground); color: var(--text);
  font: 15px/1.45 "Liberation Sans", Arial, Helvetica, sans-serif;
}
a { color: var(--accent); }
:focus-visible { outline: 3px solid var(--accent); outline-offset: 2px; }
header { padding: 1rem 0 .5rem; }
h1 { margin: .2rem 0; font-size: 1.7rem; }
.count, .status { color: var(--muted); margin: .2rem 0; }
.search { position: relative; max-width: 44rem; margin: .6rem 0; }
.search label { display: block; font-weight: bold; margin-bottom: .2rem; }
.search input {
  width: 100%; font: inherit; padding: .45rem .6rem; border: 1px solid var(--line);
  border-radius: 4px; background: var(--card); color: var(--text);
}
#results {
  list-style: none; margin: .2rem 0 0; padding: 0; border: 1px solid var(--line);
  background: var(--card); max-height: 60vh; overflow-y: auto; position: absolute; z-index: 2;
  width: 100%; box-shadow: 0 4px 14px rgb(0 0 0 / 20%);
}
#results li a { display: block; padding: .3rem .6rem; text-decoration: none; color: var(--text); }
#results li[aria-selected="true"] a { background: var(--accent); color: var(--card); }
#results .library { color: var(--muted); font-size: .85em; margin-left: .5em; }
#results li[aria-selected="true"] .library { color: inherit; }
#results .text { display: block; font-size: .85em; white-space: nowrap; overflow: hidden;
  text-overflow: ellipsis; }
main.symbols { display: grid; grid-template-columns: repeat(auto-fill, minmax(20rem, 1fr));
  gap: 1rem; }
section.symbol {
  background: var(--card); border: 1px solid var(--line); border-radius: 6px; padding: .6rem .8rem;
  min-width: 0; content-visibility: auto; contain-intrinsic-size: auto 22rem;
}
section.symbol:target, .aliases li:target { outline: 3px solid var(--accent); background: var(--mark); }
section.symbol h2 { margin: 0 0 .4rem; font-size: 1.15rem; overflow-wrap: anywhere; }
section.symbol h2 a { color: inherit; text-decoration: none; }
.pictures { display: flex; flex-wrap: wrap; gap: .5rem; align-items: flex-end; }
figure { margin: 0; text-align: center; }
figure img { display: block; max-width: 100%; height: auto; background: var(--picture);
  border-radius: 3px; }
figcaption { font-size: .8rem; color: var(--muted); }
.description { margin: .4rem 0; }
.aliases { padding-left: 1.1rem; margin: .3rem 0; }
dl { display: grid; grid-template-columns: max-content 1fr; gap: .1rem .6rem; margin: .4rem 0;
  font-size: .9rem; }
dt { color: var(--muted); }
dd { margin: 0; overflow-wrap: anywhere; }
details summary { cursor: pointer; color: var(--accent); }
table { border-collapse: collapse; font-size: .85rem; margin: .4rem 0; width: 100%; }
caption { text-align: left; font-weight: bold; }
th, td { border: 1px solid var(--line); padding: .15rem .35rem; text-align: left; }
th button { font: inherit; font-weight: bold; background: none; border: 0; color: var(--text);
  padding: 0; cursor: pointer; }
th[aria-sort="ascending"] button::after { content: " \25B2"; }
th[aria-sort="descending"] button::after { content: " \25BC"; }
table.libraries { max-width: 44rem; font-size: 1rem; }
table.libraries td:last-child { text-align: right; }
@media print {
  body { background: #fff; color: #000; padding: 0; font-size: 10pt; }
  .search, nav { display: none; }
  main.symbols { display: block; }
  section.symbol { break-inside: avoid; border: 0; border-bottom: 1px solid #999; border-radius: 0;
    content-visibility: visible; padding: .3rem 0; }
  a { color: #000; text-decoration: none; }
}
)css";
  return css;
}

}  // namespace quiral
