// The toolkit-free costs: a recalculation against the least work that shows the same texts, and
// the prefix rule's growth with the length of the text.
#include "bench/ratios.h"
#include "calc/elementary.h"
#include "calc/numbers.h"
#include "calc/recal.h"
#include "calc/state.h"
#include "ui/controls/memory_gui.h"
#include "ui/form1_recal.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

// A label that keeps its last caption, as every label must, and records nothing: the in-memory
// controls' record of operations serves the tests, and no user waits for it.
class ShownLabel final : public controls::Label {
public:
    void setCaption(std::string_view caption) override { shown.assign(caption); }
    std::string shown;
};

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
    std::array<ShownLabel, 6> labels;
    controls::memory::Gui untouched; // the custom bore box and the messages: a valid bore
    calc::CalcState state = typicalState();
    ui::Recalculation recalculation(state,
                                    {.velocity = labels[0],
                                     .specificLoss = labels[1],
                                     .density = labels[2],
                                     .flow = labels[3],
                                     .roughness = labels[4],
                                     .innerDiameter = labels[5]},
                                    untouched.textBox("Form1.Text4"), untouched.messageBox());
    for (auto _ : run)
        recalculation.recal();
    if (labels[0].shown != " 17.6839 m/s" || labels[1].shown != " 76.46601 Pa/m")
        run.SkipWithError("recal wrote other results");
}

// The two powers of the pressure-drop formula and the six texts recal must write, kept as the
// labels keep theirs. The powers are the program's own (calc/elementary), as every formula's are,
// so that a figure has the same bits on every system: the C library's pow would be a floor the
// program may not stand on, and the row would measure the choice of pow rather than recal.
void BM_RecalFloor(benchmark::State& run) {
    const calc::CalcState state = typicalState();
    double roughness = state.roughness;
    double bore = state.innerDiameter;
    float velocity = 17.683897f, specificLoss = 76.466011f;
    std::array<std::string, 6> kept;
    for (auto _ : run) {
        benchmark::DoNotOptimize(roughness);
        benchmark::DoNotOptimize(bore);
        double a = calc::elementary::pow(roughness, 0.25);
        double b = calc::elementary::pow(bore, 5.25);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(velocity);
        benchmark::DoNotOptimize(specificLoss);
        kept = {
            calc::fieldText(velocity, " m/s"),        calc::fieldText(specificLoss, " Pa/m"),
            calc::fieldText(state.density, " kg/m3"), calc::fieldText(state.flow, " t/h"),
            calc::millimetreText(state.roughness),    calc::millimetreText(state.innerDiameter)};
        benchmark::DoNotOptimize(kept.data());
    }
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
}

constexpr int kSmallText = 64 << 10;
constexpr int kLargeText = 1 << 20;

BENCHMARK(BM_Recal);
BENCHMARK(BM_RecalFloor);
BENCHMARK(BM_PrefixNumber)->Arg(kSmallText)->Arg(kLargeText)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Linear in the length: the 1 MB text costs 16 times the 64 KB text.
    return bench::runRatios(argc, argv,
                            {
                                {"recal", "BM_Recal", "BM_RecalFloor", 1.1},
                                {"prefix rule, growth 64 KB to 1 MB", "BM_PrefixNumber/1048576",
                                 "BM_PrefixNumber/65536", 1.2, kLargeText / kSmallText},
                            });
}
