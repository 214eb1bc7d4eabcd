#include "network/cli.h"

#include "network/cli_parts.h"

#include "files/save.h"
#include "network/file.h"
#include "network/network.h"
#include "network/network_sheet.h"
#include "network/tables.h"
#include "sheet/sheet.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>
#endif

namespace network {
namespace {

constexpr std::string_view kUsage = "用法 Usage:\n"
                                    "  steam-network pipes\n"
                                    "  steam-network calc [--json] 文件FILE\n"
                                    "  steam-network sheet 文件FILE [--xlsx 输出OUT.xlsx] "
                                    "[--csv 输出OUT.csv] [--pdf 输出OUT.pdf]\n"
                                    "  steam-network profile 文件FILE [--to 节点NODE] "
                                    "[--csv 输出OUT.csv]\n"
                                    "                [--png 输出OUT.png [--size 宽x高WxH]]\n"
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
    "    velocityIn,velocityOut,specificLoss,pressureDrop,status,flowOut,tIn,tOut,\n"
    "    superheatOut,heatLoss,condensate,qIn,surfaceIn,lossPerAreaIn,allowedLossPerArea\n"
    "\n"
    "calc --json 文件FILE\n"
    "  同上，输出 JSON：{\"segments\": [...], \"nodes\": [...], \"totals\": {...}}，段的键同上\n"
    "  表头；节点（先汽源，后各段的终点）的键为 name、pressure、required、margin、temperature、\n"
    "  superheat、requiredTemperature、temperatureMargin；totals 的键为 sourceFlow、heatLoss、\n"
    "  condensate。\n"
    "  The same as JSON: {\"segments\": [...], \"nodes\": [...], \"totals\": {...}}, a segment's\n"
    "  keys as the header above; a node's (the source, then each segment's end) are name,\n"
    "  pressure, required, margin, temperature, superheat, requiredTemperature,\n"
    "  temperatureMargin; the totals' are sourceFlow, heatLoss, condensate.\n"
    "\n"
    "sheet 文件FILE --xlsx 输出OUT.xlsx --csv 输出OUT.csv --pdf 输出OUT.pdf\n"
    "  管网的计算书（输入、计算方法、管段数据、管段计算结果、节点压力、结论，与窗口中的表格\n"
    "  一字不差），存为所给的一种或几种文件：xlsx 的数为数值，位数与窗口相同；CSV 为带 BOM 的\n"
    "  UTF-8。PDF 由同一文件夹中的 steam-network-sheet 程序画出（它用 Qt 的 GUI 模块，不需要\n"
    "  显示器），steam-network 本身不用图形界面库。\n"
    "  The network's calculation sheet (the inputs, the method, the segments, their results,\n"
    "  the node pressures, the findings, every cell as the window shows it), saved as each\n"
    "  file given: xlsx with numbers as numbers to the window's digits, CSV as UTF-8 with a\n"
    "  byte-order mark. The PDF is drawn by the program steam-network-sheet in the same folder\n"
    "  (it uses Qt's GUI module and needs no display); steam-network itself links no GUI\n"
    "  toolkit. 日期为今天，设了 SOURCE_DATE_EPOCH 时为它的日期 The date is today's, or\n"
    "  SOURCE_DATE_EPOCH's where it is set.\n"
    "\n"
    "profile 文件FILE --to 节点NODE --csv 输出OUT.csv --png 输出OUT.png --size 宽x高WxH\n"
    "  从汽源到一个节点（缺省为最不利用户）沿管线的压力、温度与饱和温度，段内的点取自计算本身。\n"
    "  CSV 为带 BOM 的 UTF-8，一行一点，按离汽源的距离，表头为\n"
    "  The pressure, temperature and saturation temperature along the line from the source to a\n"
    "  node (the most unfavourable user where none is named), the points inside a segment the\n"
    "  calculation's own. CSV as UTF-8 with a byte-order mark, one row a point by its distance\n"
    "  from the source, under the header\n"
    "    distance (m),pressure (汽源压力的单位 the source's unit),temperature (℃),\n"
    "    saturation temperature (℃),node\n"
    "  node 为节点处的节点名，其余为空 holds the node's name on a node's point, else nothing.\n"
    "  PNG 由 steam-network-sheet 画出，缺省 1600x1000 像素，各边 100 到 8000。\n"
    "  The PNG is drawn by steam-network-sheet, 1600x1000 pixels unless --size says, each side\n"
    "  100 to 8000. 没有所给名称的节点时退出状态为 2 A node not in the network: status 2.\n"
    "\n"
    "单位 Units: flow t/h, length m, localLoss 占沿程损失的 % of the friction loss,\n"
    "  bore mm, pIn/pOut/pressure/required/margin 汽源压力的单位 in the source's unit,\n"
    "  densityIn/densityOut kg/m³, velocityIn/velocityOut m/s, specificLoss Pa/m,\n"
    "  pressureDrop kPa, flowOut/sourceFlow t/h, tIn/tOut/superheatOut/surfaceIn/temperature/\n"
    "  superheat/requiredTemperature/temperatureMargin ℃, heatLoss kW, condensate kg/h,\n"
    "  qIn W/m, lossPerAreaIn/allowedLossPerArea W/m². pipe 为所用管子 is the pipe used,\n"
    "  auto-sized or not. 不计散热时散热的值为空 Without heat loss its figures are empty.\n"
    "  数字为能原样读回的最短写法 Numbers are in their shortest form that reads back exactly.\n"
    "  未算出的值 A value not computed: CSV 空单元格 an empty cell, JSON null.\n"
    "  status 为判定代码，CSV 中以 \";\" 分隔 holds the verdict codes, in CSV joined by \";\":\n"
    "    velocity-above velocity-below loss-above-limit loss-above-range pressure-exhausted\n"
    "    upstream-exhausted no-suitable-pipe non-standard-pipe condensing\n"
    "    heat-loss-above-allowed surface-hot temperature-below-required\n"
    "\n"
    "退出状态 Exit status:\n"
    "  0   完成 done\n"
    "  2   文件不能用，或计算书存不下：原因写到标准错误，标准输出无内容，原有的文件不变\n"
    "      the file cannot be used, or a sheet cannot be saved: why on standard error, nothing\n"
    "      on standard output, a file already there left as it was\n"
    "  3   计散热时流量经 100 轮仍未收敛（not-converged）：原因写到标准错误\n"
    "      with heat loss the flows did not settle in 100 passes (not-converged): why on\n"
    "      standard error\n"
    "  64  用法不对：用法写到标准错误 wrong usage: the usage on standard error\n"
    "  1   输出写不出 the output could not be written\n";

} // namespace

namespace cli {

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

Computed compute(const std::string& file, std::ostream& err) {
    Reading reading = loadNetwork(files::pathOf(file));
    if (!reading.network) {
        err << reading.fault << "\n";
        return {std::nullopt, {}, kExitRefused};
    }
    Result result = solve(*reading.network);
    if (!result.fault.empty()) {
        // Worded as the reader words its refusals, by the file's name.
        // A file that could be read has a name: a path ending in a separator is a folder.
        err << "无法计算“" << files::utf8Of(files::pathOf(file).filename()) << "”：" << result.fault
            << "\n";
        // A network that did not settle is no fault of its file: a script can tell the two apart.
        return {std::nullopt,
                {},
                result.faultCode == "not-converged" ? kExitNotConverged : kExitRefused};
    }
    return {std::move(reading.network), std::move(result), 0};
}

std::optional<int> operand(const std::string& arg, bool& options, std::vector<std::string>& files,
                           std::ostream& err) {
    if (options && arg == "--")
        options = false;
    else if (options && arg.size() > 1 && arg[0] == '-')
        return usage(err, "未知选项 unknown option “" + arg + "”");
    else
        files.push_back(arg);
    return std::nullopt;
}

std::optional<int> valuedOptions(std::span<const std::string> args,
                                 std::span<const std::string_view> names,
                                 std::span<std::optional<std::string>> values,
                                 std::vector<std::string>& files, std::string_view needs,
                                 std::ostream& err) {
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto name = std::find(names.begin(), names.end(), arg);
        if (options && name != names.end()) {
            std::optional<std::string>& value = values[name - names.begin()];
            if (value)
                return usage(err, arg + " 只能给一次 may be given once");
            if (i + 1 == args.size() || args[i + 1].empty())
                return usage(err, arg + std::string(needs));
            value = args[++i];
        } else if (const std::optional<int> status = operand(arg, options, files, err)) {
            return status;
        }
    }
    return std::nullopt;
}

} // namespace cli

