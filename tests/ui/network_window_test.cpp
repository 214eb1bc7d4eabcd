#include "files/save.h"
#include "network/file.h"
#include "tests/ui/main_window.h"
#include "ui/network_handlings.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using controls::Question;
using controls::memory::Op;
using network::Column;

// A folder of its own for each test's files, removed afterwards.
struct Scratch {
    Scratch() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("network-window-" + std::to_string(getpid()) + "-" + test->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Scratch() { fs::remove_all(dir); }
    // A file's name as the windows take it (UTF-8) and as the file system does: on Windows a
    // narrow path is read in the code page, not as UTF-8.
    std::string path(const std::string& name) const { return files::utf8Of(file(name)); }
    fs::path file(const std::string& name) const { return dir / files::pathOf(name); }
    fs::path dir;
};

// The network window, every operation heard from its opening on.
struct NetworkWindow : NetworkMainWindow {
    NetworkWindow() {
        gui.recorder().setListener([this](const Op& op) { ops.push_back(op); });
    }
    void open() { gui.menuCommand("Form1.mnuNetwork").userClick(); }
    void answer(Question::Answer answer, const std::string& window = "Network") {
        gui.question(window + ".question").answerNext(answer);
    }
    void choose(const std::string& path, const std::string& window = "Network") {
        gui.fileDialogs(window + ".files").answerNext(path);
    }
    // Whether the status line last said a fault, in red.
    bool statusRed() const {
        for (auto op = ops.rbegin(); op != ops.rend(); ++op)
            if (op->kind == "status")
                return op->on;
        return false;
    }
    std::vector<Op> opsOf(std::string_view kind) const {
        std::vector<Op> found;
        for (const Op& op : ops)
            if (op.kind == kind)
                found.push_back(op);
        return found;
    }
    const ui::NetworkDocument& document() const { return *form1.network(); }
    // Everything the window shows of its inputs.
    std::vector<std::string> inputs() {
        std::vector<std::string> shown;
        for (const char* box :
             {"sourceNode", "sourcePressure", "temperature", "roughness", "limit", "title"})
            shown.push_back(gui.textBox(std::string("Network.") + box).text());
        for (const char* list : {"unit", "series"})
            shown.push_back(gui.dropDownList(std::string("Network.") + list).text());
        shown.push_back(gui.optionButton("Network.superheated", "Network.sourceFrame").isChecked()
                            ? "过热"
                            : "饱和");
        for (const auto& row : grid().rows())
            for (const std::string& cell : row)
                shown.push_back(cell);
        return shown;
    }

