// Arbitrary bytes as a network file. A refused file has one message that names it and nothing
// else; an accepted one is usable by validate, writes a text that reads back as the same network
// and the same text, and solves to figures that are all finite, or to a stated reason with
// nothing half computed; its profile to every node, its tree and its sheet are made from whatever
// it solved to, all finite.
#include "files/text.h"
#include "network/file.h"
#include "network/network_sheet.h"
#include "network/profile.h"
#include "network/tree_layout.h"
#include "sheet/sheet.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

// libFuzzer then shows the input and keeps it; the seed replay names the file before running it.
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "network_fuzz: %s\n", what);
    std::abort();
}

void check(bool ok, const char* what) {
    if (!ok)
        fail(what);
}

bool finite(const std::optional<double>& value) {
    return !value || std::isfinite(*value);
}

// The pictures and the sheet take any solved network: a profile to each node along distances that
// never go back, a tree whose every coordinate is a number, a sheet whose texts are whole.
void checkDrawn(const network::Network& n, const network::Result& result) {
    for (std::size_t node = 0; node <= result.nodes.size(); ++node) {
        const std::optional<network::Profile> line = network::profile(n, result, node);
        check(line.has_value() == (node < result.nodes.size() && result.fault.empty()),
              "a profile for a node that is none, or none for one that is");
        double last = 0;
        for (const network::ProfilePoint& point : line ? line->points : decltype(line->points){}) {
            check(std::isfinite(point.distance) && point.distance >= last &&
                      std::isfinite(point.pressure) && finite(point.temperature) &&
                      finite(point.saturation),
                  "a profile's point not finite or going back");
            last = point.distance;
        }
    }
    const network::TreeLayout tree = network::layoutTree(
        n, result, [](std::string_view text) { return 7.0 * static_cast<double>(text.size()); },
        14);
    for (const network::TreeNode& node : tree.nodes)
        check(std::isfinite(node.x) && std::isfinite(node.y) && std::isfinite(node.labelBox.width),
              "a tree's node not finite");
    check(std::isfinite(tree.bounds.width) && std::isfinite(tree.bounds.height),
          "a tree's bounds not finite");
    const sheet::Sheet made = network::networkSheet(n, result, "2026-01-01");
    check(!files::firstNonUtf8(sheet::csvText(made)), "a sheet's CSV that is not UTF-8");
}

void checkSolved(const network::Network& n) {
    const network::Result result = network::solve(n);
    checkDrawn(n, result);
    if (!result.fault.empty()) {
        check(result.segments.empty() && result.nodes.empty() && !result.worstNode,
              "a stated fault with figures beside it");
        return;
    }
    check(result.segments.size() == n.segments.size(), "a result a segment");
    check(result.nodes.size() == n.segments.size() + 1, "a node a segment and the source");
    check(!result.worstNode || *result.worstNode < result.nodes.size(), "worst node out of range");
    for (const network::SegmentResult& s : result.segments) {
        check(std::isfinite(s.flow) && std::isfinite(s.bore) && std::isfinite(s.flowOut),
              "flow or bore not finite");
        for (const std::optional<double>* figure :
             {&s.pIn, &s.pOut, &s.densityIn, &s.densityOut, &s.densityMean, &s.velocityIn,
              &s.velocityOut, &s.specificLoss, &s.pressureDrop, &s.tIn, &s.tOut, &s.superheatOut,
              &s.heatLoss, &s.condensate, &s.qIn, &s.surfaceIn, &s.lossPerAreaIn,
              &s.allowedLossPerArea})
            check(finite(*figure), "a segment's figure not finite");
    }
    for (const network::NodeResult& node : result.nodes)
        check(finite(node.pressure) && finite(node.required) && finite(node.margin) &&
                  finite(node.temperature) && finite(node.superheat) &&
                  finite(node.temperatureMargin),
              "a node's figure not finite");
    check(std::isfinite(result.sourceFlow) && finite(result.heatLoss) && finite(result.condensate),
          "a total not finite");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view kName = "管网.json";
    const network::Reading reading = network::readNetwork(bytes, kName);
    if (!reading.network) {
        constexpr std::string_view kOpening = "无法打开“管网.json”：";
        check(reading.fault.starts_with(kOpening) && reading.fault.size() > kOpening.size(),
              "a refusal without the file's name or a reason");
        check(reading.fault.find('\n') == std::string::npos, "a refusal of more than one line");
        check(!files::firstNonUtf8(reading.fault), "a refusal that is not UTF-8");
        return 0;
    }
    const network::Network& n = *reading.network;
    check(reading.fault.empty(), "an accepted file with a fault");
    check(!network::validate(n), "an accepted file that validate refuses");

    const std::string text = network::networkJson(n);
    const network::Reading again = network::readNetwork(text, kName);
    check(again.network.has_value(), "the written text refused");
    check(*again.network == n, "the written text read back as another network");
    check(network::networkJson(*again.network) == text, "the text written twice differs");

    checkSolved(n);
    return 0;
}
