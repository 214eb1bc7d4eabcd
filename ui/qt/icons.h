#pragma once

#include <QIcon>
#include <QPixmap>

namespace controls::qt {

// A steam pipe: a grey pipe with a flange, steam rising from its open end.
QIcon mainWindowIcon();
// A small table: white cells in grey grid lines under a dark-blue title strip, one cell ringed
// in dark red.
QIcon lookupWindowIcon();

// The same pictures at any size in pixels, for the installed icon theme.
QPixmap mainWindowPicture(int size);
QPixmap lookupWindowPicture(int size);

} // namespace controls::qt
