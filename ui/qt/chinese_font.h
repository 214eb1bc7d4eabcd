#pragma once

#include <QString>

namespace controls::qt {

// The first installed family of those that have the Chinese glyphs, in the order the program
// prefers them; empty when none is installed. The windows and the printed sheet use the same,
// so that a sheet reads as the window did.
QString chineseFamily();

} // namespace controls::qt
