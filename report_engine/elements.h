#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "report_engine/prepared_page.h"
#include "report_engine/report_types.h"

namespace quiral {

// Something placed on a band by its left and top position, in tenths of a millimetre.
class TQRElement {
 public:
  enum class Kind { Label, SysData, Image };

  TQRElement(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
  virtual ~TQRElement() = default;
  TQRElement(const TQRElement&) = delete;
  TQRElement& operator=(const TQRElement&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }

  int32_t left() const { return left_; }
  int32_t top() const { return top_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  void setBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  TenthsRect box() const { return {left_, top_, left_ + width_, top_ + height_}; }

  // A disabled element is neither printed nor shown.
  bool enabled() const { return enabled_; }
  void setEnabled(bool on) { enabled_ = on; }

 private:
  Kind kind_;
  std::string name_;
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool enabled_ = true;
};

// What the text elements share: font, alignment, background and sizing to the text.
class TQRTextElement : public TQRElement {
 public:
  using TQRElement::TQRElement;

  // Without a font of its own the element prints in the report's default font.
  const std::optional<FontSpec>& font() const { return font_; }
  void setFont(const FontSpec& f) { font_ = f; }

  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment a) { alignment_ = a; }

  // Background colour; a transparent element leaves what is behind it.
  Color color() const { return color_; }
  void setColor(Color c) { color_ = c; }
  bool transparent() const { return transparent_; }
  void setTransparent(bool on) { transparent_ = on; }

  // Sizes to its text: the box becomes as wide and high as the text's lines.
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool on) { autoSize_ = on; }

 private:
  std::optional<FontSpec> font_;
  Alignment alignment_ = Alignment::Left;
  Color color_ = colors::kWhite;
  bool transparent_ = false;
  bool autoSize_ = true;
};

// A text label (the captions of a report, and the fields its need-data hook fills).
class TQRLabel : public TQRTextElement {
 public:
  explicit TQRLabel(std::string name) : TQRTextElement(Kind::Label, std::move(name)) {}

  // Bytes, shown as UTF-8 when valid, otherwise as Windows-1252.
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text) { caption_ = std::move(text); }

  // Breaks the text into lines at spaces to fit the box width (a fixed-size label only).
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool on) { wordWrap_ = on; }

  // Grows downwards with its text, stretching its band when it needs more room.
  bool autoStretch() const { return autoStretch_; }
  void setAutoStretch(bool on) { autoStretch_ = on; }

 private:
  std::string caption_;
  bool wordWrap_ = true;
  bool autoStretch_ = false;
};

// A label that prints a value of the run: the page number or the date and time of printing.
class TQRSysData : public TQRTextElement {
 public:
  enum class Data { PageNumber, DateTime };

  TQRSysData(std::string name, Data data)
      : TQRTextElement(Kind::SysData, std::move(name)), data_(data) {}

  Data data() const { return data_; }
  void setData(Data d) { data_ = d; }

 private:
  Data data_;
};

// A picture box. The program draws on `picture()`; the picture is printed at its own size at
// 96 pixels per inch (one pixel is 25.4/96 mm), centred in the box when centring is on, and
// never outside the box.
class TQRImage : public TQRElement {
 public:
  explicit TQRImage(std::string name) : TQRElement(Kind::Image, std::move(name)) {}

  Bitmap& picture() { return picture_; }
  const Bitmap& picture() const { return picture_; }

  FrameSides frame() const { return frame_; }
  void setFrame(FrameSides sides) { frame_ = sides; }

  bool center() const { return center_; }
  void setCenter(bool on) { center_ = on; }

  // The picture as vectors, printed beside its pixels until replaced (null: none).
  const std::shared_ptr<const PictureDrawing>& vectors() const { return vectors_; }
  void setVectors(std::shared_ptr<const PictureDrawing> vectors) { vectors_ = std::move(vectors); }

 private:
  Bitmap picture_;
  std::shared_ptr<const PictureDrawing> vectors_;
  FrameSides frame_;
  bool center_ = false;
};

}  // namespace quiral
