#pragma once

#include <functional>
#include <vector>

#include "report_engine/printer.h"

namespace quiral {

// Tells the main window when a catalog has finished making its pages (also when it was stopped
// or failed), while its preview may stay open.
class CatalogWatch : public PrinterListener {
 public:
  explicit CatalogWatch(std::function<void()> ended) : ended_(std::move(ended)) {}
  ~CatalogWatch() override { watch({}); }
  CatalogWatch(const CatalogWatch&) = delete;
  CatalogWatch& operator=(const CatalogWatch&) = delete;

  // Listens to these printer objects instead of the earlier ones.
  void watch(std::vector<TQRPrinter*> printers) {
    for (TQRPrinter* p : printers_) p->removeListener(this);
    printers_ = std::move(printers);
    for (TQRPrinter* p : printers_) p->addListener(this);
  }

  void generationEnded() override {
    if (ended_) ended_();
  }

 private:
  std::function<void()> ended_;
  std::vector<TQRPrinter*> printers_;
};

}  // namespace quiral
