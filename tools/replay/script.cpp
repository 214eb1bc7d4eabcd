#include "tools/replay/script.h"

#include "ui/design.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <charconv>

namespace replay {

namespace {

struct Verb {
    std::string_view word;
    Action action;
    std::string_view argument; // "text", "count", "row", "cell", "answer", "path" or empty
};

constexpr std::array<Verb, 13> kVerbs{{
    {"type", Action::Type, "text"},
    {"key", Action::Key, "text"},
    {"erase", Action::Erase, "count"},
    {"pick", Action::Pick, "row"},
    {"dblclick", Action::DoubleClick, "row"},
    {"press", Action::Press, ""},
    {"close", Action::Close, ""},
    {"edit", Action::Edit, "cell"},
    {"answer", Action::Answer, "answer"},
    {"path", Action::Path, "path"},
    {"clip", Action::Clip, "text"},
    {"select", Action::Select, "range"},
    {"command", Action::Command, "command"},
}};

constexpr std::array<std::string_view, 3> kAnswers{"save", "discard", "cancel"};

// The controls each action can reach, by their kinds in the windows' descriptions; anything else
// is a typing error in the script.
bool validTarget(Action action, std::string_view target) {
    const ui::ControlDescription* control = ui::controlOf(target);
    const ui::Kind kind = control ? control->kind : ui::Kind::Frame;
    switch (action) {
    case Action::Type:
    case Action::Key:
    case Action::Erase:
        return kind == ui::Kind::TextBox;
    case Action::Pick:
        return kind == ui::Kind::DropDownList || kind == ui::Kind::SimpleCombo ||
               kind == ui::Kind::TableList || kind == ui::Kind::Grid ||
               kind == ui::Kind::RecentFiles;
    case Action::Edit:
        return kind == ui::Kind::Grid;
    case Action::Answer:
        return kind == ui::Kind::Question;
    case Action::Path:
        return kind == ui::Kind::FileDialogs;
    case Action::Clip:
        return kind == ui::Kind::Clipboard;
    case Action::Select:
    case Action::Command:
        return kind == ui::Kind::Grid;
    case Action::DoubleClick:
        return kind == ui::Kind::SimpleCombo || kind == ui::Kind::TableList;
    case Action::Press:
        return kind == ui::Kind::PushButton || kind == ui::Kind::OptionButton ||
               kind == ui::Kind::MenuCommand || kind == ui::Kind::StatusText;
    case Action::Close:
        return !control && ui::designOf(target) && target.find('.') == std::string_view::npos;
    }
    return false;
}

class Cursor {
public:
    explicit Cursor(std::string_view line) : m_rest(line) {}

    void skipBlanks() {
        while (!m_rest.empty() &&
               (m_rest.front() == ' ' || m_rest.front() == '\t' || m_rest.front() == '\r'))
            m_rest.remove_prefix(1);
    }
    bool atEnd() {
        skipBlanks();
        return m_rest.empty() || m_rest.front() == '#';
    }
    std::string_view word() {
        skipBlanks();
        std::size_t n = 0;
        while (n < m_rest.size() && m_rest[n] != ' ' && m_rest[n] != '\t' && m_rest[n] != '#' &&
               m_rest[n] != '\r')
            ++n;
        std::string_view out = m_rest.substr(0, n);
        m_rest.remove_prefix(n);
        return out;
    }
    std::optional<int> count() {
        const std::string_view digits = word();
        int value = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
            value < 0)
            return std::nullopt;
        return value;
    }
    // A JSON string, read by the JSON library up to its closing quote: the text must be valid
    // Unicode, so lone surrogates are refused.
    std::optional<std::string> jsonString() {
        skipBlanks();
        std::size_t end = 1;
        while (end < m_rest.size() && m_rest[end] != '"')
            end += m_rest[end] == '\\' ? 2 : 1;
        if (!m_rest.starts_with('"') || end >= m_rest.size())
            return std::nullopt;
        const nlohmann::json text =
            nlohmann::json::parse(m_rest.substr(0, end + 1), nullptr, false);
        if (!text.is_string())
            return std::nullopt;
        m_rest.remove_prefix(end + 1);
        return text.get<std::string>();
    }

private:
    std::string_view m_rest;
};

bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

} // namespace

