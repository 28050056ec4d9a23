#include "tools/cli_outputs.h"

#include <filesystem>

#include "library/library_browser.h"
#include "platform/atomic_file.h"
#include "platform/error.h"

namespace quiral::cli {

void refuseOutputOverInput(const std::string& output, const std::vector<std::string>& libraries) {
  for (const std::string& library : libraries) {
    const std::filesystem::path path(library);
    const std::string documentation =
        (path.parent_path() / documentationFileName(path.filename().string())).string();
    for (const std::string& input : {library, documentation}) {
      if (sameFile(output, input))
        throw QuiralError(output + ": is the input " + input +
                          "; writing it would replace the input");
    }
  }
}

}  // namespace quiral::cli
