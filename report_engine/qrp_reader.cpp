#include <cstring>
#include <limits>
#include <string>

#include "platform/error.h"
#include "platform/file_io.h"
#include "report_engine/crc32.h"
#include "report_engine/qrp_file.h"
#include "report_engine/qrp_format_internal.h"

namespace quiral {

namespace {

using qrp::ItemKind;

// A prepared report is pictures of at most a few megabytes a page; anything past this is not
// one of ours.
constexpr size_t kMaxFileBytes = size_t(1) << 31;

// `offset` is where in the file the reading stopped, for whoever looks into the file.
[[noreturn]] void damaged(size_t offset) {
  throw QuiralError("The prepared report file is damaged and cannot be read (at byte " +
                    std::to_string(offset) + ")");
}

// Reads little-endian values, refusing to read past the end.
class ByteReader {
 public:
  // `base` is where `bytes` begin in the file.
  explicit ByteReader(std::string_view bytes, size_t base = 0) : bytes_(bytes), base_(base) {}

  size_t remaining() const { return bytes_.size() - pos_; }
  size_t offset() const { return base_ + pos_; }
  [[noreturn]] void damaged() const { quiral::damaged(offset()); }
  void need(uint64_t n) const {
    if (n > remaining()) damaged();
  }
  uint8_t u8() {
    need(1);
    return uint8_t(bytes_[pos_++]);
  }
  uint16_t u16() {
    uint16_t v = u8();
    return uint16_t(v | (uint16_t(u8()) << 8));
  }
  uint32_t u32() {
    need(4);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(bytes_[pos_++])) << (8 * i);
    return v;
  }
  int32_t i32() { return int32_t(u32()); }
  int32_t bounded(int32_t low, int32_t high) {
    int32_t v = i32();
    if (v < low || v > high) damaged();
    return v;
  }
  int32_t coordinate() { return bounded(-qrp::kMaxCoordinate, qrp::kMaxCoordinate); }
  TenthsRect rect() {
    TenthsRect r;
    r.left = coordinate(), r.top = coordinate(), r.right = coordinate(), r.bottom = coordinate();
    return r;
  }
  Color color() {
    uint32_t c = u32();
    if (c > qrp::kMaxColor) damaged();
    return c;
  }
  bool flag() {
    uint8_t v = u8();
    if (v > 1) damaged();
    return v == 1;
  }
  std::string string(uint32_t maxLength = std::numeric_limits<uint32_t>::max()) {
    uint32_t n = u32();
    if (n > maxLength) damaged();
    need(n);
    std::string s(bytes_.substr(pos_, n));
    pos_ += n;
    return s;
  }
  // A count of records that take at least `minBytes` each: never more than the rest can hold.
  uint32_t count(uint64_t minBytes) {
    uint32_t n = u32();
    need(uint64_t(n) * minBytes);
    return n;
  }
  const char* take(size_t n) {
    need(n);
    const char* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
  }

