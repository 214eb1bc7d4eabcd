#include "network/cli.h"

#include "network/file.h" // the reader, whose refusals the command passes on
#include "network/profile.h"
#include "pipes/catalogue.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = network::runCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

// RFC 4180 read back independently of the writer: quoted fields, doubled quotes, "\n" rows.
std::vector<std::vector<std::string>> csv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            rows.back().back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            rows.back().emplace_back();
        } else if (!quoted && c == '\n') {
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    EXPECT_EQ(rows.back(), std::vector<std::string>(1)) << "the last row ends in a line break";
    rows.pop_back();
    return rows;
}

double number(const std::string& cell) {
    double value = 0;
    const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    EXPECT_TRUE(ec == std::errc{} && end == cell.data() + cell.size()) << cell;
    return value;
}

TEST(CommandLine, WrongUsageGivesTheUsageOnStandardErrorAndStatus64) {
    // clang-format off
    const std::vector<std::vector<std::string>> cases = {
        {}, {"frob"}, {"Pipes"}, {"pipes", "x"}, {"--help", "x"}, {"calc"}, {"calc", "--json"},
        {"calc", "a", "b"}, {"calc", "--csv", "a"}, {"sheet"}, {"sheet", "a"},
        {"sheet", "a", "--csv"}, {"sheet", "a", "--csv", ""}, {"sheet", "a", "b", "--csv", "c"},
        {"sheet", "a", "--csv", "c", "--csv", "d"}, {"sheet", "a", "--xls", "c"},
        {"profile"}, {"profile", "a"}, {"profile", "a", "--to", "b"}, {"profile", "a", "--csv"},
        {"profile", "a", "--to", "", "--csv", "c"}, {"profile", "a", "b", "--csv", "c"},
        {"profile", "a", "--csv", "c", "--csv", "d"}, {"profile", "a", "--svg", "c"},
        {"profile", "a", "--csv", "c", "--size", "1600x1000"},
        {"profile", "a", "--png", "p", "--size", "99x1000"},
        {"profile", "a", "--png", "p", "--size", "1600x8001"},
        {"profile", "a", "--png", "p", "--size", "1600"},
        {"profile", "a", "--png", "p", "--size", "+1600x1000"},
        {"profile", "a", "--png", "p", "--size", "1600x1000x2"},
        {"profile", "a", "--png", "p", "--size", "1600X1000"}};
    // clang-format on
    for (const auto& args : cases) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 64) << testing::PrintToString(args);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("steam-network calc [--json]"), std::string::npos) << r.err;
    }
}

TEST(CommandLine, HelpNamesEveryCommandColumnCodeAndStatusInBothLanguages) {
    const Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* word : {"用法",
                             "Usage",
                             "退出状态",
                             "Exit status",
                             "pipes",
                             "calc --json",
                             "bore_mm",
                             "pressureDrop",
                             "margin",
                             "no-suitable-pipe",
                             "upstream-exhausted",
                             "  2 ",
                             "  64 ",
                             "sheet 文件FILE",
                             "--xlsx",
                             "--pdf",
                             "steam-network-sheet",
                             "SOURCE_DATE_EPOCH",
                             "profile 文件FILE",
                             "--to 节点NODE",
                             "--png",
                             "--size",
                             "1600x1000",
                             "distance (m)",
                             "saturation temperature (℃)",
                             "最不利用户",
                             "most unfavourable"}) {
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
    // Every code a calculation may write is explained, a verdict added later too.
    for (int v = 0; v <= static_cast<int>(network::Verdict::TemperatureBelowRequired); ++v) {
        const std::string_view code = network::verdictCode(static_cast<network::Verdict>(v));
        EXPECT_TRUE(!code.empty() && r.out.find(code) != std::string::npos) << v;
    }
    EXPECT_EQ(run({"-h"}).out, r.out);
}

TEST(CommandLine, PipesReadsBackAsTheCatalogueAndAnUnwritableOutputIsStatus1) {
    const Outcome r = run({"pipes"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const auto rows = csv(r.out);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"series", "pipe", "outer_mm", "wall_mm", "bore_mm"}));
    std::size_t next = 1;
    for (const auto& [series, name] :
         {std::pair{pipes::Series::Seamless, "seamless"}, {pipes::Series::Welded, "welded"}}) {
        for (const pipes::CataloguePipe& pipe : pipes::catalogue(series)) {
            ASSERT_LT(next, rows.size());
            const auto& row = rows[next++];
            ASSERT_EQ(row.size(), 5u);
            EXPECT_EQ(row[0], name);
            EXPECT_EQ(row[1], pipe.name);
            EXPECT_EQ(number(row[2]), pipe.outerMm) << row[2];
            EXPECT_EQ(number(row[3]), pipe.wallMm) << row[3];
            EXPECT_EQ(number(row[4]), pipe.boreMm()) << row[4];
        }
    }
    EXPECT_EQ(next, rows.size());

    std::ostream unwritable(nullptr);
    std::ostringstream err;
    EXPECT_EQ(network::runCommandLine(std::vector<std::string>{"pipes"}, unwritable, err), 1);
    EXPECT_EQ(err.str(), "steam-network: 输出写不出 the output could not be written\n");
}

