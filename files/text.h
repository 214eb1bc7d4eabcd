#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace files {

// The offset of the first byte that is not part of well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF), or none when all of it is.
std::optional<std::size_t> firstNonUtf8(std::string_view text);

// A name or word from a network in Chinese quotation marks, as a message quotes it: a control
// character written as its JSON escape, and a byte that is not UTF-8 as U+FFFD, so that the
// message stays one line of text whatever the name holds.
std::string inQuotes(std::string_view text);

// A field of a CSV line (RFC 4180): quoted when it holds a separator, a quote or a line break,
// its quotes doubled; quoted too when a blank or tab stands at either end, since a spreadsheet
// drops unquoted ones and the field would not read back as written.
std::string csvField(std::string_view field);
// The same for a line of another separator, a spreadsheet's tab-separated copy among them.
std::string separatedField(std::string_view field, char separator);

// A text cell as a spreadsheet should take it, in a CSV or a tab-separated paste: one that begins
// with =, +, -, − (U+2212), @, a tab or a carriage return would be read as a formula, and a name
// in a network file received from someone else could run one, so it is written after an
// apostrophe, which a spreadsheet takes as "this is text" and does not show. For text cells only,
// chosen by the cell's kind: a number's minus sign is its own.
std::string spreadsheetText(std::string_view text);

} // namespace files
