#include "platform/font_engine.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "platform/error.h"

namespace quiral {

namespace {

// Fontconfig is shared by the whole process while every thread has its own engine: the engines
// start it once and take turns matching fonts.
std::mutex& fontconfigMutex() {
  static std::mutex mutex;
  return mutex;
}
bool fontconfigStarted = false;  // guarded by fontconfigMutex()

// The leak checker's own switch, present only in a sanitized build.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

// While it lives, what this thread allocates is not taken for a leak. For fontconfig's start
// only: a few of the blocks its configuration keeps are referenced only from its mapped cache
// files, where the leak checker does not look, so a check in the middle of a run (as a fuzzer
// makes between inputs) would report them.
class LeakCheckPause {
 public:
  LeakCheckPause() {
    if (__lsan_disable) __lsan_disable();
  }
  ~LeakCheckPause() {
    if (__lsan_enable) __lsan_enable();
  }
  LeakCheckPause(const LeakCheckPause&) = delete;
  LeakCheckPause& operator=(const LeakCheckPause&) = delete;
};

// Beyond this many bytes of cached glyph pictures every cache is emptied and refilled on demand.
constexpr size_t kGlyphBudget = size_t(64) << 20;

std::string requestKey(const std::string& family, bool bold) {
  return family + (bold ? "\x01"
                          "bold"
                        : "\x01"
                          "regular");
}

// Families fontconfig treats as the requested one or its stand-ins (strong and same bindings);
// the weakly bound ones it appends are generic fallbacks.
std::vector<std::string> acceptableFamilies(FcPattern* substituted) {
  std::vector<std::string> names;
  FcValue value;
  FcValueBinding binding;
  for (int i = 0;
       FcPatternGetWithBinding(substituted, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
    if (binding != FcValueBindingWeak && value.type == FcTypeString)
      names.emplace_back(reinterpret_cast<const char*>(value.u.s));
  }
  return names;
}

bool familyIn(FcPattern* match, const std::vector<std::string>& names) {
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    for (const std::string& n : names)
      if (strcasecmp(n.c_str(), reinterpret_cast<const char*>(family)) == 0) return true;
  }
  return false;
}

// Matches a family through fontconfig; returns the file (empty when none) and whether the
// match is the family itself or one of its stand-ins.
std::string matchFile(const std::string& family, bool bold, int& index, bool& genuine) {
  std::lock_guard lock(fontconfigMutex());
  std::string file;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return file;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  const std::vector<std::string> names = acceptableFamilies(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  if (match) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
      file = reinterpret_cast<const char*>(path);
      if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
      genuine = familyIn(match, names);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

}  // namespace

int emForPoints(int points) {
  const int64_t p = std::max(points, 1);
  const int64_t em = (p * 96 + 36) / 72;  // MulDiv rounds to nearest
  return int(std::min<int64_t>(em, kMaxEmPixels));
}

FontEngine::FontEngine() = default;

void FontEngine::start() {
  if (started_) return;
  started_ = true;
  if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  // fontconfig's configuration is started once and kept until the process ends: an engine never
  // ends it, since another user of fontconfig in the process (Qt's font database in the windowed
  // program) holds on to the same configuration. A program that is its only user ends it at exit.
  startFontconfig();
}

void startFontconfig() {
  std::lock_guard lock(fontconfigMutex());
  if (fontconfigStarted) return;
  const LeakCheckPause pause;
  fontconfigStarted = FcInit() == FcTrue;
}

FontEngine::~FontEngine() {
  if (!started_) return;
  byRequest_.clear();
  byFile_.clear();  // faces close before the library
  if (library_) FT_Done_FreeType(library_);
}

std::string FontEngine::findFile(const std::string& family, bool bold, int& index) {
  bool genuine = false;
  std::string file = matchFile(family, bold, index, genuine);
  if (genuine) return file;
  bool fallbackGenuine = false;
  std::string fallback = matchFile("sans-serif", bold, index, fallbackGenuine);
  if (!warned_[family]) {
    warned_[family] = true;
    std::fprintf(stderr, "quiral: no font \"%s\" is installed; using the default sans font %s\n",
                 family.c_str(), fallback.empty() ? "(none found)" : fallback.c_str());
  }
  return fallback;
}

FontFace* FontEngine::open(const std::string& file, int index) {
  const std::string key = file + "#" + std::to_string(index);
  if (auto it = byFile_.find(key); it != byFile_.end()) return it->second.get();
  if (!library_ || file.empty()) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library_, file.c_str(), index, &face) != 0) return nullptr;
  FontFace* opened = new FontFace(*this, face, file);
  byFile_[key].reset(opened);
  return opened;
}

FontFace& FontEngine::face(const std::string& family, bool bold) {
  const std::string key = requestKey(family, bold);
  if (auto it = byRequest_.find(key); it != byRequest_.end()) return *it->second;
  start();
  int index = 0;
  FontFace* found = open(findFile(family, bold, index), index);
  if (!found && family != "sans-serif") {
    bool genuine = false;
    index = 0;
    found = open(matchFile("sans-serif", bold, index, genuine), index);
  }
  if (!found) throw QuiralError("No usable font is installed (looked for \"" + family + "\")");
  byRequest_[key] = found;
  return *found;
}

SizedFont& FontEngine::canvasFont(const FontSpec& spec) {
  return face(spec.face, spec.bold).sized(emForPoints(spec.pointSize));
}

void FontEngine::noteGlyphBytes(size_t bytes) {
  glyphBytes_ += bytes;
  if (glyphBytes_ <= kGlyphBudget) return;
  for (auto& [key, face] : byFile_) face->clearGlyphs();
  glyphBytes_ = bytes;
}

}  // namespace quiral
