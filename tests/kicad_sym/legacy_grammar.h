#pragma once

// A strict check of legacy library text against the rules of KiCad's legacy library reader: the
// tokens of each record (split at spaces, a quoted text running to the next quote that no
// backslash escapes), their counts, the quoting of the texts that the reader reads quoted, the
// letters and numbers of each field. It reports the lines that such a reader would refuse or
// read differently from what was meant.

#include <string>
#include <vector>

namespace quiral::testing {

// One message per bad line: "line N: what is wrong: the line".
std::vector<std::string> legacyGrammarErrors(const std::string& libraryText);

}  // namespace quiral::testing
