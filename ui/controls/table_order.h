#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The order a table's rows are shown in once the user has clicked a column's heading. Both
// implementations of the table sort by this one rule, and the logic's row indexes stay the
// indexes the rows were added under, whatever the order shown.
namespace controls {

struct TableOrder {
    int column = -1; // none: the rows as they were added
    bool descending = false;

    // A click on a heading: ascending first, as a spreadsheet sorts, then descending, then the
    // order the rows were added in again.
    void click(int clicked) {
        if (clicked != column) {
            column = clicked;
            descending = false;
        } else if (!descending) {
            descending = true;
        } else {
            column = -1;
            descending = false;
        }
    }
};

namespace order_detail {

inline std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A cell's figure; none for a text (a name, a verdict).
inline std::optional<double> figureOf(std::string_view cell) {
    double value = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (error != std::errc() || end != cell.data() + cell.size())
        return std::nullopt;
    return value;
}

// Figures by value (a margin of -0.5 before one of 0.05, which text puts after it), before
// texts, and texts by their bytes.
inline bool cellBefore(std::string_view a, std::string_view b) {
    const std::optional<double> x = figureOf(a), y = figureOf(b);
    if (x && y)
        return *x < *y;
    if (x || y)
        return x.has_value();
    return a < b;
}

} // namespace order_detail

// Whether the row added as `indexA` with `cellA` in the sorted column is shown above the one
// added as `indexB`. Empty cells (a figure not computed, a requirement not given) go last either
// way; equal cells keep the order the rows were added in.
inline bool shownBefore(const TableOrder& order, std::string_view cellA, std::size_t indexA,
                        std::string_view cellB, std::size_t indexB) {
    if (order.column < 0)
        return indexA < indexB;
    const std::string_view a = order_detail::trimmed(cellA), b = order_detail::trimmed(cellB);
    if (a.empty() != b.empty())
        return b.empty();
    if (order_detail::cellBefore(a, b) || order_detail::cellBefore(b, a))
        return order.descending ? order_detail::cellBefore(b, a) : order_detail::cellBefore(a, b);
    return indexA < indexB;
}

// The indexes the rows were added under, in the order shown, given each row's cell of the sorted
// column in the order added.
inline std::vector<std::size_t> shownOrder(const TableOrder& order,
                                           const std::vector<std::string>& cells) {
    std::vector<std::size_t> shown(cells.size());
    std::iota(shown.begin(), shown.end(), std::size_t{0});
    std::sort(shown.begin(), shown.end(), [&](std::size_t a, std::size_t b) {
        return shownBefore(order, cells[a], a, cells[b], b);
    });
    return shown;
}

} // namespace controls