 private:
  std::string_view bytes_;
  size_t base_;
  size_t pos_ = 0;
};

std::shared_ptr<const CompactBitmap> readPicture(ByteReader& r) {
  const uint32_t w = r.u32(), h = r.u32();
  if (w == 0 || h == 0 || w > qrp::kMaxPictureSide || h > qrp::kMaxPictureSide) r.damaged();
  // The runs must be in the file before the picture is made, and must be able to cover it: the
  // picture is never larger than what the runs present can fill.
  const uint32_t runCount = r.count(qrp::kRunBytes);
  const uint64_t pixels = uint64_t(w) * h;
  if (pixels > uint64_t(runCount) * qrp::kMaxRun || pixels < runCount) r.damaged();
  Bitmap b{int(w), int(h)};
  uint8_t* out = b.data();
  uint64_t filled = 0;
  for (uint32_t i = 0; i < runCount; ++i) {
    const uint32_t length = uint32_t(r.u8()) + 1;
    if (length > uint32_t(qrp::kMaxRun)) r.damaged();
    const char* rgb = r.take(3);
    if (filled + length > pixels) r.damaged();
    for (uint32_t k = 0; k < length; ++k, out += 3) std::memcpy(out, rgb, 3);
    filled += length;
  }
  if (filled != pixels) r.damaged();
  return std::make_shared<const CompactBitmap>(b);
}

FrameSides sidesFrom(const ByteReader& r, uint8_t bits) {
  if (bits > 15) r.damaged();
  return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
}

PageItem readItem(ByteReader& r,
                  const std::vector<std::shared_ptr<const CompactBitmap>>& pictures) {
  const uint8_t kind = r.u8();
  const TenthsRect box = r.rect();
  const Color color = r.color();
  switch (ItemKind(kind)) {
    case ItemKind::Fill:
      return PageFill{box, color};
    case ItemKind::Frame: {
      FrameSides sides = sidesFrom(r, r.u8());
      return PageFrame{box, sides, color, r.bounded(0, qrp::kMaxPenWidth)};
    }
    case ItemKind::Text: {
      PageText t;
      t.clip = box;
      t.font.color = color;
      t.x = r.coordinate();
      t.top = r.coordinate();
      t.font.face = r.string(qrp::kMaxFaceLength);
      t.font.pointSize = r.bounded(0, qrp::kMaxPointSize);
      t.font.bold = r.flag();
      t.text = r.string();
      return t;
    }
    case ItemKind::Picture: {
      PagePicture p;
      p.box = box;
      p.clip = r.rect();
      p.center = r.flag();
      uint32_t index = r.u32();
      if (index != 0xFFFFFFFFu) {
        if (index >= pictures.size()) r.damaged();
        p.picture = pictures[index];
      }
      return p;
    }
  }
  r.damaged();
}

}  // namespace

PreparedReport decodePreparedReport(std::string_view bytes) {
  if (bytes.size() < sizeof qrp::kMagic ||
      std::memcmp(bytes.data(), qrp::kMagic, sizeof qrp::kMagic) != 0)
    throw QuiralError("The file is not a prepared report");
  // Check the whole file before reading any of it: damage anywhere is refused up front.
  if (bytes.size() < sizeof qrp::kMagic + 4) damaged(bytes.size());
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  ByteReader tail(bytes.substr(bytes.size() - 4), bytes.size() - 4);
  const uint32_t storedSum = tail.u32();

  ByteReader r(body);
  r.take(sizeof qrp::kMagic);
  const uint16_t version = r.u16();
  if (version > kQrpVersion)
    throw QuiralError("The prepared report was written by a newer version of the program");
  if (version == 0) r.damaged();
  if (crc32Of(body) != storedSum) damaged(body.size());  // where the checksum is

  PreparedReport report;
  report.title = r.string();
  report.pageWidth = r.bounded(1, kMaxPageLength);
  report.pageHeight = r.bounded(1, kMaxPageLength);
  const uint8_t orientation = r.u8();
  if (orientation > uint8_t(Orientation::Landscape)) r.damaged();
  report.orientation = Orientation(orientation);

  std::vector<std::shared_ptr<const CompactBitmap>> pictures(r.count(qrp::kMinPictureBytes));
  for (auto& picture : pictures) picture = readPicture(r);

  report.pages.resize(r.count(qrp::kMinPageBytes));
  for (auto& slot : report.pages) {
    auto page = std::make_shared<PreparedPage>();
    const uint32_t items = r.count(qrp::kMinItemBytes);
    if (items > qrp::kMaxItemsPerPage) r.damaged();
    page->items.resize(items);
    for (PageItem& item : page->items) item = readItem(r, pictures);
    if (!qrp::coverageWithinLimit(*page, report.pageWidth, report.pageHeight)) r.damaged();
    slot = std::move(page);
  }
  if (r.remaining() != 0) r.damaged();
  return report;
}

PreparedReport loadPreparedReport(const std::string& path) {
  const std::string bytes = readWholeFile(path, kMaxFileBytes);
  try {
    return decodePreparedReport(bytes);
  } catch (const QuiralError& e) {
    throw QuiralError(path + ": " + e.what());  // which file is damaged, not only that one is
  }
}

}  // namespace quiral