class Files : public testing::Test {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("steam-network-test-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string file(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    }
};

TEST_F(Files, AFileRefusedOrNotComputableGivesItsMessageAloneAndStatus2) {
    const std::string missing = (folder / "missing.json").string();
    const std::string broken = file("broken.json", "{\"segments\": [");
    for (const auto& args : {std::vector<std::string>{"calc", missing},
                             {"calc", "--json", broken},
                             {"calc", file("empty.json", "")}}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, network::loadNetwork(args.back()).fault + "\n");
    }
    // Read, but not computed: steam 0.5 K into region 2 at 30 MPa throttles out of it.
    const std::string beyond = file("beyond.json", R"json({"format": "steam-network", "version": 1,
        "source": {"node": "S", "pressure": 30, "unit": "MPa(a)", "steam": "superheated",
        "temperature": 425.5}, "roughness": 0.2, "series": "seamless", "segments": [{"name": "1",
        "from": "S", "to": "a", "length": 3000, "localLoss": 0, "pipe": "D219x10",
        "load": 300}]})json");
    const Outcome r = run({"calc", beyond});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "无法计算“beyond.json”：" +
                         network::solve(*network::loadNetwork(beyond).network).fault + "\n");
}

// A main too slow and above the limit, a branch too small for its load and an auto-sized
// segment below it: every column of the CSV is the JSON's value, two verdicts among them, and
// what the exhausted part could not have is null.
TEST_F(Files, CsvAndJsonAgreeAndAnExhaustedBranchIsNull) {
    const std::string path = file("net.json", R"json({"format": "steam-network", "version": 1,
        "source": {"node": "S", "pressure": 0.5, "unit": "MPa(g)", "steam": "saturated"},
        "roughness": 0.2, "series": "seamless", "maxSpecificLoss": 1, "segments": [
        {"name": "干管, \"甲\"", "from": "S", "to": "A", "length": 50, "localLoss": 15,
         "pipe": "D219x8", "load": 2, "requiredPressure": null},
        {"name": "支管", "from": "A", "to": "B", "length": 2000, "localLoss": 10,
         "pipe": "D14x2.5", "load": 3, "requiredPressure": 0.1},
        {"name": "末端", "from": "B", "to": "C", "length": 10, "localLoss": 0, "pipe": "auto",
         "load": 1, "requiredPressure": null}]})json");
    const Outcome plain = run({"calc", path});
    const Outcome json = run({"calc", "--json", "--", path});
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(plain.err + json.err, "");

    // clang-format off
    const std::vector<std::string> keys = {"name", "from", "to", "flow", "length", "localLoss",
        "pipe", "bore", "pIn", "pOut", "densityIn", "densityOut", "velocityIn", "velocityOut",
        "specificLoss", "pressureDrop", "status", "flowOut", "tIn", "tOut", "superheatOut",
        "heatLoss", "condensate", "qIn", "surfaceIn", "lossPerAreaIn", "allowedLossPerArea"};
    // clang-format on
    const auto rows = csv(plain.out);
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], keys);
    ASSERT_EQ(doc.size(), 3u) << "segments, nodes and totals";
    ASSERT_EQ(doc.at("segments").size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const nlohmann::json& segment = doc["segments"][i];
        ASSERT_EQ(segment.size(), keys.size());
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const nlohmann::json& v = segment.at(keys[k]);
            const std::string& cell = rows[i + 1].at(k);
            if (v.is_null())
                EXPECT_EQ(cell, "") << keys[k];
            else if (v.is_number())
                EXPECT_EQ(number(cell), v.get<double>()) << keys[k];
            else if (v.is_string())
                EXPECT_EQ(cell, v.get<std::string>()) << keys[k];
            else {
                std::string joined;
                for (const auto& code : v)
                    joined += (joined.empty() ? "" : ";") + code.get<std::string>();
                EXPECT_EQ(cell, joined);
            }
        }
    }
    EXPECT_EQ(rows[1][0], "干管, \"甲\"");
    EXPECT_EQ(rows[2][15], "") << "the drop of an exhausted branch";
    EXPECT_NE(rows[2][16].find("pressure-exhausted"), std::string::npos);
    const nlohmann::json& below = doc["segments"][2];
    EXPECT_EQ(below["status"], nlohmann::json({"upstream-exhausted"}));
    for (const char* key : {"pipe", "bore", "pIn", "pOut", "velocityOut", "pressureDrop"})
        EXPECT_TRUE(below[key].is_null()) << key;

    const nlohmann::json& nodes = doc["nodes"];
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[2], nlohmann::json({{"name", "B"},
                                        {"pressure", nullptr},
                                        {"required", 0.1},
                                        {"margin", nullptr},
                                        {"temperature", nullptr},
                                        {"superheat", nullptr},
                                        {"requiredTemperature", nullptr},
                                        {"temperatureMargin", nullptr}}));
    EXPECT_EQ(nodes[1]["pressure"], doc["segments"][0]["pOut"]);
    // Without heat loss the source supplies the loads alone, 2 + 3 + 1 t/h, and loses nothing.
    EXPECT_EQ(
        doc["totals"],
        nlohmann::json({{"sourceFlow", 6.0}, {"heatLoss", nullptr}, {"condensate", nullptr}}));
}

