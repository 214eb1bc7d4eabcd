#include "pipes/catalogue.h"

#include "pipes/seamless.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

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

// An outer diameter and a wall as written, each part without the blanks around it; none where
// the text is not "{prefix}{outer}{sign}{wall}". The prefixes and signs are those engineers
// write, the main window's own "D18 * 3" among them; the parts are read as numbers afterwards.
struct Written {
    std::string_view outer;
    std::string_view wall;
};
std::string_view withoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
std::optional<Written> writtenSize(std::string_view name) {
    std::string_view rest = withoutBlanks(name);
    for (const std::string_view prefix : {"D", "d", "Φ", "φ"}) {
        if (rest.starts_with(prefix)) {
            rest.remove_prefix(prefix.size());
            break;
        }
    }
    std::size_t cross = std::string_view::npos;
    std::size_t crossSize = 0;
    for (const std::string_view sign : {"x", "X", "*", "×", "＊"}) {
        const std::size_t at = rest.find(sign);
        if (at < cross) {
            cross = at;
            crossSize = sign.size();
        }
    }
    if (cross == std::string_view::npos) {
        return std::nullopt;
    }
    return Written{withoutBlanks(rest.substr(0, cross)),
                   withoutBlanks(rest.substr(cross + crossSize))};
}

// Every size of the series by its dimensions, with the name the series spells it by: each
// seamless outer diameter with each wall the main window offers for it, the large seamless
// sizes, the welded sizes. Read the same mm texts as the catalogue, so that equal is equal.
struct SeriesSize {
    std::string name;
    double outerMm;
    double wallMm;
};
const std::vector<SeriesSize>& seriesSizes() {
    static const std::vector<SeriesSize> sizes = [] {
        std::vector<SeriesSize> all;
        for (const SeamlessPipe& row : kSeamlessPipes) {
            for (const std::string_view wall : row.thicknesses()) {
                all.push_back({std::string(row.entry) + "x" + std::string(wall),
                               number(row.entry.substr(1)).value, number(wall).value});
            }
        }
        for (const LargeSeamless& row : kLargeSeamless) {
            all.push_back({std::string(row.name), row.outerMm, row.wallMm});
        }
        for (const CataloguePipe& row : kWelded) {
            all.push_back({std::string(row.name), row.outerMm, row.wallMm});
        }
        return all;
    }();
    return sizes;
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
    const std::optional<Written> written = writtenSize(name);
    if (!written) {
        return unknown;
    }
    const Number outer = number(written->outer);
    const Number wall = number(written->wall);
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
    for (const SeriesSize& size : seriesSizes()) {
        if (size.outerMm == outer.value && size.wallMm == wall.value) {
            return {NamedPipe{size.name, outer.value, wall.value}, {}};
        }
    }
    const std::string typed = "D" + std::string(written->outer) + "x" + std::string(written->wall);
    return {NamedPipe{typed, outer.value, wall.value, false}, {}};
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

std::size_t nearestInSeries(Series series, const NamedPipe& pipe) {
    const std::span<const CataloguePipe> pipes = catalogue(series);
    std::size_t nearest = 0;
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        if (pipes[i].name == pipe.name) {
            return i;
        }
        if (std::abs(pipes[i].boreMm() - pipe.boreMm()) <
            std::abs(pipes[nearest].boreMm() - pipe.boreMm())) {
            nearest = i;
        }
    }
    return nearest;
}

} // namespace pipes
