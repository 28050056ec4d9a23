#pragma once

#include <QString>

namespace quiral {

// Turns a file-dialog filter written as "Description|pattern|Description|pattern" (patterns
// separated by ';') into Qt's form "Description (pattern ...);;...". The pattern "*.*" means every
// file and becomes "*". A trailing description without a pattern is dropped.
QString qtFileFilter(const QString& pipeFilter);

}  // namespace quiral
