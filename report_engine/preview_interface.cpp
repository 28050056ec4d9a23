#include "report_engine/preview_interface.h"

namespace quiral {

PreviewRegistry& PreviewRegistry::instance() {
  static PreviewRegistry registry;
  return registry;
}

void PreviewRegistry::clear() {
  registered_.reset();
  engine_.reset();
  pump_.reset();
}

}  // namespace quiral
