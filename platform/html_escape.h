#pragma once

#include <string>
#include <string_view>

namespace quiral {

// A library text (bytes: UTF-8, or Windows-1252 where it is no valid UTF-8) as HTML text content
// or a quoted attribute value, in UTF-8: & < > " ' escaped and control bytes made spaces, so
// that no text can open or close any markup (`<script>` in a description stays text).
std::string htmlText(std::string_view bytes);
void appendHtml(std::string& out, std::string_view bytes);

}  // namespace quiral