std::vector<std::string> targetsOf(Action action) {
    std::vector<std::string> targets;
    for (const ui::WindowDescription* design : ui::kDesigns) {
        if (validTarget(action, design->name))
            targets.emplace_back(design->name);
        for (const ui::ControlDescription& control : design->controls)
            if (!control.name.empty() && validTarget(action, design->qualified(control.name)))
                targets.push_back(design->qualified(control.name));
    }
    return targets;
}

ParsedLine parseLine(std::string_view line) {
    if (!validUtf8(line))
        return {.error = "the line is not UTF-8"};
    Cursor cursor(line);
    if (cursor.atEnd())
        return {};
    const std::string_view word = cursor.word();
    const Verb* verb = nullptr;
    for (const Verb& candidate : kVerbs)
        if (candidate.word == word)
            verb = &candidate;
    if (!verb)
        return {.error = "unknown action \"" + std::string(word) + "\""};

    Event event{.action = verb->action, .target = std::string(cursor.word())};
    if (!validTarget(event.action, event.target))
        return {.error = "\"" + event.target + "\" cannot take a " + std::string(word)};
    const bool grid =
        ui::controlOf(event.target) && ui::controlOf(event.target)->kind == ui::Kind::Grid;
    if (verb->argument == "range") {
        std::array<std::optional<int>, 4> corners;
        for (auto& corner : corners)
            corner = cursor.count();
        if (!corners[0] || !corners[1] || !corners[2] || !corners[3])
            return {.error = "expected the first and last cells' rows and columns"};
        event.number = *corners[0];
        event.column = *corners[1];
        event.lastRow = *corners[2];
        event.lastColumn = *corners[3];
    } else if (verb->argument == "command") {
        const std::string_view name = cursor.word();
        const auto found = std::find(kCommandWords.begin(), kCommandWords.end(), name);
        if (found == kCommandWords.end())
            return {.error = "expected cut, copy, paste, insert, remove, up, down or clear"};
        event.command = static_cast<controls::GridCommand>(found - kCommandWords.begin());
    } else if (verb->argument == "cell" || (grid && verb->argument == "row")) {
        const auto row = cursor.count();
        const auto column = row ? cursor.count() : std::nullopt;
        if (!column)
            return {.error = "expected the cell's row and column as whole numbers"};
        event.number = *row;
        event.column = *column;
    }
    if (grid && event.action == Action::Pick) {
        const auto item = cursor.count();
        if (!item)
            return {.error = "expected the item as a whole number"};
        event.item = *item;
    } else if (verb->argument == "answer") {
        const std::string_view answer = cursor.word();
        if (std::find(kAnswers.begin(), kAnswers.end(), answer) == kAnswers.end())
            return {.error = "expected save, discard or cancel"};
        event.text = answer;
    } else if (verb->argument == "text" || verb->argument == "cell" || verb->argument == "path") {
        auto text = cursor.jsonString();
        if (!text)
            return {.error = "expected the " +
                             std::string(verb->argument == "path" ? "path" : "text") +
                             " as a JSON string"};
        // Control characters are not typed as characters; a whole replacement takes any text.
        if (event.action == Action::Key)
            for (const char c : *text)
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                    return {.error = "key types printable characters only"};
        event.text = std::move(*text);
    } else if (verb->argument == "count" || verb->argument == "row") {
        auto number = cursor.count();
        if (!number)
            return {.error = "expected a " + std::string(verb->argument) + " as a whole number"};
        event.number = *number;
    }
    if (!cursor.atEnd())
        return {.error = "unexpected text after the event"};
    return {.event = std::move(event)};
}

} // namespace replay
