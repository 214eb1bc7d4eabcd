#include "pipes/sizing.h"

#include "calc/messages.h"
#include "calc/numbers.h"
#include "pipes/seamless.h"
#include "pipes/welded.h"

namespace pipes {

namespace {

using Look = controls::TableList::Look;

std::string bandText(VelocityBand band) {
    return calc::numberText(band.low).substr(1) + "–" + calc::numberText(band.high).substr(1);
}

SizingRow sizingRow(const calc::CalcState& main, std::string_view size, std::string_view wall,
                    float bore, SteamKind steam, double length, double fraction) {
    // The main window's own state with this bore, so that every figure is the one it would show.
    calc::CalcState state = main;
    calc::setInnerDiameter(state, bore);
    SizingRow row{.size = size,
                  .wall = wall,
                  .bore = bore,
                  .results = calc::flowResults(state),
                  .look = std::nullopt,
                  .cells = {}};
    const VelocityBand band = velocityBand(steam, bore);
    const float velocity = row.results.velocity;
    const char* verdict = "适宜";
    if (velocity > band.high) {
        row.look = Look::Above;
        verdict = "偏高";
    } else if (velocity < band.low) {
        row.look = Look::Below;
        verdict = "偏低";
    }
    const double runLoss = row.results.specificLoss * length * (1 + fraction) / 1000;
    std::string name(size);
    if (!wall.empty())
        name.append("×").append(wall);
    for (const std::string& cell :
         {name, calc::fieldText(bore * 1000.0f, ""), calc::fieldText(velocity, ""),
          calc::fieldText(row.results.specificLoss, ""),
          calc::fieldText(calc::storedFloat(runLoss), ""), bandText(band), std::string(verdict)})
        row.cells.append(row.cells.empty() ? "" : "\t").append(cell);
    return row;
}

} // namespace

VelocityBand velocityBand(SteamKind steam, float boreMetres) {
    const auto& bands = kVelocityBands[static_cast<std::size_t>(steam)];
    const float millimetres = boreMetres * 1000.0f;
    return millimetres < 100 ? bands[0] : millimetres <= 200 ? bands[1] : bands[2];
}

SizingTable sizingTable(const calc::CalcState& main, bool seamless, SteamKind steam, double length,
                        double fraction) {
    SizingTable table;
    if (seamless) {
        // The bore the main window gives each pipe when its outer diameter is picked.
        for (const SeamlessPipe& pipe : kSeamlessPipes)
            table.rows.push_back(
                sizingRow(main, pipe.entry, pipe.defaultThickness(),
                          seamlessBore(pipe.outerMetres, wallMetres(pipe.defaultThickness())),
                          steam, length, fraction));
    } else {
        for (const WeldedPipe& pipe : kWeldedPipes)
            table.rows.push_back(
                sizingRow(main, pipe.label, {}, pipe.boreMetres, steam, length, fraction));
    }
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        if (table.rows[i].look != Look::Above) {
            table.recommended = i;
            table.rows[i].look = Look::Recommended;
            break;
        }
    }
    return table;
}

const SizingRow* SizingHandlings::selectedRow() const {
    const int index = m_controls.table.selectedIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= m_table.rows.size())
        return nullptr;
    return &m_table.rows[static_cast<std::size_t>(index)];
}

void SizingHandlings::fault(std::string_view why) {
    m_controls.status.setStatus(why, true);
    m_controls.choose.setEnabled(false);
}

void SizingHandlings::fill() {
    auto& c = m_controls;
    const std::string series = c.series.text();
    const std::string steam = c.steam.text();
    // The lists are filled one after the other at opening; the table waits for both.
    if (series.empty() || steam.empty())
        return;
    m_table = {};
    c.table.clear();
    const double length = calc::prefixNumber(c.length.text());
    const double fraction = calc::prefixNumber(c.fraction.text());
    if (!(m_main.density > 0))
        return fault("主窗口中没有蒸汽密度：请先在主窗口输入密度");
    if (length < 0)
        return fault("管段长度不得为负");
    if (fraction < 0)
        return fault("局部损失的比例不得为负");

    m_table = sizingTable(m_main, series == kSeriesItems[1],
                          steam == kSteamItems[1] ? SteamKind::Superheated : SteamKind::Saturated,
                          length, fraction);
    int index = 0;
    for (const SizingRow& row : m_table.rows)
        c.table.addItem(row.cells, index++);
    for (std::size_t i = 0; i < m_table.rows.size(); ++i)
        if (m_table.rows[i].look)
            c.table.setRowLook(static_cast<int>(i), *m_table.rows[i].look);
    c.choose.setEnabled(true);
    if (!m_table.recommended)
        return c.status.setStatus("每一种管径的流速都高于推荐范围", false);
    const SizingRow& recommended = m_table.rows[*m_table.recommended];
    c.table.showRow(static_cast<int>(*m_table.recommended));
    c.status.setStatus("推荐 " + recommended.cells.substr(0, recommended.cells.find('\t')) +
                           "：流速不高于推荐范围的最小管径",
                       false);
}

} // namespace pipes
