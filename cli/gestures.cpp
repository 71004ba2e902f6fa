#include "cli/gestures.h"

#include <charconv>
#include <string_view>

#include "colors/tessel_params.h"
#include "editing/pen_geometry.h"
#include "editing/select_params.h"

namespace tintara::cli {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool ReadInt(std::string_view text, int32_t& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end;
}

// "X,Y"
bool ReadPoint(std::string_view text, Point& point) {
  size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  return ReadInt(text.substr(0, comma), point.x) && ReadInt(text.substr(comma + 1), point.y);
}

bool WithinReach(Point point) {
  auto near = [](int32_t v) { return v >= -kMaxGestureCoordinate && v <= kMaxGestureCoordinate; };
  return near(point.x) && near(point.y);
}

struct Choice {
  const char* word;
  int32_t value;
};

bool ReadChoice(std::string_view text, std::initializer_list<Choice> choices, int32_t& value) {
  for (const Choice& choice : choices) {
    if (text == choice.word) {
      value = choice.value;
      return true;
    }
  }
  return false;
}

bool ReadRange(std::string_view text, int32_t low, int32_t high, int32_t& value) {
  int32_t read = 0;
  if (!ReadInt(text, read) || read < low || read > high) return false;
  value = read;
  return true;
}

// The pen's width in pixels, a power of two 1..128, as its step.
bool ReadPenWidth(std::string_view text, int32_t& step) {
  int32_t pixels = 0;
  if (!ReadRange(text, 1, 128, pixels)) return false;
  for (int32_t s = 0; s < kPenWidthSteps; ++s) {
    if (PenSide(s) == pixels) {
      step = s;
      return true;
    }
  }
  return false;
}

// Stores `value` under `name`; false for an unknown name or a bad value.
// `paletteSize` bounds the painting colour.
bool ApplySetting(CSelectParams& params, CTesselParams& pattern, int32_t paletteSize,
                  const std::string& name, const std::string& value, std::string& error) {
  bool ok = false;
  if (name == "pen.width") {
    ok = ReadPenWidth(value, pattern.penWidth);
  } else if (name == "pen.shape") {
    ok = ReadChoice(value, {{"round", kPenRound}, {"square", kPenSquare}}, pattern.penShape);
  } else if (name == "color") {
    ok = ReadRange(value, 0, paletteSize - 1, pattern.currentColor);
  } else if (name == "select.shape") {
    ok = ReadChoice(value, {{"rectangle", kSelectRectangle}, {"ellipse", kSelectEllipse},
                            {"polygon", kSelectPolygon}, {"freehand", kSelectFreehand},
                            {"move", kSelectMove}},
                    params.shape);
  } else if (name == "select.mode") {
    ok = ReadChoice(value, {{"new", kSelectModeNew}, {"add", kSelectModeAdd},
                            {"subtract", kSelectModeSubtract}},
                    params.combineMode);
  } else if (name == "select.square") {
    ok = ReadRange(value, 0, 1, params.square);
  } else if (name == "select.size") {
    ok = ReadRange(value, 0, 1, params.fixedSize);
  } else if (name == "select.width") {
    ok = ReadRange(value, 0, 999, params.fixedWidth);
  } else if (name == "select.height") {
    ok = ReadRange(value, 0, 999, params.fixedHeight);
  } else {
    error = "unknown setting '" + name + "'";
    return false;
  }
  if (!ok) error = "bad value '" + value + "' for " + name;
  return ok;
}

}  // namespace

