#include "network/report.h"

#include "calc/recal.h"

#include <algorithm>
#include <vector>

namespace network {

namespace {

using Look = sheet::Look;

// A figure inside the status line's words: its shown text without the sign position of a
// positive one.
std::string figureInWords(double value) {
    std::string text = calc::storedText(value);
    return text.starts_with(' ') ? text.substr(1) : text;
}

// In the order of the verdicts' declaration.
constexpr std::string_view kVerdictWords[] = {
    "流速偏高",   "流速偏低",   "比摩阻超限", "比摩阻过大", "压力耗尽", "上游压力耗尽",
    "无合适管径", "非标准规格", "蒸汽凝结",   "散热超标",   "表面过热", "温度不足"};

// A list's first `listed` names, and where there are more, how many there are in all.
std::string listOf(const std::vector<std::string_view>& names, std::size_t listed) {
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < listed; ++i)
        list.append(i == 0 ? "" : "、").append(names[i]);
    if (names.size() > listed)
        list += " 等 " + std::to_string(names.size()) + " 个";
    return list;
}

bool has(const SegmentResult& result, Verdict verdict) {
    return std::find(result.verdicts.begin(), result.verdicts.end(), verdict) !=
           result.verdicts.end();
}

// With heat loss: the coldest user (the lowest temperature at a segment's end; the first of
// equals) and the condensate the traps drain, all of it.
std::string coldestAndCondensate(const Result& result) {
    std::string text;
    const NodeResult* coldest = nullptr;
    for (std::size_t i = 1; i < result.nodes.size(); ++i) {
        const NodeResult& node = result.nodes[i];
        if (node.temperature && (!coldest || *node.temperature < *coldest->temperature))
            coldest = &node;
    }
    if (coldest)
        text += "。最冷用户：" + coldest->name + "，" + figureInWords(*coldest->temperature) + " ℃";
    if (result.condensate)
        text += "。凝结水共 " + figureInWords(*result.condensate) + " kg/h";
    return text;
}

} // namespace

std::string_view verdictWords(Verdict verdict) {
    return kVerdictWords[static_cast<std::size_t>(verdict)];
}

namespace {

// A verdict that only tells: a velocity below the band wastes no pressure, steam reaching
// saturation is what a long superheated line does, which the traps drain, and a size outside
// the series may be a pipe the engineer means (or a slip he should see); none asks for the
// segment to be changed. Every other verdict is one against the segment.
bool notice(Verdict verdict) {
    return verdict == Verdict::VelocityBelow || verdict == Verdict::Condensing ||
           verdict == Verdict::NonStandardPipe;
}

} // namespace

sheet::Look segmentLook(const SegmentResult& result) {
    if (result.verdicts.empty())
        return Look::Plain;
    return std::all_of(result.verdicts.begin(), result.verdicts.end(), notice) ? Look::Below
                                                                               : Look::Above;
}

sheet::Look nodeLook(const Result& result, std::size_t index) {
    const NodeResult& node = result.nodes[index];
    // The source's pressure is the one always known.
    if ((node.margin && *node.margin < 0) ||
        (node.temperatureMargin && *node.temperatureMargin < 0) || (index > 0 && !node.pressure))
        return Look::Above;
    if (result.worstNode == index)
        return Look::Recommended;
    return Look::Plain;
}

Status resultStatus(const Network& network, const Result& result, std::size_t listed) {
    Status status;
    const std::string_view unit = unitLabel(network.source.unit);
    if (result.worstNode) {
        const NodeResult& worst = result.nodes[*result.worstNode];
        status.text = "最不利用户：" + worst.name + "，";
        if (worst.pressure)
            status.text += "压力 " + figureInWords(*worst.pressure) + " " + std::string(unit);
        else
            status.text += "压力耗尽";
        if (worst.required)
            status.text += "，要求 " + figureInWords(*worst.required);
        if (worst.margin)
            status.text += "，余量 " + figureInWords(*worst.margin);
    } else {
        status.text = "共 " + std::to_string(result.segments.size()) + " 个管段";
    }
    if (result.heatLoss)
        status.text += coldestAndCondensate(result);
    // Each verdict that needs a look, with the segments it stands against.
    for (Verdict v : {Verdict::PressureExhausted, Verdict::UpstreamExhausted,
                      Verdict::NoSuitablePipe, Verdict::LossAboveLimit, Verdict::LossAboveRange,
                      Verdict::HeatLossAboveAllowed, Verdict::SurfaceHot, Verdict::VelocityAbove,
                      Verdict::VelocityBelow, Verdict::Condensing, Verdict::NonStandardPipe}) {
        std::vector<std::string_view> names;
        for (std::size_t i = 0; i < result.segments.size(); ++i)
            if (has(result.segments[i], v))
                names.push_back(network.segments[i].name);
        if (names.empty())
            continue;
        status.text += "。" + std::string(verdictWords(v)) + "：管段 " + listOf(names, listed);
        status.warned = status.warned || !notice(v);
    }
    std::vector<std::string_view> short_, cold;
    for (const NodeResult& node : result.nodes) {
        if (node.margin && *node.margin < 0)
            short_.push_back(node.name);
        if (node.temperatureMargin && *node.temperatureMargin < 0)
            cold.push_back(node.name);
    }
    if (!short_.empty()) {
        status.text += "。压力低于要求：节点 " + listOf(short_, listed);
        status.warned = true;
    }
    if (!cold.empty()) {
        status.text += "。温度低于要求：节点 " + listOf(cold, listed);
        status.warned = true;
    }
    return status;
}

} // namespace network
