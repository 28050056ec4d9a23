#pragma once

#include <algorithm>
#include <cstdint>

namespace quiral {

// Lengths in report designs and on prepared pages are tenths of a millimetre.
constexpr double kTenthsPerInch = 254.0;

// The longest page side: 1.5 m, beyond any paper a report is printed on. It bounds every page
// picture (5670 pixels a side at 96 dpi) whatever a design or a prepared-report file says.
constexpr int32_t kMaxPageLength = 15000;

// A box in tenths of a millimetre, right and bottom edges excluded.
struct TenthsRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  TenthsRect translated(int32_t dx, int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  TenthsRect intersected(const TenthsRect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  friend bool operator==(const TenthsRect&, const TenthsRect&) = default;
};

enum class Orientation : uint8_t { Portrait, Landscape };
enum class PaperSize : uint8_t { A4, A3, A5, Letter, Legal, Custom };
// Kept with the design for the designer's benefit; every stored length is tenths of a millimetre.
enum class ReportUnits : uint8_t { Millimetres, Inches, Pixels, Characters, Native };
enum class Alignment : uint8_t { Left, Right, Center };
enum class BandType : uint8_t { PageHeader, Detail, PageFooter };
enum class PaperBin : uint8_t { Auto, Upper, Lower, Manual };

struct FrameSides {
  bool left = false;
  bool top = false;
  bool right = false;
  bool bottom = false;

  static FrameSides all() { return {true, true, true, true}; }
  bool any() const { return left || top || right || bottom; }
  friend bool operator==(const FrameSides&, const FrameSides&) = default;
};

struct PrinterSettings {
  int copies = 1;
  bool duplex = false;
  PaperBin bin = PaperBin::Auto;
  int firstPage = 0;  // 0: from the first page
  int lastPage = 0;   // 0: to the last page
};

// Paper, orientation, margins and columns of a report.
struct PageSetup {
  PaperSize paper = PaperSize::A4;
  // Portrait size of a Custom paper; the named papers ignore these.
  int32_t customWidth = 2100;
  int32_t customHeight = 2970;
  Orientation orientation = Orientation::Portrait;
  int32_t topMargin = 100;
  int32_t bottomMargin = 100;
  int32_t leftMargin = 100;
  int32_t rightMargin = 100;
  int columns = 1;
  int32_t columnSpace = 0;

  // Page size with the orientation applied.
  int32_t pageWidth() const;
  int32_t pageHeight() const;
};

// Portrait width and height of a named paper in tenths of a millimetre.
void paperDimensions(PaperSize paper, int32_t& width, int32_t& height);

}  // namespace quiral
