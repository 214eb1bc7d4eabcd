#include "network/file_syntax.h"

#include "files/text.h"
#include "network/faults.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace network {

namespace {

using Json = nlohmann::ordered_json;
using files::inQuotes;

// A number as a fault quotes it: its first digits, for one of hundreds. A number is ASCII, so
// it can be cut anywhere.
std::string shortNumber(std::string_view token) {
    constexpr std::size_t kLongest = 40;
    return token.size() > kLongest ? std::string(token.substr(0, kLongest)) + "…"
                                   : std::string(token);
}

// A first pass over the text for what the parsed value no longer shows: where the syntax
// breaks, and a key written twice in one object, which the parsed value would quietly take the
// last of.
class SyntaxPass {
public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    explicit SyntaxPass(std::string_view bytes) : m_bytes(bytes) {}

    // The first fault, without the file's name; empty when there is none.
    std::string fault;

    bool null() { return element(); }
    bool boolean(bool) { return element(); }
    bool number_integer(number_integer_t) { return element(); }
    bool number_unsigned(number_unsigned_t) { return element(); }
    bool number_float(number_float_t, const string_t&) { return element(); }
    bool string(string_t&) { return element(); }
    bool binary(binary_t&) { return element(); }
    bool start_object(std::size_t) {
        element();
        m_frames.emplace_back().object = true;
        return true;
    }
    bool key(string_t& key) {
        Frame& frame = m_frames.back();
        frame.key = key;
        if (!frame.keys.insert(key).second && fault.empty())
            fault = placedFault(where(), "这一项写了两次");
        return true;
    }
    bool end_object() { return pop(); }
    bool start_array(std::size_t) {
        element();
        m_frames.emplace_back().object = false;
        return true;
    }
    bool end_array() { return pop(); }
    bool parse_error(std::size_t read, const std::string& token,
                     const nlohmann::detail::exception& error) {
        // The parser counts the bytes read, the offending one among them.
        const std::size_t at = std::max<std::size_t>(read, 1) - 1;
        if (error.id == 406) {
            // Counted to the number's end: where it starts is what an editor finds.
            const std::size_t start = read - std::min(read, token.size());
            fault = position(m_bytes, start) + "的数 " + inQuotes(shortNumber(token)) + " 超出范围";
        } else if (read > m_bytes.size()) {
            fault = "不是 JSON 文件：在" + position(m_bytes, at) + "意外结束";
        } else {
            fault = "不是 JSON 文件：" + position(m_bytes, at) + "有语法错误";
        }
        return false;
    }

private:
    struct Frame {
        bool object = true;
        std::set<std::string> keys;
        std::string key;       // in an object, the key being read
        std::size_t count = 0; // in an array, the elements begun
    };

    bool element() {
        if (!m_frames.empty() && !m_frames.back().object)
            ++m_frames.back().count;
        return true;
    }
    bool pop() {
        m_frames.pop_back();
        return true;
    }
    // The key being read, as the reader's faults name it.
    std::string where() const {
        if (m_frames.size() == 3 && m_frames[0].key == "segments" && !m_frames[1].object)
            return segmentWhere(m_frames[1].count - 1, {}, m_frames[2].key);
        std::string path;
        for (const Frame& frame : m_frames)
            path += (path.empty() ? "" : ".") +
                    (frame.object ? frame.key : std::to_string(frame.count - 1));
        return path;
    }

    std::string_view m_bytes;
    std::vector<Frame> m_frames;
};

} // namespace

// "第 2 段（“2”）": a segment by its place in the file and its name, where it has one.
std::string segmentPlace(std::size_t index, std::string_view name) {
    std::string place = segmentNumber(index);
    if (!name.empty())
        place += "（" + inQuotes(name) + "）";
    return place;
}

std::string segmentWhere(std::size_t index, std::string_view name, std::string_view field) {
    return segmentPlace(index, name) + "的 " + std::string(field);
}

// Line and column (in characters) of a byte offset, as an editor shows them.
std::string position(std::string_view bytes, std::size_t offset) {
    offset = std::min(offset, bytes.size());
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(bytes[i]) & 0xc0) != 0x80) {
            ++column;
        }
    }
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

std::string syntaxFault(std::string_view bytes) {
    SyntaxPass pass(bytes);
    Json::sax_parse(bytes, &pass);
    return pass.fault;
}

} // namespace network
