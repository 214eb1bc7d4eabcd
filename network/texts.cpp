#include "network/texts.h"

#include "calc/numbers.h"
#include "network/faults.h"
#include "pipes/catalogue.h"
#include "steam/properties.h"

#include <algorithm>
#include <utility>
#include <variant>

namespace network {

namespace {

// The file's name of the pipe a cell names, as pipes::pipeNamed spells it; a text that names no
// pipe with the file's plain x for the window's ×, so that its fault quotes it so.
std::string pipeOfCell(std::string_view cell) {
    std::string pipe = trimmed(cell);
    if (pipe == kAutoShown)
        return std::string(kAutoPipe);
    if (const pipes::PipeLookup lookup = pipes::pipeNamed(pipe); lookup.pipe)
        return lookup.pipe->name;
    for (std::size_t at; (at = pipe.find("×")) != std::string::npos;)
        pipe.replace(at, std::string_view("×").size(), "x");
    return pipe;
}

// A segment's fields in the grid's order of Column, which is also the order validate checks them.
constexpr std::array<std::string_view, kColumns> kSegmentFields{"name",
                                                                "from",
                                                                "to",
                                                                "length",
                                                                "localLoss",
                                                                "pipe",
                                                                "load",
                                                                "requiredPressure",
                                                                "insulation",
                                                                "laying",
                                                                "requiredTemperature"};

// Where a fault lies, in the order validate looks: the network's fields, then each segment's.
// The network's own fields rank before a segment's, so that a field's rank orders both; the
// network's count as the segment before the first (the unsigned -1 plus one).
std::size_t placeOf(const Fault& fault) {
    static constexpr std::string_view kNetworkFields[] = {"title",
                                                          "source.node",
                                                          "source.unit",
                                                          "source.pressure",
                                                          "source.temperature",
                                                          "roughness",
                                                          "series",
                                                          "maxSpecificLoss",
                                                          "heatLoss.ambient",
                                                          "heatLoss.wind",
                                                          "heatLoss.insulation",
                                                          "heatLoss.emissivity",
                                                          "heatLoss.surfaceCoefficient",
                                                          "heatLoss.factor",
                                                          "heatLoss.operation"};
    const auto rankIn = [&](const auto& fields) {
        return static_cast<std::size_t>(
            std::find(std::begin(fields), std::end(fields), fault.field) - std::begin(fields));
    };
    std::size_t rank = rankIn(kNetworkFields);
    if (rank == std::size(kNetworkFields))
        rank += rankIn(kSegmentFields);
    return (fault.segment.value_or(std::size_t(-1)) + 1) *
               (std::size(kNetworkFields) + kSegmentFields.size()) +
           rank;
}

// The grid's column of a segment's field.
std::optional<Column> columnOf(std::string_view field) {
    const auto found = std::find(kSegmentFields.begin(), kSegmentFields.end(), field);
    if (found == kSegmentFields.end())
        return std::nullopt;
    return static_cast<Column>(found - kSegmentFields.begin());
}

std::optional<CellPlace> cellOf(const Fault& fault) {
    const std::optional<Column> column = columnOf(fault.field);
    if (!fault.segment || !column)
        return std::nullopt;
    return CellPlace{*fault.segment, *column};
}

// The earlier segment whose `key` equals the segment's at `index`, the first of them.
template <class Key>
std::optional<std::size_t> firstLike(const Network& network, std::size_t index, Key key) {
    for (std::size_t i = 0; i < index; ++i)
        if (key(network.segments[i]) == key(network.segments[index]))
            return i;
    return std::nullopt;
}

// A segment's fault that its own cells do not make is one the checks against the other segments
// found; which of them, its column says, as validate checks each column against the others once.
std::optional<FaultTie> tieOf(const Network& network, const CellPlace& place,
                              const std::vector<Fault>& own) {
    for (const Fault& fault : own)
        if (cellOf(fault) == place)
            return std::nullopt;
    switch (place.column) {
    case Name:
        return FaultTie{Tie::SameName,
                        firstLike(network, place.row, [](const Segment& s) { return s.name; })};
    case From:
        return FaultTie{Tie::Unreached, std::nullopt};
    case To:
        return FaultTie{Tie::SecondFeeder,
                        firstLike(network, place.row, [](const Segment& s) { return s.to; })};
    default:
        return std::nullopt;
    }
}

std::string faultWords(const Network& network, const Fault& fault) {
    if (!fault.segment)
        return fault.why;
    std::string where = segmentNumber(*fault.segment);
    const std::string& name = network.segments[*fault.segment].name;
    if (!name.empty())
        where += "“" + name + "”";
    return placedFault(where, fault.why);
}

// Reads the texts into a network; a box that is no number leaves its field 0 and keeps its
// fault, with its place, in the order of the fields.
class FieldReader {
public:
    void number(const std::string& text, std::string_view name, Fault where, double& into,
                std::string_view suffix = {}) {
        const calc::BoxNumber read = calc::boxNumber(text, name, suffix);
        if (read.fault.empty())
            into = read.value;
        else
            keep(std::move(where), read.fault);
    }
    void optionalNumber(const std::string& text, std::string_view name, Fault where,
                        std::optional<double>& into) {
        const calc::BoxNumber read = calc::boxNumber(text, name);
        if (read.blank)
            into.reset();
        else if (read.fault.empty())
            into = read.value;
        else
            keep(std::move(where), read.fault);
    }
    void keep(Fault where, std::string why) {
        where.why = std::move(why);
        m_faults.push_back(std::move(where));
    }
    std::vector<Fault>& faults() { return m_faults; }

private:
    std::vector<Fault> m_faults;
};

Fault top(std::string field) {
    return {std::move(field), std::nullopt, {}};
}

Fault at(std::string field, std::size_t segment) {
    return {std::move(field), segment, {}};
}

std::string optionalText(const std::optional<double>& value) {
    return value ? calc::shortestText(*value) : std::string();
}

// The place of `text` among a list's words, or none.
template <std::size_t N>
std::optional<std::size_t> placeIn(const std::array<std::string_view, N>& words,
                                   std::string_view text) {
    const auto found = std::find(words.begin(), words.end(), text);
    if (found == words.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - words.begin());
}

HeatTexts heatTextsOf(const HeatLoss& heat) {
    HeatTexts texts;
    texts.on = true;
    texts.ambient = calc::shortestText(heat.air.ambient);
    texts.wind = calc::shortestText(heat.air.wind);
    if (const double* conductivity = std::get_if<double>(&heat.insulation)) {
        texts.material = kMaterialShown.back();
        texts.conductivity = calc::shortestText(*conductivity);
    } else {
        texts.material =
            kMaterialShown[static_cast<std::size_t>(std::get<heat::Material>(heat.insulation))];
    }
    texts.emissivity = calc::shortestText(heat.air.emissivity);
    texts.surfaceCoefficient = optionalText(heat.air.surfaceCoefficient);
    texts.factor = calc::shortestText(heat.factor);
    texts.operation = kOperationShown[static_cast<std::size_t>(heat.operation)];
    return texts;
}

HeatLoss readHeatTexts(const HeatTexts& texts, FieldReader& reader) {
    HeatLoss heat;
    reader.number(texts.ambient, "环境温度", top("heatLoss.ambient"), heat.air.ambient);
    reader.number(texts.wind, "风速", top("heatLoss.wind"), heat.air.wind);
    const std::optional<std::size_t> material = placeIn(kMaterialShown, texts.material);
    if (!material)
        reader.keep(top("heatLoss.insulation"), "请选择保温材料");
    else if (*material + 1 == kMaterialShown.size()) {
        double conductivity = 0;
        reader.number(texts.conductivity, "导热系数", top("heatLoss.insulation"), conductivity);
        heat.insulation = conductivity;
    } else
        heat.insulation = static_cast<heat::Material>(*material);
    reader.number(texts.emissivity, "外表面黑度", top("heatLoss.emissivity"), heat.air.emissivity);
    reader.optionalNumber(texts.surfaceCoefficient, "表面放热系数",
                          top("heatLoss.surfaceCoefficient"), heat.air.surfaceCoefficient);
    reader.number(texts.factor, "散热附加系数", top("heatLoss.factor"), heat.factor);
    if (const std::optional<std::size_t> operation = placeIn(kOperationShown, texts.operation))
        heat.operation = static_cast<heat::Operation>(*operation);
    else
        reader.keep(top("heatLoss.operation"), "请选择运行方式");
    return heat;
}

} // namespace

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

PipeCellText pipeCell(std::string_view typed) {
    const std::string pipe = pipeOfCell(typed);
    if (pipe == kAutoPipe)
        return {std::string(kAutoShown), true};
    const pipes::PipeLookup lookup = pipes::pipeNamed(pipe);
    if (!lookup.pipe)
        return {std::string(typed), true};
    return {pipes::shownPipeName(lookup.pipe->name), lookup.pipe->inSeries};
}

NetworkTexts textsOf(const Network& network) {
    const Source& source = network.source;
    NetworkTexts texts;
    texts.node = source.node;
    texts.pressure = calc::shortestText(source.pressure);
    texts.unit = unitLabel(source.unit);
    texts.superheated = source.superheated;
    // A saturated network has no temperature (a file gives none): its disabled box is left
    // empty, not 0.
    texts.temperature = source.superheated ? calc::shortestText(source.temperature) : std::string();
    texts.roughness = calc::shortestText(network.roughness);
    texts.series = pipes::seriesShown(network.series);
    texts.limit = optionalText(network.maxSpecificLoss);
    texts.title = network.title;
    if (network.heatLoss)
        texts.heat = heatTextsOf(*network.heatLoss);
    for (const Segment& s : network.segments) {
        SegmentTexts& cells = texts.segments.emplace_back();
        cells[Name] = s.name;
        cells[From] = s.from;
        cells[To] = s.to;
        cells[Length] = calc::shortestText(s.length);
        cells[LocalLoss] = calc::shortestText(s.localLoss);
        cells[Pipe] = s.pipe == kAutoPipe ? std::string(kAutoShown) : pipeCell(s.pipe).shown;
        cells[Load] = calc::shortestText(s.load);
        cells[Required] = optionalText(s.requiredPressure);
        cells[Thickness] = calc::shortestText(s.insulation);
        cells[Laid] = kLayingShown[static_cast<std::size_t>(s.laying)];
        cells[RequiredTemperature] = optionalText(s.requiredTemperature);
    }
    return texts;
}

TextReading readTexts(const NetworkTexts& texts) {
    FieldReader reader;
    Network network;
    network.title = texts.title;
    Source& source = network.source;
    source.node = trimmed(texts.node);
    const auto unit = std::find_if(steam::kPressureUnits.begin(), steam::kPressureUnits.end(),
                                   [&](const auto& u) { return u.label == texts.unit; });
    if (unit == steam::kPressureUnits.end())
        reader.keep(top("source.unit"), "请选择压力的单位");
    else
        source.unit = *unit;
    reader.number(texts.pressure, "热源压力", top("source.pressure"), source.pressure);
    source.superheated = texts.superheated;
    if (texts.superheated) {
        reader.number(texts.temperature, "热源温度", top("source.temperature"), source.temperature);
    }
    // Saturated steam has none: whatever its disabled box holds, a file holds no temperature.
    reader.number(texts.roughness, "粗糙度", top("roughness"), network.roughness);
    if (const std::optional<pipes::Series> series = pipes::seriesShownAs(texts.series))
        network.series = *series;
    else
        reader.keep(top("series"), "请选择管材");
    reader.optionalNumber(texts.limit, "比摩阻上限", top("maxSpecificLoss"),
                          network.maxSpecificLoss);
    // Off, the group's boxes are not read: what they hold waits for heat loss to be on again.
    if (texts.heat.on)
        network.heatLoss = readHeatTexts(texts.heat, reader);

    for (std::size_t i = 0; i < texts.segments.size(); ++i) {
        const SegmentTexts& cells = texts.segments[i];
        Segment& s = network.segments.emplace_back();
        s.name = trimmed(cells[Name]);
        s.from = trimmed(cells[From]);
        s.to = trimmed(cells[To]);
        reader.number(cells[Length], "长度", at("length", i), s.length);
        reader.number(cells[LocalLoss], "局部损失", at("localLoss", i), s.localLoss, "%");
        s.pipe = pipeOfCell(cells[Pipe]);
        if (s.pipe.empty())
            reader.keep(at("pipe", i), "请选择管子，或选“自动”");
        reader.number(cells[Load], "负荷", at("load", i), s.load);
        reader.optionalNumber(cells[Required], "要求压力", at("requiredPressure", i),
                              s.requiredPressure);
        // Read whether heat loss is on or not: the file keeps them either way.
        reader.number(cells[Thickness], "保温厚度", at("insulation", i), s.insulation, "mm");
        if (const std::optional<std::size_t> laying = placeIn(kLayingShown, trimmed(cells[Laid])))
            s.laying = static_cast<heat::Laying>(*laying);
        else
            reader.keep(at("laying", i), "请选择敷设方式：架空或室内");
        reader.optionalNumber(cells[RequiredTemperature], "要求温度", at("requiredTemperature", i),
                              s.requiredTemperature);
    }

    // The first fault by place; at a tie the box's, which comes before the checks'.
    std::vector<Fault>& faults = reader.faults();
    const std::size_t read = faults.size();
    if (std::optional<Fault> invalid = validate(network))
        faults.push_back(std::move(*invalid));
    if (faults.empty())
        return {std::move(network), {}, {}, {}, {}};
    const auto first =
        std::min_element(faults.begin(), faults.end(),
                         [](const auto& a, const auto& b) { return placeOf(a) < placeOf(b); });
    TextReading reading{std::nullopt, faultWords(network, *first), cellOf(*first), {}, {}};
    // Each cell's own fault: a box's before the checks', as for the first; the first fault's
    // cell among them however it came.
    std::vector<Fault> own(faults.begin(), faults.begin() + static_cast<std::ptrdiff_t>(read));
    std::vector<Fault> checked = ownFaults(network);
    if (reading.place) {
        reading.tie = tieOf(network, *reading.place, checked);
        if (reading.tie)
            checked.push_back(*first);
    }
    own.insert(own.end(), checked.begin(), checked.end());
    std::stable_sort(own.begin(), own.end(),
                     [](const auto& a, const auto& b) { return placeOf(a) < placeOf(b); });
    for (const Fault& fault : own) {
        const std::optional<CellPlace> place = cellOf(fault);
        if (place && (reading.cells.empty() || !(reading.cells.back().place == *place)))
            reading.cells.push_back({*place, faultWords(network, fault)});
    }
    return reading;
}

} // namespace network
