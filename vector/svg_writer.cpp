#include "vector/svg_writer.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "vector/picture_frame.h"

namespace quiral {

namespace {

constexpr const char* kFontFamilies = "Liberation Sans, Arial, sans-serif";

class SvgText {
 public:
  explicit SvgText(std::string& out) : out_(out) {}

  SvgText& operator<<(const char* s) {
    out_ += s;
    return *this;
  }
  // Numbers with at most two decimals and no trailing zeros, independent of the locale.
  SvgText& operator<<(double v) {
    if (!std::isfinite(v)) v = 0;
    double rounded = std::round(v * 100) / 100;
    if (rounded == 0) rounded = 0;  // no "-0"
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 2);
    char* end = r.ptr;
    while (end > buf && end[-1] == '0') --end;
    if (end > buf && end[-1] == '.') --end;
    out_.append(buf, end);
    return *this;
  }
  SvgText& color(Color c) {
    static const char* hex = "0123456789ABCDEF";
    out_ += '#';
    for (int shift = 20; shift >= 0; shift -= 4) out_ += hex[(c >> shift) & 0xF];
    return *this;
  }
  // Text content or an attribute value: markup characters escaped, and the control characters
  // that XML cannot hold at all replaced.
  SvgText& escaped(const std::string& s) {
    for (char ch : s) {
      switch (ch) {
        case '&':
          out_ += "&amp;";
          break;
        case '<':
          out_ += "&lt;";
          break;
        case '>':
          out_ += "&gt;";
          break;
        case '"':
          out_ += "&quot;";
          break;
        case '\'':
          out_ += "&apos;";
          break;
        default:
          if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t') {
            out_ += "\xEF\xBF\xBD";  // U+FFFD
          } else {
            out_ += ch;
          }
      }
    }
    return *this;
  }

 private:
  std::string& out_;
};

void strokeAndFill(SvgText& svg, const DisplayItem& item) {
  svg << " stroke=\"";
  svg.color(item.color) << "\"";
  if (item.fill == FillKind::Background) svg << " fill=\"#FFFFFF\"";
}

void writeArc(SvgText& svg, const DisplayItem& item) {
  const double cx = item.v[0], cy = item.v[1], rx = item.v[2], ry = item.v[3];
  auto at = [&](double degrees, double& x, double& y) {
    const double a = degrees * std::numbers::pi / 180;
    x = cx + rx * std::cos(a);
    y = -(cy + ry * std::sin(a));
  };
  double x, y;
  at(item.v[4], x, y);
  svg << "<path d=\"M" << x << " " << y;
  // Counter-clockwise on the page is sweep-flag 0 in SVG's y-down space. A whole turn is drawn
  // as two halves, since an SVG arc cannot end where it starts.
  double sweep = item.v[5];
  double start = item.v[4];
  while (sweep > 0) {
    const double step = sweep > 180 ? std::min(sweep, 180.0) : sweep;
    at(start + step, x, y);
    svg << "A" << rx << " " << ry << " 0 0 0 " << x << " " << y;
    start += step;
    sweep -= step;
  }
  svg << "\"";
  strokeAndFill(svg, item);
  svg << "/>\n";
}

void writeText(SvgText& svg, const DisplayText& t, Color color) {
  const double x = t.origin.x, y = -t.origin.y;
  svg << "<text x=\"" << x << "\" y=\"" << y << "\" font-size=\"" << t.size << "\"";
  if (t.bold) svg << " font-weight=\"bold\"";
  if (t.italic) svg << " font-style=\"italic\"";
  svg << " fill=\"";
  svg.color(color) << "\"";
  if (t.angle != 0)
    svg << " transform=\"rotate(" << -t.angle / 10.0 << " " << x << " " << y << ")\"";
  svg << ">";
  svg.escaped(t.utf8) << "</text>\n";
}

}  // namespace

std::string symbolSvg(const DisplayList& list, double margin) {
  std::string out;
  out.reserve(256 + list.items().size() * 96 + list.points().size() * 16);
  SvgText svg(out);
  const PictureBox box = pictureBox(list, margin);
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << box.width * kMillimetresPerUnit
      << "mm\" height=\"" << box.height * kMillimetresPerUnit << "mm\" viewBox=\"" << box.left
      << " " << -box.top << " " << box.width << " " << box.height << "\">\n"
      << "<g fill=\"none\" stroke-width=\"" << kVectorLineWidth
      << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" font-family=\"" << kFontFamilies
      << "\">\n";
  const std::vector<Vec2>& points = list.points();
  for (const DisplayItem& item : list.items()) {
    switch (item.kind) {
      case ItemKind::Polyline: {
        svg << "<path d=\"";
        for (uint32_t i = 0; i < item.count; ++i) {
          const Vec2& p = points[item.first + i];
          svg << (i == 0 ? "M" : "L") << p.x << " " << -p.y;
        }
        if (item.count == 1) svg << "h0";  // a lone point still shows as a dot
        if (item.closed) svg << "Z";
        svg << "\"";
        strokeAndFill(svg, item);
        svg << "/>\n";
        break;
      }
      case ItemKind::Rectangle: {
        const double l = std::min(item.v[0], item.v[2]), r = std::max(item.v[0], item.v[2]);
        const double b = std::min(item.v[1], item.v[3]), t = std::max(item.v[1], item.v[3]);
        svg << "<rect x=\"" << l << "\" y=\"" << -t << "\" width=\"" << r - l << "\" height=\""
            << t - b << "\"";
        strokeAndFill(svg, item);
        svg << "/>\n";
        break;
      }
      case ItemKind::Ellipse:
        svg << "<ellipse cx=\"" << item.v[0] << "\" cy=\"" << -item.v[1] << "\" rx=\"" << item.v[2]
            << "\" ry=\"" << item.v[3] << "\"";
        strokeAndFill(svg, item);
        svg << "/>\n";
        break;
      case ItemKind::Arc:
        writeArc(svg, item);
        break;
      case ItemKind::Text:
        writeText(svg, list.texts()[item.text], item.color);
        break;
    }
  }
  svg << "</g>\n</svg>\n";
  return out;
}

}  // namespace quiral
