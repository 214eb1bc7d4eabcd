// The printed sheet read back by poppler's pdftotext, with figures from `steam-network calc
// --json`: every figure of the result tables (with heat loss, the heat's too) at the digits the
// window shows, every heading on
// every page its table is on, the page numbers, the fonts embedded; the refusals of a PDF that
// cannot be written; the same pages on a printer. The profile's and the tree's pages after the
// tables: the path's names worked out from the file, the axes' units; the profile's PNG.
#include "calc/numbers.h"
#include "calc/recal.h"
#include "network/file.h"
#include "network/network_sheet.h"
#include "ui/qt/sheet_painter.h"

#include <QApplication>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Ran {
    int status;
    std::string out, err;
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// An empty scratch folder of this process's own: two runs of the tests at once (two checkouts,
// or the sanitizer build beside the plain one) would otherwise empty each other's folders
// mid-test.
fs::path scratch(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// Every example network, with and without heat loss.
std::vector<fs::path> examples() {
    const fs::path plain(STEAM_NETWORK_EXAMPLES), heat(STEAM_HEAT_LOSS_EXAMPLES);
    return {plain / "saturated-network.json", plain / "superheated-network.json",
            plain / "forty-segments.json", heat / "saturated-heat-loss.json",
            heat / "superheated-heat-loss.json"};
}

// A shell command's status and streams.
Ran run(const std::string& command) {
    const fs::path out = fs::temp_directory_path() / ("sheet-pdf-out-" + std::to_string(getpid()));
    const fs::path err = out.string() + ".err";
    const int status = std::system((command + " >" + out.string() + " 2>" + err.string()).c_str());
    Ran result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    fs::remove(out), fs::remove(err);
    return result;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// The sheet of a network file, made by the program as a user runs it, on a fixed day.
Ran makeSheet(const fs::path& network, const fs::path& pdf) {
    return run("SOURCE_DATE_EPOCH=1796731200 " + quoted(STEAM_NETWORK_SHEET) + " " +
               quoted(network) + " --pdf " + quoted(pdf));
}

int pageCount(const fs::path& pdf) {
    std::istringstream info(run("pdfinfo " + quoted(pdf)).out);
    for (std::string line; std::getline(info, line);)
        if (line.starts_with("Pages:"))
            return std::stoi(line.substr(6));
    return 0;
}

// A page's text as pdftotext gives it: `-layout` keeps a row on one line, `-raw` each cell's
// lines together in the order they were drawn.
std::string pageText(const fs::path& pdf, int page, const char* mode) {
    const std::string n = std::to_string(page);
    return run(std::string("pdftotext ") + mode + " -f " + n + " -l " + n + " " + quoted(pdf) +
               " -")
        .out;
}

std::string withoutBlanks(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n' || c == '\f'; });
    return text;
}

std::vector<std::vector<std::string>> lineWords(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        lines.emplace_back(std::istream_iterator<std::string>(words),
                           std::istream_iterator<std::string>());
    }
    return lines;
}

// A figure of the command line's JSON at the seven digits the window shows, without the blank
// a positive number's text starts with.
std::string shown(const nlohmann::json& value) {
    const std::string text = calc::fieldText(calc::storedFloat(value.get<double>()), "");
    return text.starts_with(' ') ? text.substr(1) : text;
}

// The expected figures of a row, in order, with the word its line starts with.
struct Row {
    std::string first;
    std::vector<std::string> figures;
};

bool holds(const std::vector<std::string>& words, const Row& row) {
    if (words.empty() || words[0] != row.first)
        return false;
    std::size_t next = 0;
    for (std::size_t i = 1; i < words.size() && next < row.figures.size(); ++i)
        next += words[i] == row.figures[next];
    return next == row.figures.size();
}

// A sheet's table by its title.
const sheet::Table* tableTitled(const sheet::Sheet& sheet, std::string_view title) {
    for (const sheet::Table& table : sheet.tables)
        if (table.title == title)
            return &table;
    return nullptr;
}

TEST(SheetPdf, EveryFigureAndHeadingOfTheResultTablesOnEveryPageTheyAreOn) {
    const fs::path folder = scratch("sheet-pdf-test");
    for (const fs::path& file : examples()) {
        SCOPED_TRACE(file.filename().string());
        const fs::path pdf = folder / "sheet.pdf";
        const Ran made = makeSheet(file, pdf);
        ASSERT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(made.out + made.err, "");
        const Ran calculated = run(quoted(STEAM_NETWORK) + " calc --json " + quoted(file));
        ASSERT_EQ(calculated.status, 0);
        const nlohmann::json figures = nlohmann::json::parse(calculated.out);
        const network::Reading reading = network::loadNetwork(file);
        const bool heat = reading.network->heatLoss.has_value();

        // The tables' rows, each the segment's or node's name and its figures: with heat loss
        // the segments' in two tables, the hydraulics' and the heat's.
        std::vector<Row> segments, thermal, nodes;
        for (const nlohmann::json& s : figures["segments"]) {
            Row& row = segments.emplace_back(Row{s["name"], {}});
            for (const char* key :
                 {"bore", "flow", "flowOut", "pIn", "pOut", "densityIn", "densityOut", "velocityIn",
                  "velocityOut", "specificLoss", "pressureDrop"})
                if (heat || std::string_view(key) != "flowOut")
                    row.figures.push_back(shown(s[key]));
            if (!heat)
                continue;
            Row& heatRow = thermal.emplace_back(Row{s["name"], {}});
            for (const char* key : {"tIn", "tOut", "superheatOut", "heatLoss", "condensate", "qIn",
                                    "surfaceIn", "lossPerAreaIn", "allowedLossPerArea"})
                heatRow.figures.push_back(shown(s[key]));
        }
        for (const nlohmann::json& n : figures["nodes"]) {
            Row& row = nodes.emplace_back(Row{n["name"], {shown(n["pressure"])}});
            if (!n["required"].is_null())
                row.figures.insert(row.figures.end(), {shown(n["required"]), shown(n["margin"])});
            row.figures.insert(row.figures.end(), {shown(n["temperature"]), shown(n["superheat"])});
        }
        const sheet::Sheet sheet =
            network::networkSheet(*reading.network, network::solve(*reading.network), "2026-12-08");
        const sheet::Table* segmentTable =
            tableTitled(sheet, heat ? "管段水力计算结果" : "管段计算结果");
        const sheet::Table* thermalTable = tableTitled(sheet, "管段热力计算结果");
        const sheet::Table* nodeTable = tableTitled(sheet, "节点压力与温度");
        ASSERT_TRUE(segmentTable && nodeTable && (thermalTable != nullptr) == heat);

        const int pages = pageCount(pdf);
        ASSERT_GT(pages, 0);
        std::vector<bool> segmentFound(segments.size()), thermalFound(thermal.size()),
            nodeFound(nodes.size());
        for (int page = 1; page <= pages; ++page) {
            SCOPED_TRACE("page " + std::to_string(page));
            const std::string raw = withoutBlanks(pageText(pdf, page, "-raw"));
            EXPECT_NE(
                raw.find("第" + std::to_string(page) + "页/共" + std::to_string(pages) + "页"),
                std::string::npos);
            if (page == 1) {
                EXPECT_NE(raw.find("蒸汽管网水力计算书" + withoutBlanks(reading.network->title)),
                          std::string::npos);
                EXPECT_NE(raw.find("2026-12-08"), std::string::npos);
            }
            const auto lines = lineWords(pageText(pdf, page, "-layout"));
            const auto find = [&](const std::vector<Row>& rows, std::vector<bool>& found,
                                  const sheet::Table& table) {
                bool any = false;
                for (std::size_t r = 0; r < rows.size(); ++r)
                    for (const auto& words : lines)
                        if (holds(words, rows[r]))
                            any = found[r] = true;
                // A page with rows of a table has its headings too.
                for (const std::string& heading : table.headings) {
                    if (any) {
                        EXPECT_NE(raw.find(withoutBlanks(heading)), std::string::npos)
                            << table.title << ": " << heading;
                    }
                }
            };
            find(segments, segmentFound, *segmentTable);
            if (heat)
                find(thermal, thermalFound, *thermalTable);
            find(nodes, nodeFound, *nodeTable);
        }
        for (std::size_t r = 0; r < segments.size(); ++r)
            EXPECT_TRUE(segmentFound[r]) << "segment " << segments[r].first;
        for (std::size_t r = 0; r < thermal.size(); ++r)
            EXPECT_TRUE(thermalFound[r]) << "segment's heat " << thermal[r].first;
        for (std::size_t r = 0; r < nodes.size(); ++r)
            EXPECT_TRUE(nodeFound[r]) << "node " << nodes[r].first;

        // Every font is in the file, so that it reads the same where the font is missing.
        const auto fonts = lineWords(run("pdffonts " + quoted(pdf)).out);
        ASSERT_GT(fonts.size(), 2u);
        for (std::size_t i = 2; i < fonts.size(); ++i)
            EXPECT_EQ(fonts[i].end()[-5], "yes") << fonts[i][0]; // the column "emb"
    }
    fs::remove_all(folder);
}

// A page's words as pdftotext -raw gives them, each run of text between blanks.
std::set<std::string> wordsOf(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// "Page    3 size: 841.89 x 595.276 pts (A4)": wider than tall.
bool landscape(const fs::path& pdf, int page) {
    const std::string n = std::to_string(page);
    std::istringstream info(run("pdfinfo -f " + n + " -l " + n + " " + quoted(pdf)).out);
    double width = 0, height = 0;
    for (std::string line; std::getline(info, line);)
        if (line.find(" size: ") != std::string::npos)
            std::sscanf(line.c_str() + line.find(" size: ") + 7, "%lf x %lf", &width, &height);
    return width > height;
}

// The most unfavourable user by the rule the window's status line states, from the command
// line's figures: the least margin among the nodes with a required pressure, else the lowest
// pressure.
std::string worstNode(const nlohmann::json& nodes) {
    std::string worst;
    double least = 1e300;
    bool required = false;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        const nlohmann::json& node = nodes[i];
        const bool has = !node["margin"].is_null();
        if (required && !has)
            continue;
        const double figure = has ? node["margin"].get<double>() : node["pressure"].get<double>();
        if ((has && !required) || figure < least) {
            least = figure;
            worst = node["name"];
            required = required || has;
        }
    }
    return worst;
}

// The pages the sheet gains after its tables: the profile to the most unfavourable user, the
// path's nodes named on it, and its axes titled with their units; the tree with every node and
// segment. Two pages more than the same sheet without its drawings.
TEST(SheetPdf, TheProfileAndTheTreeOnPagesOfTheirOwnAfterTheTables) {
    const fs::path folder = scratch("sheet-pdf-pictures");
    for (const fs::path& file : examples()) {
        SCOPED_TRACE(file.filename().string());
        const fs::path pdf = folder / "sheet.pdf";
        ASSERT_EQ(makeSheet(file, pdf).status, 0);
        const nlohmann::json input = nlohmann::json::parse(slurp(file));
        const nlohmann::json figures =
            nlohmann::json::parse(run(quoted(STEAM_NETWORK) + " calc --json " + quoted(file)).out);

        // The path walked back from the worst user through each segment's from-node.
        std::map<std::string, std::pair<std::string, double>> feeds; // to-node: from, length
        for (const nlohmann::json& segment : input["segments"])
            feeds[segment["to"]] = {segment["from"], segment["length"].get<double>()};
        std::vector<std::string> path{worstNode(figures["nodes"])};
        double length = 0;
        while (feeds.count(path.back())) {
            length += feeds[path.back()].second;
            path.push_back(feeds[path.back()].first);
        }
        ASSERT_EQ(path.back(), input["source"]["node"]);

        const network::Reading reading = network::loadNetwork(file);
        sheet::Sheet plain =
            network::networkSheet(*reading.network, network::solve(*reading.network), "2026-12-08");
        plain.drawings.reset();
        {
            QPdfWriter writer(QString::fromStdString((folder / "plain.pdf").string()));
            writer.setResolution(300);
            ASSERT_TRUE(controls::qt::paintSheet(plain, writer));
        }
        const int pages = pageCount(pdf);
        ASSERT_EQ(pages, pageCount(folder / "plain.pdf") + 2);

        const std::string profile = pageText(pdf, pages - 1, "-raw");
        const std::set<std::string> words = wordsOf(profile);
        for (const std::string& name : path)
            EXPECT_TRUE(words.count(name)) << "profile: " << name;
        // No node off the path.
        for (const nlohmann::json& node : figures["nodes"])
            if (std::find(path.begin(), path.end(), node["name"]) == path.end()) {
                EXPECT_FALSE(words.count(node["name"])) << "profile: " << node["name"];
            }
        const std::string unit = input["source"]["unit"] == "MPa(g)" ? "MPa(表压)" : "MPa(绝压)";
        const std::string flat = withoutBlanks(profile);
        EXPECT_NE(flat.find("压力/" + unit), std::string::npos);
        EXPECT_NE(flat.find(length >= 2000 ? "距热源/km" : "距热源/m"), std::string::npos);
        EXPECT_EQ(flat.find("温度/℃") != std::string::npos, input.contains("heatLoss"));
        EXPECT_TRUE(landscape(pdf, pages - 1));

        const std::set<std::string> tree = wordsOf(pageText(pdf, pages, "-raw"));
        for (const nlohmann::json& node : figures["nodes"])
            EXPECT_TRUE(tree.count(node["name"])) << "tree: " << node["name"];
        for (const nlohmann::json& segment : input["segments"])
            EXPECT_TRUE(tree.count(segment["name"])) << "tree: " << segment["name"];
        EXPECT_NE(withoutBlanks(pageText(pdf, pages, "-raw")).find("管网图"), std::string::npos);
    }
    fs::remove_all(folder);
}

// The profile's PNG: the size asked for, 1600 × 1000 unless told; a node no node is, and a
// size that is none, refused without a file.
TEST(SheetPdf, TheProfileAsAPng) {
    const fs::path folder = scratch("sheet-png");
    const std::string network = quoted(fs::path(STEAM_NETWORK_EXAMPLES) / "saturated-network.json");
    const std::string png = quoted(folder / "p.png");
    const std::string program = quoted(STEAM_NETWORK_SHEET) + " profile ";
    struct Case {
        const char* name;
        std::string words;
        int status;
        int width, height;
    };
    for (const Case& c : std::vector<Case>{
             {"default size", network + " --png " + png, 0, 1600, 1000},
             {"to a node, sized", network + " --to J2 --png " + png + " --size 640x400", 0, 640,
              400},
             {"no such node", network + " --to J9 --png " + png, 2, 0, 0},
             {"no size", network + " --png " + png + " --size 640", 64, 0, 0},
             {"no output", network, 64, 0, 0},
         }) {
        SCOPED_TRACE(c.name);
        fs::remove(folder / "p.png");
        const Ran ran = run(program + c.words);
        EXPECT_EQ(ran.status, c.status) << ran.err;
        const QImage image(QString::fromStdString((folder / "p.png").string()));
        EXPECT_EQ(image.width(), c.width);
        EXPECT_EQ(image.height(), c.height);
        if (c.status == 2) {
            EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
        }
    }
    fs::remove_all(folder);
}

TEST(SheetPdf, AnUnwritablePdfIsRefusedInOneMessageLeavingNothing) {
    const fs::path folder = scratch("sheet-pdf-refusals");
    fs::create_directories(folder / "taken.pdf");
    fs::create_directories(folder / "locked");
    fs::permissions(folder / "locked", fs::perms::owner_all | fs::perms::group_read |
                                           fs::perms::group_exec | fs::perms::others_read |
                                           fs::perms::others_exec);
    const fs::path network = fs::path(STEAM_NETWORK_EXAMPLES) / "saturated-network.json";
    // As root every folder is writable: the locked one is tried as nobody.
    const std::string asUser =
        geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    if (geteuid() != 0)
        fs::permissions(folder / "locked", fs::perms::owner_write, fs::perm_options::remove);
    struct Case {
        std::string command;
        std::string message;
    };
    const Case cases[] = {
        {quoted(STEAM_NETWORK_SHEET) + " " + quoted(network) + " --pdf " +
             quoted(folder / "missing" / "a.pdf"),
         "无法保存“a.pdf”：无法在它的文件夹中建立临时文件：文件或文件夹不存在\n"},
        {quoted(STEAM_NETWORK_SHEET) + " " + quoted(network) + " --pdf " +
             quoted(folder / "taken.pdf"),
         "无法保存“taken.pdf”：这是文件夹，不能存为文件\n"},
        {asUser + quoted(STEAM_NETWORK_SHEET) + " " + quoted(network) + " --pdf " +
             quoted(folder / "locked" / "a.pdf"),
         "无法保存“a.pdf”：无法在它的文件夹中建立临时文件：没有权限\n"},
        {quoted(STEAM_NETWORK_SHEET) + " " + quoted(folder / "none.json") + " --pdf " +
             quoted(folder / "a.pdf"),
         "无法打开“none.json”：文件不存在\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const Ran refused = run(c.command);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.err, c.message);
        EXPECT_EQ(refused.out, "");
    }
    // Nothing but the two folders the test made, and nothing in them.
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        left.push_back(entry.path().lexically_relative(folder).string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"locked", "taken.pdf"}));
    fs::remove_all(folder);
}

