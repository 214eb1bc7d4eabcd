#include "network/cli.h"

#include "network/file.h" // the reader, whose refusals the command passes on
#include "pipes/catalogue.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <charconv>
#include <filesystem>
#include <fstream>
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
        {"sheet", "a", "--csv", "c", "--csv", "d"}, {"sheet", "a", "--xls", "c"}};
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
    for (const char* word :
         {"用法", "Usage", "退出状态", "Exit status", "pipes", "calc --json", "bore_mm",
          "pressureDrop", "margin", "no-suitable-pipe", "upstream-exhausted", "  2 ", "  64 ",
          "sheet 文件FILE", "--xlsx", "--pdf", "steam-network-sheet", "SOURCE_DATE_EPOCH"}) {
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
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

} // namespace
