#pragma once

class QLabel;

namespace controls::qt {

// Lets the user select a label's text with the mouse and copy it from its context menu (all of
// it where nothing is selected), without the label taking the focus: a click there must not end
// an edit in a text box, whose leaving the program may act on.
void makeCopyable(QLabel* label);

} // namespace controls::qt