    std::vector<Op> ops;
};

// Three segments typed as an engineer would: the first row's defaults overwritten, a catalogue
// pipe picked from the list, a pipe typed with ×, one left to the automatic choice.
void typeThreeSegments(NetworkWindow& w) {
    w.type("sourceNode", "热源");
    w.type("sourcePressure", "8");
    w.gui.dropDownList("Network.unit").userPick(2); // bar(表压)
    w.gui.optionButton("Network.superheated", "Network.sourceFrame").userClick();
    w.type("temperature", "280");
    w.type("roughness", "0.5");
    w.gui.dropDownList("Network.series").userPick(1); // 焊接钢管
    w.type("limit", "300");
    w.type("title", "厂区");
    w.press("add");
    w.edit(0, Column::Name, "A");
    w.edit(0, Column::To, "a");
    w.edit(0, Column::Length, "120.5");
    w.edit(0, Column::LocalLoss, "20");
    w.grid().userPick(0, Column::Pipe, 11);
    w.edit(0, Column::Load, "5");
    w.press("add");
    w.edit(1, Column::To, "b");
    w.edit(1, Column::Pipe, "D219×6");
    w.edit(1, Column::Load, "3.5");
    w.edit(1, Column::Required, "6.5");
    w.edit(1, Column::Thickness, "60");
    w.grid().userPick(1, Column::Laid, 1); // 室内
    w.edit(1, Column::RequiredTemperature, "170");
    w.press("add");
    w.edit(2, Column::Load, "2");
}

network::Network threeSegments() {
    return {
        .title = "厂区",
        .source = {.node = "热源",
                   .pressure = 8,
                   .unit = steam::kBarGauge,
                   .superheated = true,
                   .temperature = 280},
        .roughness = 0.5,
        .series = pipes::Series::Welded,
        .maxSpecificLoss = 300,
        // A segment from the source takes 100 mm laid overhead; one from a segment's end that
        // segment's thickness and laying, never its required temperature.
        .segments = {
            {"A", "热源", "a", 120.5, 20, "DN150", 5, std::nullopt, 100},
            {"2", "a", "b", 100, 30, "D219x6", 3.5, 6.5, 60, network::heat::Laying::Indoor, 170},
            {"3", "b", "3", 100, 30, "auto", 2, std::nullopt, 60, network::heat::Laying::Indoor},
        }};
}

network::Network modelOf(const NetworkWindow& w) {
    const network::TextReading reading = network::readTexts(w.document().texts);
    EXPECT_EQ(reading.fault, "");
    return reading.network.value_or(network::Network{});
}

// The menu opens the window over the hidden main window, whose state and captions stay as they
// were whatever is done in it, short of the hand-off.
TEST(NetworkWindow, OpensFromTheMenuAndLeavesTheMainWindowAsItWas) {
    MainWindow before;
    before.gui.textBox("Form1.Text1").userType("12");
    before.gui.textBox("Form1.Text3").userType("3.5");
    NetworkWindow w;
    w.gui.menuCommand("Network.closeFile").userClick();
    w.gui.textBox("Form1.Text1").userType("12");
    w.gui.textBox("Form1.Text3").userType("3.5");
    w.open();
    w.open();
    EXPECT_EQ(w.opsOf("load").size(), 1u) << "the open window is not loaded again";
    EXPECT_TRUE(w.gui.window("Network").visible());
    EXPECT_FALSE(w.gui.window("Form1").visible());
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 未命名");
    typeThreeSegments(w);
    w.gui.window("Network").userClose();
    EXPECT_TRUE(w.gui.window("Form1").visible());
    EXPECT_FALSE(w.form1.networkWindowLoaded());
    const calc::CalcState& s = w.form1.state();
    const calc::CalcState& t = before.form1.state();
    const auto bits = [](double value) {
        std::uint64_t out;
        std::memcpy(&out, &value, sizeof out);
        return out;
    };
    for (const auto& [mine, theirs] : {std::pair{s.flow, t.flow},
                                       {s.roughness, t.roughness},
                                       {s.density, t.density},
                                       {s.innerDiameter, t.innerDiameter},
                                       {s.weldedDiameter, t.weldedDiameter},
                                       {s.outerDiameter, t.outerDiameter},
                                       {s.customDiameter, t.customDiameter},
                                       {s.wallThickness, t.wallThickness},
                                       {s.velocity, t.velocity},
                                       {s.specificLoss, t.specificLoss},
                                       {s.flowUnitFactor, t.flowUnitFactor},
                                       {s.roughnessUnitFactor, t.roughnessUnitFactor},
                                       {s.flowArea, t.flowArea}})
        EXPECT_EQ(bits(mine), bits(theirs));
    for (const char* label : {"Label4", "Label5", "Label7", "Label10", "Label11", "Label13"})
        EXPECT_EQ(w.caption(label), before.caption(label)) << label;
}

// What the boxes and the grid say is the network: the model built from them against one
// written here by hand, and the defaults a new row takes from where it is added.
TEST(NetworkWindow, TheInputsBuildTheNetworkTypedIntoThem) {
    NetworkWindow w;
    // With no row, removing and moving do nothing; the last row removed leaves none.
    for (const char* button : {"remove", "moveUp", "add", "remove"})
        w.press(button);
    EXPECT_EQ(w.status(), "管网中还没有管段：点击“添加”输入第一段");
    EXPECT_FALSE(w.gui.pushButton("Network.showInMain").enabled());
    typeThreeSegments(w);
    EXPECT_EQ(modelOf(w), threeSegments()); // DN150 the 11th pipe of the list, after 自动
    // Words no list holds, which no window gives, are refused all the same, the unit first.
    network::NetworkTexts odd = w.document().texts;
    odd.series = "铜管";
    EXPECT_EQ(network::readTexts(odd).fault, "请选择管材");
    odd.unit = "psi";
    EXPECT_EQ(network::readTexts(odd).fault, "请选择压力的单位");
    // The heat's lists too, each alone; a row's laying is read whether heat loss is on or not.
    const auto heatOdd = [&](auto change) {
        network::NetworkTexts texts = w.document().texts;
        texts.heat.on = true;
        change(texts);
        return network::readTexts(texts).fault;
    };
    EXPECT_EQ(heatOdd([](auto& t) { t.heat.material = "棉花"; }), "请选择保温材料");
    EXPECT_EQ(heatOdd([](auto& t) { t.heat.operation = "偶尔"; }), "请选择运行方式");
    EXPECT_EQ(heatOdd([](auto& t) { t.segments[1][Column::Laid] = "地下"; }),
              "第 2 段“2”：请选择敷设方式：架空或室内");

    // Added after the current row: the next free number, from that row's end.
    w.select(0);
    w.press("add");
    EXPECT_EQ(w.grid().rows()[1], (std::vector<std::string>{"4", "a", "4", "100", "30", "自动", "0",
                                                            "", "100", "架空", ""}));
    EXPECT_EQ(w.grid().currentRow(), 1);
    w.press("remove");
    EXPECT_EQ(modelOf(w), threeSegments()) << "the added row removed again";

    w.select(2);
    w.press("moveUp");
    EXPECT_EQ(w.grid().cell(1, Column::Name), "3");
    EXPECT_EQ(w.grid().currentRow(), 1);
    w.press("moveUp");
    w.press("moveUp"); // at the top already
    w.press("moveDown");
    w.press("moveDown");
    w.press("moveDown"); // at the bottom already
    EXPECT_EQ(modelOf(w), threeSegments()) << "moved up twice and down twice";
    w.edit(0, Column::LocalLoss, "20 %");
    EXPECT_EQ(modelOf(w), threeSegments()) << "a percentage may say so";

    // Saturated steam has no temperature, whatever its disabled box still says.
    w.gui.optionButton("Network.saturated", "Network.sourceFrame").userClick();
    network::Network saturated = threeSegments();
    saturated.source.superheated = false;
    saturated.source.temperature = 0;
    EXPECT_EQ(modelOf(w), saturated);
}

// A fault is said in red in the status line, never in a box, and nothing may be handed to the
// main window; a box that holds no number, or one whose figure the network cannot use, both,
// the earlier field first.
TEST(NetworkWindow, AFaultShowsInRedAndStopsTheHandOff) {
    const struct {
        const char* name;
        int row; // -1 for a box
        Column column;
        const char* box;
        const char* text;
        const char* status;
    } cases[] = {
        {"empty pressure", -1, Column::Name, "sourcePressure", "", "请输入热源压力"},
        {"decimal comma", -1, Column::Name, "roughness", "0,5",
         "粗糙度只读入了“0”，其后的“,5”不是数的一部分（小数点请用“.”）"},
        {"an empty limit is none, a zero one is refused", -1, Column::Name, "limit", "0",
         "比摩阻上限须是大于 0 的有限数"},
        {"length without a number", 1, Column::Length, nullptr, "abc", "第 2 段“2”：请输入长度"},
        {"a box after a check's fault in an earlier row", 2, Column::Load, nullptr, "x",
         "第 2 段“2”：长度不得为负"},
        {"a box before a check's fault in a later row", 0, Column::Load, nullptr, "x",
         "第 1 段“A”：请输入负荷"},
        {"pipe left empty", 0, Column::Pipe, nullptr, "", "第 1 段“A”：请选择管子，或选“自动”"},
        {"an empty required pressure is none, a word is refused", 1, Column::Required, nullptr,
         "约 6", "第 2 段“2”：请输入要求压力"},
        {"unnamed segment", 0, Column::Name, nullptr, "", "第 1 段：管段的名称为空"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NetworkWindow w;
        typeThreeSegments(w);
        ASSERT_TRUE(w.gui.pushButton("Network.showInMain").enabled());
        if (c.column == Column::Load)
            w.edit(1, Column::Length, "-1"); // refused by the network's checks
        if (c.box)
            w.type(c.box, c.text);
        else
            w.edit(c.row, c.column, c.text);
        EXPECT_EQ(w.status(), c.status);
        EXPECT_TRUE(w.statusRed());
        EXPECT_FALSE(w.gui.pushButton("Network.showInMain").enabled());
        EXPECT_TRUE(w.opsOf("message").empty());
    }
}

// Unsaved changes are asked about before New, Open and the program's end lose them: Save saves
// first (and a cancelled save stops the command), Discard goes on, Cancel stays. That closing the
// window asks nothing, and the end's Discard, are network-hand-off's to replay.
TEST(NetworkWindow, AsksBeforeUnsavedChangesAreLost) {
    using A = Question::Answer;
    Scratch scratch;
    {
        NetworkWindow w;
        typeThreeSegments(w);
        EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 未命名*");
        w.answer(A::Cancel);
        w.menu("newFile");
        ASSERT_EQ(w.opsOf("question").size(), 1u);
        EXPECT_EQ(w.opsOf("question")[0].text, "管网“未命名”有未保存的修改。保存吗？");
        EXPECT_EQ(modelOf(w), threeSegments());
        w.answer(A::Save);
        w.choose(""); // the save dialog cancelled: nothing saved, nothing lost
        w.menu("newFile");
        EXPECT_EQ(modelOf(w), threeSegments());
        w.answer(A::Discard);
        w.menu("newFile");
        EXPECT_TRUE(w.grid().rows().empty());
        EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 未命名");
        w.menu("newFile");
        EXPECT_EQ(w.opsOf("question").size(), 3u) << "nothing unsaved, nothing asked";
    }
    {
        NetworkWindow w;
        typeThreeSegments(w);
        const std::string path = scratch.path("厂区.json");
        w.answer(A::Save);
        w.choose(scratch.path("厂区")); // the filter's extension added
        w.menu("newFile");
        EXPECT_TRUE(w.grid().rows().empty());
        const network::Reading saved = network::loadNetwork(files::pathOf(path));
        ASSERT_TRUE(saved.network) << saved.fault;
        EXPECT_EQ(*saved.network, threeSegments());

        // Open, likewise: Cancel keeps the edit, Discard opens the file.
        w.type("title", "改过");
        w.answer(A::Cancel);
        w.menu("openFile");
        EXPECT_EQ(w.gui.textBox("Network.title").text(), "改过");
        EXPECT_TRUE(w.opsOf("openpath").empty()) << "no dialog after Cancel";
        w.answer(A::Discard);
        w.choose(path);
        w.menu("openFile");
        EXPECT_EQ(modelOf(w), threeSegments());
        EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 厂区.json");
    }
    {
        NetworkWindow w;
        typeThreeSegments(w);
        w.press("back");
        w.answer(A::Cancel, "Form1");
        w.gui.pushButton("Form1.Command3").userClick();
        EXPECT_FALSE(w.gui.program().ended());
        w.answer(A::Save, "Form1");
        w.choose(scratch.path("end.json"), "Form1");
        w.gui.window("Form1").userClose();
        EXPECT_TRUE(w.gui.program().ended());
        const network::Reading saved = network::loadNetwork(scratch.file("end.json"));
        ASSERT_TRUE(saved.network) << saved.fault;
        EXPECT_EQ(*saved.network, threeSegments());
    }
}

// Saved, then opened into a new window: the same inputs, the file's name in the title and no
// mark. A file the program cannot use, and inputs at fault to save, each say so once and change
// nothing on screen (a folder that is not there is network-files' to replay).
TEST(NetworkWindow, SavesAndOpensTheNetworkAndRefusesWhatItCannotUse) {
    Scratch scratch;
    NetworkWindow w;
    typeThreeSegments(w);
    const std::vector<std::string> typed = w.inputs();
    w.choose(scratch.path("厂区.json"));
    w.menu("save");
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 厂区.json");
    w.menu("newFile");
    EXPECT_NE(w.inputs(), typed);
    w.choose(scratch.path("厂区.json"));
    w.menu("openFile");
    EXPECT_EQ(w.inputs(), typed);
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 厂区.json");

    w.type("title", "改过的标题");
    const std::vector<std::string> edited = w.inputs();
    const std::string title = w.title();
    EXPECT_EQ(title, "蒸汽管网水力计算 - 厂区.json*");
    // A file the reader refuses (its messages are the file's test's): one message, no change.
    network::Network negative = threeSegments();
    negative.segments[1].length = -5;
    std::ofstream(scratch.file("negative.json"), std::ios::binary)
        << network::networkJson(negative);
    w.answer(Question::Answer::Discard);
    w.choose(scratch.path("negative.json"));
    w.menu("openFile");
    ASSERT_EQ(w.opsOf("message").size(), 1u);
    EXPECT_NE(w.opsOf("message")[0].text.find("negative.json"), std::string::npos);
    EXPECT_EQ(w.inputs(), edited);
    EXPECT_EQ(w.title(), title);

    // Inputs at fault are not saved: a file the program would refuse to open.
    w.edit(0, Column::Length, "");
    w.menu("save");
    ASSERT_EQ(w.opsOf("message").size(), 2u);
    EXPECT_EQ(w.opsOf("message").back().text, "无法保存“厂区.json”：第 1 段“A”：请输入长度");
    EXPECT_EQ(network::loadNetwork(scratch.file("厂区.json")).network, threeSegments());
    w.edit(0, Column::Length, "120.5");
    w.menu("save"); // no dialog asked: the file's own path
    EXPECT_EQ(network::loadNetwork(scratch.file("厂区.json")).network.value().title, "改过的标题");
}

// Segments of no length lose nothing: every node is at the source's 1 MPa(表压), and the steam
// everywhere is dry saturated vapour at 1.101325 MPa, 5.642335 kg/m3 (the property window's
// figure, from an independent implementation of IF97).
void typeLosslessSegments(NetworkWindow& w, const std::vector<network::SegmentTexts>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        w.press("add");
        // The heat's cells keep what the row was added with.
        for (int column = 0; column <= Column::Required; ++column)
            w.edit(static_cast<int>(i), static_cast<Column>(column),
                   rows[i][static_cast<std::size_t>(column)]);
    }
}

std::vector<std::string> looksOf(const NetworkWindow& w, const std::string& table) {
    std::vector<std::string> looks;
    for (const Op& op : w.ops) {
        if (op.control != table)
            continue;
        if (op.kind == "clear")
            looks.clear();
        if (op.kind == "additem")
            looks.emplace_back();
        if (op.kind == "look")
            looks.at(static_cast<std::size_t>(op.index)) = op.text;
    }
    return looks;
}

// 10 t/h of that steam runs at 2.7778 / 5.642335 / (π/4 · d²): 241 m/s in D57×3 (51 mm, above
// 15–30), 27.9 m/s in D159×4.5 (150 mm, inside 25–35), and 1 t/h 0.2 m/s in D1020×14 (992 mm,
// below 30–40). R = 0.00688 · 0.0002^0.25 · 10² / (d^5.25 · 5.642335) is some 88 kPa/m in D57×3
// and 307 Pa/m in D159×4.5, over and under a limit of 400 Pa/m.
TEST(NetworkWindow, ColoursTheSegmentsAsTheSizingWindowDoesAndNamesTheWorstUser) {
    NetworkWindow w;
    w.type("limit", "400");
    typeLosslessSegments(w, {{"1", "S", "a", "0", "30", "D57×3", "10", "0.9"},
                             {"2", "S", "b", "0", "30", "D159×4.5", "10", "0.95"},
                             {"3", "S", "4", "0", "30", "D1020×14", "1", ""}});
    const std::vector<std::string>& rows = w.gui.tableList("Network.results").items();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(cells(rows[0]).back(), "流速偏高，比摩阻超限");
    EXPECT_EQ(cells(rows[1]).back(), "适宜");
    EXPECT_EQ(cells(rows[2]).back(), "流速偏低");
    EXPECT_EQ(looksOf(w, "Network.results"), (std::vector<std::string>{"above", "", "below"}));
    // The least margin: b's 1 − 0.95 against a's 0.1; the source first, then each end node.
    EXPECT_EQ(w.status(), "最不利用户：b，压力 1 MPa(表压)，要求 0.95，余量 0.05。"
                          "比摩阻超限：管段 1。流速偏高：管段 1。流速偏低：管段 3");
    EXPECT_TRUE(w.statusRed());
    const std::vector<std::string>& nodes = w.gui.tableList("Network.nodes").items();
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[2].substr(0, nodes[2].find("\t 0.05\t") + 6), "b\t 1\t 0.95\t 0.05");
    EXPECT_EQ(looksOf(w, "Network.nodes"), (std::vector<std::string>{"", "", "recommended", ""}));

