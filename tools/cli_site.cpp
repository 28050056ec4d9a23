// The web catalog: a folder of HTML pages and SVG pictures of libraries, searchable offline.

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/font_engine.h"
#include "platform/text_codec.h"
#include "site/site_writer.h"
#include "tools/cli_registry.h"
#include "tools/library_progress.h"

namespace quiral::cli {
namespace {

struct SiteArguments {
  std::vector<std::string> places;
  std::string out;
  std::string title;
};

SiteArguments parseSiteArguments(const std::vector<std::string>& args) {
  SiteArguments parsed;
  bool titled = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-o" || arg == "--title") {
      if (i + 1 == args.size()) throw UsageError(arg + " needs a value");
      (arg == "-o" ? parsed.out : parsed.title) = args[++i];
      titled |= arg == "--title";
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option " + arg);
    } else {
      parsed.places.push_back(arg);
    }
  }
  if (parsed.places.empty()) throw UsageError("expects a folder or a library");
  if (parsed.out.empty()) throw UsageError("expects -o OUTDIR");
  if (titled && parsed.title.empty()) throw UsageError("--title needs a text");
  if (!titled) {
    // One folder or library names the site; several are simply symbol libraries.
    const std::filesystem::path first =
        std::filesystem::path(parsed.places.front()).lexically_normal();
    const std::string name = (first.has_filename() ? first : first.parent_path()).stem().string();
    parsed.title = parsed.places.size() == 1 && !name.empty() && name != "."
                       ? displayText(name)
                       : std::string("Symbol libraries");
  }
  return parsed;
}

// SIGINT, SIGTERM and SIGHUP ask the run to stop: it then removes its new folder and the
// signal ends the program as it would have.
volatile std::sig_atomic_t stopSignal = 0;
void askToStop(int signal) {
  stopSignal = signal;
}

class StopOnSignals {
 public:
  StopOnSignals() {
    struct sigaction action {};
    action.sa_handler = askToStop;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous_[i]);
  }
  ~StopOnSignals() {
    for (size_t i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
    if (stopSignal == 0) return;
    // The new folder is gone already: the signal now ends the program as it would have.
    std::signal(stopSignal, SIG_DFL);
    ::raise(stopSignal);
  }

 private:
  static constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction previous_[3]{};
};

class SiteProgressText final : public SiteObserver {
 public:
  bool symbolDone(const std::string& library, size_t, size_t, size_t done, size_t total) override {
    text_.step(library, done, total);
    return stopSignal == 0;
  }
  void skipped(const std::string& library, const std::string& reason) override {
    LibraryProgressText::skipped(library, reason);
  }
  void warning(const std::string& library, const std::string& what) override {
    LibraryProgressText::warning(library, what);
  }

 private:
  LibraryProgressText text_;
};

int runSite(const std::vector<std::string>& args) {
  const SiteArguments parsed = parseSiteArguments(args);
  const std::vector<std::string> libraries = siteLibraries(parsed.places);
  if (libraries.empty()) {
    std::fprintf(stderr, "quiral-cli site: no library files in the places given\n");
    return 1;
  }
  FontEngine fonts;
  SiteProgressText progress;
  SiteSummary summary;
  {
    StopOnSignals stop;
    try {
      summary = writeSite(libraries, parsed.out, parsed.title, fonts, &progress);
    } catch (const SiteCancelled&) {
      std::fprintf(stderr, "quiral-cli site: stopped; %s is as it was\n", parsed.out.c_str());
      return 1;
    }
  }
  printLine(parsed.out + ": " + std::to_string(summary.libraries) + " librar" +
            (summary.libraries == 1 ? "y" : "ies") + ", " + std::to_string(summary.symbols) +
            " symbols, " + std::to_string(summary.names) + " names, " +
            std::to_string(summary.files) + " files, " + std::to_string(summary.bytes) + " bytes");
  return summary.skipped > 0 || summary.lostSymbols > 0 ? 1 : 0;
}

}  // namespace

QUIRAL_CLI_COMMAND(
    site, "DIR|LIB... -o OUTDIR [--title TEXT]",
    "Writes a static web catalog of the libraries of the folders (or of the libraries named) "
    "into the folder OUTDIR: index.html with every library and its symbol count, one page per "
    "library with every unit of every symbol drawn as SVG, its texts, details and sortable pin "
    "table, and a search with the rules of the search command that works from file:// without a "
    "server. The site is made beside OUTDIR and swapped into its place when whole; OUTDIR must "
    "be new, empty or a site written before. A library that cannot be read is named in a "
    "warning and skipped (exit status 1).",
    runSite);

}  // namespace quiral::cli
