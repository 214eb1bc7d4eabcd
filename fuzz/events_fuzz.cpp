// Fuzzer bytes become a session of user actions on the in-memory windows; after every action
// the program must still make sense (see MemorySession::check). The raw bytes also go through
// the script parser as one line, which must never crash on them.
#include "tools/replay/memory_session.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

using replay::Action;

// The controls each action reaches, from the windows' descriptions: a control added to a
// window is fuzzed at once. A seed's bytes name controls by their place in these lists.
const std::vector<std::string> kBoxes = replay::targetsOf(Action::Type);
const std::vector<std::string> kLists = replay::targetsOf(Action::Pick);
const std::vector<std::string> kDoubleClicked = replay::targetsOf(Action::DoubleClick);
const std::vector<std::string> kButtons = replay::targetsOf(Action::Press);
const std::vector<std::string> kWindows = replay::targetsOf(Action::Close);
// A grid's cells are typed into as boxes are, and picked from as lists are.
const std::vector<std::string> kGrids = replay::targetsOf(Action::Edit);
const std::vector<std::string> kQuestions = replay::targetsOf(Action::Answer);
const std::vector<std::string> kFileDialogs = replay::targetsOf(Action::Path);
const std::vector<std::string> kTyped = [] {
    std::vector<std::string> typed = kBoxes;
    typed.insert(typed.end(), kGrids.begin(), kGrids.end());
    return typed;
}();

// The files the program may be handed: in a folder of this run's own, one that cannot be
// written, and none (a cancelled dialog). Sessions save and open them as a user would.
const std::filesystem::path kFolder = [] {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("steam-events-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                        ("steam-events-fuzz-" + std::to_string(getpid())),
                                    ignored);
    });
    return folder;
}();
const std::array<std::string, 4> kPaths{"", (kFolder / "a.json").string(),
                                        (kFolder / "b.json").string(),
                                        (kFolder / "no-such-folder" / "c.json").string()};
// Texts at the edges of the conversions, which random bytes seldom spell.
constexpr std::array<std::string_view, 16> kTexts{
    "",     "0",    "-1",    "1e39", "-1e39", "1e-46", "3.4028235e38", "&HFFFFFFFFFFFFFFFF",
    "&O17", " 1 5", "1.2.3", "-0",   ".",     "9e999", "1E+07",        "0.0001"};

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_at >= m_size; }
    unsigned next() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::string text() {
        const unsigned length = next();
        if (length & 0x80)
            return std::string(kTexts[length % kTexts.size()]);
        std::string out;
        for (unsigned i = 0; i < length % 12 && !empty(); ++i)
            out += static_cast<char>(next());
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// A cell's row and column: small numbers, most of them in the grid.
replay::Event gridEvent(Action action, const std::string& grid, Bytes& bytes) {
    const unsigned cell = bytes.next();
    return {.action = action,
            .target = grid,
            .number = static_cast<int>(cell % 8),
            .column = static_cast<int>(cell / 8 % 8)};
}

replay::Event decode(Bytes& bytes) {
    replay::Event event;
    switch (bytes.next() % 7) {
    case 0: {
        const std::string& target = kTyped[bytes.next() % kTyped.size()];
        if (std::find(kGrids.begin(), kGrids.end(), target) != kGrids.end()) {
            event = gridEvent(Action::Edit, target, bytes);
            event.text = bytes.text();
        } else {
            event = {Action::Type, target, bytes.text()};
        }
        break;
    }
    case 1: {
        event = {Action::Key, kBoxes[bytes.next() % kBoxes.size()], bytes.text()};
        // Keys type printable characters only.
        for (char& c : event.text)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                c = static_cast<char>('0' + (static_cast<unsigned char>(c) % 10));
        break;
    }
    case 2:
        event = {Action::Erase,
                 kBoxes[bytes.next() % kBoxes.size()],
                 {},
                 static_cast<int>(bytes.next() % 6)};
        break;
    case 3: {
        const std::string& target = kLists[bytes.next() % kLists.size()];
        if (std::find(kGrids.begin(), kGrids.end(), target) != kGrids.end()) {
            event = gridEvent(Action::Pick, target, bytes);
            event.item = static_cast<int>(bytes.next() % 40);
        } else {
            event = {Action::Pick, target, {}, static_cast<int>(bytes.next() % 40)};
        }
        break;
    }
    case 4: {
        // The row's byte names the list by its high bit, so that a seed's small rows keep
        // double-clicking the first list.
        const unsigned row = bytes.next();
        event = {Action::DoubleClick,
                 kDoubleClicked[(row >> 7) % kDoubleClicked.size()],
                 {},
                 static_cast<int>(row % 40)};
        break;
    }
    case 5:
        event = {Action::Press, kButtons[bytes.next() % kButtons.size()]};
        break;
    default:
        event = {Action::Close, kWindows[bytes.next() % kWindows.size()]};
        break;
    }
    return event;
}

// A user answers whatever the program asks: each question and file dialogs of a loaded window
// keeps two answers in hand, enough for one action that asks to save and then for a file.
void answerAhead(replay::MemorySession& session, Bytes& bytes) {
    constexpr std::array<std::string_view, 3> kAnswers{"save", "discard", "cancel"};
    auto keep = [&](const std::vector<std::string>& targets, Action action, auto answer) {
        for (const std::string& target : targets) {
            replay::Event given{.action = action, .target = target};
            while (session.canPerform(given) && session.pendingAnswers(target) < 2) {
                given.text = answer(bytes.next());
                session.perform(given);
            }
        }
    };
    keep(kQuestions, Action::Answer,
         [&](unsigned byte) { return std::string(kAnswers[byte % kAnswers.size()]); });
    keep(kFileDialogs, Action::Path, [&](unsigned byte) { return kPaths[byte % kPaths.size()]; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)replay::parseLine(std::string_view(reinterpret_cast<const char*>(data), size));

    replay::MemorySession session;
    session.start();
    Bytes bytes(data, size);
    for (int step = 0; !bytes.empty(); ++step) {
        answerAhead(session, bytes);
        const replay::Event event = decode(bytes);
        if (session.canPerform(event))
            session.perform(event);
        for (const std::string& fault : session.check()) {
            std::fprintf(stderr, "after event %d on %s: %s\n", step, event.target.c_str(),
                         fault.c_str());
            std::abort();
        }
    }
    return 0;
}
