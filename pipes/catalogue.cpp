#include "pipes/catalogue.h"

#include "pipes/seamless.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace pipes {
namespace {

// Seamless pipe beyond the main window's largest size, D530, for steam mains. The main window's
// list, which gives the sizes up to D530, names no standard. The walls below are our own choice,
// 10 mm at D630 and a millimetre more at each larger size: the searches made for GB/T 8163
// (seamless steel tube for fluid service) and GB/T 17395-2008 (the dimensions of seamless tube)
// found those standards' scopes but no copy of their dimension tables, so no figure here is
// confirmed by a published source.
struct LargeSeamless {
    std::string_view name;
    double outerMm;
    double wallMm;
};
inline constexpr std::array<LargeSeamless, 5> kLargeSeamless{{
    {"D630x10", 630, 10},
    {"D720x11", 720, 11},
    {"D820x12", 820, 12},
    {"D920x13", 920, 13},
    {"D1020x14", 1020, 14},
}};

// clang-format off
// Welded steel pipe by nominal size, with its real outer diameter and wall in mm.
// DN15 to DN150: GB/T 3091-2015 "低压流体输送用焊接钢管" Table 1, outer diameter and the wall of
// the ordinary pipe (普通钢管; the thickened pipe, 加厚钢管, is not offered). Of the sources found,
// one (code citing GB/T 3091) gives 60.3x3.8, 88.9x4.0, 114.3x4.0 and 168.3x4.5 as taken here;
// another, citing GB/T 3091-2015, gives DN15-DN80 as here but 4.5, 4.5 and 5.0 mm for DN100,
// DN125 and DN150, and those we did not take. DN125's 4.0 mm is confirmed by neither.
// DN200 to DN1000: spiral submerged-arc welded pipe in the domestic outer-diameter series
// (219 ... 1020; SY/T 5037 covers such pipe for heating steam), 478 and 529 rather than the
// seamless list's 480 and 530. Its walls are the ones usual in heating-network design; no source
// found confirms them.
inline constexpr std::array<CataloguePipe, 23> kWelded{{
    {"DN15",   21.3,  2.8},
    {"DN20",   26.9,  2.8},
    {"DN25",   33.7,  3.2},
    {"DN32",   42.4,  3.5},
    {"DN40",   48.3,  3.5},
    {"DN50",   60.3,  3.8},
    {"DN65",   76.1,  4.0},
    {"DN80",   88.9,  4.0},
    {"DN100",  114.3, 4.0},
    {"DN125",  139.7, 4.0},
    {"DN150",  168.3, 4.5},
    {"DN200",  219,   6},
    {"DN250",  273,   7},
    {"DN300",  325,   8},
    {"DN350",  377,   8},
    {"DN400",  426,   8},
    {"DN450",  478,   8},
    {"DN500",  529,   9},
    {"DN600",  630,   9},
    {"DN700",  720,   10},
    {"DN800",  820,   10},
    {"DN900",  920,   11},
    {"DN1000", 1020,  12},
}};
// clang-format on

// A whole text as a number, or none: the mm texts of the main window's list, and the parts of
// a typed "D{outer}x{wall}". Out of range counts as not finite.
struct Number {
    bool read = false;
    double value = 0;
};
Number number(std::string_view text) {
    Number result;
    if (text.empty()) {
        return result;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] =
        std::from_chars(text.data(), end, result.value, std::chars_format::fixed);
    if (ptr != end) {
        return result;
    }
    if (ec == std::errc::result_out_of_range) {
        result.value = HUGE_VAL;
    } else if (ec != std::errc{}) {
        return result;
    }
    result.read = true;
    return result;
}

// The main window's seamless sizes, each with the wall its list offers first, and the large
// sizes after them; the names live here, beside the views into them.
struct SeamlessCatalogue {
    static constexpr std::size_t kCount = kSeamlessPipes.size() + kLargeSeamless.size();
    std::array<std::string, kCount> names;
    std::array<CataloguePipe, kCount> pipes{};

    SeamlessCatalogue() {
        std::size_t i = 0;
        for (const SeamlessPipe& row : kSeamlessPipes) {
            // "D325" and "11": the texts the user picks, so the catalogue says the same mm.
            names[i] = std::string(row.entry) + "x" + std::string(row.defaultThickness());
            pipes[i] = {names[i], number(row.entry.substr(1)).value,
                        number(row.defaultThickness()).value};
            ++i;
        }
        for (const LargeSeamless& row : kLargeSeamless) {
            names[i] = std::string(row.name);
            pipes[i] = {names[i], row.outerMm, row.wallMm};
            ++i;
        }
    }
};

const SeamlessCatalogue& seamless() {
    static const SeamlessCatalogue instance;
    return instance;
}

std::string quoted(std::string_view name) {
    return "管子 “" + std::string(name) + "” ";
}

} // namespace

std::span<const CataloguePipe> catalogue(Series series) {
    if (series == Series::Welded) {
        return kWelded;
    }
    return seamless().pipes;
}

std::string_view seriesName(Series series) {
    return kSeries[static_cast<std::size_t>(series)].name;
}

std::optional<Series> seriesNamed(std::string_view name) {
    for (const SeriesNames& row : kSeries)
        if (row.name == name)
            return row.series;
    return std::nullopt;
}

std::string_view seriesShown(Series series) {
    return kSeries[static_cast<std::size_t>(series)].shown;
}

std::optional<Series> seriesShownAs(std::string_view shown) {
    for (const SeriesNames& row : kSeries)
        if (row.shown == shown)
            return row.series;
    return std::nullopt;
}

PipeLookup pipeNamed(std::string_view name) {
    for (const Series series : {Series::Seamless, Series::Welded}) {
        for (const CataloguePipe& pipe : catalogue(series)) {
            if (pipe.name == name) {
                return {NamedPipe{std::string(name), pipe.outerMm, pipe.wallMm}, {}};
            }
        }
    }
    const PipeLookup unknown{std::nullopt,
                             quoted(name) + "不在管子目录中，也不是“D外径x壁厚”（mm）的写法"};
    if (name.size() < 2 || name[0] != 'D') {
        return unknown;
    }
    const std::string_view rest = name.substr(1);
    constexpr std::string_view kTimes = "×";
    std::size_t cross = rest.find('x');
    std::size_t crossSize = 1;
    if (cross == std::string_view::npos) {
        cross = rest.find(kTimes);
        crossSize = kTimes.size();
    }
    if (cross == std::string_view::npos) {
        return unknown;
    }
    const Number outer = number(rest.substr(0, cross));
    const Number wall = number(rest.substr(cross + crossSize));
    if (!outer.read || !wall.read) {
        return unknown;
    }
    const struct {
        const Number& number;
        const char* what;
    } parts[] = {{outer, "外径"}, {wall, "壁厚"}};
    for (const auto& part : parts) {
        if (!std::isfinite(part.number.value)) {
            return {std::nullopt, quoted(name) + "的" + part.what + "不是有限的数"};
        }
        if (part.number.value <= 0) {
            return {std::nullopt, quoted(name) + "的" + part.what + "须大于零"};
        }
    }
    // A wall of half the diameter or more leaves no bore for the steam.
    if (2 * wall.value >= outer.value) {
        return {std::nullopt, quoted(name) + "的壁厚不小于外径的一半"};
    }
    return {NamedPipe{std::string(name), outer.value, wall.value}, {}};
}

std::string shownPipeName(std::string_view name) {
    std::string shown;
    for (const char c : name) {
        if (c == 'x') {
            shown += "×";
        } else {
            shown += c;
        }
    }
    return shown;
}

} // namespace pipes
