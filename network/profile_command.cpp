// steam-network profile: the pressure and the temperatures along the path from the source to a
// node, as CSV for scripts and spreadsheets, and as a PNG drawn by the drawing program.
#include "network/cli.h"
#include "network/cli_parts.h"
#include "network/profile.h"

#include "calc/numbers.h"
#include "files/save.h"
#include "files/text.h"
#include "sheet/sheet.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace network::cli {

namespace {

// A picture's side, pixels: enough for its axes and labels, and a PNG a viewer still opens.
constexpr int kSmallest = 100, kLargest = 8000;

// "WxH", each a whole number of pixels in range.
bool isSize(std::string_view text) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos)
        return false;
    const auto side = [](std::string_view digits) {
        int value = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return ec == std::errc{} && end == digits.data() + digits.size() && !digits.empty() &&
               digits.front() != '+' && value >= kSmallest && value <= kLargest;
    };
    return side(text.substr(0, x)) && side(text.substr(x + 1));
}

sheet::Cell figure(std::optional<double> value) {
    return value ? sheet::Cell{calc::shortestText(*value), true} : sheet::Cell{};
}

// The series, one point a row, a node's name on its point.
sheet::Table profileTable(const Profile& made, const Result& result) {
    sheet::Table table{.title = made.title,
                       .headings = {"distance (m)", "pressure (" + made.unit + ")",
                                    "temperature (℃)", "saturation temperature (℃)", "node"},
                       .rows = {},
                       .looks = {}};
    for (const ProfilePoint& point : made.points)
        table.rows.push_back(
            {figure(point.distance),
             figure(point.pressure),
             figure(point.temperature),
             figure(point.saturation),
             {point.node ? result.nodes[*point.node].name : std::string(), false}});
    return table;
}

} // namespace

int profileCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    constexpr std::array<std::string_view, 4> kOptions{"--to", "--csv", "--png", "--size"};
    std::array<std::optional<std::string>, 4> given;
    auto& [node, csv, png, size] = given;
    std::vector<std::string> files;
    if (const std::optional<int> status =
            valuedOptions(args, kOptions, given, files, " 后要一个值 takes a value", err))
        return *status;
    if (files.size() != 1)
        return usage(err, "profile 要一个文件 profile takes one file");
    if (!csv && !png)
        return usage(err, "profile 要 --csv 或 --png profile takes --csv or --png");
    if (size && !png)
        return usage(err, "--size 只用于 --png is for --png only");
    if (size && !isSize(*size))
        return usage(err, "--size 要“宽x高”，各为 100 到 8000 像素 takes WxH, each 100 to 8000 "
                          "pixels: “" +
                              *size + "”");
    const Computed computed = compute(files[0], err);
    if (!computed.network)
        return computed.status;
    const Result& result = computed.result;
    std::optional<std::size_t> index;
    if (node) {
        // A name of its own: clang before 16 lets no lambda capture a structured binding.
        const std::string& wanted = *node;
        const auto named = std::find_if(result.nodes.begin(), result.nodes.end(),
                                        [&](const NodeResult& n) { return n.name == wanted; });
        if (named == result.nodes.end()) {
            err << "steam-network: 管网中没有节点" << files::inQuotes(*node)
                << " the network has no node " << files::inQuotes(*node) << "\n";
            return kExitRefused;
        }
        index = static_cast<std::size_t>(named - result.nodes.begin());
    }
    const std::optional<Profile> made = profile(*computed.network, result, index);
    if (csv) {
        if (const std::string fault =
                sheet::saveTableCsv(profileTable(*made, result), files::pathOf(*csv));
            !fault.empty()) {
            err << fault << "\n";
            return kExitRefused;
        }
    }
    if (!png)
        return 0;
    std::vector<std::string> words{"profile", files[0]};
    for (const auto& [option, value] :
         {std::pair{"--to", &node}, std::pair{"--png", &png}, std::pair{"--size", &size}})
        if (*value)
            words.insert(words.end(), {option, **value});
    return runDrawing("PNG", words, out, err);
}

} // namespace network::cli
