// The review of a change: what differs between two libraries or two folders of libraries, in
// words or as JSON, with an optional HTML or PDF report; and a library as one line per fact,
// for git's textconv.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "review/library_reading.h"
#include "review/review_report.h"
#include "review/review_words.h"
#include "review/text_facts.h"
#include "tools/cli_registry.h"

namespace quiral::cli {
namespace {

struct DiffArguments {
  std::vector<std::string> sides;
  bool json = false;
  std::optional<std::string> report;
};

DiffArguments parseDiffArguments(const std::vector<std::string>& args) {
  DiffArguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json") {
      parsed.json = true;
    } else if (args[i] == "-o") {
      if (i + 1 == args.size()) throw UsageError("-o needs a file name");
      parsed.report = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError("unknown option " + args[i]);
    } else {
      parsed.sides.push_back(args[i]);
    }
  }
  if (parsed.sides.size() != 2) throw UsageError("expects OLD and NEW");
  if (parsed.report && reportKindOf(*parsed.report) == ReportKind::None)
    throw UsageError("the report must end in .html or .pdf");
  return parsed;
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// Trouble (an input that cannot be read, a report that cannot be written) exits with 2, as
// diff does; nothing is written then.
int trouble(const std::exception_ptr& failure) {
  std::fprintf(stderr, "quiral-cli diff: %s\n", userMessage(failure).c_str());
  return 2;
}

int runDiff(const std::vector<std::string>& args) {
  const DiffArguments parsed = parseDiffArguments(args);
  if (parsed.report)
    for (const std::string& side : parsed.sides)
      if (sameFile(*parsed.report, side))
        throw UsageError("the report " + *parsed.report + " is one of the inputs");
  Review review;
  try {
    review = reviewPaths(parsed.sides[0], parsed.sides[1]);
    if (parsed.report) writeReviewReport(review, parsed.sides[0], parsed.sides[1], *parsed.report);
  } catch (...) {
    return trouble(std::current_exception());
  }
  for (const std::string& warning : review.warnings)
    std::fprintf(stderr, "quiral-cli diff: warning: %s\n", warning.c_str());
  const std::string out = parsed.json ? reviewJson(review) : reviewWords(review);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return review.entries.empty() ? 0 : 1;
}

int runText(const std::vector<std::string>& args) {
  if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-'))
    throw UsageError("expects one library");
  LibraryFacts facts = readLibraryFacts(args[0]);
  // The facts of the file alone: a legacy library's documentation file is a file of its own,
  // which git shows (and converts) by itself.
  if (facts.format == LibraryFormat::Legacy) facts.docs.clear();
  const std::string out = libraryFactLines(facts);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace

QUIRAL_CLI_COMMAND(diff, "OLD NEW [--json] [-o REPORT.html|REPORT.pdf]",
                   "Compares two libraries (any mix of .lib and .kicad_sym) or two folders of "
                   "libraries (matched by name) symbol by symbol: one line per difference, or "
                   "JSON with --json; -o also writes an HTML or PDF report with pictures. Exit "
                   "status 0 when nothing differs, 1 when something does, 2 on trouble.",
                   runDiff);

QUIRAL_CLI_COMMAND(text, "LIB",
                   "Prints a library as one stable line per fact (symbol, field, pin, drawn "
                   "item, documentation), for git diff's textconv.",
                   runText);

}  // namespace quiral::cli
