#pragma once

#include "network/network.h"
#include "sheet/sheet.h"

#include <cstddef>
#include <string>
#include <string_view>

// A computed network as its window's two result tables and status line show it, and as its
// calculation sheet prints it: each row's look, the verdicts' words and the status line.
namespace network {

// A segment's row's look in the result table (a segment without a verdict is plain), and a
// node's; their cells are network/tables.h's.
sheet::Look segmentLook(const SegmentResult& result);
sheet::Look nodeLook(const Result& result, std::size_t node);
// A verdict as the window's and the status line's words name it.
std::string_view verdictWords(Verdict verdict);
// The status line for a computed network: the most unfavourable user and the verdicts that need
// a look; `warned` when any does. Each list names its first `listed` segments or nodes and then
// counts them all ("节点 U1、U2、U3 等 12 个"), so that a large network's line stays short: the
// tables show every one. The sheet lists them all.
struct Status {
    std::string text;
    bool warned = false;
};
inline constexpr std::size_t kAllListed = static_cast<std::size_t>(-1);
Status resultStatus(const Network& network, const Result& result, std::size_t listed = kAllListed);

} // namespace network
