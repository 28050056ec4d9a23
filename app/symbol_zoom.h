#pragma once

#include <array>

namespace quiral {

// The symbol view's zoom in percent: steps from 25 % to 800 %, 100 % being the pixel view's scale.
// A "fit" zoom may lie between the steps, or below 25 % for a symbol too big to show whole at it;
// stepping from there goes to the next step.
class SymbolZoom {
 public:
  static constexpr std::array<int, 11> kSteps = {25, 33, 50, 67, 100, 150, 200, 300, 400, 600, 800};
  static constexpr int kMinFit = 1;

  int percent() const { return percent_; }

  // Each returns whether the zoom changed.
  bool zoomIn() {
    for (int step : kSteps)
      if (step > percent_) return set(step);
    return false;
  }
  bool zoomOut() {
    for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
      if (*it < percent_) return set(*it);
    return false;
  }
  bool reset() { return set(100); }
  // A new symbol: 100 %, or less when that is what fits (never more than 100 %).
  bool open(int percentThatFits) {
    return set(percentThatFits >= 100      ? 100
               : percentThatFits < kMinFit ? kMinFit
                                           : percentThatFits);
  }
  // The zoom that shows the whole picture: at most the largest step, at least kMinFit.
  bool fit(int percentThatFits) {
    if (percentThatFits > kSteps.back()) percentThatFits = kSteps.back();
    if (percentThatFits < kMinFit) percentThatFits = kMinFit;
    return set(percentThatFits);
  }

 private:
  bool set(int percent) {
    if (percent == percent_) return false;
    percent_ = percent;
    return true;
  }
  int percent_ = 100;
};

}  // namespace quiral
