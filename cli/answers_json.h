// Scripted answers from a JSON file: an object whose keys are dialog captions
// or message texts, each holding a list of answers used in order (a single
// value that is not a list counts as a list of one).
#pragma once

#include <QByteArray>
#include <string>

#include "ports/scripted_answers.h"

namespace tintara::cli {

// False, with `error` set, when the text is not a JSON object.
bool LoadAnswersJson(const QByteArray& json, ScriptedAnswers& answers, std::string& error);
// The same from a file; the error names the file.
bool LoadAnswersFile(const std::string& path, ScriptedAnswers& answers, std::string& error);

}  // namespace tintara::cli
