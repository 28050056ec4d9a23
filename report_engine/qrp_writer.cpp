#include <map>

#include "platform/error.h"
#include "report_engine/crc32.h"
#include "platform/file_io.h"
#include "report_engine/qrp_file.h"
#include "report_engine/qrp_format_internal.h"

namespace quiral {

namespace {

using qrp::ItemKind;

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
std::map<const Bitmap*, uint32_t> collectPictures(const PreparedReport& report,
                                                  std::vector<const Bitmap*>& table) {
  std::map<const Bitmap*, uint32_t> index;
  for (const auto& page : report.pages)
    for (const PageItem& item : page->items)
      if (auto* p = std::get_if<PagePicture>(&item); p && p->picture && !p->picture->empty())
        if (index.emplace(p->picture.get(), uint32_t(table.size())).second)
          table.push_back(p->picture.get());
  return index;
}

void writePicture(ByteWriter& w, const Bitmap& b) {
  // The reader refuses larger pictures as damage; never write a file that cannot be read back.
  if (uint32_t(b.width()) > qrp::kMaxPictureSide || uint32_t(b.height()) > qrp::kMaxPictureSide)
    throw QuiralError("A picture of the report is too large to be saved");
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
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) {
      const Color c = b.pixel(x, y);
      if (runLength == qrp::kMaxRun || (runLength > 0 && c != runColor)) endRun();
      runColor = c;
      ++runLength;
    }
  endRun();
  w.u32(uint32_t(runs.size() / qrp::kRunBytes));
  w.bytes(runs.data(), runs.size());
}

void writeItem(ByteWriter& w, const PageItem& item,
               const std::map<const Bitmap*, uint32_t>& pictures) {
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
  ByteWriter w;
  w.bytes(qrp::kMagic, sizeof qrp::kMagic);
  w.u16(kQrpVersion);
  w.string(report.title);
  w.i32(report.pageWidth);
  w.i32(report.pageHeight);
  w.u8(uint8_t(report.orientation));

  std::vector<const Bitmap*> table;
  const auto index = collectPictures(report, table);
  w.u32(uint32_t(table.size()));
  for (const Bitmap* b : table) writePicture(w, *b);

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
