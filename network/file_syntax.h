#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Where a network file's faults lie, as its messages name them, and the first pass over its text
// for what the parsed value no longer shows. The file reader's own.
namespace network {

// "第 2 段（“2”）": a segment by its place in the file and its name, where it has one.
std::string segmentPlace(std::size_t index, std::string_view name);
// The same place and one of its fields.
std::string segmentWhere(std::size_t index, std::string_view name, std::string_view field);
// "第 3 行第 5 列": the line and column (in characters) of a byte offset, as an editor shows them.
std::string position(std::string_view bytes, std::size_t offset);

// The first fault of the text's syntax, or a key written twice in one object (which the parsed
// value would quietly take the last of), without the file's name; empty when there is none.
std::string syntaxFault(std::string_view bytes);

} // namespace network
