// Rendering commands: one component's view as a PNG (with its drawing facts as JSON), and every
// component of several libraries in one run, as the drawings catalog walks them.

#include <algorithm>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/error.h"
#include "platform/png_writer.h"
#include "platform/text_codec.h"
#include "render/renderer.h"
#include "render/symbol_units.h"
#include "tools/cli_registry.h"
#include "tools/cli_selection.h"
#include "tools/cli_units.h"
#include "tools/png_write_queue.h"
#include "tools/vector_pictures.h"
#include "vector/symbol_files.h"

namespace quiral::cli {
namespace {

struct RenderArguments {
  std::vector<std::string> positional;
  std::optional<std::string> output;
  std::optional<size_t> index;
  bool info = false;
  bool noWrite = false;
  bool allUnits = false;
  std::optional<int> unit;
  std::optional<int> style;
  size_t jobs = 0;  // 0: one per core
  std::optional<double> scale;
  PictureFormat format = PictureFormat::Png;
};

double parseScale(const std::string& text) {
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value > 0) || value > 100)
    throw UsageError("--scale must be a number above 0 and at most 100");
  return value;
}

// More workers than this only cost memory (a 12 MB canvas each).
constexpr size_t kMaxJobs = 64;

RenderArguments parseRenderArguments(const std::vector<std::string>& args, bool forAll) {
  RenderArguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](const char* option) -> const std::string& {
      if (i + 1 == args.size()) throw UsageError(std::string(option) + " needs a value");
      return args[++i];
    };
    if (arg == "-o") {
      parsed.output = value("-o");
    } else if (arg == "--index" && !forAll) {
      parsed.index = parseIndex(value("--index"), "--index");
    } else if (arg == "--scale" && !forAll) {
      parsed.scale = parseScale(value("--scale"));
    } else if (arg == "--format" && forAll) {
      parsed.format = parseFormat(value("--format"));
    } else if (arg == "--unit" && !forAll) {
      parsed.unit = parseUnitOption(value("--unit"), "--unit", kMaxUnits);
    } else if (arg == "--style" && !forAll) {
      parsed.style = parseUnitOption(value("--style"), "--style", 2);
    } else if (arg == "--all-units" && forAll) {
      parsed.allUnits = true;
    } else if (arg == "--info" && !forAll) {
      parsed.info = true;
    } else if (arg == "--no-write" && forAll) {
      parsed.noWrite = true;
    } else if (arg == "--jobs" && forAll) {
      parsed.jobs = parseIndex(value("--jobs"), "--jobs");
      if (parsed.jobs == 0 || parsed.jobs > kMaxJobs)
        throw UsageError("--jobs must be between 1 and " + std::to_string(kMaxJobs));
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option " + arg);
    } else {
      parsed.positional.push_back(arg);
    }
  }
  return parsed;
}

void writeView(const Bitmap& view, const std::string& path) {
  PngOptions options;
  options.fast = true;
  writePng(view, path, options);
}

void printInfo(const Renderer& renderer, const SymbolUnits& units,
               const std::vector<std::string>& unitNames) {
  const DrawingState& s = renderer.state();
  const Bitmap& view = renderer.ViewImage();
  std::string json =
      "{\"width\": " + std::to_string(view.width()) +
      ", \"height\": " + std::to_string(view.height()) + ", \"minx\": " + std::to_string(s.MinX) +
      ", \"maxx\": " + std::to_string(s.MaxX) + ", \"miny\": " + std::to_string(s.MinY) +
      ", \"maxy\": " + std::to_string(s.MaxY) + ", \"units\": " + jsonString(s.UnitCount) +
      ", \"alias\": " + jsonString(s.AliasLine) +
      ", \"show_pin_numbers\": " + (s.ShowPinNumbers ? "true" : "false") +
      ", \"show_pin_names\": " + (s.ShowPinNames ? "true" : "false") + ", " +
      unitInfoMembers(units, unitNames, jsonString) + "}";
  printLine(json);
}

int runRender(const std::vector<std::string>& args) {
  RenderArguments parsed = parseRenderArguments(args, false);
  const bool nameGiven = parsed.positional.size() == 2;
  if (!(nameGiven || (parsed.index && parsed.positional.size() == 1))) {
    throw UsageError("expects a library file and a component name or --index N");
  }
  if (!parsed.output && !parsed.info) throw UsageError("needs -o OUT.png|.svg|.pdf or --info");
  const PictureFormat format = parsed.output ? formatOfPath(*parsed.output) : PictureFormat::Png;
  if (parsed.scale && format != PictureFormat::Png)
    throw UsageError("--scale applies to PNG output only");
  Session session;
  session.browser.B_carregarClick(parsed.positional[0]);
  if (!selectNamedEntry(session.browser.components(), parsed.index,
                        parsed.positional.size() > 1 ? parsed.positional[1] : std::string(),
                        parsed.positional[0])) {
    return 1;
  }
  session.browser.ShowComponent();
  const std::vector<std::string>& memo = session.browser.memo();
  const SymbolUnits units = describeUnits(memo);
  const UnitChoice choice{parsed.unit.value_or(1), parsed.style.value_or(1)};
  refuseMissingChoice(choice, units, session.browser.components().selectedEntry());
  if (!choice.isDefaultView()) session.renderer.RenderComponent(memo, choice);
  if (parsed.output && format == PictureFormat::Png && !parsed.scale) {
    writeView(session.renderer.ViewImage(), *parsed.output);
  } else if (parsed.output) {
    VectorPictures vectors;
    vectors.record(memo, choice);
    if (parsed.scale) {
      writeSymbolPng(vectors.displayList(), *parsed.output, *parsed.scale);
    } else {
      vectors.write(format, *parsed.output, session.browser.components().selectedEntry());
    }
  }
  if (parsed.info) printInfo(session.renderer, units, session.browser.shownUnitNames());
  return 0;
}

