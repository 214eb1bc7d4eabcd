// The window and the command line give the same figures for the same file.
#include "calc/numbers.h"
#include "calc/recal.h"
#include "network/cli.h"
#include "tests/ui/main_window.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> found;
    std::istringstream in(row);
    for (std::string cell; std::getline(in, cell, '\t');)
        found.push_back(cell);
    return found;
}

// A figure of the command line's JSON at the seven digits every window shows.
std::string shown(const nlohmann::json& value) {
    return value.is_null() ? "" : calc::fieldText(calc::storedFloat(value.get<double>()), "");
}

TEST(SameFigures, TheWindowShowsWhatTheCommandLineWritesForEachExample) {
    for (const char* name : {"saturated-network.json", "superheated-network.json"}) {
        const std::string file = std::string(STEAM_NETWORK_EXAMPLES) + "/" + name;
        std::ostringstream out, err;
        ASSERT_EQ(
            network::runCommandLine(std::vector<std::string>{"calc", "--json", file}, out, err), 0)
            << err.str();
        const nlohmann::json calc = nlohmann::json::parse(out.str());

        MainWindow w;
        w.gui.menuCommand("Form1.mnuNetwork").userClick();
        w.gui.fileDialogs("Form5.files").answerNext(file);
        w.gui.menuCommand("Form5.mnuOpen").userClick();
        const std::vector<std::string>& rows = w.gui.tableList("Form5.List1").items();
        ASSERT_EQ(rows.size(), calc["segments"].size()) << name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const nlohmann::json& s = calc["segments"][i];
            const std::vector<std::string> row = cells(rows[i]);
            ASSERT_GE(row.size(), 12u);
            EXPECT_EQ(row[0], s["name"].get<std::string>());
            const char* keys[] = {"bore",         "flow",        "pIn",        "pOut",
                                  "densityIn",    "densityOut",  "velocityIn", "velocityOut",
                                  "specificLoss", "pressureDrop"};
            for (std::size_t k = 0; k < std::size(keys); ++k)
                EXPECT_EQ(row[k + 2], shown(s[keys[k]])) << name << " " << i << " " << keys[k];
        }
        const std::vector<std::string>& nodes = w.gui.tableList("Form5.List2").items();
        ASSERT_EQ(nodes.size(), calc["nodes"].size());
        for (std::size_t i = 0; i < nodes.size(); ++i)
            EXPECT_EQ(cells(nodes[i])[1], shown(calc["nodes"][i]["pressure"])) << name << i;
    }
}

} // namespace