    // A requirement above the source: that user is short, in red.
    w.edit(0, Column::Required, "1.2");
    EXPECT_NE(w.status().find("。压力低于要求：节点 a"), std::string::npos) << w.status();
    EXPECT_EQ(looksOf(w, "Network.nodes")[1], "above");

    // 10 t/h through 5 km of D57×3 needs far more than the source has: the segment and the one
    // it feeds are not computed, and nothing of them can be handed over.
    w.edit(0, Column::Length, "5000");
    w.press("add");
    ASSERT_EQ(w.grid().cell(1, Column::From), "a");
    EXPECT_EQ(w.grid().cell(1, Column::Name), "5") << "4 names a node already";
    EXPECT_EQ(cells(rows[0]).back().find("压力耗尽"), 0u) << rows[0];
    EXPECT_EQ(cells(rows[0])[6], "") << "no outlet pressure";
    EXPECT_EQ(cells(rows[1]).back(), "上游压力耗尽");
    EXPECT_NE(w.status().find("压力耗尽"), std::string::npos) << w.status();
    w.gui.tableList("Network.results").userPick(0);
    w.press("showInMain");
    EXPECT_TRUE(w.gui.window("Network").visible());
    EXPECT_EQ(w.status(), "管段“1”的压力已耗尽，没有可送到主窗口的密度");
}