TEST(SheetPdf, WrongUsageAndHelp) {
    for (const char* words : {"", "--pdf", "a.json", "a.json --pdf", "a.json b.json --pdf c.pdf",
                              "a.json --pdf c.pdf --pdf d.pdf", "--json a.json --pdf c.pdf"}) {
        const Ran wrong = run(quoted(STEAM_NETWORK_SHEET) + " " + words);
        EXPECT_EQ(wrong.status, 64) << words;
        EXPECT_NE(wrong.err.find("用法 Usage:"), std::string::npos) << words;
    }
    const Ran help = run(quoted(STEAM_NETWORK_SHEET) + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("steam-network sheet"), std::string::npos);
}

// A printer set to print into a PDF gets the pages the PDF writer gets.
TEST(SheetPdf, APrinterPrintsThePagesOfThePdf) {
    const fs::path folder = scratch("sheet-pdf-printer");
    const network::Reading reading =
        network::loadNetwork(fs::path(STEAM_NETWORK_EXAMPLES) / "forty-segments.json");
    const sheet::Sheet sheet =
        network::networkSheet(*reading.network, network::solve(*reading.network), "2026-12-08");
    ASSERT_EQ(controls::qt::savePdf(sheet, folder / "written.pdf"), "");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder / "printed.pdf").string()));
    printer.setResolution(300);
    ASSERT_TRUE(controls::qt::paintSheet(sheet, printer));
    const int pages = pageCount(folder / "written.pdf");
    EXPECT_GT(pages, 2);
    EXPECT_EQ(pageCount(folder / "printed.pdf"), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(pageText(folder / "printed.pdf", page, "-raw"),
                  pageText(folder / "written.pdf", page, "-raw"))
            << page;
    fs::remove_all(folder);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
