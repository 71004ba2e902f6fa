#include "cli/outputs.h"

#include "cli/cli_context.h"
#include "cli/failure_reasons.h"
#include "platform/vector_pdf.h"
#include "storage/png_writer.h"

namespace tintara::cli {

namespace {

// The folder's trouble when it explains the failure better than the writer's words.
void ReportWriteFailure(const std::string& path, const std::string& error) {
  ReportError("Cannot write " + path + ": " + WriteObstacle(path).value_or(error));
}

}  // namespace

bool WritePng(const ImageBuffer* image, const std::string& path, const std::string& what) {
  if (image == nullptr) {
    ReportError("the project has no " + what);
    return false;
  }
  std::string error = WritePngFile(*image, path);
  if (error.empty()) return true;
  ReportWriteFailure(path, error);
  return false;
}

PdfPageSetup PageSetupOf(const AppSettings& app, int pagesPerSide, const ImageBuffer* pattern) {
  return PdfPageSetupOf(app, pagesPerSide, pattern);
}

bool WritePicturePages(const ImageBuffer* image, const PdfPageSetup& setup,
                       const std::string& path, const std::string& what,
                       const ImageBuffer* indexImage) {
  if (image == nullptr) {
    ReportError("the project has no " + what);
    return false;
  }
  std::string error = WritePicturePdf(*image, setup, path, indexImage);
  if (error.empty()) return true;
  ReportWriteFailure(path, error);
  return false;
}

bool WriteKeyPages(const CTessel20Doc& doc, bool hasPattern, const PdfPageSetup& setup,
                   const std::string& path) {
  if (!hasPattern || !doc.indexImage) {
    ReportError("the project has no painting pattern, so no colour key");
    return false;
  }
  std::string error = WriteColorKeyPdf(doc.params, doc.indexImage.get(), setup, path);
  if (error.empty()) return true;
  ReportWriteFailure(path, error);
  return false;
}

bool WriteShoppingList(const CTessel20Doc& doc, bool hasPattern, const PdfPageSetup& setup,
                       const std::string& path) {
  if (!hasPattern || !doc.indexImage) {
    ReportError("the project has no painting pattern, so no shopping list");
    return false;
  }
  std::string error = WriteShoppingListCsv(doc.params, *doc.indexImage, setup, path);
  if (error.empty()) return true;
  ReportWriteFailure(path, error);
  return false;
}

bool WriteSvg(const CTessel20Doc& doc, const AppSettings& app, SvgStyle style, bool smooth,
              uint64_t memoryBudget, const std::string& path) {
  if (!doc.convertedPicture || !doc.indexImage) {
    ReportError("the project has no painting pattern");
    return false;
  }
  PatternSvgInput input = PatternSvgInputOf(doc, app, style);
  input.smooth = smooth;
  input.memoryBudget = memoryBudget;
  std::string error = WritePatternSvgFile(input, path);
  if (error.empty()) return true;
  ReportWriteFailure(path, error);
  return false;
}

bool WriteVectorPages(const CTessel20Doc& doc, bool hasPattern, const AppSettings& app,
                      const PdfPageSetup& setup, uint64_t memoryBudget, const std::string& path) {
  if (!hasPattern || !doc.indexImage) {
    ReportError("the project has no painting pattern");
    return false;
  }
  std::string error = WriteVectorPatternPdf(*doc.indexImage, doc.params, setup, path,
                                            app.mergeSmallAreas != 0, memoryBudget);
  if (error.empty()) return true;
  ReportWriteFailure(path, error);
  return false;
}

}  // namespace tintara::cli
