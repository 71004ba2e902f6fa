// info PROJECT.mop [--json]: what the project holds.
#include <cstdio>

#include "cli/json_writer.h"
#include "cli/subcommands.h"
#include "colors/color_fidelity.h"
#include "pattern/used_colors.h"
#include "view/printable_text.h"

namespace tintara::cli {

namespace {

struct ProjectFacts {
  bool legacy = false;
  UsedColors used;
  std::vector<int> usedPositions;  // ascending
  std::optional<double> meanDifference;  // converted picture against the photo
};

void PictureJson(JsonWriter& json, const char* name, const ImageBuffer* image) {
  json.Key(name);
  if (image == nullptr) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("width").Number(image->Width()).Key("height").Number(image->Height());
  json.Key("format").Number(image->Kind());
  json.Key("dpi").BeginArray(true).Number(image->HorizontalDpi()).Number(image->VerticalDpi()).EndArray();
  json.EndObject();
}

void ParamsJson(JsonWriter& json, const CTesselParams& p) {
  json.Key("params").BeginObject();
  json.Key("neededNumColors").Number(p.neededNumColors);
  json.Key("patternType").Number(p.patternType);
  json.Key("borderColor").Number(p.borderColor);
  json.Key("brandFile").String(p.brandFile);
  json.Key("auxColor").BeginArray(true).Number(p.auxColor.red).Number(p.auxColor.green);
  json.Number(p.auxColor.blue).EndArray();
  json.Key("currentColor").Number(p.currentColor);
  json.Key("currentBrandColor").Number(p.currentBrandColor);
  json.Key("paletteReady").Number(p.paletteReady);
  json.Key("workingPalette").BeginArray();
  for (size_t i = 0; i < p.workingPalette.size(); ++i) {
    const CFlossColor& c = p.workingPalette[i];
    json.BeginObject();
    json.Key("brandName").String(c.brandName).Key("sourceFile").String(c.sourceFile);
    json.Key("colorName").String(c.colorName).Key("catalogNumber").Number(c.catalogNumber);
    json.Key("paletteIndex").Number(c.paletteIndex);
    // The number printed on the pattern and the key: the position from 1.
    json.Key("number").Number(int(i) + 1);
    json.Key("rgb").BeginArray(true).Number(c.red).Number(c.green).Number(c.blue).EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void PrintJson(const CTessel20Doc& doc, const ProjectFacts& facts) {
  JsonWriter json;
  json.BeginObject();
  json.Key("signature").String(facts.legacy ? "legacy" : "DIDUZ20");
  PictureJson(json, "initialPicture", doc.initialPicture.get());
  PictureJson(json, "convertedPicture", doc.convertedPicture.get());
  PictureJson(json, "indexImage", doc.indexImage.get());
  PictureJson(json, "patternImage", doc.patternImage.get());
  json.Key("pictureOrigin").Number(doc.pictureOrigin);
  json.Key("viewMode").Number(doc.viewMode);
  json.Key("pictureFileName").String(doc.pictureFileName);
  ParamsJson(json, doc.params);
  json.Key("usedColors").Number(facts.used.count);
  json.Key("usedColorList").BeginArray(true);
  for (int position : facts.usedPositions) json.Number(position);
  json.EndArray();
  json.Key("usedBrands").BeginArray();
  for (const std::string& brand : facts.used.brands) json.String(brand);
  json.EndArray();
  json.Key("meanDeltaE00");
  if (facts.meanDifference) {
    json.Decimal(*facts.meanDifference, 3);
  } else {
    json.Null();
  }
  json.EndObject();
  std::printf("%s\n", json.Text().c_str());
}

void PrintPicture(const char* name, const ImageBuffer* image) {
  if (image == nullptr) {
    std::printf("%-18s none\n", name);
    return;
  }
  std::printf("%-18s %d x %d, format %d, %d x %d dpi\n", name, image->Width(), image->Height(),
              image->Kind(), image->HorizontalDpi(), image->VerticalDpi());
}

void PrintText(const CTessel20Doc& doc, const ProjectFacts& facts) {
  static const char* const kOrigins[] = {"file", "clipboard", "scanner or camera"};
  static const char* const kViews[] = {"initial picture", "converted picture", "painting pattern"};
  const CTesselParams& p = doc.params;
  std::printf("%-18s %s\n", "layout", facts.legacy ? "legacy" : "DIDUZ20");
  PrintPicture("initial picture", doc.initialPicture.get());
  PrintPicture("converted picture", doc.convertedPicture.get());
  PrintPicture("index image", doc.indexImage.get());
  PrintPicture("pattern image", doc.patternImage.get());
  bool knownOrigin = doc.pictureOrigin >= 0 && doc.pictureOrigin <= 2;
  std::printf("%-18s %s\n", "picture from", knownOrigin ? kOrigins[doc.pictureOrigin] : "?");
  std::printf("%-18s %s\n", "picture file", PrintableText(doc.pictureFileName).c_str());
  std::printf("%-18s %s\n", "shown", kViews[doc.viewMode]);
  std::printf("%-18s %d\n", "pattern type", p.patternType);
  std::printf("%-18s #%02X%02X%02X\n", "border colour", p.borderColor & 0xFF,
              (p.borderColor >> 8) & 0xFF, (p.borderColor >> 16) & 0xFF);
  std::printf("%-18s %s\n", "brand file", PrintableText(p.brandFile).c_str());
  std::printf("%-18s %zu (wanted %d)%s\n", "working colours", p.workingPalette.size(),
              p.neededNumColors, p.paletteReady ? "" : ", not chosen yet");
  for (size_t i = 0; i < p.workingPalette.size(); ++i) {
    const CFlossColor& c = p.workingPalette[i];
    std::printf("  %3zu  #%02X%02X%02X  %s, %d, %s\n", i + 1, c.red, c.green, c.blue,
                PrintableText(c.colorName).c_str(), c.catalogNumber,
                PrintableText(c.brandName).c_str());
  }
  std::printf("%-18s %d\n", "colours used", facts.used.count);
  for (const std::string& brand : facts.used.brands) {
    std::printf("  %s\n", PrintableText(brand).c_str());
  }
  if (facts.meanDifference) {
    std::printf("%-19s %.2f\n", "mean ΔE00 to photo", *facts.meanDifference);
  }
}

}  // namespace

int RunInfo(Words words) {
  const Subcommand& self = SubcommandNamed("info");
  ParsedArgs parsed;
  CommonOptions common;
  if (int status = ParseSubcommand(self, words, {{"--json", false}}, parsed, common); status >= 0) {
    return status;
  }
  if (parsed.positional.size() != 1) return ReportUsage("info: give exactly one PROJECT.mop");
  std::unique_ptr<CliContext> context = CliContext::Create(common);
  ProjectFacts facts;
  ProjectReadResult read;
  if (!context || !context->Start() || !context->ReadProjectFile(parsed.positional[0], &read)) {
    return kExitError;
  }
  facts.legacy = read.legacy;
  const CTessel20Doc& doc = context->Doc();
  // Colours are counted only on a finished pattern.
  if (doc.convertedPicture) {
    facts.used = CountUsedColors(doc.indexImage.get(), doc.params.workingPalette);
    facts.usedPositions = UsedPositions(doc.indexImage.get());
    if (doc.initialPicture) {
      facts.meanDifference = ConversionDifference(*doc.initialPicture, *doc.convertedPicture);
    }
  }
  if (parsed.Has("--json")) {
    PrintJson(doc, facts);
  } else {
    PrintText(doc, facts);
  }
  return kExitOk;
}

}  // namespace tintara::cli