// Handed over: the segment's flow through it (both loads beyond it), its bore as a custom bore,
// the network's roughness and the density at its mean pressure, each in the unit the main
// window is then set to. Its figures, worked in 32-bit floats apart from the program:
// 10 / 3.6 / (3.14159/4 · 0.207²) / 5.642335 = 14.62879 m/s and
// 0.00688 · 0.0002^0.25 · 10² / (0.207^5.25 · 5.642335) = 56.56434 Pa/m.
TEST(NetworkWindow, HandsTheSelectedSegmentToTheMainWindow) {
    NetworkWindow w;
    w.gui.dropDownList("Form1.Combo1").userPick(1); // kg/h: the hand-off sets t/h
    typeLosslessSegments(w, {{"1", "S", "a", "0", "30", "D219×6", "6", ""},
                             {"2", "a", "b", "0", "30", "自动", "4", ""}});
    w.press("showInMain");
    EXPECT_EQ(w.status(), "请先在管段的计算结果中选定一个管段");
    EXPECT_TRUE(w.gui.window("Network").visible());
    w.gui.tableList("Network.results").userPick(0);
    // The selection outlives the tables filled anew at a change (one in the segment's own row:
    // a click into another row selects that row's segment).
    w.edit(0, Column::Required, "0.5");
    ASSERT_EQ(w.gui.tableList("Network.results").selectedIndex(), 0);
    w.press("showInMain");
    EXPECT_FALSE(w.form1.networkWindowLoaded());
    EXPECT_TRUE(w.gui.window("Form1").visible());
    EXPECT_EQ(w.gui.dropDownList("Form1.Combo1").text(), "t/h");
    EXPECT_EQ(w.gui.textBox("Form1.Text1").text(), " 10");
    EXPECT_TRUE(w.gui.optionButton("Form1.Option3", "Form1.Frame3").isChecked());
    EXPECT_EQ(w.caption("Label11"), " 207 mm");
    EXPECT_EQ(w.caption("Label10"), " 0.2 mm");
    EXPECT_EQ(w.caption("Label13"), " 5.642335 kg/m3");
    EXPECT_EQ(w.caption("Label4"), " 14.62879 m/s");
    EXPECT_EQ(w.caption("Label5"), " 56.56434 Pa/m");
    // The steam is known to the sizing window as saturated, as after the property window.
    w.gui.menuCommand("Form1.mnuSizing").userClick();
    EXPECT_EQ(w.gui.dropDownList("Sizing.steam").text(), "饱和蒸汽");
}

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The name's extension says the format, the first filter's where it names none: a workbook is
// a zip archive ("PK"), the CSV UTF-8 after its byte-order mark. A name taken by a folder, or a
// folder that is not there, is one message naming the file, and nothing else changes.
TEST(NetworkWindow, ExportsTheSheetOrSaysOnceWhyNot) {
    Scratch scratch;
    NetworkWindow w;
    typeThreeSegments(w);
    for (const auto& [typed, written, start] :
         {std::tuple<const char*, const char*, std::string_view>{"厂区", "厂区.xlsx", "PK"},
          {"厂区.CSV", "厂区.CSV", "\xEF\xBB\xBF"},
          {"表.txt", "表.txt.xlsx", "PK"}}) {
        w.choose(scratch.path(typed));
        w.menu("exportSheet");
        EXPECT_TRUE(bytesOf(scratch.file(written)).starts_with(start)) << written;
    }
    EXPECT_EQ(w.opsOf("savepath")[0].filter, "Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)");
    EXPECT_EQ(w.opsOf("savepath")[0].suggested, "厂区.xlsx") << "named after the title";
    EXPECT_NE(bytesOf(scratch.file("厂区.CSV")).find("D219×6"), std::string::npos);

    fs::create_directory(scratch.file("占用.xlsx"));
    const std::vector<std::string> typed = w.inputs();
    const std::string status = w.status();
    const std::size_t ops = w.ops.size();
    for (const char* path : {"占用.xlsx", "无此文件夹/厂区.csv"}) {
        w.choose(scratch.path(path));
        w.menu("exportSheet");
    }
    const std::vector<Op> messages = w.opsOf("message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].text.find("占用.xlsx"), std::string::npos) << messages[0].text;
    EXPECT_NE(messages[1].text.find("厂区.csv"), std::string::npos) << messages[1].text;
    EXPECT_EQ(w.ops.size(), ops + 4) << "two dialogs and two messages, nothing else";
    EXPECT_TRUE(fs::is_empty(scratch.file("占用.xlsx")));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.dir), {}), 4);
    EXPECT_EQ(w.inputs(), typed);
    EXPECT_EQ(w.status(), status);
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 未命名*") << "an export is no save";

    w.choose(scratch.path("北区.json"));
    w.menu("save");
    w.choose(""); // cancelled
    w.menu("exportSheet");
    EXPECT_EQ(w.opsOf("savepath").back().suggested, scratch.path("北区.xlsx"))
        << "named after the file saved, in its folder";
}

