#pragma once

namespace sheet {

// A result row's verdict, as the calculation gives it: the windows' lists colour the row by it
// and the sheet prints it so. A plain row is drawn and printed as any other.
enum class Look { Plain, Recommended, Above, Below };

} // namespace sheet
