// Why a step of the command-line tool failed, in words that name the file or
// the size, for the one-line error report.
#pragma once

#include <optional>
#include <string>

namespace tintara {
class CTessel20Doc;
struct DocumentEnvironment;
}  // namespace tintara

namespace tintara::cli {

// What stands in the way of writing a file at `path` that can be seen from
// its folder: "the folder does not exist", ...; nothing when no such cause is
// found.
std::optional<std::string> WriteObstacle(const std::string& path);

// "Cannot save PATH: REASON": the obstacle if any, else the program's own
// message (`shown`, may be empty) when it says more than that saving failed.
std::string SaveFailureText(const std::string& path, const std::string& shown);
// "Cannot open PATH: REASON" the same way: a missing or unreadable file, a
// folder, not a project file, else the program's message.
std::string OpenFailureText(const std::string& path, const std::string& shown);

// Why "Create drawing pattern" left no pattern when the settings tell it: a
// page too large for the pattern to be held (with its size), or a brand
// palette without colours.
std::string PatternFailureText(const CTessel20Doc& doc, const DocumentEnvironment& environment);

}  // namespace tintara::cli