namespace {

using cli::compute;
using cli::Computed;
using cli::operand;
using cli::usage;
using cli::valuedOptions;
using cli::write;

int calc(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    bool json = false;
    bool options = true;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (options && arg == "--json")
            json = true;
        else if (const std::optional<int> status = operand(arg, options, files, err))
            return *status;
    }
    if (files.size() != 1) {
        return usage(err, "calc 要一个文件 calc takes one file");
    }
    const Computed computed = compute(files[0], err);
    if (!computed.network)
        return computed.status;
    return write(out, err,
                 json ? calcJson(*computed.network, computed.result)
                      : calcCsv(*computed.network, computed.result));
}

int sheetCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    // Each kind of output at most once, in the order they are written: the PDF last, since its
    // program takes this one's place.
    constexpr std::array<std::string_view, 3> kKinds{"--xlsx", "--csv", "--pdf"};
    std::array<std::optional<std::string>, 3> outputs;
    std::vector<std::string> files;
    if (const std::optional<int> status =
            valuedOptions(args, kKinds, outputs, files, " 后要一个文件名 takes a file name", err))
        return *status;
    if (files.size() != 1)
        return usage(err, "sheet 要一个文件 sheet takes one file");
    if (!outputs[0] && !outputs[1] && !outputs[2])
        return usage(err, "sheet 要 --xlsx、--csv 或 --pdf sheet takes --xlsx, --csv or --pdf");
    const Computed computed = compute(files[0], err);
    if (!computed.network)
        return computed.status;
    const sheet::Sheet made = networkSheet(*computed.network, computed.result, sheet::today());
    for (const auto& [output, save] :
         {std::pair{&outputs[0], &sheet::saveXlsx}, std::pair{&outputs[1], &sheet::saveCsv}}) {
        if (!*output)
            continue;
        if (const std::string fault = save(made, files::pathOf(**output)); !fault.empty()) {
            err << fault << "\n";
            return kExitRefused;
        }
    }
    if (!outputs[2])
        return 0;
    return cli::runDrawing("PDF", {{files[0], "--pdf", *outputs[2]}}, out, err);
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
    if (command == "sheet") {
        return sheetCommand(rest, out, err);
    }
    if (command == "profile") {
        return cli::profileCommand(rest, out, err);
    }
    return usage(err, "未知命令 unknown command “" + command + "”");
}

std::vector<std::string> commandLine(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int bytes =
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), bytes, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
#else
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
#endif
}

} // namespace network