// No network computed, no sheet; no printer, no print: each said in red in place, the reason
// kept, no dialog. The sheet handed over is dated by the controls.
TEST(NetworkWindow, PrintsAndDrawsTheSheetOrSaysInPlaceWhyNot) {
    NetworkWindow w;
    for (const char* command : {"exportSheet", "exportPdf", "print"}) {
        w.menu(command);
        EXPECT_EQ(w.status(), "没有可输出的计算结果。管网中还没有管段：点击“添加”输入第一段");
        EXPECT_TRUE(w.statusRed());
    }
    typeThreeSegments(w);
    w.menu("print");
    EXPECT_NE(w.status().find("没有可用的打印机"), std::string::npos) << w.status();
    EXPECT_TRUE(w.opsOf("savepath").empty());
    auto& output = w.gui.sheetOutput("Network.sheet");
    output.setPrinter(true);
    w.menu("print");
    ASSERT_EQ(w.opsOf("print").size(), 1u);
    EXPECT_EQ(output.last()->date, "2000-01-01");
    EXPECT_EQ(output.last()->tables.at(0).rows.size(), 3u) << "a row a segment";
    w.choose("/工程/厂区");
    w.menu("exportPdf");
    EXPECT_EQ(w.opsOf("pdf").at(0).text, "/工程/厂区.pdf");
    EXPECT_TRUE(w.opsOf("message").empty());
}

