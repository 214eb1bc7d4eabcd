#pragma once

class QWidget;

namespace bench {

// Once the window's first paint has been done, writes the process's resident set size in kB
// as one line to stdout and ends the process at once, so that its teardown is not counted.
void reportFirstPaint(QWidget* window);

} // namespace bench
