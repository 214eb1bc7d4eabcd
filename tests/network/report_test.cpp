#include "network/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace network {
namespace {

// A star of `users` users, each fed by its own segment and every one below its requirement of
// 0.75 with 0.25 left (a margin of −0.5), the last the worst; `fast` of the segments, the first
// ones, too fast. Built by hand, so that the line is the words alone.
struct Star {
    Network network;
    Result result;
};

Star star(int users, int fast) {
    Star s;
    s.network.source.node = "S";
    s.result.nodes.push_back({.name = "S", .pressure = 1.0});
    for (int i = 1; i <= users; ++i) {
        const std::string name = std::to_string(i);
        s.network.segments.push_back({.name = name, .from = "S", .to = "U" + name});
        SegmentResult segment;
        if (i <= fast)
            segment.verdicts.push_back(Verdict::VelocityAbove);
        s.result.segments.push_back(segment);
        s.result.nodes.push_back(
            {.name = "U" + name, .pressure = 0.25, .required = 0.75, .margin = -0.5});
    }
    if (users > 0)
        s.result.worstNode = static_cast<std::size_t>(users);
    return s;
}

// A large network's line once listed every user short of pressure and grew the window past the
// screen; it names the first three of a list and counts them all, and the sheet still lists all.
TEST(ResultStatus, ListsTheFirstNamesAndCountsTheRest) {
    const auto worst = [](int user) {
        return "最不利用户：U" + std::to_string(user) +
               "，压力 0.25 MPa(表压)，要求 0.75，余量 -0.5。";
    };
    const struct {
        const char* name;
        int users, fast;
        std::size_t listed;
        std::string expected;
    } cases[] = {
        {"three short users named as before", 3, 0, 3, worst(3) + "压力低于要求：节点 U1、U2、U3"},
        {"twelve counted", 12, 0, 3, worst(12) + "压力低于要求：节点 U1、U2、U3 等 12 个"},
        {"the segments' verdicts likewise", 3, 3, 2,
         worst(3) + "流速偏高：管段 1、2 等 3 个。压力低于要求：节点 U1、U2 等 3 个"},
        {"the sheet's every name", 5, 0, kAllListed,
         worst(5) + "压力低于要求：节点 U1、U2、U3、U4、U5"},
    };
    for (const auto& c : cases) {
        const Star s = star(c.users, c.fast);
        const Status status = resultStatus(s.network, s.result, c.listed);
        EXPECT_EQ(status.text, c.expected) << c.name;
        EXPECT_TRUE(status.warned) << c.name;
    }
}

} // namespace
} // namespace network
