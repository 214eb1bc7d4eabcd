#include "network/segment_rows.h"

#include "files/save.h"
#include "files/text.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace network {
namespace {

// A table's cells as written, with the place of the first fault of its syntax. A reader of our
// own: what a paste needs is small (RFC 4180 with a choice of separator) but must say the row
// and column of an open quote, which the C readers packaged for Debian do not.
struct Cells {
    std::vector<std::vector<std::string>> rows;
    std::optional<RowsFault> fault;
};

Cells splitCells(std::string_view text, char separator) {
    Cells cells;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false;    // inside a quoted cell
    bool wasQuoted = false; // the cell began with a quote
    std::size_t at = 0;
    const auto endRow = [&] {
        row.push_back(std::move(cell));
        cell.clear();
        wasQuoted = false;
        cells.rows.push_back(std::move(row));
        row.clear();
    };
    while (at < text.size()) {
        const char c = text[at++];
        if (quoted) {
            if (c != '"')
                cell += c;
            else if (at < text.size() && text[at] == '"')
                cell += text[at++];
            else
                quoted = false;
        } else if (c == '"' && cell.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == separator) {
            row.push_back(std::move(cell));
            cell.clear();
            wasQuoted = false;
        } else if (c == '\n' || (c == '\r' && at < text.size() && text[at] == '\n')) {
            at += c == '\r' ? 1 : 0;
            endRow();
        } else {
            cell += c;
        }
    }
    if (quoted) {
        cells.fault = RowsFault{cells.rows.size() + 1, row.size() + 1, "引号没有结束"};
        return cells;
    }
    // A last line break ends the last row; it starts none.
    if (!cell.empty() || !row.empty() || wasQuoted)
        endRow();
    return cells;
}

bool blank(const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(),
                       [](const std::string& cell) { return trimmed(cell).empty(); });
}

// The guard's apostrophe before a formula's first character, as the grid's copy writes it.
std::string unguarded(std::string cell) {
    if (cell.size() > 1 && cell[0] == '\'' &&
        files::spreadsheetText(cell.substr(1)) != cell.substr(1))
        cell.erase(0, 1);
    return cell;
}

// The column a heading cell names, with or without its unit in brackets, or a fault's words.
struct HeadingMatch {
    std::optional<Column> column;
    std::string fault;
};

HeadingMatch headingColumn(std::string_view cell) {
    const std::string text = trimmed(cell);
    for (int c = 0; c < kColumns; ++c) {
        const GridColumn& grid = kGridColumns[static_cast<std::size_t>(c)];
        if (!std::string_view(text).starts_with(grid.heading))
            continue;
        std::string rest = trimmed(std::string_view(text).substr(grid.heading.size()));
        if (rest.empty())
            return {static_cast<Column>(c), {}};
        std::string unit;
        for (const auto& [open, close] : {std::array<std::string_view, 2>{"(", ")"},
                                          std::array<std::string_view, 2>{"（", "）"}})
            if (rest.starts_with(open) && rest.ends_with(close) &&
                rest.size() >= open.size() + close.size())
                unit = trimmed(std::string_view(rest).substr(
                    open.size(), rest.size() - open.size() - close.size()));
        // The source's pressure unit is the window's, whatever the sheet says: any is taken.
        if (grid.unit.source && !unit.empty())
            return {static_cast<Column>(c), {}};
        if (!unit.empty() && unit == grid.unit.fixed)
            return {static_cast<Column>(c), {}};
        if (!unit.empty() && !grid.unit.fixed.empty())
            return {std::nullopt, "“" + std::string(grid.heading) + "”的单位应为 " +
                                      std::string(grid.unit.fixed) + "，不是" +
                                      files::inQuotes(unit)};
    }
    return {std::nullopt, "标题" + files::inQuotes(text) + "不是表中的列"};
}

bool isHeadingRow(const std::vector<std::string>& row) {
    return std::any_of(row.begin(), row.end(), [](const std::string& cell) {
        return headingColumn(cell).column.has_value();
    });
}

bool isNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

} // namespace

