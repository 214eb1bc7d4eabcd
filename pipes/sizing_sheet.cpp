#include "pipes/sizing_sheet.h"

#include "calc/numbers.h"
#include "calc/recal.h"

namespace pipes {

namespace {

// A shown text without the sign blank of a positive number.
std::string unblank(std::string text) {
    return text.starts_with(' ') ? text.substr(1) : text;
}

std::string words(double value) {
    return unblank(calc::numberText(calc::storedFloat(value)));
}

std::string bandsOf(SteamKind steam) {
    std::string text;
    for (const VelocityBand& band : kVelocityBands[static_cast<std::size_t>(steam)])
        text += (text.empty() ? "" : "、") + words(band.low) + "–" + words(band.high);
    return text;
}

} // namespace

std::string formulaParagraph() {
    return "比摩阻 R = 0.00688 × K^0.25 × G² ÷ (d^5.25 × ρ)，单位 Pa/m；流速 v = G ÷ 3.6 ÷ "
           "(3.14159 ÷ 4 × d²) ÷ ρ，单位 m/s。G 以 t/h，K（管壁的当量绝对粗糙度）与 d（内径）以 "
           "m，ρ 以 kg/m3 计。常数 0.00688 来自达西公式与阻力平方区紊流的摩擦系数 λ = 0.11 × "
           "(K/d)^0.25，结果适用于阻力平方区的紊流，这是蒸汽管道的通常情况。";
}

std::string bandsParagraph() {
    return "推荐流速（m/s，内径 100 mm 以下、100～200 mm、200 mm 以上）：饱和蒸汽 " +
           bandsOf(SteamKind::Saturated) + "，过热蒸汽 " + bandsOf(SteamKind::Superheated) +
           "。推荐流速为蒸汽管道的一般工程经验值，供热与电厂蒸汽管道的设计手册和设计规范都给出"
           "类似的范围；工程适用的规范或本单位的规定与此不同时，以其为准。";
}

std::vector<std::string> sentences(std::string_view status) {
    std::vector<std::string> found;
    constexpr std::string_view kStop = "。";
    while (!status.empty()) {
        const std::size_t stop = status.find(kStop);
        if (stop != 0)
            found.emplace_back(status.substr(0, stop));
        if (stop == std::string_view::npos)
            break;
        status.remove_prefix(stop + kStop.size());
    }
    return found;
}

sheet::Sheet sizingSheet(const calc::CalcState& main, std::string_view series,
                         std::string_view steam, const SizingRun& run, const SizingTable& table,
                         std::string_view status, std::string_view date) {
    sheet::Sheet s;
    s.title = "管径计算书";
    s.subject = std::string(series) + "，" + std::string(steam);
    s.program = sheet::kProgram;
    s.date = date;
    s.inputs = {
        {"蒸汽流量", unblank(calc::fieldText(main.flow, calc::kResultUnits.flow))},
        {"蒸汽密度", unblank(calc::fieldText(main.density, calc::kResultUnits.density))},
        {"粗糙度", unblank(calc::millimetreText(main.roughness))},
        {"管材", std::string(series)},
        {"蒸汽", std::string(steam)},
        {"管段长度", words(run.length) + " m"},
        {"局部损失", "沿程损失的 " + words(run.fraction * 100) + "%"},
        {"比摩阻上限", run.limit ? words(*run.limit) + " Pa/m" : "不限"},
    };
    if (run.absoluteMpa)
        s.inputs.push_back({"蒸汽压力", words(*run.absoluteMpa) + " MPa（绝压）"});
    s.method = {
        formulaParagraph(),
        "各管径按主窗口的流量、密度与粗糙度计算，与在主窗口选同一管径时显示的数字相同；焊接钢管以"
        "公称直径为内径，无缝钢管取外径的默认壁厚。管段压降 ΔP = R × L × (1 + 局部损失的百分数 ÷ "
        "100) ÷ 1000，单位 kPa，整段按一种密度计算：已知蒸汽的压力时，压降超过其绝压 10% 的管径标"
        "“压降过大”，应分段计算。",
        bandsParagraph(),
        "推荐的管径是流速不高于其推荐范围上限的最小管径；填了比摩阻上限时，还须比摩阻不高于上限。",
    };
    sheet::Table& sizes = s.tables.emplace_back();
    sizes.title = "各管径的计算结果";
    sizes.headings.assign(kSizingHeadings.begin(), kSizingHeadings.end());
    for (const SizingRow& row : table.rows) {
        sizes.rows.push_back(sheet::shownCells(row.cells));
        sizes.looks.push_back(row.look);
    }
    s.findings = sentences(status);
    return s;
}

} // namespace pipes
