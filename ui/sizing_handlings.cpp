#include "ui/sizing_handlings.h"

#include "calc/numbers.h"
#include "pipes/sizing_sheet.h"

#include <algorithm>

namespace ui {

namespace {

// A positive number as words: its number text without the sign position.
std::string words(double value) {
    return calc::numberText(calc::storedFloat(value)).substr(1);
}

} // namespace

const pipes::SizingRow* SizingHandlings::selectedRow() const {
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
    m_run.reset();
    c.table.clear();
    if (!(m_main.density > 0))
        return fault("主窗口中没有蒸汽密度：请先在主窗口输入密度");
    // With no flow every size runs at 0 m/s, and the smallest would be recommended.
    if (!(m_main.flow > 0))
        return fault("主窗口的蒸汽流量为 0：请先在主窗口输入流量");
    const calc::BoxNumber length = calc::boxNumber(c.length.text(), "管段长度");
    if (!length.fault.empty())
        return fault(length.fault);
    if (length.value < 0)
        return fault("管段长度不得为负");
    const calc::BoxNumber percent = calc::boxNumber(c.fraction.text(), "局部损失", "%");
    if (!percent.fault.empty())
        return fault(percent.fault);
    if (percent.value < 0)
        return fault("局部损失不得为负");
    pipes::SizingRun run{.length = length.value,
                         .fraction = percent.value / 100,
                         .limit = std::nullopt,
                         .absoluteMpa = std::nullopt};
    // An empty limit box is no limit; any other text must be a positive R.
    const calc::BoxNumber limit = calc::boxNumber(c.limit.text(), "比摩阻上限");
    if (!limit.blank) {
        if (!limit.fault.empty())
            return fault(limit.fault);
        if (!(limit.value > 0))
            return fault("比摩阻上限须大于 0；不限时请留空");
        run.limit = limit.value;
    }
    if (m_steam)
        run.absoluteMpa = m_steam->absoluteMpa;

    m_table = pipes::sizingTable(
        m_main, series == pipes::seriesShown(pipes::Series::Seamless),
        steam == kSteamItems[1] ? pipes::SteamKind::Superheated : pipes::SteamKind::Saturated, run);
    int index = 0;
    for (const pipes::SizingRow& row : m_table.rows)
        c.table.addItem(row.cells, index++);
    for (std::size_t i = 0; i < m_table.rows.size(); ++i)
        c.table.setRowLook(static_cast<int>(i), m_table.rows[i].look);
    c.choose.setEnabled(true);

    std::string status;
    if (!m_table.recommended) {
        status = run.limit ? "没有流速不高于推荐范围、比摩阻不高于上限的管径"
                 : m_table.rangeDecided ? "没有流速不高于推荐范围、比摩阻不过大的管径"
                                        : "每一种管径的流速都高于推荐范围";
    } else {
        const pipes::SizingRow& recommended = m_table.rows[*m_table.recommended];
        c.table.showRow(static_cast<int>(*m_table.recommended));
        status = "推荐 " + recommended.cells.substr(0, recommended.cells.find('\t')) +
                 (run.limit ? "：流速不高于推荐范围、比摩阻不高于上限的最小管径"
                  : m_table.rangeDecided ? "：流速不高于推荐范围、比摩阻不过大的最小管径"
                                         : "：流速不高于推荐范围的最小管径");
    }
    // Warnings, not faults: the table stands, but the engineer must look again.
    bool warned = false;
    if (percent.value > pipes::kLikelyLocalPercent) {
        status +=
            "。局部损失 " + words(percent.value) + "% 过大，请核对：补偿器多的管段也只到约 120%";
        warned = true;
    }
    if (std::any_of(m_table.rows.begin(), m_table.rows.end(),
                    [](const pipes::SizingRow& row) { return row.largeDrop; })) {
        status += "。标“压降过大”的管段压降超过 " + words(*run.absoluteMpa) +
                  " MPa（绝压）的 10%：一种密度已不代表整个管段，请分段计算";
        warned = true;
    }
    c.status.setStatus(status, warned);
    m_run = run;
    m_seriesItem = series;
    m_steamItem = steam;
    m_status = status;
}

std::optional<sheet::Sheet> SizingHandlings::sheet(std::string_view date) const {
    if (!m_run)
        return std::nullopt;
    return pipes::sizingSheet(m_main, m_seriesItem, m_steamItem, *m_run, m_table, m_status, date);
}

} // namespace ui