// The profile's CSV read back: its byte-order mark and CRLF, the headings with the source's unit,
// a row a point of the profile with every figure read back as the same double, a node's name on
// its point (quoted where it holds a comma and quotes).
TEST_F(Files, ProfileCsvReadsBackAsTheSeriesAndAnUnknownNodeIsRefused) {
    const std::string path = file("line.json", R"json({"format": "steam-network", "version": 1,
        "source": {"node": "S", "pressure": 8, "unit": "bar(g)", "steam": "superheated",
        "temperature": 250}, "roughness": 0.2, "series": "seamless", "segments": [
        {"name": "1", "from": "S", "to": "A, \"甲\"", "length": 400, "localLoss": 15,
         "pipe": "D108x4", "load": 2, "requiredPressure": 6},
        {"name": "2", "from": "A, \"甲\"", "to": "B", "length": 600, "localLoss": 10,
         "pipe": "D89x4", "load": 1.5, "requiredPressure": 5},
        {"name": "3", "from": "S", "to": "C", "length": 50, "localLoss": 10,
         "pipe": "auto", "load": 1, "requiredPressure": null}]})json");
    const std::string out = (folder / "profile.csv").string();
    const Outcome r = run({"profile", path, "--to", "B", "--csv", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    std::ifstream in(out, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
    std::string lines = bytes.substr(3);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'),
              std::count(lines.begin(), lines.end(), '\r'));
    std::erase(lines, '\r');
    const auto rows = csv(lines);

    const network::Network n = *network::loadNetwork(path).network;
    const network::Result result = network::solve(n);
    const std::optional<network::Profile> made = network::profile(n, result, 2);
    ASSERT_TRUE(made);
    ASSERT_EQ(rows.size(), made->points.size() + 1);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"distance (m)", "pressure (bar(表压))", "temperature (℃)",
                                        "saturation temperature (℃)", "node"}));
    for (std::size_t k = 0; k < made->points.size(); ++k) {
        const auto& row = rows[k + 1];
        const network::ProfilePoint& p = made->points[k];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(number(row[0]), p.distance);
        EXPECT_EQ(number(row[1]), p.pressure);
        EXPECT_EQ(number(row[2]), *p.temperature);
        EXPECT_EQ(number(row[3]), *p.saturation);
        EXPECT_EQ(row[4], p.node ? result.nodes[*p.node].name : "");
    }
    EXPECT_EQ(rows.back()[0], "1000");

    // A node the network does not have: one message naming it, and no file.
    const std::string refused = (folder / "refused.csv").string();
    const Outcome unknown = run({"profile", path, "--to", "D", "--csv", refused});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "steam-network: 管网中没有节点“D” the network has no node “D”\n");
    EXPECT_FALSE(std::filesystem::exists(refused));
    // A folder that is not there: the save's one message, naming the file, and nothing else.
    const Outcome nowhere =
        run({"profile", path, "--csv", (folder / "none" / "p.csv").string(), "--png", "p.png"});
    EXPECT_EQ(nowhere.status, 2);
    EXPECT_EQ(nowhere.out, "");
    EXPECT_NE(nowhere.err.find("p.csv"), std::string::npos) << nowhere.err;
    EXPECT_EQ(std::count(nowhere.err.begin(), nowhere.err.end(), '\n'), 1);
}

} // namespace