SegmentRowsReading readSegmentRows(std::string_view text, char separator, int firstColumn) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Cells cells = splitCells(text, separator);
    if (cells.fault)
        return {std::nullopt, cells.fault};
    SegmentRows read;
    std::size_t first = 0; // the first row of cells, skipping the headings
    const auto fault = [](std::size_t row, std::size_t column, std::string words) {
        return SegmentRowsReading{std::nullopt, RowsFault{row + 1, column + 1, std::move(words)}};
    };
    // Blank rows are skipped, but a fault still names the row as the text has it.
    std::size_t start = 0;
    while (start < cells.rows.size() && blank(cells.rows[start]))
        ++start;
    if (start == cells.rows.size())
        return {read, std::nullopt};
    const std::vector<std::string>& top = cells.rows[start];
    if (isHeadingRow(top)) {
        read.headed = true;
        for (std::size_t c = 0; c < top.size(); ++c) {
            const HeadingMatch match = headingColumn(top[c]);
            if (!match.column)
                return fault(start, c, match.fault);
            if (std::find(read.columns.begin(), read.columns.end(), *match.column) !=
                read.columns.end())
                return fault(start, c, "标题" + files::inQuotes(trimmed(top[c])) + "重复");
            read.columns.push_back(*match.column);
        }
        first = start + 1;
    } else {
        if (firstColumn < 0 || firstColumn + static_cast<int>(top.size()) > kColumns)
            return fault(start, static_cast<std::size_t>(std::max(0, kColumns - firstColumn)),
                         "有 " + std::to_string(top.size()) + " 格，表中从这一列起只有 " +
                             std::to_string(std::max(0, kColumns - firstColumn)) + " 列");
        for (std::size_t c = 0; c < top.size(); ++c)
            read.columns.push_back(static_cast<Column>(firstColumn + static_cast<int>(c)));
        first = start;
    }
    for (std::size_t r = first; r < cells.rows.size(); ++r) {
        std::vector<std::string>& row = cells.rows[r];
        if (blank(row))
            continue;
        if (row.size() != read.columns.size())
            return fault(r, std::min(row.size(), read.columns.size()),
                         "有 " + std::to_string(row.size()) + " 格，应有 " +
                             std::to_string(read.columns.size()) + " 格");
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (files::firstNonUtf8(row[c]))
                return fault(r, c, "不是 UTF-8 文字");
            if (row[c].find_first_of("\r\n") != std::string::npos)
                return fault(r, c, "一格中有换行");
            row[c] = unguarded(std::move(row[c]));
        }
        // A guarded blank ('\t) is blank too once its guard is gone.
        if (blank(row))
            continue;
        read.rows.push_back(std::move(row));
    }
    return {std::move(read), std::nullopt};
}

std::string faultText(const RowsFault& fault) {
    return "第 " + std::to_string(fault.row) + " 行第 " + std::to_string(fault.column) + " 列：" +
           fault.text;
}

SegmentFileReading loadSegmentRows(const std::filesystem::path& path) {
    const std::string refused = "无法导入" + files::inQuotes(files::fileNameOf(path)) + "：";
    // A table of a thousand segments is some hundred kilobytes.
    const files::SmallFile file =
        files::readSmallFile(path, 16 * 1024 * 1024, "文件大于 16 MiB，不是管段表");
    if (!file.fault.empty())
        return {std::nullopt, refused + file.fault};
    SegmentRowsReading read = readSegmentRows(file.bytes, ',');
    if (read.fault)
        return {std::nullopt, refused + faultText(*read.fault)};
    if (read.rows->rows.empty())
        return {std::nullopt, refused + "文件中没有管段"};
    return {std::move(read.rows), {}};
}

std::string segmentRowsText(const std::vector<Column>& columns,
                            const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    const auto line = [&](auto cellOf) {
        for (std::size_t c = 0; c < columns.size(); ++c)
            text += (c > 0 ? "\t" : "") + files::separatedField(cellOf(c), '\t');
        text += "\r\n";
    };
    line([&](std::size_t c) {
        const GridColumn& grid = kGridColumns[static_cast<std::size_t>(columns[c])];
        std::string heading(grid.heading);
        if (!grid.unit.fixed.empty())
            heading.append(" (").append(grid.unit.fixed).append(")");
        return heading;
    });
    for (const std::vector<std::string>& row : rows)
        line([&](std::size_t c) {
            const std::string& cell = c < row.size() ? row[c] : std::string();
            return isNumber(cell) ? cell : files::spreadsheetText(cell);
        });
    return text;
}

} // namespace network
