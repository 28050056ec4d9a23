#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report_engine/report.h"

namespace quiral::testing {

// Predictable text metrics: a byte is as wide as the point size in tenths of a millimetre (1 mm
// at 10 points) and a line is four times the point size high (4 mm at 10 points).
class FixedMeasurer : public TextMeasurer {
 public:
  double textWidth(const FontSpec& f, std::string_view t) const override {
    return double(t.size()) * f.pointSize;
  }
  double lineHeight(const FontSpec& f) const override { return 4.0 * f.pointSize; }
};

const FixedMeasurer& fixedMeasurer();

// A report shaped like the catalogs: A4, 10 mm margins, two columns without space between;
// header "Title" with the page number, detail 94.9 x 81.4 mm framed with the label "Name",
// footer "Footer". Three cells fit a column, six a page.
struct GridReport {
  TQuickRep report{"QR_TEST"};
  TQRBand* header = nullptr;
  TQRBand* detail = nullptr;
  TQRBand* footer = nullptr;
  TQRLabel* name = nullptr;
  int records = 0;  // how many records the need-data hook hands out
  int needDataCalls = 0;

  GridReport();
};

// The texts of a page, in painting order.
std::vector<PageText> textsOf(const PreparedPage& page);
// The first text item with exactly this text, or null.
const PageText* findText(const PreparedPage& page, std::string_view text);
std::vector<std::string> cellNames(const PreparedPage& page);

template <typename T>
std::vector<T> itemsOf(const PreparedPage& page) {
  std::vector<T> out;
  for (const auto& item : page.items)
    if (auto* it = std::get_if<T>(&item)) out.push_back(*it);
  return out;
}

}  // namespace quiral::testing
