// The filter engine: a registry of named tools and the operations that create,
// configure and run them on a site. Failures are reported to the user through
// the site's message callback, unless errors are frozen; a user cancel is never
// reported.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "imaging/filters/builtin_tools.h"
#include "imaging/filters/filter_site.h"
#include "imaging/filters/filter_tool.h"

namespace tintara {

class FilterEngine {
 public:
  // Registers the built-in tools; true when the site is ready.
  static bool InitSite(FilterSite& site);
  // Starts the site with the given tools only.
  static bool InitSite(FilterSite& site, std::span<const BuiltinTool> tools);
  static void FreeSite(FilterSite& site);
  // Adds a tool under a new name; false for an empty or taken name.
  static bool RegisterTool(FilterSite& site, std::string_view name, ToolFactory make);

  // The tool's id (1, 2, ...), 0 when there is no such tool.
  static uint16_t FindTool(const FilterSite& site, std::string_view name);
  // An empty handle (status 3 reported) when there is no such tool.
  static ToolHandle CreateTool(FilterSite& site, std::string_view name);
  static void DeleteTool(FilterSite& site, ToolHandle& tool);

  static int Capabilities(FilterSite& site, const FilterTool& tool, int formatIndex);
  // Capabilities for a picture kind: asked with index 0 first, whose kinds 3, 4
  // and 5 are final, then with the picture's format index.
  static int CapabilitiesFor(FilterSite& site, const FilterTool& tool, int32_t pictureKind);

  // 0 on success, else a status.
  static int SetParameter(FilterSite& site, FilterTool& tool, int32_t slot, int32_t element,
                          ParameterValue value);
  static int GetParameter(FilterSite& site, const FilterTool& tool, int32_t slot, int32_t element,
                          ParameterValue& value);
  static int ParameterCount(FilterSite& site, const FilterTool& tool, int32_t slot);

  // Runs the tool: `inPlace` 1 for a tool that writes into its input, 0 for one
  // that makes a new picture. 0 on success, else a status.
  static int Execute(FilterSite& site, FilterTool& tool, int inPlace, int reserved = 2);
  // Bounds of the fragment a fragment tool will make; null (status 3) otherwise.
  static RegionPtr OutputRegion(FilterSite& site, FilterTool& tool);

  // Errors raised in between are not reported; nests.
  static void FreezeErrors(FilterSite& site);
  static void UnfreezeErrors(FilterSite& site);
  // The caption of the error about to be raised.
  static void SetErrorText(FilterSite& site, int reserved, std::string_view text);
  // Reports a failed status (not a cancel, not while frozen) and returns it.
  static int RaiseError(FilterSite& site, int status);
};

}  // namespace tintara
