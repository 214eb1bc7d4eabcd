#include "tools/replay/script.h"

#include "ui/design.h"

#include <array>
#include <charconv>

namespace replay {

namespace {

struct Verb {
    std::string_view word;
    Action action;
    std::string_view argument; // "text", "count", "row" or empty
};

constexpr std::array<Verb, 7> kVerbs{{
    {"type", Action::Type, "text"},
    {"key", Action::Key, "text"},
    {"erase", Action::Erase, "count"},
    {"pick", Action::Pick, "row"},
    {"dblclick", Action::DoubleClick, "row"},
    {"press", Action::Press, ""},
    {"close", Action::Close, ""},
}};

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
               kind == ui::Kind::TableList;
    case Action::DoubleClick:
        return kind == ui::Kind::SimpleCombo || kind == ui::Kind::TableList;
    case Action::Press:
        return kind == ui::Kind::PushButton || kind == ui::Kind::OptionButton ||
               kind == ui::Kind::MenuCommand;
    case Action::Close:
        return !control && ui::designOf(target) && target.find('.') == std::string_view::npos;
    }
    return false;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
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
    // A JSON string; the text must be valid Unicode, so lone surrogates are refused.
    std::optional<std::string> jsonString() {
        skipBlanks();
        if (m_rest.empty() || m_rest.front() != '"')
            return std::nullopt;
        m_rest.remove_prefix(1);
        std::string out;
        while (!m_rest.empty()) {
            const char c = m_rest.front();
            m_rest.remove_prefix(1);
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_rest.empty())
                return std::nullopt;
            const char escape = m_rest.front();
            m_rest.remove_prefix(1);
            switch (escape) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                auto unit = hex4();
                if (!unit || (*unit >= 0xDC00 && *unit < 0xE000))
                    return std::nullopt;
                char32_t code = *unit;
                if (code >= 0xD800 && code < 0xDC00) {
                    if (!m_rest.starts_with("\\u"))
                        return std::nullopt;
                    m_rest.remove_prefix(2);
                    auto low = hex4();
                    if (!low || *low < 0xDC00 || *low >= 0xE000)
                        return std::nullopt;
                    code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
                }
                appendUtf8(out, code);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<char32_t> hex4() {
        if (m_rest.size() < 4)
            return std::nullopt;
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(m_rest.data(), m_rest.data() + 4, value, 16);
        if (ec != std::errc() || end != m_rest.data() + 4)
            return std::nullopt;
        m_rest.remove_prefix(4);
        return static_cast<char32_t>(value);
    }

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
    if (verb->argument == "text") {
        auto text = cursor.jsonString();
        if (!text)
            return {.error = "expected the text as a JSON string"};
        // Control characters are not typed as characters; a whole replacement takes any text.
        if (event.action == Action::Key)
            for (const char c : *text)
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                    return {.error = "key types printable characters only"};
        event.text = std::move(*text);
    } else if (!verb->argument.empty()) {
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
