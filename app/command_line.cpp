#include "app/command_line.h"

#include <filesystem>
#include <system_error>

#include "reports/page_language.h"

namespace quiral {

namespace {

namespace fs = std::filesystem;

CommandLine withAction(CommandLine::Action action) {
  CommandLine line;
  line.action = action;
  return line;
}

CommandLine refuse(std::string message, int exitStatus) {
  CommandLine line;
  line.action = CommandLine::Action::Refuse;
  line.message = std::move(message);
  line.exitStatus = exitStatus;
  return line;
}

// A folder is opened; any other existing file is taken as a library in its folder.
CommandLine startAt(const std::string& argument) {
  std::error_code error;
  const fs::path path = fs::absolute(fs::path(argument), error).lexically_normal();
  const fs::file_status status = error ? fs::file_status{} : fs::status(path, error);
  if (error) return refuse(argument + ": " + error.message(), kPathFails);
  CommandLine line;
  if (fs::is_directory(status)) {
    line.startFolder = path.string();
  } else {
    line.startFolder = path.parent_path().string();
    line.startLibrary = path.filename().string();
  }
  return line;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  std::string pathArgument, language;
  bool havePath = false, onlyPaths = false, wantsLanguage = false, haveLanguage = false;
  for (const std::string& arg : args) {
    if (wantsLanguage || (!onlyPaths && arg.rfind("--lang=", 0) == 0)) {
      language = wantsLanguage ? arg : arg.substr(7);
      haveLanguage = true;
      wantsLanguage = false;
      continue;
    }
    if (!onlyPaths && arg == "--lang") {
      wantsLanguage = true;
      continue;
    }
    if (!onlyPaths && arg == "--version") {
      return withAction(CommandLine::Action::PrintVersion);
    }
    if (!onlyPaths && (arg == "--help" || arg == "-h")) {
      return withAction(CommandLine::Action::PrintHelp);
    }
    if (!onlyPaths && arg == "--") {
      onlyPaths = true;
      continue;
    }
    if (!onlyPaths && arg.size() > 1 && arg[0] == '-') {
      return refuse("unknown option \"" + arg + "\"", kBadArguments);
    }
    if (havePath) return refuse("only one folder or library can be opened", kBadArguments);
    pathArgument = arg;
    havePath = true;
  }
  if (wantsLanguage) return refuse("--lang needs a value: en or pt_BR", kBadArguments);
  if (haveLanguage && !pageLanguageNamed(language))
    return refuse("--lang takes en or pt_BR, not \"" + language + "\"", kBadArguments);
  CommandLine line;
  if (havePath && pathArgument.empty())
    return refuse("an empty path names no folder or library", kBadArguments);
  if (havePath) line = startAt(pathArgument);
  line.language = language;
  return line;
}

std::string versionText() {
  return "quiral " QUIRAL_VERSION "\n";
}

std::string usageText() {
  return "usage: quiral [--lang en|pt_BR] [FOLDER | LIBRARY]\n"
         "       quiral --version | --help\n"
         "\n"
         "Opens the symbol library browser in FOLDER, or in the folder of LIBRARY with that\n"
         "library chosen and its first component drawn. Without an argument it opens the\n"
         "default library folder (kicad/library on the program's volume, then\n"
         "/usr/share/kicad/library, then /usr/share/kicad/symbols).\n"
         "\n"
         "  --lang en|pt_BR  the language of the window and its catalogs' pages; without it\n"
         "                   QUIRAL_LANG decides, else the locale (Portuguese, C and POSIX\n"
         "                   keep the Portuguese texts, any other language gets English)\n";
}

}  // namespace quiral
