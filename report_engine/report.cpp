#include "report_engine/report.h"

#include <cmath>

#include "platform/error.h"
#include "report_engine/preview_interface.h"
#include "report_engine/report_generator.h"

namespace quiral {

TQuickRep::TQuickRep(std::string name) : name_(std::move(name)) {}

TQuickRep::~TQuickRep() = default;

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
  generateReport(*this, {});
}

void TQuickRep::preview() {
  // Its window is already open (a second request from the window itself or a double click).
  if (previewShowing() || printer_.generating()) return;
  const PreviewRegistry& registry = PreviewRegistry::instance();
  const auto previewInterface = registry.current();
  if (!previewInterface) throw QuiralError("No preview window is available");
  const auto pump = registry.eventPump();

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
  // Without a window, or without an event loop to wait in, nothing could ever close the
  // preview: make the pages and return.
  const bool wait = window && pump;

  GenerationControl control;
  if (pump) control.betweenBands = [&pump] { pump->processEvents(); };
  // Closing the window while pages are still being made stops the generation.
  control.stopRequested = [this, window] { return window && !printer_.previewShowing(); };
  if (pump) pump->processEvents();
  generateReport(*this, control);  // a hook's error leaves the window open with its pages

  if (wait)
    pump->waitUntil([this] { return !printer_.previewShowing(); });
  else
    printer_.closePreview();
}

void TQuickRep::previewModal() {
  if (previewShowing() || printer_.generating()) return;
  const auto previewInterface = PreviewRegistry::instance().current();
  if (!previewInterface) throw QuiralError("No preview window is available");
  generateReport(*this, {});
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
