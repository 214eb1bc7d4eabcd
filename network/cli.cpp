#include "network/cli.h"

#include "network/file.h"
#include "network/network.h"
#include "pipes/catalogue.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace network {
namespace {

constexpr std::string_view kUsage = "用法 Usage:\n"
                                    "  steam-network pipes\n"
                                    "  steam-network calc [--json] 文件FILE\n"
                                    "  steam-network --help\n";

constexpr std::string_view kHelp =
    "steam-network：蒸汽管网计算的命令行程序。\n"
    "steam-network: the steam network calculation on the command line.\n"
    "\n"
    "pipes\n"
    "  管子目录，CSV，先无缝钢管后焊接钢管，表头为\n"
    "  The pipe catalogue as CSV, seamless then welded, under the header\n"
    "    series,pipe,outer_mm,wall_mm,bore_mm\n"
    "\n"
    "calc 文件FILE\n"
    "  计算一个管网文件（UTF-8 JSON），输出 CSV（UTF-8），一行一段，按文件中的顺序，表头为\n"
    "  Calculates a network file (UTF-8 JSON) and writes CSV (UTF-8), one row a segment in\n"
    "  the file's order, under the header\n"
    "    name,from,to,flow,length,localLoss,pipe,bore,pIn,pOut,densityIn,densityOut,\n"
    "    velocityIn,velocityOut,specificLoss,pressureDrop,status\n"
    "\n"
    "calc --json 文件FILE\n"
    "  同上，输出 JSON：{\"segments\": [...], \"nodes\": [...]}，段的键同上表头；节点（先汽源，\n"
    "  后各段的终点）的键为 name、pressure、required、margin。\n"
    "  The same as JSON: {\"segments\": [...], \"nodes\": [...]}, a segment's keys as the header\n"
    "  above; a node's (the source, then each segment's end) are name, pressure, required,\n"
    "  margin.\n"
    "\n"
    "单位 Units: flow t/h, length m, localLoss 占沿程损失的 % of the friction loss,\n"
    "  bore mm, pIn/pOut/pressure/required/margin 汽源压力的单位 in the source's unit,\n"
    "  densityIn/densityOut kg/m³, velocityIn/velocityOut m/s, specificLoss Pa/m,\n"
    "  pressureDrop kPa. pipe 为所用管子 is the pipe used, auto-sized or not.\n"
    "  数字为能原样读回的最短写法 Numbers are in their shortest form that reads back exactly.\n"
    "  未算出的值 A value not computed: CSV 空单元格 an empty cell, JSON null.\n"
    "  status 为判定代码，CSV 中以 \";\" 分隔 holds the verdict codes, in CSV joined by \";\":\n"
    "    velocity-above velocity-below loss-above-limit pressure-exhausted\n"
    "    upstream-exhausted no-suitable-pipe\n"
    "\n"
    "退出状态 Exit status:\n"
    "  0   完成 done\n"
    "  2   文件不能用：原因写到标准错误，标准输出无内容\n"
    "      the file cannot be used: why on standard error, nothing on standard output\n"
    "  64  用法不对：用法写到标准错误 wrong usage: the usage on standard error\n"
    "  1   输出写不出 the output could not be written\n";

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

std::vector<std::string_view> codes(const SegmentResult& segment) {
    std::vector<std::string_view> result;
    for (const Verdict verdict : segment.verdicts) {
        result.push_back(verdictCode(verdict));
    }
    return result;
}

// An auto-sized segment below an exhausted one has no pipe, and so no bore either.
std::optional<double> bore(const SegmentResult& segment) {
    return segment.pipe.empty() ? std::nullopt : std::optional<double>(segment.bore);
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
                    number(bore(r)), number(r.pIn), number(r.pOut), number(r.densityIn),
                    number(r.densityOut), number(r.velocityIn), number(r.velocityOut),
                    number(r.specificLoss), number(r.pressureDrop), joined(codes(r), ";")});
    }
    return csv;
}

// In the documented order of keys, not the library's alphabetical one.
using Json = nlohmann::ordered_json;

Json value(const std::optional<double>& number) {
    return number ? Json(*number) : Json(nullptr);
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
        s["bore"] = value(bore(r));
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

int usage(std::ostream& err, std::string_view why) {
    err << "steam-network: " << why << "\n" << kUsage;
    return kExitUsage;
}

int write(std::ostream& out, std::ostream& err, std::string_view whole) {
    out << whole;
    out.flush();
    if (!out) {
        err << "steam-network: 输出写不出 the output could not be written\n";
        return kExitOutputFailed;
    }
    return 0;
}

int calc(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    bool json = false;
    bool options = true;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (options && arg == "--json") {
            json = true;
        } else if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            return usage(err, "未知选项 unknown option “" + arg + "”");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        return usage(err, "calc 要一个文件 calc takes one file");
    }
    const Reading reading = loadNetwork(files[0]);
    if (!reading.network) {
        err << reading.fault << "\n";
        return kExitRefused;
    }
    const Result result = solve(*reading.network);
    if (!result.fault.empty()) {
        // Worded as the reader words its refusals, by the file's name.
        // A file that could be read has a name: a path ending in a separator is a folder.
        err << "无法计算“" << std::filesystem::path(files[0]).filename().string() << "”："
            << result.fault << "\n";
        return kExitRefused;
    }
    return write(out, err,
                 json ? calcJson(*reading.network, result) : calcCsv(*reading.network, result));
}

} // namespace

int runCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        return usage(err, "缺少命令 no command given");
    }
    const std::string& command = args[0];
    const std::span<const std::string> rest = args.subspan(1);
    if (command == "--help" || command == "-h") {
        if (!rest.empty())
            return usage(err, "--help 后不要参数 --help takes no arguments");
        return write(out, err, std::string(kUsage) + "\n" + std::string(kHelp));
    }
    if (command == "pipes") {
        if (!rest.empty())
            return usage(err, "pipes 后不要参数 pipes takes no arguments");
        return write(out, err, pipesCsv());
    }
    if (command == "calc") {
        return calc(rest, out, err);
    }
    return usage(err, "未知命令 unknown command “" + command + "”");
}

} // namespace network
