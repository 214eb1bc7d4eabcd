// The toolkit-free costs: a recalculation, a keystroke's handling and the prefix rule, each
// against the least work that gives the same result.
#include "bench/ratios.h"
#include "calc/numbers.h"
#include "calc/recal.h"
#include "calc/state.h"
#include "ui/memory_windows.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>

namespace {

using controls::memory::Gui;

// 10 t/h through DN200 at 5 kg/m3, roughness 0.2 mm: every caption is an ordinary number.
calc::CalcState typicalState() {
    calc::CalcState state;
    state.flow = 10;
    state.roughness = 0.0002f;
    state.density = 5;
    calc::setInnerDiameter(state, 0.2f);
    return state;
}

void BM_Recal(benchmark::State& run) {
    Gui gui;
    calc::CalcState state = typicalState();
    calc::Recalculation recalculation(state,
                                      {gui.label("Form1.Label4"), gui.label("Form1.Label5"),
                                       gui.label("Form1.Label13"), gui.label("Form1.Label7"),
                                       gui.label("Form1.Label10"), gui.label("Form1.Label11")},
                                      gui.textBox("Form1.Text4"), gui.messageBox());
    for (auto _ : run) {
        recalculation.recal();
        // The record would otherwise grow with every iteration.
        gui.clearRecord();
    }
    if (gui.label("Form1.Label4").caption() != " 17.6839 m/s")
        run.SkipWithError("recal wrote another velocity");
}

// The arithmetic recal cannot avoid and the six texts it must write.
void BM_RecalFloor(benchmark::State& run) {
    const calc::CalcState state = typicalState();
    double roughness = state.roughness;
    double bore = state.innerDiameter;
    float shown[] = {17.683897f,
                     76.466011f,
                     state.density,
                     state.flow,
                     state.roughness * 1000.0f,
                     state.innerDiameter * 1000.0f};
    for (auto _ : run) {
        benchmark::DoNotOptimize(roughness);
        benchmark::DoNotOptimize(bore);
        double a = std::pow(roughness, 0.25);
        double b = std::pow(bore, 5.25);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        for (float& value : shown) {
            benchmark::DoNotOptimize(value);
            std::string text = calc::numberText(value);
            benchmark::DoNotOptimize(text.data());
        }
    }
}

// The flow box alternates between 15 and 1, so that every keystroke changes the text.
void BM_Text1Change(benchmark::State& run) {
    Gui gui;
    ui::MemoryForm2Loader loader(gui);
    ui::Form1 form1(ui::memoryForm1Controls(gui), loader);
    form1.start();
    auto& flowBox = gui.textBox("Form1.Text1");
    bool longer = true;
    for (auto _ : run) {
        flowBox.userType(longer ? "15" : "1");
        longer = !longer;
        gui.clearRecord();
    }
    if (gui.label("Form1.Label7").caption() != (longer ? " 1 t/h" : " 15 t/h"))
        run.SkipWithError("the keystroke did not reach the flow caption");
}

// A number of `length` bytes: "1." and then digits.
std::string longNumber(std::size_t length) {
    std::string text = "1.";
    while (text.size() < length)
        text += static_cast<char>('0' + text.size() % 10);
    return text;
}

void BM_PrefixNumber(benchmark::State& run) {
    const std::string text = longNumber(static_cast<std::size_t>(run.range(0)));
    for (auto _ : run) {
        double value = calc::prefixNumber(text);
        benchmark::DoNotOptimize(value);
    }
    run.SetBytesProcessed(run.iterations() * run.range(0));
}

void BM_FromChars(benchmark::State& run) {
    const std::string text = longNumber(static_cast<std::size_t>(run.range(0)));
    for (auto _ : run) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        benchmark::DoNotOptimize(value);
    }
    run.SetBytesProcessed(run.iterations() * run.range(0));
}

constexpr int kSmallText = 64 << 10;
constexpr int kLargeText = 1 << 20;

BENCHMARK(BM_Recal);
BENCHMARK(BM_RecalFloor);
BENCHMARK(BM_Text1Change);
BENCHMARK(BM_PrefixNumber)->Arg(kSmallText)->Arg(kLargeText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FromChars)->Arg(kLargeText)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Linear in the length: a byte of the 1 MB text costs what a byte of the 64 KB text costs,
    // so the whole text costs 16 times as much.
    return bench::runRatios(
        argc, argv,
        {
            {"recal", "BM_Recal", "BM_RecalFloor", 1.3, 1},
            {"keystroke, logic", "BM_Text1Change", "BM_Recal", 1.2, 1},
            {"prefix rule, 1 MB", "BM_PrefixNumber/1048576", "BM_FromChars/1048576", 3.0, 1},
            {"prefix rule, growth 64 KB to 1 MB", "BM_PrefixNumber/1048576",
             "BM_PrefixNumber/65536", 1.2, kLargeText / kSmallText},
        });
}
