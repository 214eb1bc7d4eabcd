#include "network/network_sheet.h"

#include "network/report.h"
#include "network/tables.h"
#include "network/texts.h"
#include "pipes/sizing_sheet.h"

namespace network {

namespace {

std::vector<std::string> method() {
    return {
        pipes::formulaParagraph(),
        "蒸汽的密度按 IAPWS-IF97（国际水和水蒸汽性质协会的水和水蒸汽热力性质工业计算公式，1997 "
        "年发布，2007 年修订版）计算。饱和蒸汽在每一处都是当地压力下的干饱和蒸汽；过热蒸汽保持热源"
        "处的比焓（绝热管道中的节流），压力下降后比焓低于当地干饱和蒸汽的比焓时，按当地的干饱和蒸"
        "汽计算。",
        "沿管段 dp/dx = −(1 + α) × R，α 为局部损失占沿程摩擦损失的百分数 ÷ 100。R 中沿管段变化的"
        "只有密度 ρ，而绝热管道中 ρ 只随压力变化，所以 ∫ 从 p₂ 到 p₁ 的 ρ(p) dp = (1 + α) × C × L"
        "（C = 0.00688 × K^0.25 × G² ÷ d^5.25，p₁、p₂ 为起点与终点的绝压，L 为长度）沿管段精确成"
        "立：程序对这一积分作分段的高斯-勒让德求积，解出终点压力，不把整段看作一种密度。各管段从热"
        "源向外依次计算，每段的起点压力是其上游管段的终点压力。压降为起点与终点压力之差，比摩阻为"
        "整段的平均值 ΔP ÷ (L × (1 + α))，流速按起点与终点各自的密度，内径 = 外径 − 2 × 壁厚。终点"
        "压力连 611.213 Pa（绝压）都达不到时为“压力耗尽”，其后的管段为“上游压力耗尽”，均不计算。",
        "管子为“自动”的管段，在所选管材的系列中从小到大选第一个终点流速不高于推荐范围上限、填了比"
        "摩阻上限时比摩阻也不高于上限、压力没有耗尽的管子；没有时取最大的管子，评价为“无合适管径”"
        "。",
        pipes::bandsParagraph(),
        "假定：管道绝热（不计散热损失），流动稳定，不计凝结水，流动处于阻力平方区。",
    };
}

} // namespace

sheet::Sheet networkSheet(const Network& network, const Result& result, std::string_view date) {
    const NetworkTexts texts = textsOf(network);
    sheet::Sheet s;
    s.title = "蒸汽管网水力计算书";
    s.subject = network.title;
    s.program = sheet::kProgram;
    s.date = date;
    s.inputs = {
        {"热源节点", texts.node},
        {"热源压力", texts.pressure + " " + texts.unit},
        {"蒸汽", texts.superheated ? "过热蒸汽，" + texts.temperature + " ℃" : "饱和蒸汽"},
        {"粗糙度", texts.roughness + " mm"},
        {"管材", texts.series},
        {"比摩阻上限", texts.limit.empty() ? "不限" : texts.limit + " Pa/m"},
        {"表中压力的单位", texts.unit},
    };
    s.method = method();

    // Filled in place: three tables, so that no reference is moved by a later one.
    s.tables.resize(3);
    sheet::Table& segments = s.tables[0];
    segments.title = "管段数据";
    for (const GridColumn& column : kGridColumns)
        segments.headings.push_back(headingOf(column, texts.unit));
    for (const SegmentTexts& cells : texts.segments) {
        std::vector<sheet::Cell>& row = segments.rows.emplace_back();
        for (const std::string& cell : cells)
            row.push_back(sheet::shownCell(cell));
    }

    sheet::Table& results = s.tables[1];
    results.title = "管段计算结果";
    for (const ResultColumn<SegmentLine>* column : windowOrder(kSegmentColumns))
        results.headings.push_back(headingOf(*column, texts.unit));
    for (std::size_t i = 0; i < result.segments.size(); ++i) {
        results.rows.push_back(sheetRow(SegmentLine{network.segments[i], result.segments[i]}));
        results.looks.push_back(segmentLook(result.segments[i]));
    }
    sheet::Table& nodes = s.tables[2];
    nodes.title = "节点压力";
    for (const ResultColumn<NodeResult>* column : windowOrder(kNodeColumns))
        nodes.headings.push_back(headingOf(*column, texts.unit));
    for (std::size_t i = 0; i < result.nodes.size(); ++i) {
        nodes.rows.push_back(sheetRow(result.nodes[i]));
        nodes.looks.push_back(nodeLook(result, i));
    }
    s.findings = pipes::sentences(resultStatus(network, result).text);
    return s;
}

} // namespace network
