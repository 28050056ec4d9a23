#pragma once

#include <string>
#include <string_view>

#include "platform/html_escape.h"

namespace quiral {

// Library texts as they go into the web catalog's pages and scripts. Every text is bytes as the
// library holds them (UTF-8, or Windows-1252 where it is no valid UTF-8) and comes out as UTF-8
// that cannot close or open any markup: `<script>` in a description stays text.

// A JavaScript string literal in double quotes, safe inside any script file: quotes, backslashes,
// control characters, `<` and the two line separators escaped.
std::string jsString(std::string_view bytes);

// Whether a datasheet text may become a link: an absolute http or https address (letter case of
// the scheme ignored) without blanks or control characters. Anything else (javascript:, data:,
// file paths, "~") is shown as text only.
bool isWebLink(std::string_view text);

// `text` percent-encoded for a URL's path or fragment: unreserved characters and `-._~` kept,
// every other byte of its UTF-8 form written %HH.
std::string urlEncoded(std::string_view utf8);

}  // namespace quiral
