#pragma once

#include "network/network.h"
#include "network/result_table.h"
#include "sheet/sheet.h"

#include <string>
#include <string_view>
#include <vector>

// Every cell of the result tables written, for each reader: the window's rows (seven significant
// digits, as the other windows show numbers), the calculation sheet's typed cells, and the
// command line's tables for scripts and spreadsheets, CSV (RFC 4180) and JSON, with every number
// in the shortest form that reads back as the same double.
namespace network {

// The window's row: its cells in the window's order, one a tab, as its list takes them.
std::string windowRow(const SegmentLine& line);
std::string windowRow(const NodeResult& node);

// One of the sheet's cells: the window's text, a figure marked as a number.
sheet::Cell sheetCell(const Value& value);

// The pipe catalogue, one pipe a row.
std::string pipesCsv();
// A computed network's segments, one a row, with their verdicts' codes.
std::string calcCsv(const Network& network, const Result& result);
// The same network's segments and nodes as one JSON document.
std::string calcJson(const Network& network, const Result& result);

} // namespace network