// Each network saved or opened goes first, once however its path is spelt, the ninth oldest
// falling off; the list outlives the window. A recent file opens after the question; one that
// has gone is dropped with one message and no question, since nothing would be opened.
TEST(NetworkWindow, OffersTheLastEightFilesAgain) {
    Scratch scratch;
    NetworkWindow w;
    typeThreeSegments(w);
    for (int i = 1; i <= 9; ++i) {
        w.choose(scratch.path(std::to_string(i) + ".json"));
        w.menu("saveAs");
    }
    w.choose(scratch.path("../" + scratch.dir.filename().string() + "/4.json"));
    w.menu("openFile");
    w.menu("closeFile");
    w.open();
    auto& recent = w.gui.recentFiles("Network.recentFiles");
    std::vector<std::string> expected{scratch.path("4.json")};
    for (int i : {9, 8, 7, 6, 5, 3, 2})
        expected.push_back(scratch.path(std::to_string(i) + ".json"));
    EXPECT_EQ(recent.paths(), expected);

    w.type("title", "改过");
    w.answer(Question::Answer::Discard);
    recent.userPick(1);
    EXPECT_EQ(w.opsOf("question").size(), 1u);
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 9.json");
    fs::remove(scratch.path("8.json"));
    w.type("title", "又改过");
    recent.userPick(2);
    EXPECT_EQ(w.opsOf("question").size(), 1u);
    ASSERT_EQ(w.opsOf("message").size(), 1u);
    EXPECT_NE(w.opsOf("message")[0].text.find(scratch.path("8.json")), std::string::npos);
    EXPECT_EQ(recent.paths().size(), 7u);
    EXPECT_EQ(w.gui.textBox("Network.title").text(), "又改过");
}