GestureWord ParseGestureWord(const std::string& word, Gesture& gesture, std::string& error) {
  gesture = {};
  gesture.word = word;
  std::string_view rest = word;
  if (StartsWith(rest, "set:")) {
    gesture.kind = Gesture::Kind::kSet;
    rest.remove_prefix(4);
    size_t equals = rest.find('=');
    if (equals == std::string_view::npos) {
      error = "a setting is set:NAME=VALUE";
      return GestureWord::kBad;
    }
    gesture.name = std::string(rest.substr(0, equals));
    gesture.value = std::string(rest.substr(equals + 1));
    CSelectParams scratch;
    CTesselParams pattern;
    // The palette is known only when the word is played.
    return ApplySetting(scratch, pattern, 256, gesture.name, gesture.value, error)
               ? GestureWord::kGesture
               : GestureWord::kBad;
  }
  for (bool prefixed = true; prefixed;) {
    prefixed = false;
    if (StartsWith(rest, "shift+")) {
      gesture.keys |= kMouseKeyShift;
      rest.remove_prefix(6);
      prefixed = true;
    } else if (StartsWith(rest, "ctrl+")) {
      gesture.keys |= kMouseKeyControl;
      rest.remove_prefix(5);
      prefixed = true;
    }
  }
  size_t at = rest.find('@');
  std::string_view verb = rest.substr(0, at);
  if (at == std::string_view::npos || (verb != "click" && verb != "dblclick" && verb != "drag")) {
    if (gesture.keys == 0) return GestureWord::kNotGesture;
    error = "a key prefix must come before click@, dblclick@ or drag@";
    return GestureWord::kBad;
  }
  gesture.kind = verb == "click"      ? Gesture::Kind::kClick
                 : verb == "dblclick" ? Gesture::Kind::kDoubleClick
                                      : Gesture::Kind::kDrag;
  std::string_view points = rest.substr(at + 1);
  while (true) {
    size_t slash = points.find('/');
    Point point;
    if (!ReadPoint(points.substr(0, slash), point)) {
      error = "bad coordinate";
      return GestureWord::kBad;
    }
    if (!WithinReach(point)) {
      error = "coordinates run from -" + std::to_string(kMaxGestureCoordinate) + " to " +
              std::to_string(kMaxGestureCoordinate);
      return GestureWord::kBad;
    }
    gesture.points.push_back(point);
    if (slash == std::string_view::npos) break;
    points.remove_prefix(slash + 1);
  }
  const bool drag = gesture.kind == Gesture::Kind::kDrag;
  if (drag ? gesture.points.size() < 2 : gesture.points.size() != 1) {
    error = drag ? "a drag needs at least two points" : "one point is expected";
    return GestureWord::kBad;
  }
  return GestureWord::kGesture;
}

GesturePlayer::GesturePlayer(CTessel20Doc& doc, SelectionTool& selection, DrawingTool& drawing)
    : doc_(doc),
      selection_(selection),
      host_([this] { return Mapping(); }, {}, {}),
      drawingHost_([this] { return Mapping(); }, {}),
      source_(doc, &selection, &drawing) {
  selection.Attach(&host_);
  drawing.Attach(&drawingHost_);
}

ViewMapping GesturePlayer::Mapping() const {
  return ViewMapping(ZoomFactor{}, doc_.CurrentImageSize().second, Point{0, 0});
}

MouseInput GesturePlayer::Input(Point window, uint32_t keys) const {
  return {Mapping().WindowToImage(window), window, keys};
}

bool GesturePlayer::Play(const Gesture& gesture) {
  if (gesture.kind == Gesture::Kind::kSet) {
    std::string error;
    CTesselParams& pattern = doc_.params;
    if (!ApplySetting(selection_.Params(), pattern,
                      int32_t(pattern.workingPalette.size()), gesture.name, gesture.value,
                      error)) {
      return false;
    }
    // The brand position and saved settings follow the colour as in the palette window.
    if (gesture.name == "color") doc_.SetCurrentColor(pattern.currentColor);
    return true;
  }
  const uint32_t held = gesture.keys | kMouseKeyLeft;
  const Point first = gesture.points.front();
  const Point last = gesture.points.back();
  if (!dispatch_.LeftDown(source_, Input(first, held))) return false;
  for (size_t i = 1; i + 1 < gesture.points.size(); ++i) {
    dispatch_.Move(source_, Input(gesture.points[i], held));
  }
  dispatch_.LeftUp(source_, Input(last, gesture.keys));
  if (gesture.kind != Gesture::Kind::kDoubleClick) return true;
  // The second press of a double click arrives as the double click itself.
  bool taken = dispatch_.DoubleClick(source_, Input(first, held));
  dispatch_.LeftUp(source_, Input(first, gesture.keys));
  return taken;
}

}  // namespace tintara::cli
