#pragma once

#include <string_view>

namespace tsumiki {

// The page's style sheet: small cells that fit a phone's width, the name column
// and the head row kept in view, one colour rule per duty added by the writer, and
// a print layout on one landscape page without the name list.
inline constexpr std::string_view kRosterPageStyle = R"css(
body{font-family:"Noto Sans CJK JP","Hiragino Sans","Yu Gothic",sans-serif;margin:8px;color:#222}
h1{font-size:1.15rem;margin:0 0 6px}
nav{display:flex;flex-wrap:wrap;gap:4px;margin:0 0 8px}
nav a{padding:4px 8px;border:1px solid #bbb;border-radius:12px;text-decoration:none;color:#124;font-size:.85rem;background:#f6f6f6}
.scroll{overflow:auto;max-height:80vh;border:1px solid #999}
table{border-collapse:separate;border-spacing:0;font-size:.8rem}
th,td{border-right:1px solid #ccc;border-bottom:1px solid #ccc;padding:2px 3px;text-align:center;min-width:1.6em;white-space:nowrap}
thead th{position:sticky;top:0;background:#eef;z-index:2;font-weight:normal;line-height:1.15}
th.name{position:sticky;left:0;background:#fff;text-align:left;z-index:1;min-width:5.5em;font-weight:bold}
thead th.name{z-index:3;background:#eef}
.sat{color:#0645ad}.sun{color:#c00}
thead th.sat{background:#e3ecff}thead th.sun{background:#ffe6e6}
td.sum{background:#f2f2f2}
tr:target th,tr:target td.sum{outline:2px solid #e67e00;outline-offset:-2px}
tr:target th.name{background:#ffe9c7}
.legend{list-style:none;padding:0;display:flex;flex-wrap:wrap;gap:6px;font-size:.85rem}
.legend span{display:inline-block;min-width:1.6em;text-align:center;border:1px solid #999;margin-right:3px}
@media print{
 @page{size:A4 landscape;margin:8mm}
 body{margin:0}
 nav{display:none}
 .scroll{overflow:visible;max-height:none;border:none}
 table{font-size:7pt}
 th.name,thead th{position:static}
 *{-webkit-print-color-adjust:exact;print-color-adjust:exact}
}
)css";

}  // namespace tsumiki