// One segment of 10 t/h from 1 MPa(g) of saturated steam over 100 m with 30 % local losses,
// its pipe typed in; the first result row's cells.
std::vector<std::string> pipeTyped(NetworkWindow& w, const std::string& pipe) {
    w.press("add");
    w.edit(0, Column::Load, "10");
    if (!pipe.empty())
        w.edit(0, Column::Pipe, pipe);
    const std::vector<std::string>& rows = w.gui.tableList("Network.results").items();
    return rows.empty() ? std::vector<std::string>{} : cells(rows[0]);
}

// What the window adds to the catalogue's reading (tests/pipes): the cell in the series'
// spelling, filed so, a size of no series noted in its cell, verdict and status line, a refusal
// said in place. D219's 14.6 m/s at 10 t/h is far below its band of 30–40.
TEST(NetworkWindow, ShowsAndFilesATypedPipeAsTheSeriesSpellsItAndNotesAnotherSize) {
    const struct {
        const char* typed;
        const char* shown;
        const char* filed; // empty for a refusal
        const char* note;
        const char* said; // the verdict, the status line's fault, or nothing to check
    } rows[] = {
        {"D 219 × 6", "D219×6", "D219x6", "", "流速偏低"},
        {"Φ168.3×4.5", "DN150", "DN150", "", ""},
        {"d220x6", "D220×6", "D220x6", "非标准规格", "流速偏低，非标准规格"},
        {"D219×", "D219×", "", "",
         "第 1 段“1”：管子 “D219x” 不在管子目录中，也不是“D外径x壁厚”（mm）的写法"},
    };
    for (const auto& row : rows) {
        NetworkWindow w;
        const std::vector<std::string> result = pipeTyped(w, row.typed);
        EXPECT_EQ(w.grid().cell(0, Column::Pipe), row.shown) << row.typed;
        EXPECT_EQ(w.grid().cellNote(0, Column::Pipe), row.note) << row.typed;
        if (!*row.filed) {
            EXPECT_EQ(w.status(), row.said);
            continue;
        }
        EXPECT_EQ(modelOf(w).segments.at(0).pipe, row.filed) << row.typed;
        EXPECT_EQ(result.at(1), row.shown) << row.typed;
        if (*row.said) {
            EXPECT_EQ(result.back(), row.said) << row.typed;
        }
        if (*row.note) {
            EXPECT_NE(w.status().find("。非标准规格：管段 1"), std::string::npos) << w.status();
        }
    }
}

