#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <string>

#include "platform/error.h"
#include "platform/file_io.h"
#include "report_engine/crc32.h"
#include "report_engine/qrp_file.h"
#include "report_engine/qrp_format_internal.h"

namespace quiral {

namespace {

using qrp::ItemKind;

// The writer keeps to the limits the reader enforces, so every file it writes can be read back.
[[noreturn]] void unsavable(const std::string& what) {
  throw QuiralError("The prepared report cannot be saved: " + what);
}

void checkRange(int64_t v, int64_t low, int64_t high, const std::string& what) {
  if (v < low || v > high) unsavable(what);
}

void checkCoordinate(int32_t v) {
  checkRange(v, -qrp::kMaxCoordinate, qrp::kMaxCoordinate, "an item lies too far off its page");
}

void checkRect(const TenthsRect& r) {
  for (int32_t v : {r.left, r.top, r.right, r.bottom}) checkCoordinate(v);
}

void checkColor(Color c) {
  checkRange(c, 0, qrp::kMaxColor, "an item has a colour that is not RGB");
}

void checkItem(const PageItem& item) {
  std::visit(
      [](const auto& it) {
        using T = std::decay_t<decltype(it)>;
        if constexpr (std::is_same_v<T, PageFill>) {
          checkRect(it.box);
          checkColor(it.color);
        } else if constexpr (std::is_same_v<T, PageFrame>) {
          checkRect(it.box);
          checkColor(it.color);
          checkRange(it.penWidth, 0, qrp::kMaxPenWidth, "a frame line is too thick");
        } else if constexpr (std::is_same_v<T, PageText>) {
          checkRect(it.clip);
          checkColor(it.font.color);
          checkCoordinate(it.x);
          checkCoordinate(it.top);
          checkRange(int64_t(it.font.face.size()), 0, qrp::kMaxFaceLength,
                     "a font name is too long");
          checkRange(it.font.pointSize, 0, qrp::kMaxPointSize,
                     "a text is larger than " + std::to_string(qrp::kMaxPointSize) + " points");
          checkRange(int64_t(it.text.size()), 0, std::numeric_limits<uint32_t>::max(),
                     "a text is too long");
        } else {
          checkRect(it.box);
          checkRect(it.clip);
        }
      },
      item);
}

void checkReport(const PreparedReport& report) {
  checkRange(report.pageWidth, 1, kMaxPageLength, "the page is too large");
  checkRange(report.pageHeight, 1, kMaxPageLength, "the page is too large");
  checkRange(int64_t(report.title.size()), 0, std::numeric_limits<uint32_t>::max(),
             "the title is too long");
  checkRange(int64_t(report.pages.size()), 0, std::numeric_limits<uint32_t>::max(),
             "it has too many pages");
  for (const auto& page : report.pages) {
    if (page->items.size() > qrp::kMaxItemsPerPage)
      unsavable("a page holds more than " + std::to_string(qrp::kMaxItemsPerPage) + " items");
    for (const PageItem& item : page->items) checkItem(item);
    if (!qrp::coverageWithinLimit(*page, report.pageWidth, report.pageHeight))
      unsavable("a page is painted over more than " + std::to_string(qrp::kMaxPageCoverage) +
                " times");
  }
}

class ByteWriter {
 public:
  void u8(uint8_t v) { out_ += char(v); }
  void u16(uint16_t v) {
    for (int i = 0; i < 2; ++i) out_ += char((v >> (8 * i)) & 0xFF);
  }
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) out_ += char((v >> (8 * i)) & 0xFF);
  }
  void i32(int32_t v) { u32(uint32_t(v)); }
  void bytes(const void* data, size_t n) { out_.append(static_cast<const char*>(data), n); }
  void string(const std::string& s) {
    u32(uint32_t(s.size()));
    out_ += s;
  }
  void rect(const TenthsRect& r) { i32(r.left), i32(r.top), i32(r.right), i32(r.bottom); }
  std::string& out() { return out_; }

 private:
  std::string out_;
};

uint8_t sideBits(FrameSides s) {
  return uint8_t((s.left ? 1 : 0) | (s.top ? 2 : 0) | (s.right ? 4 : 0) | (s.bottom ? 8 : 0));
}

