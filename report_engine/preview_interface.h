#pragma once

#include <functional>
#include <memory>

namespace quiral {

class TQRPrinter;

// A window that shows prepared pages. The engine only hands it around; the windows themselves
// live in the application. While a report's preview is open, the report reaches its window
// through TQuickRep::previewWindow() and may ask it for what is declared here; a window that has
// no such control keeps the default, which does nothing.
class PreviewWindow {
 public:
  virtual ~PreviewWindow() = default;
  // Enables or disables the window's PDF export button. A report that must not be exported
  // while it is still producing pages disables it during its generation and enables it again
  // at the end (also after a failed or stopped generation).
  virtual void setPdfButtonEnabled(bool enabled) { (void)enabled; }
};

// Opens preview windows. Register a subclass and every preview of every report goes through it
// instead of the engine's own window. Operations in slot order: show, show modal; each gets the
// printer object whose pages the window shows and returns the window it opened (null when it
// opened none, in which case the engine does not wait for a window to close).
class TQRPreviewInterface {
 public:
  virtual ~TQRPreviewInterface() = default;
  // Shows the window without blocking.
  virtual PreviewWindow* show(TQRPrinter& printer) = 0;
  // Shows the window and returns once it is closed.
  virtual PreviewWindow* showModal(TQRPrinter& printer) = 0;
};

// The event loop as the engine needs it while a preview is open: let the windows work between
// pages, and wait for a condition (the preview's close) while they do.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void processEvents() = 0;
  virtual void waitUntil(const std::function<bool()>& done) = 0;
};

// The preview settings of a program: the registered interface, the engine's own preview window
// (which the application provides) and the event loop. The program owns one and hands it to its
// reports (TQuickRep::setPreviewRegistry).
class PreviewRegistry {
 public:
  // Routes every preview through `preview`; null goes back to the engine's own window.
  void registerPreviewInterface(std::shared_ptr<TQRPreviewInterface> preview) {
    registered_ = std::move(preview);
  }
  void setEngineWindow(std::shared_ptr<TQRPreviewInterface> window) { engine_ = std::move(window); }
  void setEventPump(std::shared_ptr<EventPump> pump) { pump_ = std::move(pump); }

  // The interface a preview goes through now: the registered one, else the engine's own.
  std::shared_ptr<TQRPreviewInterface> current() const {
    return registered_ ? registered_ : engine_;
  }
  std::shared_ptr<TQRPreviewInterface> registered() const { return registered_; }
  std::shared_ptr<EventPump> eventPump() const { return pump_; }

  // Forgets everything.
  void clear();

 private:
  std::shared_ptr<TQRPreviewInterface> registered_;
  std::shared_ptr<TQRPreviewInterface> engine_;
  std::shared_ptr<EventPump> pump_;
};

}  // namespace quiral
