// "How to print" and "Print range" answered from a script.
#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

constexpr char kHowToPrint[] = "How to print";
constexpr char kPrintRange[] = "Print range";

std::optional<bool> ScriptBool(const ScriptValue& value) {
  if (const bool* on = std::get_if<bool>(&value.value)) return *on;
  return std::nullopt;
}

// Applies the fields of a "How to print" answer; the reason when the dialog
// would not take one of them.
std::optional<std::string> ApplySetupAnswer(const ScriptValue& answer, PrintSetupChoice& chosen) {
  struct IntField {
    const char* key;
    int* field;
    int lo;
    int hi;
  };
  for (const IntField& f : {IntField{"pages", &chosen.pagesPerSide, 1, 10},
                            IntField{"overlapMm", &chosen.overlapMm, 0, 15},
                            IntField{"coverage", &chosen.coverageMicrolitres, 1, 100000},
                            IntField{"coats", &chosen.coats, 1, 20},
                            IntField{"pot", &chosen.potMillilitres, 1, 100000}}) {
    const ScriptValue* value = answer.Find(f.key);
    if (value == nullptr) continue;
    std::optional<int> number = ScriptInt(*value, f.lo, f.hi);
    if (!number) {
      return std::string(f.key) + " must be an integer " + std::to_string(f.lo) + ".." +
             std::to_string(f.hi);
    }
    *f.field = *number;
  }
  for (auto [key, field] : {std::pair{"sheetColors", &chosen.sheetColors},
                            std::pair{"marks", &chosen.registrationMarks},
                            std::pair{"shoppingList", &chosen.shoppingList}}) {
    const ScriptValue* value = answer.Find(key);
    if (value == nullptr) continue;
    std::optional<bool> on = ScriptBool(*value);
    if (!on) return std::string(key) + " must be true or false";
    *field = *on;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PrintSetupChoice> ScriptedDialogs::HowToPrint(
    const PrintSetupChoice& current, const std::function<void()>& printerSetup) {
  std::optional<ScriptValue> answer = Take(kHowToPrint);
  if (!answer) return std::nullopt;
  if (answer->AsObject() == nullptr) {
    Refuse(kHowToPrint, "expected {\"pages\": N, ...}");
    return std::nullopt;
  }
  if (const ScriptValue* printer = answer->Find("printer")) {
    std::optional<bool> press = ScriptBool(*printer);
    if (!press) {
      Refuse(kHowToPrint, "printer must be true or false");
      return std::nullopt;
    }
    if (*press && printerSetup) printerSetup();
  }
  PrintSetupChoice chosen = current;
  if (std::optional<std::string> why = ApplySetupAnswer(*answer, chosen)) {
    Refuse(kHowToPrint, *why);
    return std::nullopt;
  }
  return chosen;
}

std::optional<PrintRangeChoice> ScriptedDialogs::ChoosePrintRange(int pagesPerSide) {
  std::optional<ScriptValue> answer = Take(kPrintRange);
  if (!answer) return std::nullopt;
  if (std::optional<std::string> word = answer->AsString()) {
    if (*word == "all") return PrintRangeChoice{};
    Refuse(kPrintRange, "expected \"all\" or {\"row\": R, \"column\": C}");
    return std::nullopt;
  }
  const ScriptValue* row = answer->Find("row");
  const ScriptValue* column = answer->Find("column");
  std::optional<int> r = row != nullptr ? ScriptInt(*row, 1, pagesPerSide) : std::nullopt;
  std::optional<int> c = column != nullptr ? ScriptInt(*column, 1, pagesPerSide) : std::nullopt;
  if (!r || !c) {
    Refuse(kPrintRange, "row and column must be integers 1.." + std::to_string(pagesPerSide));
    return std::nullopt;
  }
  return PrintRangeChoice{true, *r, *c};
}

}  // namespace tintara
