#include "reports/fine_cell_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "kicad_sym/library_translation.h"
#include "library/find_description.h"
#include "platform/text_codec.h"
#include "render/symbol_units.h"
#include "reports/qr_fig.h"
#include "vector/picture_frame.h"

namespace quiral {

namespace {

// A symbol's name as KiCad shows it: a leading "~" only says that its value is hidden.
std::string shownName(const std::string& name) {
  return displayText(name.size() > 1 && name[0] == '~' ? std::string_view(name).substr(1)
                                                       : std::string_view(name));
}

// The em of the list's smallest text that prints at all (library units; 0: no text).
double smallestTextOf(const DisplayList& list) {
  double smallest = 0;
  for (const DisplayText& text : list.texts())
    if (text.size > 0 && (smallest == 0 || text.size < smallest)) smallest = text.size;
  return smallest;
}

// The units the DEF line's count token declares, which may be more than can be chosen; a count
// too long to hold gives `bounded`.
size_t declaredUnits(std::string_view countToken, size_t bounded) {
  uint64_t count = 0;
  const auto [end, error] =
      std::from_chars(countToken.data(), countToken.data() + countToken.size(), count);
  if (error != std::errc() || end != countToken.data() + countToken.size()) return bounded;
  return size_t(std::max<uint64_t>(count, bounded));
}

}  // namespace

// Records every unit of a multi-unit symbol (up to the cap) with the same rule for each, so that
// no unit's picture shows another unit's records; a unit without records of its own shows what
// the units share.
void FineCellReader::recordUnits(FineCellContent& content, std::vector<DisplayList>& unitLists) {
  unitLists.clear();
  if (units_ != FineUnitPictures::AllUnits) return;
  const std::vector<std::string>& memo = browser_.memo();
  const SymbolUnits units = describeUnits(memo);
  if (units.count <= 1) return;
  const std::vector<std::string> names = browser_.shownUnitNames();
  const size_t shown = std::min(size_t(units.count), kFineMaxUnitPictures);
  for (size_t i = 0; i < shown; ++i) {
    const int unit = int(i) + 1;
    unitLists.push_back(recorder_.record(memo, UnitChoice{unit, 1}));
    const PictureBox box = pictureBox(unitLists.back(), 0);
    content.units.push_back({unitLetters(unit), i < names.size() ? displayText(names[i]) : "",
                             box.width, box.height, smallestTextOf(unitLists.back())});
  }
  content.unitsLeftOut = declaredUnits(recorder_.state().UnitCount, size_t(units.count)) - shown;
}

FineCellContent FineCellReader::read(size_t index, std::vector<DisplayList>& unitLists,
                                     std::vector<std::string>& warnings) {
  browser_.components().select(int(index));
  browser_.ShowComponent();
  const std::string& name = browser_.components()[index];
  FineCellContent content;
  content.name = shownName(name);
  const auto translation = browser_.modernTranslation();
  auto describe = [&](const std::string& component) {
    bool cut = false;
    std::string text = boundedText(
        displayText(translation ? FindDescriptionInText(translation->documentationText, component)
                                : docs_.find(docPath_, component)),
        kLongestShownText, &cut);
    if (cut)
      warnings.push_back(displayText(component) + ": description cut after " +
                         std::to_string(kLongestShownText) + " characters");
    return text;
  };
  content.description = describe(name);
  const DrawingState& state = recorder_.state();
  if (kind_ == FineCatalogKind::Drawings) {
    content.unitCount = displayText(unitCountText(state.UnitCount, language_));
    const PictureBox box = pictureBox(recorder_.displayList(), 0);
    content.pictureWidth = box.width;
    content.pictureHeight = box.height;
    content.smallestText = smallestTextOf(recorder_.displayList());
    recordUnits(content, unitLists);
  }
  // Every ALIAS line counts: a component may have several.
  for (const std::string& line : state.AliasLines) {
    for (const std::string& alias : aliasNames(line)) {
      content.aliases.push_back(shownName(alias));
      content.aliasDescriptions.push_back(describe(alias));
    }
  }
  return content;
}

}  // namespace quiral
