#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
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

// A verdict's colour in print, as the windows colour the row.
enum class Look { Plain, Recommended, Above, Below };

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

struct Sheet {
    std::string title;   // what was calculated: "蒸汽管网水力计算书"
    std::string subject; // the network's own title; may be empty
    std::string program; // the program's name and version
    std::string date;    // the day it was made, as 2026-12-08
    std::vector<Input> inputs;
    std::vector<std::string> method;   // short paragraphs: formulas, sources, bands
    std::vector<Table> tables;         // in the order they are shown
    std::vector<std::string> findings; // the most unfavourable user, the verdicts to look at

    bool operator==(const Sheet&) const = default;
};

// The rows given (all when none are) as tab-separated text, the headings first and a line ending
// each row, so that a paste into a spreadsheet gives each value its own cell.
std::string tabSeparated(const Table& table, std::span<const std::size_t> rows = {});

} // namespace sheet
