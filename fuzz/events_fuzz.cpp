// Fuzzer bytes become a session of user actions on the in-memory windows; after every action
// the program must still make sense (see MemorySession::check). The raw bytes also go through
// the script parser as one line, which must never crash on them.
#include "tools/replay/memory_session.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using replay::Action;

// The controls each action reaches, from the windows' descriptions: a control added to a
// window is fuzzed at once. A seed's bytes name controls by their place in these lists.
const std::vector<std::string> kBoxes = replay::targetsOf(Action::Type);
const std::vector<std::string> kLists = replay::targetsOf(Action::Pick);
const std::vector<std::string> kDoubleClicked = replay::targetsOf(Action::DoubleClick);
const std::vector<std::string> kButtons = replay::targetsOf(Action::Press);
const std::vector<std::string> kWindows = replay::targetsOf(Action::Close);
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

replay::Event decode(Bytes& bytes) {
    replay::Event event;
    switch (bytes.next() % 7) {
    case 0:
        event = {Action::Type, kBoxes[bytes.next() % kBoxes.size()], bytes.text()};
        break;
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
    case 3:
        event = {Action::Pick,
                 kLists[bytes.next() % kLists.size()],
                 {},
                 static_cast<int>(bytes.next() % 40)};
        break;
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)replay::parseLine(std::string_view(reinterpret_cast<const char*>(data), size));

    replay::MemorySession session;
    session.start();
    Bytes bytes(data, size);
    for (int step = 0; !bytes.empty(); ++step) {
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
