// Feeds arbitrary bytes to the prepared-report reader. Each input is tried as
// it is (the magic and checksum checks) and once more with a correct checksum,
// so the fuzzer reaches the field checks behind it. Whatever is accepted must
// survive writing, reading back and painting.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/error.h"
#include "platform/font_engine.h"
#include "report_engine/crc32.h"
#include "report_engine/page_painter.h"
#include "report_engine/qrp_file.h"

namespace {

quiral::FontEngine& sharedFonts() {
  static quiral::FontEngine fonts;  // one for the whole run, so fonts open once
  return fonts;
}

void exercise(const std::string& bytes) {
  quiral::PreparedReport report;
  try {
    report = quiral::decodePreparedReport(bytes);
  } catch (const quiral::QuiralError&) {
    return;
  }
  const std::string again = quiral::encodePreparedReport(report);
  if (quiral::encodePreparedReport(quiral::decodePreparedReport(again)) != again) std::abort();
  quiral::FontEngine& fonts = sharedFonts();
  quiral::Bitmap view(48, 64);
  for (const auto& page : report.pages) {
    quiral::paintPage(fonts, *page, view, 24.0);
    quiral::paintPage(fonts, *page, view, 600.0, 1000, 2000);
  }
}

}  // namespace

// Starts the fonts before the first input by painting one text: the font library's caches are
// then made outside any input, where the leak check between inputs does not count them.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quiral::PreparedPage page;
  quiral::PageText text;
  text.clip = {0, 0, 400, 100};
  text.font = {"Arial", 10};
  text.text = "Warm";
  page.items.push_back(text);
  quiral::Bitmap view(48, 64);
  quiral::paintPage(sharedFonts(), page, view, 96.0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  exercise(bytes);
  if (bytes.size() >= 4) {
    bytes.resize(bytes.size() - 4);
    const uint32_t sum = quiral::crc32Of(bytes);
    for (int i = 0; i < 4; ++i) bytes += char((sum >> (8 * i)) & 0xFF);
    exercise(bytes);
  }
  return 0;
}
