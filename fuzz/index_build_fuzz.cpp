// Builds the catalog index from two library files cut from the input (its first byte says where
// the first file ends, so blocks and ALIAS lines fall across the file boundary), then searches,
// shows and sorts it, and checks what every build must hold.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "catalog/catalog_index.h"
#include "library/folder_listing.h"

namespace {

// A private folder for the two files, removed when the program ends.
struct FuzzFolder {
  FuzzFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quiral-index-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) __builtin_trap();
    path = pattern;
  }
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

const std::string& folder() {
  static const FuzzFolder made;
  return made.path;
}

void writeFile(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream out(folder() + "/" + name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t rest = size - 1;
  const size_t cut = rest * data[0] / 255;
  writeFile("a.lib", data + 1, cut);
  writeFile("b.lib", data + 1 + cut, rest - cut);

  quiral::FileList files;
  files.showFolder(folder());
  quiral::CatalogIndex index;
  index.BitBtn1Click(files);
  const quiral::MemoryTable& comp = index.RxMD_comp();
  const quiral::MemoryTable& names = index.RxMD_principal();
  if (files.selectedIndex() != 1 || index.RxMD_lib().RecordCount() != 2) __builtin_trap();
  // Every block has a name row of its own, and its own model number.
  if (index.modelCount() > index.nameCount()) __builtin_trap();
  std::set<int32_t> numbers;
  for (size_t r = 0; r < comp.RecordCount(); ++r) {
    if (!numbers.insert(comp.integer(r, quiral::CompField::nr_principal).value()).second)
      __builtin_trap();
  }

  if (names.RecordCount() > 0) {
    const std::string first(
        names.text(size_t(names.RecordCount() - 1), quiral::PrincipalField::alias));
    if (!index.BitBtn2Click(first)) __builtin_trap();
  }
  index.DBGrid2TitleClick(1);
  index.DBGrid2CellClick();
  index.DBGrid2TitleClick(0);
  return 0;
}
