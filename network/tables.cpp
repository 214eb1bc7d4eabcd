#include "network/tables.h"

#include "pipes/catalogue.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace network {

namespace {

// The numbers of both tables in their shortest form that reads back to the same double, the
// form the JSON library also writes, so that the two outputs say the same. No double's shortest
// form is longer than 24 characters, so the conversion cannot run out of room.
std::string number(double value) {
    std::array<char, 32> digits{};
    return {digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr};
}

std::string number(const std::optional<double>& value) {
    if (!value)
        return {};
    return number(*value);
}

// RFC 4180: a field with a separator, a quote or a line break is quoted, its quotes doubled.
std::string text(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

// The cells joined by `separator`, each after the first.
std::string joined(std::span<const std::string_view> cells, std::string_view separator) {
    std::string line;
    std::string_view before;
    for (const std::string_view cell : cells) {
        line.append(before).append(cell);
        before = separator;
    }
    return line;
}

std::string row(std::initializer_list<std::string_view> cells) {
    return joined({cells.begin(), cells.size()}, ",") + "\n";
}

std::vector<std::string_view> codes(const SegmentResult& segment) {
    std::vector<std::string_view> result;
    for (const Verdict verdict : segment.verdicts) {
        result.push_back(verdictCode(verdict));
    }
    return result;
}

// In the documented order of keys, not the library's alphabetical one.
using Json = nlohmann::ordered_json;

Json value(const std::optional<double>& number) {
    return number ? Json(*number) : Json(nullptr);
}

} // namespace

std::string pipesCsv() {
    std::string csv = row({"series", "pipe", "outer_mm", "wall_mm", "bore_mm"});
    for (const pipes::Series series : {pipes::Series::Seamless, pipes::Series::Welded}) {
        for (const pipes::CataloguePipe& pipe : pipes::catalogue(series)) {
            csv += row({std::string(pipes::seriesName(series)), text(pipe.name),
                        number(pipe.outerMm), number(pipe.wallMm), number(pipe.boreMm())});
        }
    }
    return csv;
}

std::string calcCsv(const Network& network, const Result& result) {
    std::string csv = row({"name", "from", "to", "flow", "length", "localLoss", "pipe", "bore",
                           "pIn", "pOut", "densityIn", "densityOut", "velocityIn", "velocityOut",
                           "specificLoss", "pressureDrop", "status"});
    for (std::size_t i = 0; i < result.segments.size(); ++i) {
        const Segment& segment = network.segments[i];
        const SegmentResult& r = result.segments[i];
        csv += row({text(segment.name), text(segment.from), text(segment.to), number(r.flow),
                    number(segment.length), number(segment.localLoss), text(r.pipe),
                    number(r.shownBore()), number(r.pIn), number(r.pOut), number(r.densityIn),
                    number(r.densityOut), number(r.velocityIn), number(r.velocityOut),
                    number(r.specificLoss), number(r.pressureDrop), joined(codes(r), ";")});
    }
    return csv;
}

std::string calcJson(const Network& network, const Result& result) {
    Json segments = Json::array();
    for (std::size_t i = 0; i < result.segments.size(); ++i) {
        const Segment& segment = network.segments[i];
        const SegmentResult& r = result.segments[i];
        // Key by key rather than from an initializer list, whose copies GCC gives branches that
        // no input reaches.
        Json& s = segments.emplace_back();
        s["name"] = segment.name;
        s["from"] = segment.from;
        s["to"] = segment.to;
        s["flow"] = r.flow;
        s["length"] = segment.length;
        s["localLoss"] = segment.localLoss;
        s["pipe"] = r.pipe.empty() ? Json(nullptr) : Json(r.pipe);
        s["bore"] = value(r.shownBore());
        s["pIn"] = value(r.pIn);
        s["pOut"] = value(r.pOut);
        s["densityIn"] = value(r.densityIn);
        s["densityOut"] = value(r.densityOut);
        s["velocityIn"] = value(r.velocityIn);
        s["velocityOut"] = value(r.velocityOut);
        s["specificLoss"] = value(r.specificLoss);
        s["pressureDrop"] = value(r.pressureDrop);
        Json& status = s["status"] = Json::array();
        for (const std::string_view code : codes(r))
            status.push_back(code);
    }
    Json nodes = Json::array();
    for (const NodeResult& node : result.nodes) {
        Json& n = nodes.emplace_back();
        n["name"] = node.name;
        n["pressure"] = value(node.pressure);
        n["required"] = value(node.required);
        n["margin"] = value(node.margin);
    }
    Json document;
    document["segments"] = std::move(segments);
    document["nodes"] = std::move(nodes);
    // The names were read from a JSON file and so are UTF-8; a byte that is not is replaced
    // rather than ending the program.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace network
