#pragma once

#include "network/texts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The network window's undo and redo: the network's texts after each step the user took, each
// step named as the 编辑 menu offers it. Whole texts rather than differences: a step is any
// change (a cell, a paste of a hundred rows, the 散热 group), and restoring texts through the
// window's own filling is the one way back that cannot disagree with how they were typed.
namespace ui {

// At most this many steps, and at most this many bytes of texts: a typed network of tens of
// segments (a few KB a step) keeps a thousand steps, a 1,000-segment one (about 100 KB a step)
// the last three hundred or so, so that a long session never holds more than a few tens of MB.
inline constexpr std::size_t kHistorySteps = 1000;
inline constexpr std::size_t kHistoryBytes = std::size_t{32} << 20;

// The bytes a network's texts hold, as the history counts them.
std::size_t textBytes(const network::NetworkTexts& texts);

class NetworkHistory {
public:
    // The state the window shows after an undo or a redo, and the grid's row to make current.
    struct Restore {
        const network::NetworkTexts& texts;
        int row;
    };

    explicit NetworkHistory(std::size_t steps = kHistorySteps, std::size_t bytes = kHistoryBytes)
        : m_stepLimit(steps), m_byteLimit(bytes) {
        m_states.emplace_back();
    }

    // Starts again from `texts`, as opened or created: nothing to undo or redo.
    void reset(const network::NetworkTexts& texts);
    // Records the texts a step made, `row` current before and after it; the steps undone are
    // dropped. Texts equal to the current ones make no step. With `merge`, a step of the same
    // name as the last one is folded into it (the keystrokes typed into one box), while nothing
    // has been undone since.
    void record(const std::string& name, const network::NetworkTexts& texts, int rowBefore,
                int rowAfter, bool merge);
    const network::NetworkTexts& current() const;

    // The names of the steps undo and redo would take; none where there is none.
    std::optional<std::string> undoName() const;
    std::optional<std::string> redoName() const;
    // One step back or forth; none where there is none to take.
    std::optional<Restore> undo();
    std::optional<Restore> redo();

    // The steps that can be undone, and the bytes of texts held.
    std::size_t steps() const { return m_at; }
    std::size_t bytes() const { return m_bytes; }

private:
    struct State {
        std::string name; // of the step that made it; empty for the first
        network::NetworkTexts texts;
        int rowBefore = -1;
        int rowAfter = -1;
        std::size_t bytes = 0;
    };
    // Drops the oldest states while the bounds are passed, the current one always kept.
    void bound();

    std::size_t m_stepLimit;
    std::size_t m_byteLimit;
    std::vector<State> m_states; // the first made by the constructor
    std::size_t m_at = 0;        // the state shown
    std::size_t m_bytes = 0;
    // Whether the last step may take the next keystrokes of the same box.
    bool m_mergeable = false;
};

} // namespace ui
