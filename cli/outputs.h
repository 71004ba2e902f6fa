// The files a subcommand writes besides the project: PNG pictures and PDF
// pages. Each reports its own error and returns false.
#pragma once

#include <string>

#include "document/pattern_svg.h"
#include "document/tessel_doc.h"
#include "platform/pdf_pages.h"
#include "storage/app_settings.h"

namespace tintara::cli {

// `what` names the picture in the error when the project has none.
bool WritePng(const ImageBuffer* image, const std::string& path, const std::string& what);

// Paper and orientation of the page settings, with the given pages per side,
// and the shopping list's settings.
PdfPageSetup PageSetupOf(const AppSettings& app, int pagesPerSide,
                         const ImageBuffer* pattern = nullptr);

// `indexImage` gives the sheets their colour numbers when they list them.
bool WritePicturePages(const ImageBuffer* image, const PdfPageSetup& setup,
                       const std::string& path, const std::string& what,
                       const ImageBuffer* indexImage = nullptr);
// The key of the document's pattern; needs a pattern (`hasPattern`: the
// project holds one, though only its index image may have been read).
bool WriteKeyPages(const CTessel20Doc& doc, bool hasPattern, const PdfPageSetup& setup,
                   const std::string& path);
// The paint to buy for the document's pattern, as CSV; needs a pattern.
bool WriteShoppingList(const CTessel20Doc& doc, bool hasPattern, const PdfPageSetup& setup,
                       const std::string& path);

// The pattern as an SVG drawing on the page of the page settings; needs a
// pattern, and a drawing whose making fits `memoryBudget`.
bool WriteSvg(const CTessel20Doc& doc, const AppSettings& app, SvgStyle style, bool smooth,
              uint64_t memoryBudget, const std::string& path);
// The pattern's sheets drawn as outlines and text; needs a pattern. Numbers
// follow the raster's rule: where they fit when small areas are merged.
bool WriteVectorPages(const CTessel20Doc& doc, bool hasPattern, const AppSettings& app,
                      const PdfPageSetup& setup, uint64_t memoryBudget, const std::string& path);

}  // namespace tintara::cli
