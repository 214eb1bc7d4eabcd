#pragma once

#include "calc/state.h"
#include "pipes/sizing.h"
#include "sheet/sheet.h"

#include <optional>
#include <string>
#include <string_view>

// The sizing window's calculation sheet, and what the network's shares with it.
namespace pipes {

// The method's paragraphs both sheets state: the friction and velocity formulas, and the
// velocity bands with where they come from.
std::string formulaParagraph();
std::string bandsParagraph();

// The sheet of a sizing table: the main window's flow, density and roughness, the run as the
// window's lists (`series`, `steam`) and boxes gave it, every size with its verdict, and the
// status line's sentences (the recommended size, the warnings) as the findings.
sheet::Sheet sizingSheet(const calc::CalcState& main, std::string_view series,
                         std::string_view steam, const SizingRun& run, const SizingTable& table,
                         std::string_view status, std::string_view date);

// A status line's sentences, each a finding.
std::vector<std::string> sentences(std::string_view status);

} // namespace pipes
