#pragma once

#include <QString>

namespace quiral {

// The core speaks English (the command-line tool shows its texts as they are); the windows speak
// Portuguese. The sentences of the core's errors that a window can show get the window's wording
// here; what is not known here (file names, the platform's own messages) is shown as it is.
QString windowWording(const QString& coreText);

}  // namespace quiral
