#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The pipes a network is built of, by outer diameter and wall in mm: the bore is the outer
// diameter less two walls. Unlike the main window's welded list, whose bore is the nominal
// size, a network's welded pipe has its real dimensions, since its losses go into every
// pressure below it.
namespace pipes {

enum class Series { Seamless, Welded };

// The bore in mm as its dimensions print it: 21.3 − 2 × 2.8 is 15.7, not the binary difference
// 15.700000000000001, which a table or file would show. Dimensions have at most a few decimals.
inline double boreOf(double outerMm, double wallMm) {
    return std::round((outerMm - 2 * wallMm) * 1e6) / 1e6;
}

struct CataloguePipe {
    std::string_view name; // "D325x8" or "DN100", as files and the command line spell it
    double outerMm;
    double wallMm;

    double boreMm() const { return boreOf(outerMm, wallMm); }
};

// A series in ascending bore.
std::span<const CataloguePipe> catalogue(Series series);

// Each series by its name in a file and in the windows' lists, in the order of Series.
struct SeriesNames {
    Series series;
    std::string_view name;  // "seamless", as files and the command line spell it
    std::string_view shown; // "无缝钢管"
};
inline constexpr std::array<SeriesNames, 2> kSeries{{
    {Series::Seamless, "seamless", "无缝钢管"},
    {Series::Welded, "welded", "焊接钢管"},
}};

// The series' file name, "seamless" or "welded", and back; its shown name and back.
std::string_view seriesName(Series series);
std::optional<Series> seriesNamed(std::string_view name);
std::string_view seriesShown(Series series);
std::optional<Series> seriesShownAs(std::string_view shown);

// A pipe as a network names it: a catalogue name of either series, or an outer diameter by a
// wall in mm as engineers write them, "D219x6", "Φ219×6", "219*6", "d 219 X 6" (a prefix of D,
// d, Φ or φ or none; a sign of x, X, ×, * or ＊; blanks around either). A size of the series is
// named as the series spells it: a seamless outer diameter with any wall the main window's list
// offers ("D219x6"), a large seamless size, or a welded size by its DN, in that order. Any other
// size keeps its figures as typed, "D{outer}x{wall}", and is marked as outside the series.
struct NamedPipe {
    std::string name;
    double outerMm;
    double wallMm;
    bool inSeries = true;

    double boreMm() const { return boreOf(outerMm, wallMm); }
};
// The pipe, or the words that say why the name is none (unknown, or a wall of at least half
// the outer diameter).
struct PipeLookup {
    std::optional<NamedPipe> pipe;
    std::string fault;
};
PipeLookup pipeNamed(std::string_view name);

// The text a window shows for a pipe name: the file's plain x as the sign ×.
std::string shownPipeName(std::string_view name);

// The place in a series of the pipe of the same name, or else of the nearest bore (the smaller
// of two as near): where a list of the series opens for a pipe typed in.
std::size_t nearestInSeries(Series series, const NamedPipe& pipe);

} // namespace pipes
