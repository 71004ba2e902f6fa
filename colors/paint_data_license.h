// The licence notice that must accompany the shipped brand palette files
// (their colour data comes from an MIT-licensed collection). The About window
// shows it; the same text ships as PAINT-DATA-LICENSE.txt beside the program.
#pragma once

#include <string_view>

namespace tintara {

std::string_view PaintDataLicense();

}  // namespace tintara
