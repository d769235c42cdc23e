#include "SiteStyle.h"

#include "PositionColours.h"
#include "SitePages.h"

namespace gr::site {

namespace {

// The fonts are the reader's own: nothing is fetched.
constexpr const char* kBase = R"(*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;font:15px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"DejaVu Sans",Arial,sans-serif;color:#1b1b1b;background:#f7f7f5}
header.site{background:#24347a;padding:.6em 1em}
header.site a{color:#fff;text-decoration:none;font-weight:600;font-size:1.05em}
main{max-width:72em;margin:0 auto;padding:.4em 1em 2em}
footer.site{max-width:72em;margin:0 auto;padding:1em;color:#666;font-size:.85em}
h1{font-size:1.6em;margin:.5em 0 .2em;overflow-wrap:anywhere}
h2{font-size:1.2em;margin:1.4em 0 .5em;padding-bottom:.15em;border-bottom:2px solid #24347a}
h3{font-size:1em;margin:0 0 .3em}
a{color:#1f44b8}
p.facts{color:#333;margin:.2em 0 .6em}
table{border-collapse:collapse;width:100%;background:#fff}
th,td{padding:.3em .5em;text-align:left;vertical-align:top;border-bottom:1px solid #e2e2e2;overflow-wrap:break-word}
thead th{background:#99ff99;font-weight:600}
table.money tbody tr:nth-child(odd){background:#ccffff}
table.money tbody tr:nth-child(even){background:#ffccff}
table.money tbody.group tr{background:#6666ff;color:#fff}
tfoot td{font-weight:600;background:#99ff99;border-bottom:0}
.n{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums}
.gain{color:green;font-weight:700}
.loss{color:red;font-weight:700}
.even{color:#000;font-weight:700}
nav.pager{display:flex;justify-content:space-between;gap:1em;margin:.3em 0}
ul.seasons{display:flex;flex-wrap:wrap;gap:.4em .9em;list-style:none;padding:0;margin:0}
ul.legend{display:flex;flex-wrap:wrap;gap:.3em;list-style:none;padding:0;margin:0 0 .5em}
ul.legend li{padding:.1em .5em;border-radius:3px;font-size:.85em}
.board-wrap{overflow-x:auto;-webkit-overflow-scrolling:touch}
table.board{width:auto;min-width:100%;font-size:.85em}
table.board thead th{white-space:nowrap}
table.board tbody th{background:#99ff99}
table.board td{min-width:9.5em;border:1px solid #fff}
table.board .name{display:block;overflow-wrap:normal}
.meta,.no,.pos{font-size:.8em;color:#333;white-space:nowrap}
.pos{display:inline-block;min-width:2.6em;font-weight:600}
.cards{display:grid;grid-template-columns:repeat(auto-fill,minmax(15em,1fr));gap:.7em}
.card{background:#fff;border:1px solid #ddd;border-radius:4px;padding:.5em .6em}
ol.picks{list-style:none;margin:0;padding:0}
ol.picks li{padding:.1em .35em;margin:.12em 0;border-radius:3px}
@media (max-width:40em){
body{font-size:14px}
main{padding:.3em .5em 1.5em}
th,td{padding:.25em .3em}
table.money{font-size:13px}
h1{font-size:1.35em}
}
@media print{
body{background:#fff;font-size:10pt}
header.site{background:none;padding:0 0 .3em;border-bottom:1px solid #000}
header.site a,a{color:#000;text-decoration:none}
main{max-width:none;padding:0}
nav.pager,footer.site{display:none}
.board-wrap{overflow:visible}
table.board{font-size:7pt}
table.board td{min-width:0}
thead{display:table-header-group}
tr,.card{break-inside:avoid}
h2{break-after:avoid}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
}
)";

}  // namespace

std::string SiteStylesheet() {
    std::string css = kBase;
    css += "/* Draft positions */\n";
    for (const PositionColour& colour : PositionColours())
        css += "." + PositionClass(colour.abbr) + "{background:" + colour.background +
               ";color:" + colour.text + "}\n";
    const PositionColour& other = PositionColourOf("");
    css += "." + PositionClass("") + "{background:" + other.background + ";color:" + other.text +
           "}\n";
    return css;
}

}  // namespace gr::site
