#include "pipes/sizing.h"

#include "calc/numbers.h"
#include "pipes/seamless.h"
#include "pipes/welded.h"

#include <algorithm>

namespace pipes {

namespace {

using Look = sheet::Look;

// A positive number as words: its number text without the sign position.
std::string words(double value) {
    return calc::numberText(calc::storedFloat(value)).substr(1);
}

std::string bandText(VelocityBand band) {
    return words(band.low) + "–" + words(band.high);
}

SizingRow sizingRow(const calc::CalcState& main, std::string_view size, std::string_view wall,
                    float bore, SteamKind steam, const SizingRun& run) {
    // The main window's own state with this bore, so that every figure is the one it would show.
    calc::CalcState state = main;
    calc::setInnerDiameter(state, bore);
    SizingRow row{.size = size,
                  .wall = wall,
                  .results = calc::flowResults(state),
                  .look = Look::Plain,
                  .largeDrop = false,
                  .lossAboveRange = false,
                  .cells = {}};
    const VelocityBand band = velocityBand(steam, bore);
    const float velocity = row.results.velocity;
    std::string verdict = "适宜";
    if (velocity > band.high) {
        row.look = Look::Above;
        verdict = "偏高";
    } else if (row.results.specificLoss > run.limit.value_or(kHighestSpecificLoss)) {
        row.look = Look::Above;
        verdict = run.limit ? "比摩阻超限" : "比摩阻过大";
        row.lossAboveRange = !run.limit;
    } else if (velocity < band.low) {
        row.look = Look::Below;
        verdict = "偏低";
    }
    const double runLoss = row.results.specificLoss * run.length * (1 + run.fraction) / 1000;
    // kPa against MPa: the share of the absolute pressure the run loses.
    row.largeDrop = run.absoluteMpa && runLoss > kOneDensityShare * *run.absoluteMpa * 1000;
    if (row.largeDrop)
        verdict += "，压降过大";
    std::string name(size);
    if (!wall.empty())
        name.append("×").append(wall);
    for (const std::string& cell :
         {name, calc::fieldText(bore * 1000.0f, ""), calc::fieldText(velocity, ""),
          calc::fieldText(row.results.specificLoss, ""), calc::storedText(runLoss), bandText(band),
          verdict})
        row.cells.append(row.cells.empty() ? "" : "\t").append(cell);
    return row;
}

} // namespace

VelocityBand velocityBand(SteamKind steam, float boreMetres) {
    const auto& bands = kVelocityBands[static_cast<std::size_t>(steam)];
    const float millimetres = boreMetres * 1000.0f;
    return millimetres < 100 ? bands[0] : millimetres <= 200 ? bands[1] : bands[2];
}

SizingTable sizingTable(const calc::CalcState& main, bool seamless, SteamKind steam,
                        const SizingRun& run) {
    SizingTable table;
    if (seamless) {
        // The bore the main window gives each pipe when its outer diameter is picked.
        for (const SeamlessPipe& pipe : kSeamlessPipes)
            table.rows.push_back(sizingRow(
                main, pipe.entry, pipe.defaultThickness(),
                seamlessBore(pipe.outerMetres, wallMetres(pipe.defaultThickness())), steam, run));
    } else {
        for (const WeldedPipe& pipe : kWeldedPipes)
            table.rows.push_back(sizingRow(main, pipe.label, {}, pipe.boreMetres, steam, run));
    }
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        table.rangeDecided = table.rangeDecided || table.rows[i].lossAboveRange;
        if (table.rows[i].look != Look::Above) {
            table.recommended = i;
            table.rows[i].look = Look::Recommended;
            break;
        }
    }
    return table;
}

} // namespace pipes
