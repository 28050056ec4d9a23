#include "pdf/image_dictionary.h"

#include "pdf/pdf_syntax.h"

namespace quiral {

using pdf_syntax::number;

namespace {

void appendHex(std::string& out, uint8_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  out += kDigits[value >> 4];
  out += kDigits[value & 15];
}

std::string imageHead(int width, int height) {
  return "<< /Type /XObject\r\n/Subtype /Image\r\n/Width " + number(width) + "\r\n/Height " +
         number(height) + "\r\n";
}

}  // namespace

std::string paletteText(const std::array<Color, 256>& palette) {
  std::string text;
  text.reserve(256 * 7);
  for (Color c : palette) {
    appendHex(text, redOf(c));
    appendHex(text, greenOf(c));
    appendHex(text, blueOf(c));
    text += ' ';
  }
  return text;
}

std::string indexedImageDictionary(int width, int height, const std::array<Color, 256>& palette,
                                   size_t length, int32_t n, bool compressed) {
  std::string d = imageHead(width, height);
  d += "/ColorSpace [/Indexed /DeviceRGB 255 <" + paletteText(palette) + ">]\r\n";
  d += "/BitsPerComponent 8\r\n";
  d += "/Length " + number(int64_t(length)) + "\r\n";
  d += "/Name /Im" + number(n) + "\r\n";
  if (compressed) d += "/Filter [/FlateDecode]\r\n";
  d += ">>\r\nstream\r\n";
  return d;
}

std::string jpegImageDictionary(int width, int height, size_t length, int32_t n) {
  std::string d = imageHead(width, height);
  d += "/ColorSpace /DeviceRGB\r\n";
  d += "/BitsPerComponent 8\r\n";
  d += "/Length " + number(int64_t(length)) + "\r\n";
  d += "/Name /Im" + number(n) + "\r\n";
  d += "/Filter [/DCTDecode]\r\n";
  d += ">>\r\nstream\r\n";
  return d;
}

}  // namespace quiral