// Bytes that are safe in a file name on every common system; the rest become '_'.
std::string safeFileName(std::string_view text) {
  std::string out;
  for (char c : text) {
    bool safe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                c == '-' || c == '_' || c == '.' || c == '+';
    out += safe ? c : '_';
  }
  if (out.empty() || out[0] == '.') out.insert(out.begin(), '_');
  return out;
}

std::string fileStem(const std::string& libraryPath) {
  return safeFileName(std::filesystem::path(libraryPath).stem().string());
}

// `suffix` tells a unit and body style apart under --all-units (see choiceFileSuffix).
std::string entryFileName(const std::string& libraryPath, size_t index, std::string_view name,
                          PictureFormat format, const std::string& suffix = {}) {
  char number[24];
  std::snprintf(number, sizeof number, "%04zu", index);
  return fileStem(libraryPath) + "-" + number + "-" + safeFileName(name) + suffix +
         extensionOf(format);
}

// The choices one entry is drawn in: unit A's view alone, or with --all-units every unit and body
// style (unit A / style 1 as the view always draws it).
std::vector<UnitChoice> choicesToDraw(bool allUnits, const std::vector<std::string>& memo) {
  if (!allUnits) return {UnitChoice{}};
  return everyChoice(describeUnits(memo));
}

std::string suffixOf(bool allUnits, const UnitChoice& choice) {
  return allUnits ? choiceFileSuffix(choice) : std::string();
}

// Files are named by library stem, so two libraries of one stem (a/x.lib and b/x.lib) would
// write over each other's files: refused before anything is drawn.
void refuseSharedStems(const std::vector<std::string>& libraries) {
  std::map<std::string, const std::string*> firstOfStem;
  for (const std::string& library : libraries) {
    const auto [seen, added] = firstOfStem.emplace(fileStem(library), &library);
    if (!added)
      throw QuiralError(*seen->second + " and " + library + " would both write " + seen->first +
                        "-NNNN-NAME files: draw them into separate folders");
  }
}

// Shows every component of one library as vectors and writes each as SVG or PDF (or only
// records it, without an output folder). Returns the number of components.
size_t drawLibraryAsVectors(VectorPictures& vectors, PictureFormat format,
                            const std::string& library,
                            const std::optional<std::string>& outputFolder, bool allUnits) {
  LibraryBrowser browser(&vectors);
  browser.B_carregarClick(library);
  ComponentList& list = browser.components();
  const size_t count = list.size();
  for (size_t i = 0; i < count; ++i) {
    list.select(int(i));
    browser.ShowComponent();
    for (const UnitChoice& choice : choicesToDraw(allUnits, browser.memo())) {
      if (!choice.isDefaultView()) vectors.record(browser.memo(), choice);
      if (!outputFolder) continue;
      std::filesystem::path out =
          std::filesystem::path(*outputFolder) /
          entryFileName(library, i, list[i], format, suffixOf(allUnits, choice));
      vectors.write(format, out.string(), list[i]);
    }
  }
  return count;
}

// Shows every component of one library, as the drawings catalog walks it, and queues each view
// for writing when `writer` is given. Returns the number of components.
size_t renderLibrary(Session& session, PngWriteQueue* writer, const std::string& library,
                     const std::optional<std::string>& outputFolder, bool allUnits) {
  session.browser.B_carregarClick(library);
  ComponentList& list = session.browser.components();
  const size_t count = list.size();
  for (size_t i = 0; i < count; ++i) {
    list.select(int(i));
    session.browser.ShowComponent();
    for (const UnitChoice& choice : choicesToDraw(allUnits, session.browser.memo())) {
      if (!choice.isDefaultView()) session.renderer.RenderComponent(session.browser.memo(), choice);
      if (!writer) continue;
      std::filesystem::path out =
          std::filesystem::path(*outputFolder) /
          entryFileName(library, i, list[i], PictureFormat::Png, suffixOf(allUnits, choice));
      writer->push(preparePng(session.renderer.ViewImage()), out.string());
    }
  }
  // The library counts as done once its files are written, so a failure is its own.
  if (writer) writer->finish();
  return count;
}

