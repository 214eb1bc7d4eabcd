// steam-network-sheet: a network file's calculation sheet as a PDF, and its profile as a PNG.
// The drawing part of `steam-network sheet` and `steam-network profile`, which run this program
// with the same words so that steam-network itself stays free of any GUI toolkit. It draws
// offscreen and needs no display.
#include "files/save.h"
#include "network/cli.h"
#include "network/file.h"
#include "network/network_sheet.h"
#include "network/profile.h"
#include "ui/qt/network_pictures.h"
#include "ui/qt/sheet_painter.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitRefused = 2;
constexpr int kExitUsage = 64;

constexpr std::string_view kUsage = "用法 Usage:\n"
                                    "  steam-network-sheet 文件FILE --pdf 输出OUT.pdf\n"
                                    "  steam-network-sheet profile 文件FILE [--to 节点NODE] "
                                    "--png 输出OUT.png [--size 宽x高WxH]\n"
                                    "  steam-network-sheet --help\n";

constexpr std::string_view kHelp =
    "steam-network-sheet：把一个管网文件的计算书存为 PDF（A4），即 steam-network sheet 的 PDF\n"
    "部分；steam-network sheet 文件 --pdf 输出.pdf 就是调用本程序。它在屏幕外绘制，不需要显示器。\n"
    "steam-network-sheet: a network file's calculation sheet as a PDF (A4), the PDF part of\n"
    "steam-network sheet, which runs this program for steam-network sheet FILE --pdf OUT.pdf.\n"
    "It draws offscreen and needs no display.\n"
    "\n"
    "profile：从热源到一个节点（--to，默认最不利用户）沿线的压力（有散热时还有温度）画成 PNG，\n"
    "默认 1600x1000 像素，即 steam-network profile 的 --png 部分。\n"
    "profile: the pressure (with heat loss, the temperatures too) along the path from the source\n"
    "to a node (--to, by default the most unfavourable user) as a PNG, 1600x1000 pixels unless\n"
    "--size says otherwise: the --png part of steam-network profile.\n"
    "\n"
    "计算书的日期为今天（本地时间）；设置了 SOURCE_DATE_EPOCH 时为它那一天（UTC），以便重现。\n"
    "The sheet is dated today (local time), or the day of SOURCE_DATE_EPOCH (UTC) where it is\n"
    "set, so that a sheet can be made again the same.\n"
    "\n"
    "退出状态 Exit status:\n"
    "  0   完成 done\n"
    "  2   文件不能用、不能计算、没有该节点或 PDF/PNG 写不出：原因写到标准错误，不留下半个文件\n"
    "      the file refused, not computable, no such node, or the PDF or PNG not writable: why\n"
    "      on standard error, no half-written file left\n"
    "  64  用法不对：用法写到标准错误 wrong usage: the usage on standard error\n";

int usage(std::string_view why) {
    std::cerr << "steam-network-sheet: " << why << "\n" << kUsage;
    return kExitUsage;
}

// The sheet's date as 2026-12-08: SOURCE_DATE_EPOCH's day in UTC where it is set, as
// reproducible builds define it, else today's in local time. None for an unreadable epoch.
std::optional<std::string> sheetDate() {
    std::time_t when = std::time(nullptr);
    std::tm day{};
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        errno = 0;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (*epoch == '\0' || *end != '\0' || errno != 0 || seconds < 0)
            return std::nullopt;
        when = static_cast<std::time_t>(seconds);
#ifdef _WIN32
        if (gmtime_s(&day, &when) != 0)
            return std::nullopt;
    } else if (localtime_s(&day, &when) != 0) {
        return std::nullopt;
    }
#else
        if (gmtime_r(&when, &day) == nullptr)
            return std::nullopt;
    } else if (localtime_r(&when, &day) == nullptr) {
        return std::nullopt;
    }
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d", &day);
    return text;
}

// What a run is asked to draw.
struct Request {
    bool profile = false; // the profile as a PNG, else the sheet as a PDF
    std::string file;
    std::string output;
    std::optional<std::string> to;
    int width = 1600, height = 1000;
};

// "1600x1000" as pixels, each side from 100 to 10000.
bool readSize(const std::string& text, Request& request) {
    int width = 0, height = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &width, &x, &height, &extra) != 3 ||
        (x != 'x' && x != 'X') || width < 100 || height < 100 || width > 10000 || height > 10000)
        return false;
    request.width = width;
    request.height = height;
    return true;
}

