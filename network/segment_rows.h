#pragma once

#include "network/texts.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Segments as rows of a table in text: the tab-separated rows a spreadsheet puts on the clipboard
// and the grid puts there for one, and the comma-separated rows of a CSV file. Reading checks the
// whole text before any row is used, so that a paste or an import is all or nothing.
namespace network {

// Where a text cannot be read: its row and column in the text, from 1, and what is wrong there.
struct RowsFault {
    std::size_t row;
    std::size_t column;
    std::string text;
};

// The rows read from a text: for each, the grid's column of each of its cells, in the order of
// the text's columns (the headings' columns, or the grid's from `firstColumn`), and their texts,
// the formula guard's apostrophe taken off.
struct SegmentRows {
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows;
    bool headed = false;
};

struct SegmentRowsReading {
    std::optional<SegmentRows> rows;
    std::optional<RowsFault> fault;
};

// Reads rows of cells separated by `separator` (a tab or a comma), each line a row: a cell in
// double quotes may hold the separator, line breaks and doubled quotes; "\r\n" ends a line as
// "\n" does, a last line break and rows of blank cells are no rows, a UTF-8 byte order mark at
// the start is skipped. The first row is headings when one of its cells is a grid column's
// heading, with or without its unit ("长度" or "长度 (m)"); each of its cells must then name a
// column, once, in the column's unit where one is given. Without headings the cells are the
// grid's columns in order from `firstColumn`. Refused, with the row and column of the first
// fault: a text that is not UTF-8, a quote left open, a row with more or fewer cells than the
// first, more cells than the grid has columns, a cell with a line break (a grid cell holds one
// line), a heading that names no column or one named twice.
SegmentRowsReading readSegmentRows(std::string_view text, char separator, int firstColumn = 0);

// The text of a fault as the status line and a message say it: 第 2 行第 3 列：….
std::string faultText(const RowsFault& fault);

// A CSV file's segments, read as a paste is (comma-separated, the first row headings or not);
// or the words of its first fault, naming the file: 无法导入“a.csv”：第 2 行第 3 列：….
struct SegmentFileReading {
    std::optional<SegmentRows> rows;
    std::string fault;
};
SegmentFileReading loadSegmentRows(const std::filesystem::path& path);

// Rows of the grid as a spreadsheet takes them from the clipboard: the headings of `columns` as
// the grid shows them, then a line a row, the cells tab-separated, each line ending in "\r\n".
// A cell that is not a number goes through the formula guard (files::spreadsheetText), and one
// with a tab, a line break or a quote is quoted.
std::string segmentRowsText(const std::vector<Column>& columns,
                            const std::vector<std::vector<std::string>>& rows);

} // namespace network