// The list opens at the cell's pipe, or the nearest bore (tests/pipes proves which), in the
// series chosen: its place in the window's list counts 自动 first.
TEST(NetworkWindow, ThePipeListOpensAtTheCurrentPipe) {
    const struct {
        int series; // 0 seamless, 1 welded
        const char* typed;
        int at;
    } rows[] = {
        {0, "自动", 0}, {0, "D219×8", 23}, {0, "D220x6", 23}, {1, "D220x6", 12}, {0, "abc", -1}};
    for (const auto& row : rows) {
        NetworkWindow w;
        w.gui.dropDownList("Network.series").userPick(row.series);
        pipeTyped(w, row.typed);
        EXPECT_EQ(w.grid().listOpensAt(0, Column::Pipe), row.at) << row.typed;
    }
}

// A new network sizes within 200 Pa/m: the handbook table's 0.20 kgf/cm² per 100 m for
// saturated steam (196.1 Pa/m) as an engineer writes it. 10 t/h at 1 MPa(g), 5.64 kg/m³, by the
// friction formula 0.00688 · 0.0002^0.25 · 10² ÷ (d^5.25 · 5.64) and 10 ÷ 3.6 ÷ 5.64 ÷ (π/4 · d²):
// D140×4.5 runs at 36.5 m/s, above 25–35; D159×5 at 28.2 m/s and some 318 Pa/m, D168×5 some
// 234, D219×8 some 63 (and 15 m/s, only a notice). Emptied, the box is no limit, and D159×5's
// 318 (some 324 as the pressure falls along 100 m) is under the bound of 343.2 Pa/m.
TEST(NetworkWindow, ANewNetworkHasALimitOnR) {
    NetworkWindow w;
    EXPECT_EQ(w.gui.textBox("Network.limit").text(), "200");
    EXPECT_EQ(pipeTyped(w, "").at(1), "D219×8（自动）");
    w.type("limit", "");
    EXPECT_EQ(modelOf(w).maxSpecificLoss, std::nullopt);
    EXPECT_EQ(cells(w.gui.tableList("Network.results").items().at(0)).at(1), "D159×5（自动）");
}

} // namespace
