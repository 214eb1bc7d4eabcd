#include "tests/ui/main_window.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;
using Answer = controls::Question::Answer;
using controls::memory::Op;
using network::Column;

fs::path copyIn(const MainWindow& w) {
    return w.data.path / "network-recovery.json";
}

// The operations heard, made before the main window starts.
struct Heard {
    std::vector<Op> ops;
};

// The main window started with every operation heard.
struct Working : Heard, MainWindow {
    explicit Working(const std::function<void(MainWindow&)>& before = {})
        : MainWindow([&](MainWindow& w) {
              w.gui.recorder().setListener([this](const Op& op) { ops.push_back(op); });
              if (before)
                  before(w);
          }) {}
    void open() { gui.menuCommand("Form1.mnuNetwork").userClick(); }
    void menu(const std::string& command) { gui.menuCommand("Network." + command).userClick(); }
    std::vector<Op> offers() const {
        std::vector<Op> found;
        for (const Op& op : ops)
            if (op.kind == "offer")
                found.push_back(op);
        return found;
    }
    fs::path copy() const { return copyIn(*this); }
};

TEST(NetworkRecovery, KeepsACopyOfTheTypedTextsAFewSecondsAfterTheLastChange) {
    Working w;
    w.open();
    // Opened and shown, nothing is unsaved: nothing to keep, however long the user waits.
    w.recoveryTimer.elapse(60'000);
    EXPECT_FALSE(fs::exists(w.copy()));

    w.gui.pushButton("Network.add").userClick();
    w.gui.grid("Network.segments").userEdit(0, Column::Length, "12o");
    w.recoveryTimer.elapse(2'000);
    w.gui.textBox("Network.title").userType("厂区");
    // The last change began the wait again: three seconds after it, not after the first.
    w.recoveryTimer.elapse(2'999);
    EXPECT_FALSE(fs::exists(w.copy()));
    w.recoveryTimer.elapse(1);
    ASSERT_TRUE(fs::exists(w.copy()));

    // What the user typed, the fault with it, and no file: read by a JSON library, not by ours.
    const nlohmann::json copy = nlohmann::json::parse(std::ifstream(w.copy()));
    EXPECT_TRUE(copy["file"].is_null());
    EXPECT_EQ(copy["time"], MainWindow::kNow);
    EXPECT_EQ(copy["texts"]["title"], "厂区");
    EXPECT_EQ(copy["texts"]["segments"][0][Column::Length], "12o");
    // Nothing a user sees: no window, message or question.
    EXPECT_TRUE(w.offers().empty());
}

TEST(NetworkRecovery, RemovesTheCopyWhenTheChangesAreSavedOrGivenUp) {
    const fs::path example = fs::path(STEAM_NETWORK_EXAMPLES) / "single-line.json";
    const struct {
        const char* name;
        std::function<void(Working&)> act;
    } cases[] = {
        {"saved",
         [](Working& w) {
             w.gui.fileDialogs("Network.files").answerNext((w.data.path / "厂区.json").string());
             w.menu("save");
         }},
        {"新建 after 不保存",
         [](Working& w) {
             w.gui.question("Network.question").answerNext(Answer::Discard);
             w.menu("newFile");
         }},
        {"打开 after 不保存",
         [&](Working& w) {
             w.gui.question("Network.question").answerNext(Answer::Discard);
             w.gui.fileDialogs("Network.files").answerNext(example.string());
             w.menu("openFile");
         }},
        {"the program ended after 不保存",
         [](Working& w) {
             w.gui.question("Form1.question").answerNext(Answer::Discard);
             w.gui.window("Form1").userClose();
         }},
        // As an undo back to the saved state does.
        {"typed back to the saved texts",
         [](Working& w) { w.gui.textBox("Network.title").userType(""); }},
    };
    for (const auto& c : cases) {
        Working w;
        w.open();
        w.gui.textBox("Network.title").userType("厂区");
        w.recoveryTimer.elapse(3'000);
        ASSERT_TRUE(fs::exists(w.copy())) << c.name;

        c.act(w);

        EXPECT_FALSE(fs::exists(w.copy())) << c.name;
        // Nor written again later by a wait begun before.
        w.recoveryTimer.elapse(60'000);
        EXPECT_FALSE(fs::exists(w.copy())) << c.name;
    }
}

TEST(NetworkRecovery, KeepsTheCopyWhileTheMainWindowKeepsTheNetworkUnsaved) {
    Working w;
    w.open();
    w.gui.textBox("Network.title").userType("厂区");
    // Closed within the wait: the main window keeps the network, and so the copy is still due.
    w.menu("closeFile");
    w.recoveryTimer.elapse(3'000);
    EXPECT_EQ(nlohmann::json::parse(std::ifstream(w.copy()))["texts"]["title"], "厂区");
}

// What a crash left: an unsaved network of one segment whose length is a slip, typed by hand.
void leaveCopy(const MainWindow& w, const std::string& file) {
    fs::create_directories(w.data.path);
    std::ofstream(copyIn(w)) << R"json({"format": "steam-network-recovery", "version": 1,
 "file": )json" << file << R"json(, "time": "2026-12-08 09:15:00",
 "texts": {"node": "热源", "pressure": "0.8", "unit": "MPa(表压)", "superheated": false,
  "temperature": "250", "roughness": "0.2", "series": "无缝钢管", "limit": "200", "title": "厂区",
  "segments": [["A", "热源", "a", "12o", "20", "自动", "5", "", "", "架空", ""]],
  "heat": {"on": false, "ambient": "10", "wind": "3", "material": "岩棉", "conductivity": "",
   "emissivity": "0.25", "surfaceCoefficient": "", "factor": "1.2", "operation": "常年运行"}}})json";
}

TEST(NetworkRecovery, OffersTheCopyAtStartNamingItsFileAndTime) {
    const struct {
        const char* file; // as the copy writes it
        std::string_view named;
    } cases[] = {{"\"/工程/厂区.json\"", "“/工程/厂区.json”"}, {"null", "“未命名”"}};
    for (const auto& c : cases) {
        Working w([&](MainWindow& m) {
            leaveCopy(m, c.file);
            m.gui.question("Form1.question").answerNext(Answer::Discard);
        });
        const std::vector<Op> offers = w.offers();
        ASSERT_EQ(offers.size(), 1u) << c.file;
        EXPECT_EQ(offers[0].text,
                  "程序上次没有正常结束。管网" + std::string(c.named) +
                      "在 2026-12-08 09:15:00 有未保存的修改，已留下恢复副本。恢复吗？");
        EXPECT_EQ(offers[0].title, "蒸汽管网水力计算");
        // Asked over the main window once it is shown.
        const auto shown = std::find_if(w.ops.begin(), w.ops.end(), [](const Op& op) {
            return op.kind == "show" && op.control == "Form1";
        });
        const auto offered = std::find_if(w.ops.begin(), w.ops.end(),
                                          [](const Op& op) { return op.kind == "offer"; });
        EXPECT_LT(shown, offered);
        // 放弃: gone, and nothing opened.
        EXPECT_FALSE(fs::exists(w.copy()));
        EXPECT_FALSE(w.form1.network());
        EXPECT_FALSE(w.form1.networkWindowLoaded());
    }
}

TEST(NetworkRecovery, RestoreOpensTheTypedNetworkUnsavedInItsFile) {
    Working w([](MainWindow& m) {
        leaveCopy(m, "\"/工程/厂区.json\"");
        m.gui.question("Form1.question").answerNext(Answer::Restore);
    });
    ASSERT_TRUE(w.form1.networkWindowLoaded());
    ASSERT_TRUE(w.form1.network());
    const ui::NetworkDocument& document = *w.form1.network();
    EXPECT_EQ(document.path, "/工程/厂区.json");
    EXPECT_EQ(w.gui.window("Network").title(), "蒸汽管网水力计算 - 厂区.json*");
    EXPECT_EQ(w.gui.textBox("Network.title").text(), "厂区");
    EXPECT_EQ(w.gui.textBox("Network.sourcePressure").text(), "0.8");
    auto& grid = w.gui.grid("Network.segments");
    ASSERT_EQ(grid.rows().size(), 1u);
    EXPECT_EQ(grid.cell(0, Column::Length), "12o");
    // Kept until the restored changes are saved or given up.
    EXPECT_TRUE(fs::exists(w.copy()));
}

TEST(NetworkRecovery, ACopyItCannotUseIsNotOfferedAndLeftAlone) {
    Working w([](MainWindow& m) {
        fs::create_directories(m.data.path);
        std::ofstream(copyIn(m)) << R"({"format": "steam-network-recovery", "version": 9})";
    });
    EXPECT_TRUE(w.offers().empty());
    EXPECT_TRUE(fs::exists(w.copy()));
    EXPECT_FALSE(w.form1.network());
}

} // namespace
