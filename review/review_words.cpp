#include "review/review_words.h"

#include "platform/text_codec.h"

namespace quiral {

namespace {

std::string entryHead(const ReviewEntry& entry) {
  std::string head = entry.library + ": ";
  if (!entry.symbol.empty()) head += symbolLabel(entry) + ": ";
  return head;
}

// What an added, removed or renamed entry says on its own line.
std::string entryChange(const ReviewEntry& entry) {
  std::string text;
  if (entry.symbol.empty()) text = "library ";
  if (entry.alias) text = "alias ";
  text += changeWord(entry.change);
  if (entry.change == ChangeKind::Renamed) text += " from " + entry.from;
  return text;
}

void appendJsonString(std::string& out, std::string_view bytes) {
  static const char* hex = "0123456789abcdef";
  out += '"';
  for (char c : displayText(bytes)) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      out += "\\u00";
      out += hex[b >> 4];
      out += hex[b & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

std::string entryWords(const ReviewEntry& entry) {
  const std::string head = entryHead(entry);
  std::string out;
  const bool changedOnly = entry.change == ChangeKind::Changed && !entry.alias;
  if (!changedOnly) {
    out += head + entryChange(entry);
    // An added or removed library or alias says what it holds or belongs to on the same line.
    if (entry.change == ChangeKind::Added || entry.change == ChangeKind::Removed) {
      for (const Difference& d : entry.differences) out += " (" + d.what + " " + d.detail + ")";
      return out + "\n";
    }
    out += "\n";
  }
  for (const Difference& d : entry.differences) out += head + d.what + ": " + d.detail + "\n";
  return out;
}

std::string reviewWords(const Review& review) {
  std::string out;
  for (const ReviewEntry& entry : review.entries) out += entryWords(entry);
  return out;
}

std::string reviewJson(const Review& review) {
  std::string out = "[";
  bool firstEntry = true;
  for (const ReviewEntry& entry : review.entries) {
    out += firstEntry ? "\n  {" : ",\n  {";
    firstEntry = false;
    out += "\"library\": ";
    appendJsonString(out, entry.library);
    if (!entry.symbol.empty()) {
      out += ", \"symbol\": ";
      appendJsonString(out, entry.symbol);
      if (entry.occurrence > 0) out += ", \"occurrence\": " + std::to_string(entry.occurrence + 1);
      if (entry.alias) out += ", \"alias\": true";
    }
    out += ", \"change\": \"";
    out += changeWord(entry.change);
    out += "\"";
    if (entry.change == ChangeKind::Renamed) {
      out += ", \"from\": ";
      appendJsonString(out, entry.from);
    }
    out += ", \"differences\": [";
    for (size_t i = 0; i < entry.differences.size(); ++i) {
      out += i ? ", {\"what\": " : "{\"what\": ";
      appendJsonString(out, entry.differences[i].what);
      out += ", \"detail\": ";
      appendJsonString(out, entry.differences[i].detail);
      out += "}";
    }
    out += "]}";
  }
  out += firstEntry ? "]\n" : "\n]\n";
  return out;
}

}  // namespace quiral
