#include "pipes/pipe_handlings.h"
#include "pipes/seamless.h"
#include "pipes/welded.h"
#include "steam/hand_off.h"
#include "steam/steam_table.h"
#include "tests/calc/main_window_fixture.h"

#include <algorithm>
#include <functional>

namespace {

// One sitting at the calculator: every pipe source in turn, then a density from the steam
// table. The expected captions were worked out from the formulas with float-rounded inputs,
// apart from this program.
class Session : public MainWindowFixture {
protected:
    Session() {
        int index = 0;
        for (const pipes::WeldedPipe& pipe : pipes::kWeldedPipes)
            combo3.addItem(pipe.label, index++);
        index = 0;
        for (const pipes::SeamlessPipe& pipe : pipes::kSeamlessPipes)
            combo4.addItem(pipe.entry, index++);
        for (std::size_t i = 0; i < steam::steamTable.size(); ++i)
            steamList.addItem(steam::rowText(i), static_cast<int>(i));
        combo3.onClick([this] { pipeHandlings.Combo3_Click(); });
        combo4.onClick([this] { pipeHandlings.Combo4_Click(); });
        combo5.onClick([this] { pipeHandlings.Combo5_Click(); });
        text4.onChange([this] { pipeHandlings.Text4_Change(); });
        steamList.onClick([this] { handOff.STREAM_D_SET(); });
        gui.clearRecord();
    }

    static int indexOf(const std::vector<std::string>& items, const std::string& text) {
        return static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin());
    }

    Lines results() const {
        return {label4.caption(), label5.caption(),  label13.caption(),
                label7.caption(), label10.caption(), label11.caption()};
    }

    controls::memory::MemoryDropDownList& combo3 = gui.dropDownList("Form1.Combo3");
    controls::memory::MemoryDropDownList& combo4 = gui.dropDownList("Form1.Combo4");
    controls::memory::MemoryDropDownList& combo5 = gui.dropDownList("Form1.Combo5");
    controls::memory::MemorySimpleCombo& steamList = gui.simpleCombo("Form2.Combo1");
    controls::memory::MemoryLabel& label9 = gui.label("Form2.Label9");
    pipes::PipeHandlings pipeHandlings{state, {combo3, combo4, combo5, text4}, recalculation};
    steam::DensityHandOff handOff{steamList, label9, text3};
};

TEST_F(Session, EveryPipeSourceThenASteamTableDensity) {
    const struct {
        const char* step;
        std::function<void()> act;
        Lines shown; // Label4, Label5, Label13, Label7, Label10, Label11
    } steps[] = {
        {"10 t/h through the DN15 of start-up",
         [&] { text1.userType("10"); },
         {" 15719.02 m/s", " 3.078697E+08 Pa/m", " 1 kg/m3", " 10 t/h", " 0.2 mm", " 15 mm"}},
        {"welded DN150",
         [&] { combo3.userPick(indexOf(combo3.items(), "DN150")); },
         {" 157.1902 m/s", " 1731.278 Pa/m", " 1 kg/m3", " 10 t/h", " 0.2 mm", " 150 mm"}},
        {"seamless, still D18 with 3 from start-up",
         [&] { pipeHandlings.Option2_Click(); },
         {" 24560.97 m/s", " 9.934467E+08 Pa/m", " 1 kg/m3", " 10 t/h", " 0.2 mm", " 12 mm"}},
        {"D219 with its default wall 8",
         [&] { combo4.userPick(indexOf(combo4.items(), "D219")); },
         {" 85.82542 m/s", " 353.5833 Pa/m", " 1 kg/m3", " 10 t/h", " 0.2 mm", " 203 mm"}},
        {"D219 with wall 10",
         [&] { combo5.userPick(indexOf(combo5.items(), "10")); },
         {" 89.31036 m/s", " 392.525 Pa/m", " 1 kg/m3", " 10 t/h", " 0.2 mm", " 199 mm"}},
        {"custom, the box still holding 10",
         [&] { pipeHandlings.Option3_Click(); },
         {" 35367.8 m/s", " 2.587295E+09 Pa/m", " 1 kg/m3", " 10 t/h", " 0.2 mm", " 10 mm"}},
        {"custom 80 mm",
         [&] { text4.userType("80"); },
         {" 552.6218 m/s", " 46948.7 Pa/m", " 1 kg/m3", " 10 t/h", " 0.2 mm", " 80 mm"}},
        {"160 C steam handed over",
         [&] { steamList.userPick(16); },
         {" 169.5159 m/s", " 14401.44 Pa/m", " 3.26 kg/m3", " 10 t/h", " 0.2 mm", " 80 mm"}},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(results(), step.shown) << step.step;
    }
    EXPECT_EQ(label9.caption(), "蒸汽密度：  3.26 kg/m3");
    EXPECT_EQ(text3.text(), " 3.26");
    EXPECT_EQ(state.density, 3.26f);
    EXPECT_EQ(state.innerDiameter, 0.08f);
    EXPECT_EQ(state.velocity, 169.5159f);
    EXPECT_EQ(state.specificLoss, 14401.4414f);
}

} // namespace