// Renders whole libraries on `jobs` workers, each with its own session, canvas, fonts and PNG
// writer, taking the next library as it finishes one. Results are reported in library order,
// so the output is the same whatever the number of workers.
class LibraryJobs {
 public:
  LibraryJobs(const std::vector<std::string>& libraries, const std::optional<std::string>& output,
              size_t jobs, PictureFormat format, bool allUnits)
      : libraries_(libraries),
        output_(output),
        format_(format),
        allUnits_(allUnits),
        outcomes_(libraries.size()) {
    try {
      for (size_t k = 0; k < jobs; ++k) workers_.emplace_back([this] { work(); });
    } catch (const std::system_error& e) {
      // A thread that cannot start is a failure of the run, reported as any other: the workers
      // already started are stopped and joined, never left to end the program.
      stopAndJoin();
      throw QuiralError(std::string("cannot start a drawing thread: ") + e.what());
    }
  }
  ~LibraryJobs() { stopAndJoin(); }
  LibraryJobs(const LibraryJobs&) = delete;
  LibraryJobs& operator=(const LibraryJobs&) = delete;

  // Waits for library i; returns its component count or rethrows its failure.
  size_t result(size_t i) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return outcomes_[i].finished; });
    if (outcomes_[i].failure) {
      stop_ = true;  // nothing after a failed library is reported: start no more
      std::rethrow_exception(outcomes_[i].failure);
    }
    return outcomes_[i].count;
  }

 private:
  struct Outcome {
    bool finished = false;
    size_t count = 0;
    std::exception_ptr failure;
  };

  void stopAndJoin() {
    stop_ = true;
    for (std::thread& worker : workers_) worker.join();
  }

  void work() {
    std::optional<Session> session;
    std::optional<PngWriteQueue> writer;
    std::optional<VectorPictures> vectors;
    for (;;) {
      const size_t i = next_++;
      if (i >= libraries_.size() || stop_) return;
      Outcome outcome;
      try {
        if (format_ != PictureFormat::Png) {
          if (!vectors) vectors.emplace();
          outcome.count =
              drawLibraryAsVectors(*vectors, format_, libraries_[i], output_, allUnits_);
        } else {
          if (!session) session.emplace();
          // A writer that failed keeps its failure: each failure gets the next library a fresh one.
          if (output_ && !writer) writer.emplace();
          outcome.count = renderLibrary(*session, writer ? &*writer : nullptr, libraries_[i],
                                        output_, allUnits_);
        }
      } catch (...) {
        outcome.failure = std::current_exception();
        writer.reset();
      }
      outcome.finished = true;
      {
        std::lock_guard lock(mutex_);
        outcomes_[i] = std::move(outcome);
      }
      done_.notify_all();
    }
  }

  const std::vector<std::string>& libraries_;
  const std::optional<std::string>& output_;
  const PictureFormat format_;
  const bool allUnits_;
  std::vector<Outcome> outcomes_;
  std::atomic<size_t> next_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable done_;
  std::vector<std::thread> workers_;
};

size_t defaultJobs() {
  return std::max<size_t>(1, std::thread::hardware_concurrency());
}

int runRenderAll(const std::vector<std::string>& args) {
  RenderArguments parsed = parseRenderArguments(args, true);
  if (parsed.positional.empty()) throw UsageError("expects at least one library file");
  if (!parsed.output && !parsed.noWrite) throw UsageError("needs -o DIR or --no-write");
  if (!parsed.noWrite) {
    refuseSharedStems(parsed.positional);
    std::filesystem::create_directories(*parsed.output);
  }
  const std::optional<std::string> output = parsed.noWrite ? std::nullopt : parsed.output;
  const size_t jobs = std::min(parsed.jobs ? parsed.jobs : defaultJobs(), parsed.positional.size());
  LibraryJobs work(parsed.positional, output, jobs, parsed.format, parsed.allUnits);
  size_t total = 0;
  for (size_t i = 0; i < parsed.positional.size(); ++i) {
    const size_t count = work.result(i);
    total += count;
    printLine(parsed.positional[i] + ": " + std::to_string(count) + " components");
  }
  printLine("total: " + std::to_string(total) + " components");
  return 0;
}

QUIRAL_CLI_COMMAND(
    render,
    "LIB NAME -o OUT.png|OUT.svg|OUT.pdf [--index N] [--unit N] [--style 1|2] [--scale F] [--info]",
    "Draws one component and writes its view as PNG, or its vector drawing as SVG or PDF (by the "
    "extension); --unit and --style choose the unit (1 is A) and body style (2 is De Morgan); "
    "--scale F writes the vector drawing as an anti-aliased PNG F times the view's size; --info "
    "prints its facts as JSON, its units among them.",
    runRender);
// The command's name has a hyphen, which the registration macro cannot spell.
const CliRegistrar renderAllCommand(
    {"render-all", "LIB... -o DIR [--format png|svg|pdf] [--all-units] [--no-write] [--jobs N]",
     runRenderAll,
     "Draws every component of the libraries into DIR, one file per entry: the PNG view, or the "
     "vector drawing as SVG or PDF (--all-units: one file per unit and body style, named "
     "NAME-A, NAME-A-dm, ...; --no-write: renders only, to time it; --jobs: libraries drawn at "
     "once, one per core by default)."});

}  // namespace
}  // namespace quiral::cli
