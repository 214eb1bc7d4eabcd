#include "files/save.h"
#include "network/file.h"
#include "tests/ui/deferred_solves.h"
#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// The network window's 散热 group and heat cells, its files kept whole, and its solves handed to
// an executor that may answer late.
namespace {

namespace fs = std::filesystem;

// The network window, its solves run by `executor`.
struct HeatWindow : NetworkMainWindow {
    explicit HeatWindow(ui::SolveExecutor executor = {}) : NetworkMainWindow(std::move(executor)) {
        gui.recorder().setListener([this](const controls::memory::Op& op) {
            if (op.kind == "status")
                red = op.on;
            messages += op.kind == "message" ? 1 : 0;
        });
    }
    const std::vector<std::string>& rows(const std::string& name) { return table(name).items(); }

    bool red = false; // whether the status line last said a fault, in red
    int messages = 0;
};

const fs::path kExamples = STEAM_NETWORK_EXAMPLES;
const fs::path kHeatExamples = STEAM_HEAT_LOSS_EXAMPLES;

std::vector<fs::path> examples() {
    std::vector<fs::path> found;
    for (const fs::path& folder : {kExamples, kHeatExamples})
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".json")
                found.push_back(entry.path());
    return found;
}

// Before the window kept them, it rebuilt the network from its hydraulic boxes alone and saved
// every file without its heat loss and its segments' insulation, laying and temperatures.
TEST(NetworkHeat, AFileOpenedAndSavedReadsBackAsItWas) {
    const fs::path scratch =
        fs::temp_directory_path() / ("network-heat-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    const std::vector<fs::path> files = examples();
    ASSERT_GE(files.size(), 6u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        HeatWindow w;
        w.openFile(file);
        const fs::path saved = scratch / file.filename();
        w.gui.fileDialogs("Network.files").answerNext(files::utf8Of(saved));
        w.menu("saveAs");
        const network::Reading before = network::loadNetwork(file);
        ASSERT_TRUE(before.network) << before.fault;
        EXPECT_EQ(network::loadNetwork(saved).network, before.network);
        // A network with heat loss opens with its group on; one without it, off.
        EXPECT_EQ(w.gui.optionButton("Network.heatOn", "Network.heatFrame").isChecked(),
                  before.network->heatLoss.has_value());
    }
    fs::remove_all(scratch);
}

// Each of the group's faults, and a cell's, said in red in place as the file's reader words it
// (the ranges), the hand-off stopped; never a message box.
TEST(NetworkHeat, AFaultOfTheGroupShowsInRedInPlace) {
    const struct {
        const char* name;
        const char* box; // a box of the group, or the first row's thickness cell
        const char* text;
        const char* status;
    } kCases[] = {
        {"air too warm", "ambient", "60.5", "环境温度须在 -50～60 ℃ 之间"},
        {"wind below 0", "wind", "-1", "风速须在 0～40 m/s 之间"},
        {"a blank factor", "factor", "", "请输入散热附加系数"},
        {"factor under 1", "factor", "0.9", "散热附加系数须在 1～3 之间"},
        {"black body exceeded", "emissivity", "1.01", "外表面黑度须大于 0 且不大于 1"},
        {"a coefficient of 0", "surfaceCoefficient", "0", "表面放热系数须大于 0"},
        {"a word for the coefficient", "surfaceCoefficient", "大", "请输入表面放热系数"},
        {"a metre and more of insulation", nullptr, "1000.5",
         "第 1 段“主管”：保温层厚度须在 0～1000 mm 之间"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        HeatWindow w;
        w.openFile(fs::path(kHeatExamples) / "saturated-heat-loss.json");
        if (c.box)
            w.type(c.box, c.text);
        else
            w.edit(0, network::Thickness, c.text);
        EXPECT_EQ(w.status(), c.status);
        EXPECT_FALSE(w.gui.pushButton("Network.showInMain").enabled());
        EXPECT_EQ(w.messages, 0);
    }
    // A typed conductivity only where the list asks for one, and then above 0.
    HeatWindow w;
    w.openFile(fs::path(kHeatExamples) / "saturated-heat-loss.json");
    EXPECT_FALSE(w.gui.textBox("Network.conductivity").enabled());
    w.gui.dropDownList("Network.material").userPick(4); // 自定导热系数
    EXPECT_TRUE(w.gui.textBox("Network.conductivity").enabled());
    EXPECT_EQ(w.status(), "请输入导热系数");
    w.type("conductivity", "0");
    EXPECT_EQ(w.status(), "保温材料的导热系数须大于 0");
    // Off, the group is not read: its fault no longer stands.
    w.gui.optionButton("Network.heatOff", "Network.heatFrame").userClick();
    EXPECT_FALSE(w.gui.textBox("Network.ambient").enabled());
    EXPECT_EQ(w.status().rfind("最不利用户：用户", 0), 0u) << w.status();
}

// The figure after `words` in a status line.
double after(const std::string& status, const std::string& words) {
    const std::size_t at = status.find(words);
    EXPECT_NE(at, std::string::npos) << status;
    return at == std::string::npos ? 0 : std::stod(status.substr(at + words.size()));
}

// The saturated main arrives at 160.36 ℃ having lost 291.4 kg/h of condensate; its
// superheated main arrives at 234.45 ℃ and condenses nothing. Each names its one user; the
// issue's figures are to their last digit, so the line's seven digits are held to half of it.
TEST(NetworkHeat, TheStatusNamesTheColdestUserAndTheCondensate) {
    const struct {
        const char* file;
        double coldest, condensate;
        double coldestTo, condensateTo;
    } kCases[] = {
        {"saturated-heat-loss.json", 160.36, 291.4, 0.005, 0.05},
        {"superheated-heat-loss.json", 234.45, 0, 0.005, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.file);
        HeatWindow w;
        w.openFile(fs::path(kHeatExamples) / c.file);
        EXPECT_NEAR(after(w.status(), "。最冷用户：用户，"), c.coldest, c.coldestTo);
        EXPECT_NEAR(after(w.status(), "。凝结水共 "), c.condensate, c.condensateTo);
        EXPECT_NE(w.status().find(" kg/h"), std::string::npos);
    }
    // A user that needs more than arrives is named as a short one is, in red.
    HeatWindow w;
    w.openFile(fs::path(kHeatExamples) / "superheated-heat-loss.json");
    w.edit(0, network::RequiredTemperature, "250");
    EXPECT_NE(w.status().find("。温度低于要求：节点 用户"), std::string::npos) << w.status();
    EXPECT_EQ(cells(w.rows("results")[0]).back(), "流速偏低，温度不足");
    EXPECT_TRUE(w.red);
}

// Typing while a solve runs neither waits nor queues a solve a keystroke: the running one's
// result, of inputs since changed, is dropped, and only the latest inputs are solved next; while
// one is on its way the tables keep their figures and the status says so.
TEST(NetworkHeat, AResultOfInputsChangedSinceIsDroppedAndTheLatestSolved) {
    Deferred deferred;
    HeatWindow w(deferred.executor());
    w.openFile(fs::path(kHeatExamples) / "saturated-heat-loss.json");
    ASSERT_EQ(deferred.queued.size(), 1u);
    EXPECT_EQ(w.status(), "正在计算…");
    EXPECT_FALSE(w.red);
    EXPECT_FALSE(w.gui.pushButton("Network.showInMain").enabled());
    w.type("sourcePressure", "0.9");
    w.type("sourcePressure", "0.7");
    EXPECT_EQ(deferred.queued.size(), 1u) << "one solve at a time";
    deferred.finish(0);
    EXPECT_TRUE(w.rows("nodes").empty()) << "the 0.8 MPa result is of inputs no longer shown";
    ASSERT_EQ(deferred.queued.size(), 2u) << "0.9 skipped, 0.7 solved";
    deferred.finish(1);
    ASSERT_EQ(w.rows("nodes").size(), 2u);
    EXPECT_EQ(cells(w.rows("nodes")[0])[1], " 0.7");
    EXPECT_TRUE(w.gui.pushButton("Network.showInMain").enabled());

    // The figures stay while the next is on its way; a fault in between drops it for good.
    w.type("sourcePressure", "0.75");
    ASSERT_EQ(deferred.queued.size(), 3u);
    EXPECT_EQ(cells(w.rows("nodes")[0])[1], " 0.7");
    EXPECT_EQ(w.status(), "正在计算…");
    w.type("sourcePressure", "x");
    deferred.finish(2);
    EXPECT_EQ(deferred.queued.size(), 3u);
    EXPECT_TRUE(w.red);
    EXPECT_EQ(w.status(), "请输入热源压力");
}

// The main window is handed the density at the segment's mean state, which with heat loss lies
// between the inlet's and the outlet's: the steam cools and its pressure falls along it.
TEST(NetworkHeat, HandsTheDensityAtTheMeanStateOver) {
    HeatWindow w;
    w.openFile(fs::path(kHeatExamples) / "superheated-heat-loss.json");
    const std::vector<std::string> row = cells(w.rows("results")[0]);
    w.table("results").userPick(0);
    w.press("showInMain");
    const double handed = std::stod(w.gui.textBox("Form1.Text3").text());
    const double in = std::stod(row[7]);
    const double out = std::stod(row[8]);
    EXPECT_GT(handed, std::min(in, out));
    EXPECT_LT(handed, std::max(in, out));
}

} // namespace
