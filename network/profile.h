#pragma once

#include "network/network.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The line from the source to one node as a design review draws it: the pressure against the
// distance along the path and, with heat loss, the steam's and the saturation temperature. The
// points inside a segment are the solution's own, not straight lines between its ends: as many
// as keep each piece between them straight to half a pixel of a drawing 1000 pixels high
// (profile.cpp says how). Without heat loss the temperatures are there too, the adiabatic ones.
// Toolkit-free; ui/qt draws it, and the command line writes it as CSV.
namespace network {

struct ProfilePoint {
    double distance = 0;                 // m from the source along the path
    double pressure = 0;                 // in the source's unit
    std::optional<double> temperature{}; // ℃, the steam's
    std::optional<double> saturation{};  // ℃ at the pressure; none above the critical point
    std::optional<std::size_t> node{};   // into Result::nodes, where the point is a node
};

// A node on the path, with what a marker shows.
struct ProfileNode {
    std::size_t node = 0; // into Result::nodes
    std::string name;
    double distance = 0; // m
    std::optional<double> pressure{}, required{}, margin{};
    std::optional<double> temperature{}, requiredTemperature{}, temperatureMargin{};
};

// A segment's stretch of the path.
struct ProfileSpan {
    std::size_t segment = 0; // into Network::segments
    double from = 0, to = 0; // m from the source
    // Where its pressure ran out, m from the source; the curve stops there.
    std::optional<double> exhaustedAt{};
    bool failing = false; // a red verdict: the looks network::segmentLook gives
};

struct Profile {
    std::string title; // the network's
    std::string unit;  // the source's pressure unit, as the windows name it
    bool heatLoss = false;
    std::vector<ProfilePoint> points; // by distance, the source first
    std::vector<ProfileNode> nodes;   // the source first, the chosen node last
    std::vector<ProfileSpan> spans;   // from the source outwards
};

// The profile from the source to `node` (an index into result.nodes; none for the most
// unfavourable user, or the last node where there is none). None where the result holds no
// computed network or the node is not one of its nodes.
std::optional<Profile> profile(const Network& network, const Result& result,
                               std::optional<std::size_t> node = std::nullopt);

} // namespace network
