#include "report_engine/text_layout.h"

#include <algorithm>

#include "platform/page_text.h"
#include "report_engine/report_types.h"

namespace quiral {

namespace {

bool isContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length of the character starting at `pos` (a UTF-8 sequence, or one byte).
size_t characterLength(std::string_view s, size_t pos) {
  size_t end = pos + 1;
  while (end < s.size() && isContinuationByte(s[end])) ++end;
  return end - pos;
}

// Cuts a word wider than the line into pieces that fit, one character at least per piece.
void breakLongWord(const TextMeasurer& m, const FontSpec& font, std::string_view word, double width,
                   std::vector<std::string>& lines, std::string& line, double& lineWidth) {
  size_t pos = 0;
  while (pos < word.size()) {
    size_t len = characterLength(word, pos);
    double w = m.textWidth(font, word.substr(pos, len));
    if (!line.empty() && lineWidth + w > width) {
      lines.push_back(std::move(line));
      line.clear();
      lineWidth = 0;
    }
    line.append(word.substr(pos, len));
    lineWidth += w;
    pos += len;
  }
}

void wrapParagraph(const TextMeasurer& m, const FontSpec& font, std::string_view text, double width,
                   std::vector<std::string>& lines) {
  std::string line;
  double lineWidth = 0;
  bool lineStarted = false;  // a line may hold only spaces when the paragraph starts with them
  size_t pos = 0;
  while (pos < text.size()) {
    size_t wordStart = text.find_first_not_of(' ', pos);
    if (wordStart == std::string_view::npos) wordStart = text.size();
    size_t wordEnd = std::min(text.find(' ', wordStart), text.size());
    std::string_view spaces = text.substr(pos, wordStart - pos);
    std::string_view word = text.substr(wordStart, wordEnd - wordStart);
    pos = wordEnd;
    if (word.empty()) break;  // trailing spaces are not printed

    double spaceWidth = spaces.empty() ? 0.0 : m.textWidth(font, spaces);
    double wordWidth = m.textWidth(font, word);
    if (lineStarted && lineWidth + spaceWidth + wordWidth > width) {
      lines.push_back(std::move(line));
      line.clear();
      lineWidth = 0;
      spaceWidth = 0;
      spaces = {};
    }
    line.append(spaces);
    lineWidth += spaceWidth;
    lineStarted = true;
    if (lineWidth + wordWidth > width && line.size() == spaces.size()) {
      breakLongWord(m, font, word, width, lines, line, lineWidth);
    } else {
      line.append(word);
      lineWidth += wordWidth;
    }
  }
  lines.push_back(std::move(line));
}

}  // namespace

double PageTextMeasurer::textWidth(const FontSpec& font, std::string_view text) const {
  return text.empty() ? 0.0 : pageTextWidth(*fonts_, font, emTenths(font), text);
}

double PageTextMeasurer::lineHeight(const FontSpec& font) const {
  return pageFontMetrics(*fonts_, font, emTenths(font)).height();
}

double emTenths(const FontSpec& font) {
  return std::max(font.pointSize, 1) * kTenthsPerInch / 72.0;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::vector<std::string> wrapText(const TextMeasurer& measurer, const FontSpec& font,
                                  std::string_view text, double width) {
  std::vector<std::string> lines;
  for (const std::string& paragraph : splitLines(text))
    wrapParagraph(measurer, font, paragraph, width, lines);
  return lines;
}

}  // namespace quiral
