#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "catalog/memory_table.h"
#include "library/token_table.h"

namespace quiral {

class FileList;

// Field positions of the three tables (the tables also find them by name).
struct LibField {
  enum : size_t { lib };
};
struct PrincipalField {
  enum : size_t { lib, principal, alias, nr_principal };
};
struct CompField {
  enum : size_t { Lib, Principal, Alias, Comandos, Elementos, nr_principal };
};

// The catalog index of every library file of a folder: the files read (RxMD_lib), every component
// name with the library that defines it (RxMD_principal: one row per block and one per alias), and
// every component block with its whole text (RxMD_comp). The tables live as long as the index and
// always hold the last build.
class CatalogIndex {
 public:
  CatalogIndex();

  MemoryTable& RxMD_lib() { return lib_; }
  MemoryTable& RxMD_principal() { return principal_; }
  MemoryTable& RxMD_comp() { return comp_; }
  const MemoryTable& RxMD_lib() const { return lib_; }
  const MemoryTable& RxMD_principal() const { return principal_; }
  const MemoryTable& RxMD_comp() const { return comp_; }

  // What the count labels show: blocks ("Modelos:") and names ("Componentes:").
  size_t modelCount() const { return comp_.RecordCount(); }
  size_t nameCount() const { return principal_.RecordCount(); }

  // Build: empties the tables and fills them from every entry of `files`, in list order. The walk
  // moves the list's selection to each entry in turn and leaves it on the last. Afterwards, also
  // when a file could not be read (the FileError is then passed on and the rows read so far
  // stay), the names are sorted by alias, the blocks by library then name, and the first row of
  // each table is current.
  void BitBtn1Click(FileList& files);

  // Search: makes current a name row whose alias begins with `text`, letter case ignored (the
  // current row if it matches, else the first from the top) and shows its block. Returns false,
  // changing nothing, when no alias begins with it.
  bool BitBtn2Click(std::string_view text);

  // Show block of name: makes current the block row of the current name row's model number (the
  // current block row if it is that one). Nothing changes when there is none.
  void DBGrid2CellClick();
  // The block row that belongs to the current name row, or nothing when that name has no block
  // (an ALIAS line outside any DEF): the current block row is then another name's, or none.
  std::optional<size_t> blockOfCurrentName() const;

  // Sort names: column 0 (alias) sorts by alias then lib, any other column by lib then alias;
  // ascending, letter case ignored. The current name row stays current.
  void DBGrid2TitleClick(int column);

 private:
  void sortAfterBuild();

  MemoryTable lib_;
  MemoryTable principal_;
  MemoryTable comp_;
  TokenTable tokens_;  // for the names of ALIAS lines
};

}  // namespace quiral
