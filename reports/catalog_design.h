#pragma once

#include <string>

#include "platform/canvas.h"
#include "report_engine/band.h"
#include "reports/catalog_geometry.h"
#include "reports/page_language.h"

namespace quiral {

class TQuickRep;

// Texts and building blocks shared by the designs of the two catalogs. Lengths are tenths of a
// millimetre; every label is opaque white and left-aligned.

extern const char* const kCatalogHeading;        // "Catálogo de Componentes"
extern const char* const kCatalogPageCaption;    // "Página:"
extern const char* const kCatalogFooter;         // the program's name and version
extern const char* const kLibraryCaptionPrefix;  // "Biblioteca: "
extern const char* const kPreviewTitlePrefix;    // "Visão prévia lib: "

FontSpec arial(int pointSize, bool bold = false, Color color = colors::kBlack);

// A label that sizes itself to its text.
TQRLabel& textLabel(TQRBand& band, const char* name, int32_t left, int32_t top,
                    const FontSpec& font, const std::string& caption = {});
// A label of fixed width that breaks its text into lines at spaces; `grows` makes it grow
// downwards (stretching its band) when the text needs more lines than the box holds.
TQRLabel& wrappedLabel(TQRBand& band, const char* name, int32_t left, int32_t top, int32_t width,
                       int32_t height, const FontSpec& font, bool grows);
TQRSysData& sysDataLabel(TQRBand& band, const char* name, TQRSysData::Data data, int32_t left,
                         int32_t top, const FontSpec& font);

// What both catalogs set up alike: A4 portrait, the geometry's margins, zoom and duplex, two
// columns without space between, the page header on the first page and the footer on the last, a
// page even without records, one copy from the automatic bin.
void setUpCatalogPage(TQuickRep& report, const CatalogGeometry& geometry);

// The header label and the report title that name the library, as a catalog command sets them,
// and the page's other fixed texts, in `language`. `libraryFileName` is bytes; it is shown as
// text.
void nameLibrary(TQuickRep& report, const std::string& libraryFileName,
                 PageLanguage language = PageLanguage::Portuguese);

}  // namespace quiral
