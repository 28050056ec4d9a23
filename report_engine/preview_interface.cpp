#include "report_engine/preview_interface.h"

namespace quiral {

void PreviewRegistry::clear() {
  registered_.reset();
  engine_.reset();
  pump_.reset();
}

}  // namespace quiral
