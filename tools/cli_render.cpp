// Rendering commands: one component's view as a PNG (with its drawing facts as JSON), and every
// component of several libraries in one run, as the drawings catalog walks them.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/png_writer.h"
#include "platform/text_codec.h"
#include "render/renderer.h"
#include "tools/cli_registry.h"
#include "tools/cli_selection.h"
#include "tools/png_write_queue.h"

namespace quiral::cli {
namespace {

struct RenderArguments {
  std::vector<std::string> positional;
  std::optional<std::string> output;
  std::optional<size_t> index;
  bool info = false;
  bool noWrite = false;
};

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
    } else if (arg == "--info" && !forAll) {
      parsed.info = true;
    } else if (arg == "--no-write" && forAll) {
      parsed.noWrite = true;
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

// A JSON string: the bytes shown as text (UTF-8, or Windows-1252 when they are not UTF-8), with
// quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view bytes) {
  std::string out = "\"";
  for (char c : displayText(bytes)) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      out += buffer;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void printInfo(const Renderer& renderer) {
  const DrawingState& s = renderer.state();
  const Bitmap& view = renderer.ViewImage();
  std::string json =
      "{\"width\": " + std::to_string(view.width()) +
      ", \"height\": " + std::to_string(view.height()) + ", \"minx\": " + std::to_string(s.MinX) +
      ", \"maxx\": " + std::to_string(s.MaxX) + ", \"miny\": " + std::to_string(s.MinY) +
      ", \"maxy\": " + std::to_string(s.MaxY) + ", \"units\": " + jsonString(s.UnitCount) +
      ", \"alias\": " + jsonString(s.AliasLine) +
      ", \"show_pin_numbers\": " + (s.ShowPinNumbers ? "true" : "false") +
      ", \"show_pin_names\": " + (s.ShowPinNames ? "true" : "false") + "}";
  printLine(json);
}

int runRender(const std::vector<std::string>& args) {
  RenderArguments parsed = parseRenderArguments(args, false);
  const bool nameGiven = parsed.positional.size() == 2;
  if (!(nameGiven || (parsed.index && parsed.positional.size() == 1))) {
    throw UsageError("expects a library file and a component name or --index N");
  }
  if (!parsed.output && !parsed.info) throw UsageError("needs -o OUT.png or --info");
  Session session;
  session.browser.B_carregarClick(parsed.positional[0]);
  if (!selectNamedEntry(session.browser.components(), parsed.index,
                        parsed.positional.size() > 1 ? parsed.positional[1] : std::string(),
                        parsed.positional[0])) {
    return 1;
  }
  session.browser.ShowComponent();
  if (parsed.output) writeView(session.renderer.ViewImage(), *parsed.output);
  if (parsed.info) printInfo(session.renderer);
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

std::string entryFileName(const std::string& libraryPath, size_t index, std::string_view name) {
  std::string stem = std::filesystem::path(libraryPath).stem().string();
  char number[24];
  std::snprintf(number, sizeof number, "%04zu", index);
  return safeFileName(stem) + "-" + number + "-" + safeFileName(name) + ".png";
}

int runRenderAll(const std::vector<std::string>& args) {
  RenderArguments parsed = parseRenderArguments(args, true);
  if (parsed.positional.empty()) throw UsageError("expects at least one library file");
  if (!parsed.output && !parsed.noWrite) throw UsageError("needs -o DIR or --no-write");
  const bool write = !parsed.noWrite;
  if (write) std::filesystem::create_directories(*parsed.output);
  Session session;
  std::optional<PngWriteQueue> writer;
  if (write) writer.emplace();
  size_t total = 0;
  for (const std::string& library : parsed.positional) {
    session.browser.B_carregarClick(library);
    ComponentList& list = session.browser.components();
    const size_t count = list.size();
    for (size_t i = 0; i < count; ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
      if (write) {
        std::filesystem::path out =
            std::filesystem::path(*parsed.output) / entryFileName(library, i, list[i]);
        writer->push(preparePng(session.renderer.ViewImage()), out.string());
      }
    }
    total += count;
    printLine(library + ": " + std::to_string(count) + " components");
  }
  if (writer) writer->finish();
  printLine("total: " + std::to_string(total) + " components");
  return 0;
}

QUIRAL_CLI_COMMAND(
    render, "LIB NAME -o OUT.png [--index N] [--info]",
    "Draws one component and writes its view as PNG; --info prints its facts as JSON.", runRender);
// The command's name has a hyphen, which the registration macro cannot spell.
const CliRegistrar renderAllCommand({"render-all", "LIB... -o DIR [--no-write]", runRenderAll,
                                     "Draws every component of the libraries into DIR, one PNG per "
                                     "entry (--no-write: renders only, to time it)."});

}  // namespace
}  // namespace quiral::cli