// Every distinct picture is stored once; items refer to it by its place in the table.
std::map<const CompactBitmap*, uint32_t> collectPictures(const PreparedReport& report,
                                                         std::vector<const CompactBitmap*>& table) {
  std::map<const CompactBitmap*, uint32_t> index;
  for (const auto& page : report.pages)
    for (const PageItem& item : page->items)
      if (auto* p = std::get_if<PagePicture>(&item); p && p->picture && !p->picture->empty())
        if (index.emplace(p->picture.get(), uint32_t(table.size())).second)
          table.push_back(p->picture.get());
  return index;
}

void writePicture(ByteWriter& w, const CompactBitmap& b) {
  // The reader refuses larger pictures as damage; never write a file that cannot be read back.
  if (uint32_t(b.width()) > qrp::kMaxPictureSide || uint32_t(b.height()) > qrp::kMaxPictureSide)
    unsavable("a picture is too large");
  w.u32(uint32_t(b.width()));
  w.u32(uint32_t(b.height()));
  // Runs of equal pixels, left to right and top to bottom: a symbol drawing is mostly white.
  std::string runs;
  Color runColor = 0;
  int runLength = 0;
  auto endRun = [&] {
    if (runLength == 0) return;
    runs += char(runLength - 1);
    runs += char(redOf(runColor)), runs += char(greenOf(runColor)), runs += char(blueOf(runColor));
    runLength = 0;
  };
  b.forEachRun([&](Color c, int count) {
    while (count > 0) {
      if (runLength == qrp::kMaxRun || (runLength > 0 && c != runColor)) endRun();
      runColor = c;
      const int taken = std::min(count, qrp::kMaxRun - runLength);
      runLength += taken;
      count -= taken;
    }
  });
  endRun();
  w.u32(uint32_t(runs.size() / qrp::kRunBytes));
  w.bytes(runs.data(), runs.size());
}

void writeItem(ByteWriter& w, const PageItem& item,
               const std::map<const CompactBitmap*, uint32_t>& pictures) {
  std::visit(
      [&](const auto& it) {
        using T = std::decay_t<decltype(it)>;
        if constexpr (std::is_same_v<T, PageFill>) {
          w.u8(uint8_t(ItemKind::Fill));
          w.rect(it.box);
          w.u32(it.color);
        } else if constexpr (std::is_same_v<T, PageFrame>) {
          w.u8(uint8_t(ItemKind::Frame));
          w.rect(it.box);
          w.u32(it.color);
          w.u8(sideBits(it.sides));
          w.i32(it.penWidth);
        } else if constexpr (std::is_same_v<T, PageText>) {
          w.u8(uint8_t(ItemKind::Text));
          w.rect(it.clip);
          w.u32(it.font.color);
          w.i32(it.x);
          w.i32(it.top);
          w.string(it.font.face);
          w.i32(it.font.pointSize);
          w.u8(it.font.bold ? 1 : 0);
          w.string(it.text);
        } else {
          w.u8(uint8_t(ItemKind::Picture));
          w.rect(it.box);
          w.u32(0);  // no colour of its own; keeps every item's head the same size
          w.rect(it.clip);
          w.u8(it.center ? 1 : 0);
          auto found = it.picture ? pictures.find(it.picture.get()) : pictures.end();
          // A picture without pixels is stored as index "none" and shows nothing.
          w.u32(found == pictures.end() ? 0xFFFFFFFFu : found->second);
        }
      },
      item);
}

}  // namespace

std::string encodePreparedReport(const PreparedReport& report) {
  checkReport(report);
  ByteWriter w;
  w.bytes(qrp::kMagic, sizeof qrp::kMagic);
  w.u16(kQrpVersion);
  w.string(report.title);
  w.i32(report.pageWidth);
  w.i32(report.pageHeight);
  w.u8(uint8_t(report.orientation));

  std::vector<const CompactBitmap*> table;
  const auto index = collectPictures(report, table);
  w.u32(uint32_t(table.size()));
  for (const CompactBitmap* b : table) writePicture(w, *b);

  w.u32(uint32_t(report.pages.size()));
  for (const auto& page : report.pages) {
    w.u32(uint32_t(page->items.size()));
    for (const PageItem& item : page->items) writeItem(w, item, index);
  }
  w.u32(crc32Of(w.out()));
  return std::move(w.out());
}

void savePreparedReport(const PreparedReport& report, const std::string& path) {
  writeFileAtomically(path, encodePreparedReport(report));
}

}  // namespace quiral
