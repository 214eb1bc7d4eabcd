// Arbitrary bytes read as a paste or a CSV import: a reading is rows or a fault, never both; a
// fault is placed at a row and column from 1; rows hold one cell a column, of distinct grid
// columns, one line of UTF-8 each; and the rows written for a spreadsheet read back as the same
// columns and cells, but for a cell that itself begins with the guard's apostrophe before a
// formula character, which a spreadsheet would read back without it too.
#include "files/text.h"
#include "network/segment_rows.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "rows_fuzz: %s\n", what);
    std::abort();
}

bool guardLike(const std::string& cell) {
    return cell.size() > 1 && cell[0] == '\'' &&
           files::spreadsheetText(cell.substr(1)) != cell.substr(1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the separator and the column a paste starts at.
    const char separator = data[0] & 1 ? ',' : '\t';
    const int firstColumn = (data[0] >> 1) % (network::kColumns + 2) - 1;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const network::SegmentRowsReading read = network::readSegmentRows(text, separator, firstColumn);
    if (read.rows.has_value() == read.fault.has_value())
        fail("a reading is rows or a fault");
    if (read.fault) {
        if (read.fault->row < 1 || read.fault->column < 1 || read.fault->text.empty())
            fail("a fault has its place and its words");
        return 0;
    }
    const network::SegmentRows& rows = *read.rows;
    std::set<network::Column> distinct(rows.columns.begin(), rows.columns.end());
    if (distinct.size() != rows.columns.size())
        fail("a column read twice");
    for (const network::Column column : rows.columns)
        if (column < 0 || column >= network::kColumns)
            fail("a column the grid does not have");
    bool guarded = false;
    for (const auto& row : rows.rows) {
        if (row.size() != rows.columns.size())
            fail("a row without one cell a column");
        for (const std::string& cell : row) {
            if (cell.find_first_of("\r\n") != std::string::npos || files::firstNonUtf8(cell))
                fail("a cell that is not one line of UTF-8");
            guarded = guarded || guardLike(cell);
        }
    }
    if (rows.columns.empty() || guarded)
        return 0;
    const network::SegmentRowsReading back =
        network::readSegmentRows(network::segmentRowsText(rows.columns, rows.rows), '\t');
    if (!back.rows || back.rows->columns != rows.columns)
        fail("the written rows do not read back under their headings");
    // Rows of blanks are no rows, read or read back.
    std::size_t kept = 0;
    for (const auto& row : rows.rows) {
        bool blank = true;
        for (const std::string& cell : row)
            blank = blank && network::trimmed(cell).empty();
        if (!blank && (kept >= back.rows->rows.size() || back.rows->rows[kept++] != row))
            fail("a written row reads back otherwise");
    }
    if (kept != back.rows->rows.size())
        fail("rows read back that were not written");
    return 0;
}
