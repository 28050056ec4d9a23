#include "catalog/catalog_index.h"

#include "catalog/index_build.h"

namespace quiral {

namespace {

// Room reserved up front; the tables grow past it.
constexpr size_t kLibraryCapacity = 200;
constexpr size_t kNameCapacity = 8000;
constexpr size_t kBlockCapacity = 5000;

}  // namespace

CatalogIndex::CatalogIndex()
    : lib_({{"lib", FieldKind::Text}}, kLibraryCapacity),
      principal_({{"lib", FieldKind::Text},
                  {"principal", FieldKind::Text},
                  {"alias", FieldKind::Text},
                  {"nr_principal", FieldKind::Integer}},
                 kNameCapacity),
      comp_({{"Lib", FieldKind::Text},
             {"Principal", FieldKind::Text},
             {"Alias", FieldKind::Text},
             {"Comandos", FieldKind::Memo},
             {"Elementos", FieldKind::Integer},
             {"nr_principal", FieldKind::Integer}},
            kBlockCapacity) {}

void CatalogIndex::BitBtn1Click(FileList& files) {
  comp_.EmptyTable();
  lib_.EmptyTable();
  principal_.EmptyTable();
  IndexBuild build(*this, tokens_);
  try {
    build.run(files);
  } catch (...) {
    // What was read stays and is shown as after a complete build.
    sortAfterBuild();
    throw;
  }
  sortAfterBuild();
}

void CatalogIndex::sortAfterBuild() {
  principal_.SortOnFields("alias");
  comp_.SortOnFields("lib;principal");
  lib_.First();
  principal_.First();
  comp_.First();
}

bool CatalogIndex::BitBtn2Click(std::string_view text) {
  if (!principal_.Locate("alias", std::string(text), {.caseInsensitive = true, .partialKey = true}))
    return false;
  DBGrid2CellClick();
  return true;
}

void CatalogIndex::DBGrid2CellClick() {
  const int row = principal_.currentRow();
  if (row < 0) return;
  const std::optional<int32_t> model =
      principal_.integer(size_t(row), PrincipalField::nr_principal);
  if (model) comp_.Locate("nr_principal", *model, {});
}

std::optional<size_t> CatalogIndex::blockOfCurrentName() const {
  const int nameRow = principal_.currentRow();
  const int blockRow = comp_.currentRow();
  if (nameRow < 0 || blockRow < 0) return std::nullopt;
  const std::optional<int32_t> model =
      principal_.integer(size_t(nameRow), PrincipalField::nr_principal);
  if (!model || comp_.integer(size_t(blockRow), CompField::nr_principal) != model)
    return std::nullopt;
  return size_t(blockRow);
}

void CatalogIndex::DBGrid2TitleClick(int column) {
  principal_.SortOnFields(column == 0 ? "alias;lib" : "lib;alias");
}

}  // namespace quiral
