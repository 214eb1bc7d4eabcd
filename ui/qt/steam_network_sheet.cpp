// steam-network-sheet: a network file's calculation sheet as a PDF. The PDF part of
// `steam-network sheet`, which runs this program with the same words so that steam-network
// itself stays free of any GUI toolkit. It draws offscreen and needs no display.
#include "files/save.h"
#include "network/cli.h"
#include "network/file.h"
#include "network/network_sheet.h"
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
                                    "  steam-network-sheet --help\n";

constexpr std::string_view kHelp =
    "steam-network-sheet：把一个管网文件的计算书存为 PDF（A4），即 steam-network sheet 的 PDF\n"
    "部分；steam-network sheet 文件 --pdf 输出.pdf 就是调用本程序。它在屏幕外绘制，不需要显示器。\n"
    "steam-network-sheet: a network file's calculation sheet as a PDF (A4), the PDF part of\n"
    "steam-network sheet, which runs this program for steam-network sheet FILE --pdf OUT.pdf.\n"
    "It draws offscreen and needs no display.\n"
    "\n"
    "计算书的日期为今天（本地时间）；设置了 SOURCE_DATE_EPOCH 时为它那一天（UTC），以便重现。\n"
    "The sheet is dated today (local time), or the day of SOURCE_DATE_EPOCH (UTC) where it is\n"
    "set, so that a sheet can be made again the same.\n"
    "\n"
    "退出状态 Exit status:\n"
    "  0   完成 done\n"
    "  2   文件不能用、不能计算或 PDF 写不出：原因写到标准错误，不留下半个文件\n"
    "      the file refused, not computable, or the PDF not writable: why on standard error,\n"
    "      no half-written file left\n"
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

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = network::commandLine(argc, argv);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage << "\n" << kHelp;
        std::cout.flush();
        return std::cout ? 0 : kExitRefused;
    }
    std::vector<std::string> files;
    std::optional<std::string> pdf;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (options && args[i] == "--pdf") {
            if (pdf || i + 1 == args.size())
                return usage("--pdf 后要一个文件名 --pdf takes one file name");
            pdf = args[++i];
        } else if (options && args[i] == "--") {
            options = false;
        } else if (options && args[i].size() > 1 && args[i][0] == '-') {
            return usage("未知选项 unknown option “" + args[i] + "”");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1 || !pdf || pdf->empty())
        return usage("要一个管网文件和 --pdf 输出文件 takes one network file and --pdf OUT.pdf");
    const std::optional<std::string> date = sheetDate();
    if (!date)
        return usage("SOURCE_DATE_EPOCH 不是秒数 SOURCE_DATE_EPOCH is not a number of seconds");

    const network::Reading reading = network::loadNetwork(files::pathOf(files[0]));
    if (!reading.network) {
        std::cerr << reading.fault << "\n";
        return kExitRefused;
    }
    const network::Result result = network::solve(*reading.network);
    if (!result.fault.empty()) {
        std::cerr << "无法计算“" << files::utf8Of(files::pathOf(files[0]).filename()) << "”："
                  << result.fault << "\n";
        return kExitRefused;
    }

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
    const std::string fault = controls::qt::savePdf(
        network::networkSheet(*reading.network, result, *date), files::pathOf(*pdf));
    if (!fault.empty()) {
        std::cerr << fault << "\n";
        return kExitRefused;
    }
    return 0;
}
