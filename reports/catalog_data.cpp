#include "reports/catalog_data.h"

#include "kicad_sym/library_translation.h"
#include "library/find_description.h"

namespace quiral {

std::string catalogDescription(CatalogData& data, std::string_view componentName) {
  if (data.ModernTranslation) return data.descriptions.find(data.ModernTranslation, componentName);
  return data.descriptions.find(data.DocumentationPath, componentName);
}

}  // namespace quiral
