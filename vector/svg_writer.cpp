#include "vector/svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "vector/compact_path.h"
#include "vector/picture_frame.h"

namespace quiral {

namespace {

constexpr const char* kFontFamilies = "Liberation Sans, Arial, sans-serif";

class SvgText {
 public:
  SvgText(std::string& out, SvgForm form) : out_(out), form_(form) {}

  SvgForm form() const { return form_; }
  bool compact() const { return form_ == SvgForm::Compact; }
  std::string& out() { return out_; }

  SvgText& operator<<(const char* s) {
    out_ += s;
    return *this;
  }
  // Numbers with at most one decimal (a tenth of a mil; whole mils in the compact form) and no
  // trailing zeros, independent of the locale.
  SvgText& operator<<(double v) {
    if (!std::isfinite(v)) v = 0;
    const double scale = compact() ? 1 : 10;
    double rounded = std::round(v * scale) / scale;
    if (rounded == 0) rounded = 0;  // no "-0"
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 1);
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
  SvgForm form_;
};

// SVG's own names for the drawing's usual colours, shorter than their numbers.
SvgText& colorValue(SvgText& svg, Color c) {
  switch (c) {
    case colors::kBlack:
      return svg << "black";
    case colors::kWhite:
      return svg << "white";
    case colors::kTeal:
      return svg << "teal";
    case colors::kOlive:
      return svg << "olive";
    default:
      return svg.color(c);
  }
}

// The outline of a shape as path data (y turned to SVG's downward axis).
void appendPathData(SvgText& svg, const DisplayItem& item, const std::vector<Vec2>& points) {
  switch (item.kind) {
    case ItemKind::Polyline:
      for (uint32_t i = 0; i < item.count; ++i) {
        const Vec2& p = points[item.first + i];
        svg << (i == 0 ? "M" : i == 1 ? "L" : " ") << p.x << " " << -p.y;
      }
      if (item.count == 1) svg << "h0";  // a lone point still shows as a dot
      if (item.closed) svg << "Z";
      break;
    case ItemKind::Rectangle:
      svg << "M" << item.v[0] << " " << -item.v[1] << "H" << item.v[2] << "V" << -item.v[3] << "H"
          << item.v[0] << "Z";
      break;
    case ItemKind::Ellipse: {
      // Two half turns: an SVG arc cannot end where it starts.
      const double rx = item.v[2], ry = item.v[3];
      svg << "M" << item.v[0] - rx << " " << -item.v[1] << "a" << rx << " " << ry << " 0 1 0 "
          << 2 * rx << " 0a" << rx << " " << ry << " 0 1 0 " << -2 * rx << " 0Z";
      break;
    }
    case ItemKind::Arc: {
      const double cx = item.v[0], cy = item.v[1], rx = item.v[2], ry = item.v[3];
      auto at = [&](double degrees, double& x, double& y) {
        const double a = degrees * std::numbers::pi / 180;
        x = cx + rx * std::cos(a);
        y = -(cy + ry * std::sin(a));
      };
      double x, y;
      at(item.v[4], x, y);
      svg << "M" << x << " " << y;
      // Counter-clockwise on the page is sweep-flag 0 in SVG's y-down space; a whole turn is
      // drawn as two halves.
      double sweep = item.v[5], from = item.v[4];
      while (sweep > 0) {
        const double step = std::min(sweep, 180.0);
        at(from + step, x, y);
        svg << "A" << rx << " " << ry << " 0 0 0 " << x << " " << y;
        from += step;
        sweep -= step;
      }
      if (item.fill != FillKind::None) svg << "L" << cx << " " << -cy << "Z";  // pie slice
      break;
    }
    case ItemKind::Text:
      break;
  }
}

// The same outline in the compact form.
void appendCompactPathData(CompactPath& path, const DisplayItem& item,
                           const std::vector<Vec2>& points) {
  switch (item.kind) {
    case ItemKind::Polyline:
      for (uint32_t i = 0; i < item.count; ++i) {
        const Vec2& p = points[item.first + i];
        i == 0 ? path.moveTo(p.x, -p.y) : path.lineTo(p.x, -p.y);
      }
      if (item.count == 1) path.dot();
      if (item.closed) path.close();
      break;
    case ItemKind::Rectangle:
      path.moveTo(item.v[0], -item.v[1]);
      path.lineTo(item.v[2], -item.v[1]);
      path.lineTo(item.v[2], -item.v[3]);
      path.lineTo(item.v[0], -item.v[3]);
      path.close();
      break;
    case ItemKind::Ellipse: {
      const double rx = item.v[2], ry = item.v[3];
      path.moveTo(item.v[0] - rx, -item.v[1]);
      path.arcTo(rx, ry, true, item.v[0] + rx, -item.v[1]);
      path.arcTo(rx, ry, true, item.v[0] - rx, -item.v[1]);
      path.close();
      break;
    }
    case ItemKind::Arc: {
      const double cx = item.v[0], cy = item.v[1], rx = item.v[2], ry = item.v[3];
      auto at = [&](double degrees, double& x, double& y) {
        const double a = degrees * std::numbers::pi / 180;
        x = cx + rx * std::cos(a);
        y = -(cy + ry * std::sin(a));
      };
      double x, y;
      at(item.v[4], x, y);
      path.moveTo(x, y);
      double sweep = item.v[5], from = item.v[4];
      while (sweep > 0) {
        const double step = std::min(sweep, 180.0);
        at(from + step, x, y);
        path.arcTo(rx, ry, false, x, y);
        from += step;
        sweep -= step;
      }
      if (item.fill != FillKind::None) {
        path.lineTo(cx, -cy);
        path.close();
      }
      break;
    }
    case ItemKind::Text:
      break;
  }
}

struct TextStyle {
  double size;
  Color color;
  bool bold;
  bool italic;
  bool operator==(const TextStyle&) const = default;
};

void writeText(SvgText& svg, const DisplayText& t) {
  const double x = t.origin.x, y = -t.origin.y;
  svg << "<text x=\"" << x << "\" y=\"" << y << "\"";
  if (t.angle != 0)
    svg << " transform=\"rotate(" << -t.angle / 10.0 << " " << x << " " << y << ")\"";
  svg << ">";
  svg.escaped(t.utf8) << "</text>\n";
}

// A text in the compact form, inside a group turned by `degrees` (clockwise on screen): its
// position turned back by as much.
void writeTurnedText(SvgText& svg, const DisplayText& t, double degrees) {
  const double a = degrees * std::numbers::pi / 180, x = t.origin.x, y = -t.origin.y;
  svg << "<text x=\"" << x * std::cos(a) + y * std::sin(a) << "\" y=\""
      << y * std::cos(a) - x * std::sin(a) << "\">";
  svg.escaped(t.utf8) << "</text>";
}

// The texts of one style in the compact form: those of each angle in a group turned by it.
void writeCompactTexts(SvgText& svg, const std::vector<const DisplayText*>& texts) {
  std::vector<int> angles;
  for (const DisplayText* t : texts)
    if (std::find(angles.begin(), angles.end(), t->angle) == angles.end())
      angles.push_back(t->angle);
  for (int angle : angles) {
    const double degrees = -angle / 10.0;
    if (angle != 0) svg << "<g transform=\"rotate(" << degrees << ")\">";
    for (const DisplayText* t : texts)
      if (t->angle == angle) writeTurnedText(svg, *t, angle != 0 ? degrees : 0);
    if (angle != 0) svg << "</g>";
  }
}

// Writes items [from, to): their shapes in drawing order (runs of see-through shapes of one colour
// and width share one path; a shape that hides what is under it stays an element of its own),
// then their texts grouped by style.
void writeShapes(SvgText& svg, const DisplayList& list, size_t from, size_t to) {
  const std::vector<DisplayItem>& items = list.items();
  const char* end = svg.compact() ? "" : "\n";
  for (size_t i = from; i < to;) {
    const DisplayItem& first = items[i];
    if (first.kind == ItemKind::Text) {
      ++i;
      continue;
    }
    svg << "<path d=\"";
    CompactPath path(svg.out());
    const auto append = [&](const DisplayItem& item) {
      if (svg.compact())
        appendCompactPathData(path, item, list.points());
      else
        appendPathData(svg, item, list.points());
    };
    append(first);
    size_t next = i + 1;
    if (first.fill == FillKind::None) {
      for (; next < to; ++next) {
        const DisplayItem& item = items[next];
        if (item.kind == ItemKind::Text) continue;
        if (item.fill != FillKind::None || item.color != first.color || item.width != first.width)
          break;
        append(item);
      }
    }
    svg << "\"";
    if (first.color != colors::kBlack) colorValue(svg << " stroke=\"", first.color) << "\"";
    if (first.width > 0 && first.width != kVectorLineWidth)
      svg << " stroke-width=\"" << double(first.width) << "\"";
    if (first.fill == FillKind::Background) svg << " fill=\"white\"";
    if (first.fill == FillKind::Solid) colorValue(svg << " fill=\"", first.fillColor) << "\"";
    svg << "/>" << end;
    i = next;
  }
}

void writePart(SvgText& svg, const DisplayList& list, size_t from, size_t to) {
  const std::vector<DisplayItem>& items = list.items();
  // The compact form's root holds the shapes' style.
  if (!svg.compact())
    svg << "<g fill=\"none\" stroke=\"black\" stroke-width=\"" << kVectorLineWidth
        << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
  writeShapes(svg, list, from, to);
  if (!svg.compact()) svg << "</g>\n";
  std::vector<TextStyle> styles;
  for (size_t i = from; i < to; ++i) {
    if (items[i].kind != ItemKind::Text) continue;
    const DisplayText& t = list.texts()[items[i].text];
    const TextStyle style{t.size, items[i].color, t.bold, t.italic};
    if (std::find(styles.begin(), styles.end(), style) == styles.end()) styles.push_back(style);
  }
  for (const TextStyle& style : styles) {
    svg << "<g";
    if (!svg.compact()) svg << " font-family=\"" << kFontFamilies << "\"";
    svg << " font-size=\"";
    SvgText(svg.out(), SvgForm::Full) << style.size;  // a whole unit would move a long text's end
    svg << "\" fill=\"";
    colorValue(svg, style.color) << "\"";
    if (svg.compact()) svg << " stroke=\"none\"";
    if (style.bold) svg << " font-weight=\"bold\"";
    if (style.italic) svg << " font-style=\"italic\"";
    svg << (svg.compact() ? ">" : ">\n");
    std::vector<const DisplayText*> texts;
    for (size_t i = from; i < to; ++i) {
      if (items[i].kind != ItemKind::Text) continue;
      const DisplayText& t = list.texts()[items[i].text];
      if (TextStyle{t.size, items[i].color, t.bold, t.italic} != style) continue;
      if (svg.compact())
        texts.push_back(&t);
      else
        writeText(svg, t);
    }
    if (svg.compact()) writeCompactTexts(svg, texts);
    svg << (svg.compact() ? "</g>" : "</g>\n");
  }
}

}  // namespace

std::string symbolSvg(const DisplayList& list, double margin, SvgForm form) {
  std::string out;
  out.reserve(256 + list.items().size() * 48 + list.points().size() * 12);
  SvgText header(out, SvgForm::Full);  // the sizes in millimetres keep their tenths
  const PictureBox box = pictureBox(list, margin);
  header << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << box.width * kMillimetresPerUnit
         << "mm\" height=\"" << box.height * kMillimetresPerUnit << "mm\" viewBox=\"" << box.left
         << " " << -box.top << " " << box.width << " " << box.height << "\"";
  SvgText svg(out, form);
  if (svg.compact())
    svg << " fill=\"none\" stroke=\"black\" stroke-width=\"" << kVectorLineWidth
        << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" font-family=\"" << kFontFamilies
        << "\"";
  svg << ">\n";
  // The items in drawing order, cut where an opaque shape (one filled inside) follows a text, so
  // that the shape hides the text as it does in every other output. A part's texts are written
  // after its shapes, so that no line of the part covers one.
  const std::vector<DisplayItem>& items = list.items();
  size_t from = 0;
  bool textInPart = false;
  for (size_t i = 0; i < items.size(); ++i) {
    const bool opaque = items[i].kind != ItemKind::Text && items[i].fill != FillKind::None;
    if (opaque && textInPart) {
      writePart(svg, list, from, i);
      from = i;
      textInPart = false;
    }
    textInPart |= items[i].kind == ItemKind::Text;
  }
  writePart(svg, list, from, items.size());
  svg << "</svg>\n";
  return out;
}

}  // namespace quiral
