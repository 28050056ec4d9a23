#pragma once

#include <string>
#include <vector>

#include "library/library_browser.h"

namespace quiral::testing {

// Keeps a copy of every memo it was asked to render.
class RecordingRenderer : public ComponentRenderer {
 public:
  std::vector<std::vector<std::string>> rendered;
  void RenderComponent(const std::vector<std::string>& memo) override { rendered.push_back(memo); }
};

}  // namespace quiral::testing
