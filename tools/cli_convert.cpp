// Conversion of a modern library (.kicad_sym) into a legacy library and its documentation file.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "tools/cli_outputs.h"
#include "tools/cli_registry.h"

namespace quiral::cli {
namespace {

// OUT.lib gives OUT.dcm beside it; a name without an extension gets ".dcm" added.
std::string documentationPathFor(const std::string& libraryPath) {
  const size_t slash = libraryPath.rfind('/');
  const size_t dot = libraryPath.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (hasExtension ? libraryPath.substr(0, dot) : libraryPath) + ".dcm";
}

int runConvert(const std::vector<std::string>& args) {
  std::optional<std::string> input, output;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (i + 1 == args.size()) throw UsageError("-o needs a file name");
      output = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError("unknown option " + args[i]);
    } else if (input) {
      throw UsageError("expects one modern library");
    } else {
      input = args[i];
    }
  }
  if (!input || !output) throw UsageError("expects IN.kicad_sym and -o OUT.lib");
  const std::string documentationPath = documentationPathFor(*output);
  if (documentationPath == *output) throw UsageError("the output must not end in .dcm");
  refuseOutputOverInput(*output, {*input});
  refuseOutputOverInput(documentationPath, {*input});

  // The parser knows the line and column; the user also needs to know which file, as every
  // other command tells.
  TranslatedLibrary library;
  try {
    library = translateModernLibraryFile(*input);
  } catch (const FileError&) {
    throw;  // names its file already
  } catch (const QuiralError& e) {
    throw QuiralError(*input + ": " + e.what());
  }
  for (const std::string& warning : library.warnings)
    std::fprintf(stderr, "quiral-cli convert: warning: %s: %s\n", input->c_str(), warning.c_str());
  writeFileAtomically(*output, library.libraryText);
  writeFileAtomically(documentationPath, library.documentationText);
  return 0;
}

}  // namespace

QUIRAL_CLI_COMMAND(convert, "IN.kicad_sym -o OUT.lib",
                   "Writes OUT.lib and OUT.dcm, a legacy library and its documentation, from a "
                   "modern library; derived symbols become aliases. What the legacy form cannot "
                   "hold is reported as a warning.",
                   runConvert);

}  // namespace quiral::cli