// The words after the program's name as a request, or the usage's status.
std::optional<Request> parse(const std::vector<std::string>& args, int& status) {
    Request request;
    request.profile = !args.empty() && args[0] == "profile";
    const std::string outputOption = request.profile ? "--png" : "--pdf";
    std::vector<std::string> files;
    std::optional<std::string> output;
    bool options = true;
    for (std::size_t i = request.profile ? 1 : 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool valued = options && (arg == outputOption ||
                                        (request.profile && (arg == "--to" || arg == "--size")));
        if (valued && arg == outputOption && (output || i + 1 == args.size())) {
            status = usage(arg + " 后要一个文件名 " + arg + " takes one file name");
            return std::nullopt;
        }
        if (valued && i + 1 == args.size()) {
            status = usage(arg + " 后要一个值 " + arg + " takes a value");
            return std::nullopt;
        }
        if (valued && arg == outputOption) {
            output = args[++i];
        } else if (valued && arg == "--to") {
            request.to = args[++i];
        } else if (valued && arg == "--size") {
            if (!readSize(args[++i], request)) {
                status = usage("--size 要 宽x高，各 100 到 10000 像素 "
                               "--size takes WxH, each 100 to 10000 pixels");
                return std::nullopt;
            }
        } else if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            status = usage("未知选项 unknown option “" + arg + "”");
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1 || !output || output->empty()) {
        status =
            usage(request.profile
                      ? "profile 要一个管网文件和 --png 输出文件 "
                        "profile takes one network file and --png OUT.png"
                      : "要一个管网文件和 --pdf 输出文件 takes one network file and --pdf OUT.pdf");
        return std::nullopt;
    }
    request.file = files[0];
    request.output = *output;
    return request;
}

// The profile to the node the request names, else to the most unfavourable user; none, with
// the message written, for a name no node has.
std::optional<network::Profile> profileOf(const network::Network& network,
                                          const network::Result& result, const Request& request) {
    std::optional<std::size_t> node;
    if (request.to) {
        for (std::size_t i = 0; i < result.nodes.size() && !node; ++i)
            if (result.nodes[i].name == *request.to)
                node = i;
        if (!node) {
            std::cerr << "管网中没有节点“" << *request.to << "” the network has no node “"
                      << *request.to << "”\n";
            return std::nullopt;
        }
    }
    std::optional<network::Profile> profile = network::profile(network, result, node);
    if (!profile)
        std::cerr << "无法画出沿线的压力 cannot draw the profile\n";
    return profile;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = network::commandLine(argc, argv);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage << "\n" << kHelp;
        std::cout.flush();
        return std::cout ? 0 : kExitRefused;
    }
    int status = 0;
    const std::optional<Request> request = parse(args, status);
    if (!request)
        return status;
    std::optional<std::string> date;
    if (!request->profile && !(date = sheetDate()))
        return usage("SOURCE_DATE_EPOCH 不是秒数 SOURCE_DATE_EPOCH is not a number of seconds");

    const network::Reading reading = network::loadNetwork(files::pathOf(request->file));
    if (!reading.network) {
        std::cerr << reading.fault << "\n";
        return kExitRefused;
    }
    const network::Result result = network::solve(*reading.network);
    if (!result.fault.empty()) {
        std::cerr << "无法计算“" << files::utf8Of(files::pathOf(request->file).filename()) << "”："
                  << result.fault << "\n";
        return kExitRefused;
    }
    std::optional<network::Profile> profile;
    if (request->profile && !(profile = profileOf(*reading.network, result, *request)))
        return kExitRefused;

        // No display is needed: the offscreen platform unless the caller chose another. Windows'
        // own platform needs no display either, and its offscreen one would know only the fonts in
        // Qt's folder, none.
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // Standard error holds the one message of a refusal; Qt's notes on the environment (no
    // runtime folder for the offscreen platform, say) are not the user's business.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    const std::filesystem::path output = files::pathOf(request->output);
    const std::string fault =
        profile
            ? controls::qt::saveProfilePng(*profile, QSize(request->width, request->height), output)
            : controls::qt::savePdf(network::networkSheet(*reading.network, result, *date), output);
    if (!fault.empty()) {
        std::cerr << fault << "\n";
        return kExitRefused;
    }
    return 0;
}
