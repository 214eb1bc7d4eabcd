#include "sheet/sheet.h"

#include "files/save.h"
#include "files/text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <ctime>

namespace sheet {

const std::string_view kProgram = "蒸汽流速计算 " STEAM_VERSION;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// At least one digit from `at`, which is moved past them.
bool digits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at > start;
}

// -?d+(.d+)?(E[+-]d+)?, the forms calc::numberText writes.
bool isNumber(std::string_view text) {
    std::size_t at = text.starts_with('-') ? 1 : 0;
    if (!digits(text, at))
        return false;
    if (at < text.size() && text[at] == '.' && !digits(text, ++at))
        return false;
    if (at < text.size() && text[at] == 'E') {
        ++at;
        if (at == text.size() || (text[at] != '+' && text[at] != '-'))
            return false;
        ++at;
        if (!digits(text, at))
            return false;
    }
    return at == text.size();
}

// A cell's text on one line of a tab-separated row.
std::string oneCell(std::string_view text) {
    std::string cell(text);
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return cell;
}

// A line's fields, each as a spreadsheet should take it.
using Fields = std::vector<std::string>;

// Texts, each kept a text.
Fields texts(const std::vector<std::string>& texts) {
    Fields kept;
    for (const std::string& text : texts)
        kept.push_back(files::spreadsheetText(text));
    return kept;
}

// A row's cells: a number as its figure, any other cell kept a text.
Fields cells(const std::vector<Cell>& cells) {
    Fields kept;
    for (const Cell& cell : cells)
        kept.push_back(cell.number ? cell.text : files::spreadsheetText(cell.text));
    return kept;
}

// The fields, each as `field` writes it, between separators and before the line's end.
std::string line(const Fields& fields, std::string_view separator,
                 std::string (*field)(std::string_view), std::string_view end) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i)
        text.append(i == 0 ? "" : separator).append(field(fields[i]));
    return text.append(end);
}

std::string tsvLine(const Fields& fields) {
    return line(fields, "\t", oneCell, "\n");
}

std::string csvLine(const Fields& fields) {
    return line(fields, ",", files::csvField, "\r\n");
}

// The parts of a text between its tabs.
std::vector<std::string_view> splitTabs(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t tab = text.find('\t', start);
        parts.push_back(text.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return parts;
        start = tab + 1;
    }
}

} // namespace

std::string today() {
    std::time_t now = std::time(nullptr);
    std::tm day{};
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    long long seconds = 0;
    const std::string_view given = epoch != nullptr ? epoch : "";
    if (!given.empty() && std::from_chars(given.data(), given.data() + given.size(), seconds).ptr ==
                              given.data() + given.size()) {
        now = static_cast<std::time_t>(seconds);
#ifdef _WIN32
        gmtime_s(&day, &now);
    } else {
        localtime_s(&day, &now);
#else
        ::gmtime_r(&now, &day);
    } else {
        ::localtime_r(&now, &day);
#endif
    }
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &day);
    return text;
}

Cell shownCell(std::string_view text) {
    const std::string_view figure = text.starts_with(' ') ? text.substr(1) : text;
    if (isNumber(figure))
        return {std::string(figure), true};
    return {std::string(text), false};
}

std::vector<Cell> shownCells(std::string_view row) {
    std::vector<Cell> cells;
    for (const std::string_view part : splitTabs(row))
        cells.push_back(shownCell(part));
    return cells;
}

std::string shownValue(const Input& input) {
    return input.unit.empty() ? input.value : input.value + " " + input.unit;
}

std::string tabSeparated(const Table& table, std::span<const std::size_t> rows) {
    std::string text = tsvLine(texts(table.headings));
    if (rows.empty())
        for (const std::vector<Cell>& row : table.rows)
            text += tsvLine(cells(row));
    for (const std::size_t index : rows)
        if (index < table.rows.size())
            text += tsvLine(cells(table.rows[index]));
    return text;
}

std::string csvText(const Sheet& sheet) {
    std::string csv = "\xEF\xBB\xBF" + csvLine(texts({sheet.title}));
    if (!sheet.subject.empty())
        csv += csvLine(texts({sheet.subject}));
    csv += csvLine(texts({"程序", sheet.program})) + csvLine(texts({"日期", sheet.date}));
    // A number with its unit is a text here; one without a unit is a number.
    for (const Input& input : sheet.inputs) {
        Fields fields = texts({input.name, shownValue(input)});
        if (input.number && input.unit.empty())
            fields[1] = input.value;
        csv += csvLine(fields);
    }
    for (const Table& table : sheet.tables) {
        csv += "\r\n" + csvLine(texts({table.title})) + csvLine(texts(table.headings));
        for (const std::vector<Cell>& row : table.rows)
            csv += csvLine(cells(row));
    }
    for (const auto& [heading, lines] :
         {std::pair{"结论", &sheet.findings}, std::pair{"计算方法", &sheet.method}}) {
        if (lines->empty())
            continue;
        csv += "\r\n" + csvLine(texts({heading}));
        for (const std::string& text : *lines)
            csv += csvLine(texts({text}));
    }
    return csv;
}

std::string csvText(const Table& table) {
    std::string csv = "\xEF\xBB\xBF" + csvLine(texts(table.headings));
    for (const std::vector<Cell>& row : table.rows)
        csv += csvLine(cells(row));
    return csv;
}

namespace {

std::string saveText(const std::filesystem::path& path, std::string_view text) {
    const std::string why = files::saveBytes(path, text);
    return why.empty() ? why : files::saveFault(files::fileNameOf(path), why);
}

} // namespace

std::string saveCsv(const Sheet& sheet, const std::filesystem::path& path) {
    return saveText(path, csvText(sheet));
}

std::string saveTableCsv(const Table& table, const std::filesystem::path& path) {
    return saveText(path, csvText(table));
}

} // namespace sheet
