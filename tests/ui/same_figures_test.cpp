// The window and the command line give the same figures for the same file.
#include "network/cli.h"
#include "network/result_table.h"
#include "tests/ui/main_window.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Whether a text the window shows is the command line's figure: read as a number, it lies
// within half a unit of the seventh significant digit of the figure as the window stores it, a
// 32-bit float; an exhausted part's null is an empty cell. The text is read back rather than the
// figure formatted again, so that the program's own formatter is not the judge of itself.
bool shows(const std::string& text, const nlohmann::json& figure) {
    if (figure.is_null())
        return text.empty();
    const double stored = static_cast<float>(figure.get<double>());
    const double read = std::stod(text);
    if (stored == 0)
        return read == 0;
    const double unit = std::pow(10.0, std::floor(std::log10(std::abs(stored))) - 6);
    return std::abs(read - stored) <= 0.5 * unit * (1 + 1e-9);
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
        w.gui.fileDialogs("Network.files").answerNext(file);
        w.gui.menuCommand("Network.openFile").userClick();
        const std::vector<std::string>& rows = w.gui.tableList("Network.results").items();
        ASSERT_EQ(rows.size(), calc["segments"].size()) << name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const nlohmann::json& s = calc["segments"][i];
            const std::vector<std::string> row = cells(rows[i]);
            const auto shown = network::windowOrder(network::kSegmentColumns);
            ASSERT_EQ(row.size(), shown.size());
            EXPECT_EQ(row[0], s["name"].get<std::string>());
            // Each figure the window shows under the key the description gives its column.
            for (std::size_t k = 0; k < shown.size(); ++k) {
                if (shown[k]->cell.kind != network::Kind::Figure)
                    continue;
                const std::string key(shown[k]->key);
                EXPECT_TRUE(shows(row[k], s[key]))
                    << name << " " << i << " " << key << ": " << row[k] << " for " << s[key];
            }
        }
        const std::vector<std::string>& nodes = w.gui.tableList("Network.nodes").items();
        ASSERT_EQ(nodes.size(), calc["nodes"].size());
        for (std::size_t i = 0; i < nodes.size(); ++i)
            EXPECT_TRUE(shows(cells(nodes[i])[1], calc["nodes"][i]["pressure"]))
                << name << " " << i << ": " << cells(nodes[i])[1];
    }
}

} // namespace
