#include "reports/catalog_data.h"

#include <algorithm>

#include "kicad_sym/library_translation.h"
#include "library/find_description.h"
#include "platform/text_codec.h"

namespace quiral {

std::string catalogDescription(CatalogData& data, std::string_view componentName) {
  bool cut = false;
  std::string text = boundedLibraryText(
      data.ModernTranslation ? data.descriptions.find(data.ModernTranslation, componentName)
                             : data.descriptions.find(data.DocumentationPath, componentName),
      kLongestShownText, &cut);
  // A cell may be laid out more than once (measured, then printed): named once.
  std::vector<std::string>& named = data.cutDescriptions;
  if (cut && std::find(named.begin(), named.end(), componentName) == named.end())
    named.emplace_back(componentName);
  return text;
}

}  // namespace quiral
