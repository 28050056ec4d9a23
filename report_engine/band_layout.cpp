#include "report_engine/band_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "report_engine/report_clock.h"

namespace quiral {

namespace {

constexpr int32_t kFar = 1 << 29;

int32_t ceilTenths(double v) {
  return int32_t(std::clamp(std::ceil(v - 1e-9), 0.0, double(kFar)));
}

int32_t alignedLeft(Alignment a, int32_t boxLeft, int32_t boxWidth, int32_t textWidth) {
  switch (a) {
    case Alignment::Right:
      return boxLeft + boxWidth - textWidth;
    case Alignment::Center:
      return boxLeft + (boxWidth - textWidth) / 2;
    case Alignment::Left:
      break;
  }
  return boxLeft;
}

std::string sysDataText(const TQRSysData& e, const BandContext& context) {
  if (e.data() == TQRSysData::Data::DateTime) return context.dateTime;
  char digits[16];
  auto result = std::to_chars(digits, digits + sizeof digits, context.pageNumber);
  return std::string(digits, result.ptr);
}

// Lays out a text element; returns the bottom it needs when it grows with its text, else 0.
int32_t layoutText(const TQRTextElement& e, const std::string& text, bool wordWrap, bool grows,
                   const BandContext& context, std::vector<PageItem>& items) {
  const TextMeasurer& m = *context.measurer;
  const FontSpec font = e.font().value_or(context.defaultFont);
  const double lineHeight = m.lineHeight(font);

  std::vector<std::string> lines;
  std::vector<int32_t> widths;
  TenthsRect box = e.box();
  TenthsRect clip = box;
  if (e.autoSize()) {
    lines = splitLines(text);
    int32_t widest = 0;
    for (const auto& line : lines) {
      widths.push_back(ceilTenths(m.textWidth(font, line)));
      widest = std::max(widest, widths.back());
    }
    int32_t left = alignedLeft(e.alignment(), e.left(), e.width(), widest);
    box = {left, e.top(), left + widest, e.top() + ceilTenths(double(lines.size()) * lineHeight)};
    // Accents, descenders and slanted glyphs may overhang a box cut to the text.
    const int32_t overhang = ceilTenths(lineHeight);
    clip = {box.left - overhang, box.top - overhang, box.right + overhang, box.bottom + overhang};
    grows = false;
  } else {
    lines = wordWrap ? wrapText(m, font, text, e.width()) : splitLines(text);
    for (const auto& line : lines) widths.push_back(ceilTenths(m.textWidth(font, line)));
    if (grows) {
      int32_t needed = ceilTenths(double(lines.size()) * lineHeight);
      box.bottom = std::max(box.bottom, box.top + needed);
      clip = box;
    }
  }

  if (!e.transparent() && !box.empty()) items.push_back(PageFill{box, e.color()});
  for (size_t i = 0; i < lines.size(); ++i) {
    int32_t top = box.top + int32_t(std::lround(double(i) * lineHeight));
    if (clip.bottom <= top) break;  // cut by a fixed box
    if (lines[i].empty()) continue;
    int32_t x = alignedLeft(e.alignment(), box.left, box.width(), widths[i]);
    items.push_back(PageText{clip, x, top, font, lines[i]});
  }
  return grows ? box.bottom : 0;
}

// A copy of the picture as it is now.
std::shared_ptr<const CompactBitmap> snapshot(const Bitmap& picture) {
  return std::make_shared<const CompactBitmap>(picture);
}

void layoutImage(const TQRImage& e, std::vector<PageItem>& items) {
  const TenthsRect box = e.box();
  if (!e.picture().empty())
    items.push_back(PagePicture{box, box, e.center(), snapshot(e.picture()), e.vectors()});
  if (e.frame().any()) items.push_back(PageFrame{box, e.frame()});
}

// Cuts an item to `clip`; false when nothing of it is left.
bool clipItem(PageItem& item, const TenthsRect& clip) {
  return std::visit(
      [&](auto& it) {
        using T = std::decay_t<decltype(it)>;
        if constexpr (std::is_same_v<T, PageFill> || std::is_same_v<T, PageFrame>) {
          it.box = it.box.intersected(clip);
          return !it.box.empty();
        } else {
          it.clip = it.clip.intersected(clip);
          return !it.clip.empty();
        }
      },
      item);
}

void translateItem(PageItem& item, int32_t dx, int32_t dy) {
  std::visit(
      [&](auto& it) {
        using T = std::decay_t<decltype(it)>;
        if constexpr (std::is_same_v<T, PageText>) {
          it.clip = it.clip.translated(dx, dy);
          it.x += dx;
          it.top += dy;
        } else if constexpr (std::is_same_v<T, PagePicture>) {
          it.box = it.box.translated(dx, dy);
          it.clip = it.clip.translated(dx, dy);
        } else {
          it.box = it.box.translated(dx, dy);
        }
      },
      item);
}

}  // namespace

BandLayout layoutBand(const TQRBand& band, const BandContext& context) {
  BandLayout out;
  out.width = band.width();
  int32_t bottom = band.height();
  for (const auto& element : band.elements()) {
    if (!element->enabled()) continue;
    switch (element->kind()) {
      case TQRElement::Kind::Label: {
        const auto& label = static_cast<const TQRLabel&>(*element);
        bottom = std::max(bottom, layoutText(label, label.caption(), label.wordWrap(),
                                             label.autoStretch(), context, out.items));
        break;
      }
      case TQRElement::Kind::SysData: {
        const auto& sysData = static_cast<const TQRSysData&>(*element);
        layoutText(sysData, sysDataText(sysData, context), false, false, context, out.items);
        break;
      }
      case TQRElement::Kind::Image:
        layoutImage(static_cast<const TQRImage&>(*element), out.items);
        break;
    }
  }
  out.height = bottom;
  if (band.frame().any())
    out.items.push_back(PageFrame{{0, 0, out.width, out.height}, band.frame()});
  return out;
}

void placeBand(const BandLayout& band, int32_t x, int32_t y, const TenthsRect& area,
               PreparedPage& page) {
  const TenthsRect clip = TenthsRect{x, y, x + band.width, y + band.height}.intersected(area);
  if (clip.empty()) return;
  for (PageItem item : band.items) {
    translateItem(item, x, y);
    if (clipItem(item, clip)) page.items.push_back(std::move(item));
  }
}

}  // namespace quiral
