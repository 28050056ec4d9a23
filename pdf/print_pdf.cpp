#include "pdf/print_pdf.h"

#include <cstdio>
#include <limits>

#include "pdf/compression_stream.h"
#include "pdf/pdf_syntax.h"
#include "pdf/spool_folder.h"
#include "platform/file_io.h"

namespace quiral {

using pdf_syntax::appendNumber;
using pdf_syntax::number;

namespace {

// The largest offset that the 10 digits of a cross-reference entry can hold.
constexpr int64_t kMaxOffset = 9'999'999'999;

// The bytes of "stream" CR LF, "endstream" CR LF and "endobj" CR LF around a content stream.
constexpr size_t kStreamFraming = 8 + 11 + 8;

struct StandardFont {
  const char* baseFont;
};
constexpr StandardFont kStandardFonts[] = {
    {"Helvetica"},   {"Helvetica-Bold"}, {"Helvetica-Oblique"}, {"Helvetica-BoldOblique"},
    {"Courier"},     {"Courier-Bold"},   {"Courier-Oblique"},   {"Courier-BoldOblique"},
    {"Times-Roman"}, {"Times-Bold"},     {"Times-Italic"},      {"Times-BoldItalic"},
    {"Symbol"},      {"ZapfDingbats"},
};

void appendTwoDigits(std::string& out, int value) {
  out += char('0' + (value / 10) % 10);
  out += char('0' + value % 10);
}

// "YYYYMMDDHHmmSS".
std::string pdfDate(const DateTime& t) {
  std::string s;
  int year = t.year;
  for (int div = 1000; div > 0; div /= 10) s += char('0' + (year / div) % 10);
  appendTwoDigits(s, t.month);
  appendTwoDigits(s, t.day);
  appendTwoDigits(s, t.hour);
  appendTwoDigits(s, t.minute);
  appendTwoDigits(s, t.second);
  return s;
}

}  // namespace

std::string escapePdfString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

TPrintPDF::TPrintPDF() = default;
TPrintPDF::~TPrintPDF() = default;

std::string TPrintPDF::spoolFolder() const {
  return spool_ ? spool_->path() : std::string();
}

void TPrintPDF::WriteLine(std::string& buffer, std::string_view text) {
  buffer.append(text);
  buffer.append(pdf_syntax::kLineEnd);
}

void TPrintPDF::RecordOffset(size_t size) {
  runningOffset_ += int64_t(size);
  offsetTable_.push_back(runningOffset_);
}

// The first of the steps every object takes: a new number, a clean buffer, the object line.
void TPrintPDF::beginObject() {
  ++objectCount_;
  objectBuffer_.clear();
  appendNumber(objectBuffer_, objectCount_);
  objectBuffer_ += " 0 obj\r\n";
}

// The last steps: "endobj", the offset recorded, the object appended to the document.
void TPrintPDF::endObject() {
  WriteLine(objectBuffer_, "endobj");
  RecordOffset(objectBuffer_.size());
  documentBuffer_ += objectBuffer_;
}

void TPrintPDF::BeginDoc() {
  pageNumber_ = 1;
  imageCount_ = objectCount_ = fontCount_ = 0;
  runningOffset_ = 0;
  pageIndex_ = 0;
  offsetTable_.clear();
  contentObjects_.clear();
  fontObjects_.clear();
  documentBuffer_.clear();
  objectBuffer_.clear();
  imageBuffer_.clear();
  spool_.reset();

  WriteLine(documentBuffer_, "%PDF-1.4");
  RecordOffset(documentBuffer_.size());
  WriteInfo();
  BeginContent();
}

void TPrintPDF::WriteInfo() {
  const DateTime now = clock_ ? clock_() : localNow();
  beginObject();
  WriteLine(objectBuffer_, "<<");
  WriteLine(objectBuffer_, "/Producer (" + escapePdfString(Producer) + ")");
  WriteLine(objectBuffer_, "/Author (" + escapePdfString(Author) + ")");
  WriteLine(objectBuffer_, "/CreationDate (D:" + pdfDate(now) + ")");
  WriteLine(objectBuffer_, "/Creator (" + escapePdfString(Creator) + ")");
  WriteLine(objectBuffer_, "/Keywords (" + escapePdfString(Keywords) + ")");
  WriteLine(objectBuffer_, "/Subject (" + escapePdfString(Subject) + ")");
  WriteLine(objectBuffer_, "/Title (" + escapePdfString(TITLE) + ")");
  WriteLine(objectBuffer_, "/ModDate ()");
  WriteLine(objectBuffer_, ">>");
  endObject();
}

// Opens the content stream of a page. The object stays in the object buffer while the page's
// operators collect; its length is the next object, written once the data is known.
void TPrintPDF::BeginContent() {
  beginObject();
  WriteLine(objectBuffer_, "<< /Length " + number(objectCount_ + 1) + " 0 R");
  if (Compress) WriteLine(objectBuffer_, "/Filter [/FlateDecode]");
  WriteLine(objectBuffer_, " >>");
  streamStart_ = objectBuffer_.size();
  WriteLine(objectBuffer_, "stream");
  contentBuffer_.clear();
}

void TPrintPDF::EndContent() {
  if (Compress)
    compressInto(objectBuffer_, contentBuffer_);
  else
    objectBuffer_ += contentBuffer_;
  contentBuffer_.clear();
  WriteLine(objectBuffer_, "endstream");
  endObject();
  const size_t dataLength = objectBuffer_.size() - streamStart_ - kStreamFraming;

  beginObject();
  WriteLine(objectBuffer_, number(int64_t(dataLength)));
  endObject();
}

void TPrintPDF::NewPage() {
  ++pageNumber_;
  EndContent();
  BeginContent();
}

void TPrintPDF::WriteOutlines() {
  beginObject();
  outlinesObject_ = objectCount_;
  WriteLine(objectBuffer_, "<< /Type /Outlines");
  WriteLine(objectBuffer_, "/Count 0");
  WriteLine(objectBuffer_, ">>");
  endObject();
}

void TPrintPDF::WriteStandardFonts() {
  for (const StandardFont& font : kStandardFonts)
    WriteFont("Type1", font.baseFont, "WinAnsiEncoding");
}

void TPrintPDF::WriteFont(std::string_view subtype, std::string_view baseFont,
                          std::string_view encoding) {
  ++fontCount_;
  beginObject();
  fontObjects_.push_back(objectCount_);
  WriteLine(objectBuffer_, "<< /Type /Font");
  WriteLine(objectBuffer_, "/Subtype /" + std::string(subtype));
  WriteLine(objectBuffer_, "/Name /F" + number(fontCount_));
  WriteLine(objectBuffer_, "/BaseFont /" + std::string(baseFont));
  WriteLine(objectBuffer_, "/Encoding /" + std::string(encoding));
  WriteLine(objectBuffer_, ">>");
  endObject();
}

// The kids are numbered ahead: the resources come next, then the images, then the pages.
void TPrintPDF::WritePageTree() {
  beginObject();
  pagesObject_ = objectCount_;
  WriteLine(objectBuffer_, "<< /Type /Pages");
  WriteLine(objectBuffer_, "/Kids [");
  for (int32_t i = 1; i <= pageNumber_; ++i) {
    WriteLine(objectBuffer_, number(int64_t(pagesObject_) + 1 + imageCount_ + i) + " 0 R");
    contentObjects_.push_back(2 * i);
  }
  WriteLine(objectBuffer_, "]");
  WriteLine(objectBuffer_, "/Count " + number(pageNumber_));
  WriteLine(objectBuffer_, ">>");
  endObject();
}

void TPrintPDF::WriteResources() {
  beginObject();
  resourcesObject_ = objectCount_;
  WriteLine(objectBuffer_, "<< /ProcSet [ /PDF /Text /ImageC]");
  WriteLine(objectBuffer_, "/XObject << ");
  for (int32_t i = 1; i <= imageCount_; ++i)
    WriteLine(objectBuffer_,
              "/Im" + number(i) + " " + number(int64_t(resourcesObject_) + i) + " 0 R");
  WriteLine(objectBuffer_, ">>");
  WriteLine(objectBuffer_, "/Font << ");
  for (int32_t f = 1; f <= fontCount_; ++f)
    WriteLine(objectBuffer_,
              "/F" + number(f) + " " + number(fontObjects_[size_t(f - 1)]) + " 0 R ");
  WriteLine(objectBuffer_, ">>");
  WriteLine(objectBuffer_, ">>");
  endObject();
}

void TPrintPDF::WriteImageObject(int n) {
  beginObject();
  objectBuffer_ += readWholeFile(spoolPath(n), std::numeric_limits<size_t>::max());
  WriteLine(objectBuffer_, "\r\nendstream");
  endObject();
}

void TPrintPDF::WritePage() {
  beginObject();
  WriteLine(objectBuffer_, "<< /Type /Page");
  WriteLine(objectBuffer_, "/Parent " + number(pagesObject_) + " 0 R");
  WriteLine(objectBuffer_, "/MediaBox [ 0 0 " + number(PageWidth) + " " + number(PageHeight) + "]");
  WriteLine(objectBuffer_, "/Contents " + number(contentObjects_[pageIndex_]) + " 0 R");
  WriteLine(objectBuffer_, "/Resources " + number(resourcesObject_) + " 0 R");
  WriteLine(objectBuffer_, ">>");
  endObject();
  ++pageIndex_;
}

void TPrintPDF::WriteCatalog() {
  beginObject();
  catalogObject_ = objectCount_;
  WriteLine(objectBuffer_, "<< /Type /Catalog");
  WriteLine(objectBuffer_, "/Pages " + number(pagesObject_) + " 0 R");
  WriteLine(objectBuffer_, "/Outlines " + number(outlinesObject_) + " 0 R");
  WriteLine(objectBuffer_, ">>");
  endObject();
}

void TPrintPDF::WriteXref() {
  ++objectCount_;
  const int32_t size = objectCount_;
  if (offsetTable_.back() > kMaxOffset)
    throw QuiralError("The document is too large for a PDF cross-reference table");
  objectBuffer_.clear();
  WriteLine(objectBuffer_, "xref");
  WriteLine(objectBuffer_, "0 " + number(size));
  WriteLine(objectBuffer_, "0000000000 65535 f");
  char entry[32];
  for (int32_t k = 0; k <= size - 2; ++k) {
    std::snprintf(entry, sizeof entry, "%010lld 00000 n",
                  static_cast<long long>(offsetTable_[size_t(k)]));
    WriteLine(objectBuffer_, entry);
  }
  WriteLine(objectBuffer_, "trailer");
  WriteLine(objectBuffer_, "<< /Size " + number(size));
  WriteLine(objectBuffer_, "/Root " + number(catalogObject_) + " 0 R");
  WriteLine(objectBuffer_, "/Info 1 0 R");
  WriteLine(objectBuffer_, ">>");
  WriteLine(objectBuffer_, "startxref");
  WriteLine(objectBuffer_, number(offsetTable_[size_t(size - 1)]));
  documentBuffer_ += objectBuffer_;
}

void TPrintPDF::EndDoc() {
  EndContent();
  WriteOutlines();
  WriteStandardFonts();
  WritePageTree();
  WriteResources();
  for (int32_t n = 1; n <= imageCount_; ++n) WriteImageObject(n);
  for (int32_t i = 0; i < pageNumber_; ++i) WritePage();
  WriteCatalog();
  WriteXref();
  WriteLine(documentBuffer_, "%%EOF");
  writeFileAtomically(FileName, documentBuffer_);
  spool_.reset();
}

std::string TPrintPDF::spoolPath(int n) {
  if (!spool_) spool_ = std::make_unique<SpoolFolder>();
  return spool_->file("~tmpim" + number(n));
}

}  // namespace quiral
