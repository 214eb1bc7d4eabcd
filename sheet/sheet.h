#pragma once

#include "sheet/look.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A calculation sheet: what an engineer files with a design for one calculation. Plain data and
// no toolkit, so that the windows, the command line and every export share one content; the
// tab-separated, CSV and spreadsheet forms are written here, the printed page by the Qt layer.
namespace sheet {

// A cell as the window shows it. A number keeps its shown text as the figure, so that every
// export holds the digits the engineer saw, no more and no fewer.
struct Cell {
    std::string text;
    bool number = false; // `text` is a plain decimal ("182.06", "-0.5"), exported as a number

    bool operator==(const Cell&) const = default;
};

struct Table {
    std::string title;                 // "管段计算结果"
    std::vector<std::string> headings; // each with its unit, as "比摩阻 (Pa/m)"
    std::vector<std::vector<Cell>> rows;
    std::vector<Look> looks; // one a row, or empty for none

    bool operator==(const Table&) const = default;
};

// One input as the sheet states it: "热源压力", "1 MPa(表压)".
struct Input {
    std::string name;
    std::string value;

    bool operator==(const Input&) const = default;
};

// What a sheet draws besides its text and tables, each picture on a page of its own after them.
// The layer that makes a sheet derives its own (a network's profile and tree) and the Qt layer
// that prints it knows that one; the sheet only carries it, and its text forms leave it out.
struct Drawings {
    virtual ~Drawings() = default;
};

struct Sheet {
    std::string title;   // what was calculated: "蒸汽管网水力计算书"
    std::string subject; // the network's own title; may be empty
    std::string program; // the program's name and version
    std::string date;    // the day it was made, as 2026-12-08
    std::vector<Input> inputs;
    std::vector<std::string> method;   // short paragraphs: formulas, sources, bands
    std::vector<Table> tables;         // in the order they are shown
    std::vector<std::string> findings; // the most unfavourable user, the verdicts to look at
    // None for a sheet of text and tables alone. Shared and constant, so that a sheet copies
    // cheaply; two copies of one sheet compare equal.
    std::shared_ptr<const Drawings> drawings{};

    bool operator==(const Sheet&) const = default;
};

// The program's name and its one version, the project's, as every sheet names what made it.
extern const std::string_view kProgram;

// Today as a sheet dates it, 2026-12-08, by the local clock; the day of SOURCE_DATE_EPOCH
// (seconds since 1970, in UTC) where that is set, so that a script can make the same file twice.
std::string today();

// A cell from the text a window shows: a number's leading sign blank dropped, and a number
// (a plain decimal, or one in exponent form, "1.5E-05") marked as one; any other text as it is.
Cell shownCell(std::string_view text);
// A window's row, its cells separated by tabs, as cells.
std::vector<Cell> shownCells(std::string_view row);

// The rows given (all when none are) as tab-separated text, the headings first and a line ending
// each row, so that a paste into a spreadsheet gives each value its own cell. A tab or a line
// break inside a cell would start another cell or row, so each becomes a space.
std::string tabSeparated(const Table& table, std::span<const std::size_t> rows = {});

// The whole sheet as CSV (RFC 4180) for a spreadsheet: UTF-8 after a byte-order mark, so that
// the Chinese text opens as such, and CRLF line ends. The title, the subject, the program and the
// date, the inputs as name,value rows, then each table after a blank line (its title, headings
// and rows), then the findings and the method, a line each.
std::string csvText(const Sheet& sheet);

// One table alone as CSV, as csvText writes one but without its title: the byte-order mark,
// the headings and the rows, CRLF line ends. For a series a script reads, such as a profile.
std::string csvText(const Table& table);

// Saved through a temporary file in the same folder renamed over the old one; empty when saved,
// else one message naming the file and why.
std::string saveCsv(const Sheet& sheet, const std::filesystem::path& path);
std::string saveTableCsv(const Table& table, const std::filesystem::path& path);
// A workbook: a worksheet for each table, the sheet's title, program, date and inputs above it,
// its headings bold, numbers as numbers showing the digits the window shows, its findings under
// it; the method on a worksheet of its own.
std::string saveXlsx(const Sheet& sheet, const std::filesystem::path& path);

} // namespace sheet
