#include "report_engine/report.h"

#include <cmath>

#include "platform/error.h"
#include "report_engine/preview_interface.h"
#include "report_engine/report_generator.h"

namespace quiral {

// Forgets the preview window when the window closes the preview, so no hook reaches a window
// that is gone.
class TQuickRep::WindowReference : public PrinterListener {
 public:
  explicit WindowReference(TQuickRep& report) : report_(report) {
    report_.printer_.addListener(this);
  }
  ~WindowReference() override { report_.printer_.removeListener(this); }
  void previewClosed() override { report_.previewWindow_ = nullptr; }

 private:
  TQuickRep& report_;
};

TQuickRep::TQuickRep(std::string name)
    : name_(std::move(name)), windowReference_(std::make_unique<WindowReference>(*this)) {}

TQuickRep::~TQuickRep() = default;

void TQuickRep::generate(GenerationControl control) {
  cutBands_.clear();
  control.bandCut = [this](const CutBand& cut) { cutBands_.push_back(cut); };
  generateReport(*this, control);
}

int TQuickRep::toScreenPixels(int32_t tenths) const {
  return int(std::lround(tenths * 96.0 / kTenthsPerInch * zoom_ / 100.0));
}

TQRBand& TQuickRep::addBand(std::string name, BandType type, int32_t width, int32_t height) {
  bands_.push_back(std::make_unique<TQRBand>(std::move(name), type, width, height));
  return *bands_.back();
}

TQRBand* TQuickRep::band(BandType type) const {
  for (const auto& b : bands_)
    if (b->type() == type) return b.get();
  return nullptr;
}

TQRBand* TQuickRep::findBand(const std::string& name) const {
  for (const auto& b : bands_)
    if (b->name() == name) return b.get();
  return nullptr;
}

void TQuickRep::prepare() {
  if (previewShowing() || printer_.generating()) return;
  generate({});
}

void TQuickRep::preview() {
  // Its window is already open (a second request from the window itself or a double click).
  if (previewShowing() || printer_.generating()) return;
  const auto previewInterface = previews_ ? previews_->current() : nullptr;
  if (!previewInterface) throw QuiralError("No preview window is available");
  const auto pump = previews_->eventPump();

  // The window opens on an empty report that already carries its title and page size.
  printer_.startOver(reportTitle_, page_);
  printer_.openPreview();
  PreviewWindow* window = nullptr;
  try {
    window = previewInterface->show(printer_);
  } catch (...) {
    printer_.closePreview();
    throw;
  }
  previewWindow_ = window;
  // Without a window, or without an event loop to wait in, nothing could ever close the
  // preview: make the pages and return.
  const bool wait = window && pump;

  GenerationControl control;
  if (pump) control.betweenBands = [&pump] { pump->processEvents(); };
  // Closing the window while pages are still being made stops the generation.
  control.stopRequested = [this, window] { return window && !printer_.previewShowing(); };
  try {
    generate(control);
  } catch (...) {
    // A window stays open with the pages made so far and closes the preview itself; without
    // one, nothing ever would, and every later prepare or preview would be ignored.
    if (!wait) printer_.closePreview();
    throw;
  }

  if (wait)
    pump->waitUntil([this] { return !printer_.previewShowing(); });
  else
    printer_.closePreview();
}

void TQuickRep::previewModal() {
  if (previewShowing() || printer_.generating()) return;
  const auto previewInterface = previews_ ? previews_->current() : nullptr;
  if (!previewInterface) throw QuiralError("No preview window is available");
  generate({});
  previewWindow_ = nullptr;  // the modal window is only known once it is closed again
  printer_.openPreview();
  try {
    previewInterface->showModal(printer_);
  } catch (...) {
    printer_.closePreview();
    throw;
  }
  printer_.closePreview();  // the modal window is gone once showModal returns
}

}  // namespace quiral
