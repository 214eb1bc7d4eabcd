#include "network/tables.h"

#include "calc/numbers.h"
#include "calc/recal.h"
#include "files/text.h"
#include "network/report.h"
#include "pipes/catalogue.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <initializer_list>

namespace network {

namespace {

// A rule for each form a Value takes, for std::visit to choose among.
template <class... Forms> struct Rules : Forms... { using Forms::operator()...; };
// Spelled out: Clang before 17 does not deduce an aggregate's arguments by itself.
template <class... Forms> Rules(Forms...) -> Rules<Forms...>;

// As the window shows the value.
std::string windowText(const Value& value) {
    return std::visit(Rules{
                          [](std::string_view text) { return std::string(text); },
                          [](const Figure& figure) {
                              return figure.value ? calc::storedText(*figure.value) : std::string();
                          },
                          [](const PipeCell& pipe) {
                              std::string shown = pipes::shownPipeName(pipe.name);
                              return pipe.chosen && !shown.empty() ? shown + "（自动）" : shown;
                          },
                          [](std::span<const Verdict> verdicts) {
                              std::string words;
                              for (const Verdict v : verdicts)
                                  words.append(words.empty() ? "" : "，").append(verdictWords(v));
                              return words.empty() ? std::string("适宜") : words;
                          },
                      },
                      value);
}

std::string codes(std::span<const Verdict> verdicts) {
    std::string list;
    for (const Verdict v : verdicts)
        list.append(list.empty() ? "" : ";").append(verdictCode(v));
    return list;
}

// A text as a CSV field, kept a text where a spreadsheet would run it as a formula.
std::string textField(std::string_view text) {
    return files::csvField(files::spreadsheetText(text));
}

// As a CSV field for scripts: the file's own pipe name, the verdicts' codes.
std::string scriptField(const Value& value) {
    return std::visit(
        Rules{
            [](std::string_view text) { return textField(text); },
            [](const Figure& figure) {
                return figure.value ? calc::shortestText(*figure.value) : std::string();
            },
            [](const PipeCell& pipe) { return textField(pipe.name); },
            [](std::span<const Verdict> verdicts) { return textField(codes(verdicts)); },
        },
        value);
}

// In the documented order of keys, not the library's alphabetical one.
using Json = nlohmann::ordered_json;

// The JSON library writes a double in its shortest exact form too, so that the CSV and the
// JSON say the same; none is null, as is a pipe not chosen.
Json scriptJson(const Value& value) {
    return std::visit(
        Rules{
            [](std::string_view text) { return Json(text); },
            [](const Figure& figure) { return figure.value ? Json(*figure.value) : Json(nullptr); },
            [](const PipeCell& pipe) {
                return pipe.name.empty() ? Json(nullptr) : Json(pipe.name);
            },
            [](std::span<const Verdict> verdicts) {
                Json list = Json::array();
                for (const Verdict v : verdicts)
                    list.push_back(verdictCode(v));
                return list;
            },
        },
        value);
}

template <class Row, std::size_t N>
std::string windowRowOf(const std::array<ResultColumn<Row>, N>& columns, const Row& row) {
    std::string line;
    std::string_view tab;
    for (const ResultColumn<Row>* column : windowOrder(columns)) {
        line.append(tab).append(windowText(column->cell.read(row)));
        tab = "\t";
    }
    return line;
}

template <class Row, std::size_t N>
Json jsonOf(const std::array<ResultColumn<Row>, N>& columns, const Row& row) {
    Json object = Json::object();
    for (const ResultColumn<Row>& column : columns)
        object[std::string(column.key)] = scriptJson(column.cell.read(row));
    return object;
}

std::string csvLine(std::initializer_list<std::string> fields) {
    std::string line;
    std::string_view comma;
    for (const std::string& field : fields) {
        line.append(comma).append(field);
        comma = ",";
    }
    return line + "\n";
}

} // namespace

// The sheet holds the window's text. A figure is a number unless it is beyond the float range
// and shown as words; a name is a text as typed, so that "001" is not filed as the number 1.
sheet::Cell sheetCell(const Value& value) {
    std::string text = windowText(value);
    if (const auto* figure = std::get_if<Figure>(&value)) {
        const bool number = figure->value && std::isfinite(calc::storedFloat(*figure->value));
        return {number && text.starts_with(' ') ? text.substr(1) : text, number};
    }
    return {std::move(text), false};
}

std::string windowRow(const SegmentLine& line) {
    return windowRowOf(kSegmentColumns, line);
}

std::string windowRow(const NodeResult& node) {
    return windowRowOf(kNodeColumns, node);
}

std::string pipesCsv() {
    std::string csv = csvLine({"series", "pipe", "outer_mm", "wall_mm", "bore_mm"});
    for (const pipes::Series series : {pipes::Series::Seamless, pipes::Series::Welded}) {
        for (const pipes::CataloguePipe& pipe : pipes::catalogue(series)) {
            csv += csvLine({textField(pipes::seriesName(series)), textField(pipe.name),
                            calc::shortestText(pipe.outerMm), calc::shortestText(pipe.wallMm),
                            calc::shortestText(pipe.boreMm())});
        }
    }
    return csv;
}

std::string calcCsv(const Network& network, const Result& result) {
    std::string csv;
    for (const ResultColumn<SegmentLine>& column : kSegmentColumns)
        csv.append(csv.empty() ? "" : ",").append(column.key);
    csv += "\n";
    for (std::size_t i = 0; i < result.segments.size(); ++i) {
        const SegmentLine line{network.segments[i], result.segments[i]};
        std::string row;
        for (std::size_t c = 0; c < kSegmentColumns.size(); ++c)
            row.append(c == 0 ? "" : ",").append(scriptField(kSegmentColumns[c].cell.read(line)));
        csv += row + "\n";
    }
    return csv;
}

std::string calcJson(const Network& network, const Result& result) {
    Json segments = Json::array();
    for (std::size_t i = 0; i < result.segments.size(); ++i)
        segments.push_back(
            jsonOf(kSegmentColumns, SegmentLine{network.segments[i], result.segments[i]}));
    Json nodes = Json::array();
    for (const NodeResult& node : result.nodes)
        nodes.push_back(jsonOf(kNodeColumns, node));
    Json document;
    document["segments"] = std::move(segments);
    document["nodes"] = std::move(nodes);
    // The network's totals: what the source supplies, and with heat loss what the pipes lose.
    const auto orNull = [](std::optional<double> value) {
        return value ? Json(*value) : Json(nullptr);
    };
    document["totals"] = {{"sourceFlow", result.sourceFlow},
                          {"heatLoss", orNull(result.heatLoss)},
                          {"condensate", orNull(result.condensate)}};
    // The names were read from a JSON file and so are UTF-8; a byte that is not is replaced
    // rather than ending the program.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace network
