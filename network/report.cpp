#include "network/report.h"

#include "calc/recal.h"

#include <algorithm>

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
    "流速偏高",   "流速偏低", "比摩阻超限", "压力耗尽", "上游压力耗尽",
    "无合适管径", "蒸汽凝结", "散热超标",   "表面过热", "温度不足"};

// Appends an item to a list of them, after the separator when the list has one already.
void joinTo(std::string& list, std::string_view separator, std::string_view item) {
    list.append(list.empty() ? "" : separator).append(item);
}

bool has(const SegmentResult& result, Verdict verdict) {
    return std::find(result.verdicts.begin(), result.verdicts.end(), verdict) !=
           result.verdicts.end();
}

} // namespace

std::string_view verdictWords(Verdict verdict) {
    return kVerdictWords[static_cast<std::size_t>(verdict)];
}

// Every verdict but a low velocity is one against the segment.
sheet::Look segmentLook(const SegmentResult& result) {
    if (result.verdicts.empty())
        return Look::Plain;
    const bool low = std::all_of(result.verdicts.begin(), result.verdicts.end(),
                                 [](Verdict v) { return v == Verdict::VelocityBelow; });
    return low ? Look::Below : Look::Above;
}

sheet::Look nodeLook(const Result& result, std::size_t index) {
    const NodeResult& node = result.nodes[index];
    // The source's pressure is the one always known.
    if ((node.margin && *node.margin < 0) || (index > 0 && !node.pressure))
        return Look::Above;
    if (result.worstNode == index)
        return Look::Recommended;
    return Look::Plain;
}

Status resultStatus(const Network& network, const Result& result) {
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
    // Each verdict that needs a look, with the segments it stands against.
    for (Verdict v :
         {Verdict::PressureExhausted, Verdict::UpstreamExhausted, Verdict::NoSuitablePipe,
          Verdict::LossAboveLimit, Verdict::VelocityAbove, Verdict::VelocityBelow}) {
        std::string names;
        for (std::size_t i = 0; i < result.segments.size(); ++i)
            if (has(result.segments[i], v))
                joinTo(names, "、", network.segments[i].name);
        if (names.empty())
            continue;
        status.text += "。" + std::string(verdictWords(v)) + "：管段 " + names;
        status.warned = status.warned || v != Verdict::VelocityBelow;
    }
    std::string short_;
    for (const NodeResult& node : result.nodes)
        if (node.margin && *node.margin < 0)
            joinTo(short_, "、", node.name);
    if (!short_.empty()) {
        status.text += "。压力低于要求：节点 " + short_;
        status.warned = true;
    }
    return status;
}

} // namespace network
