#include "vector/symbol_recorder.h"

#include "render/coordinate_map.h"

namespace quiral {

SymbolRecorder::SymbolRecorder(FontEngine& fonts, LookName look)
    : surface_(fonts, list_), drawer_(surface_, state_, look), interpreter_(&drawer_) {}

const DisplayList& SymbolRecorder::record(const std::vector<std::string>& memo,
                                          const UnitChoice& choice) {
  state_.Choice = choice;
  list_.clear();
  resetBounds(state_);
  state_.UnitCount.clear();
  state_.AliasLine.clear();
  state_.AliasLines.clear();
  surface_.reset();
  for (const std::string& line : memo) interpreter_.interpreta_linha(line);
  surface_.finish();
  return list_;
}

}  // namespace quiral
