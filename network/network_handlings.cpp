#include "network/network_handlings.h"

#include "calc/numbers.h"
#include "calc/recal.h"
#include "network/network_sheet.h"
#include "pipes/catalogue.h"
#include "steam/property_handlings.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <utility>

namespace network {

namespace {

using Look = controls::TableList::Look;

// An input's number as the shortest text that reads back as the same double, so that a file
// opened and saved again keeps every figure.
std::string inputText(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

// A result as the other windows show it: seven significant digits, its leading blank.
std::string shown(const std::optional<double>& value) {
    return value ? calc::fieldText(calc::storedFloat(*value), "") : std::string();
}

// A figure inside words: its number text without the sign position of a positive one.
std::string words(double value) {
    std::string text = calc::fieldText(calc::storedFloat(value), "");
    return text.starts_with(' ') ? text.substr(1) : text;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The file's plain x for the window's ×, as pipes::pipeNamed reads either.
std::string pipeOfCell(std::string_view cell) {
    std::string pipe = trimmed(cell);
    if (pipe == kAutoShown)
        return std::string(kAutoPipe);
    for (std::size_t at; (at = pipe.find("×")) != std::string::npos;)
        pipe.replace(at, std::string_view("×").size(), "x");
    return pipe;
}

std::string_view unitLabel(PressureUnit unit) {
    return steam::kPressureUnits[static_cast<std::size_t>(unit)].label;
}

// Where a fault lies, in the order validate looks: the network's fields, then each segment's.
// The network's own fields come first in the one list, so that a field's rank orders both; the
// network's count as the segment before the first (the unsigned -1 plus one).
std::size_t placeOf(const Fault& fault) {
    static constexpr std::string_view kFields[] = {"title",
                                                   "source.node",
                                                   "source.unit",
                                                   "source.pressure",
                                                   "source.temperature",
                                                   "roughness",
                                                   "series",
                                                   "maxSpecificLoss",
                                                   "name",
                                                   "from",
                                                   "to",
                                                   "length",
                                                   "localLoss",
                                                   "pipe",
                                                   "load",
                                                   "requiredPressure"};
    const std::size_t rank = static_cast<std::size_t>(
        std::find(std::begin(kFields), std::end(kFields), fault.field) - std::begin(kFields));
    return (fault.segment.value_or(std::size_t(-1)) + 1) * std::size(kFields) + rank;
}

std::string faultWords(const Network& network, const Fault& fault) {
    if (!fault.segment)
        return fault.why;
    std::string where = "第 " + std::to_string(*fault.segment + 1) + " 段";
    const std::string& name = network.segments[*fault.segment].name;
    if (!name.empty())
        where += "“" + name + "”";
    return where + "：" + fault.why;
}

// Reads the texts into a network; a box that is no number leaves its field 0 and keeps its
// fault, with its place, in the order of the fields.
class Reader {
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

// In the order of the verdicts' declaration.
constexpr std::string_view kVerdictWords[] = {"流速偏高", "流速偏低",     "比摩阻超限",
                                              "压力耗尽", "上游压力耗尽", "无合适管径"};

std::string_view verdictWords(Verdict verdict) {
    return kVerdictWords[static_cast<std::size_t>(verdict)];
}

// Appends an item to a list of them, after the separator when the list has one already.
void joinTo(std::string& list, std::string_view separator, std::string_view item) {
    list.append(list.empty() ? "" : separator).append(item);
}

std::string optionalText(const std::optional<double>& value) {
    return value ? inputText(*value) : std::string();
}

bool has(const SegmentResult& result, Verdict verdict) {
    return std::find(result.verdicts.begin(), result.verdicts.end(), verdict) !=
           result.verdicts.end();
}

} // namespace

NetworkTexts textsOf(const Network& network) {
    const Source& source = network.source;
    NetworkTexts texts;
    texts.node = source.node;
    texts.pressure = inputText(source.pressure);
    texts.unit = unitLabel(source.unit);
    texts.superheated = source.superheated;
    // A saturated network has no temperature (a file gives none): its disabled box is left
    // empty, not 0.
    texts.temperature = source.superheated ? inputText(source.temperature) : std::string();
    texts.roughness = inputText(network.roughness);
    texts.series = kSeriesItems[static_cast<std::size_t>(network.series)];
    texts.limit = optionalText(network.maxSpecificLoss);
    texts.title = network.title;
    for (const Segment& s : network.segments) {
        SegmentTexts& cells = texts.segments.emplace_back();
        cells[Name] = s.name;
        cells[From] = s.from;
        cells[To] = s.to;
        cells[Length] = inputText(s.length);
        cells[LocalLoss] = inputText(s.localLoss);
        if (s.pipe == kAutoPipe)
            cells[Pipe] = kAutoShown;
        else
            cells[Pipe] = pipes::shownPipeName(s.pipe);
        cells[Load] = inputText(s.load);
        cells[Required] = optionalText(s.requiredPressure);
    }
    return texts;
}

TextReading readTexts(const NetworkTexts& texts) {
    Reader reader;
    Network network;
    network.title = texts.title;
    Source& source = network.source;
    source.node = trimmed(texts.node);
    const auto unit = std::find_if(steam::kPressureUnits.begin(), steam::kPressureUnits.end(),
                                   [&](const auto& u) { return u.label == texts.unit; });
    if (unit == steam::kPressureUnits.end())
        reader.keep(top("source.unit"), "请选择压力的单位");
    else
        source.unit = static_cast<PressureUnit>(unit - steam::kPressureUnits.begin());
    reader.number(texts.pressure, "热源压力", top("source.pressure"), source.pressure);
    source.superheated = texts.superheated;
    if (texts.superheated) {
        reader.number(texts.temperature, "热源温度", top("source.temperature"), source.temperature);
    }
    // Saturated steam has none: whatever its disabled box holds, a file holds no temperature.
    reader.number(texts.roughness, "粗糙度", top("roughness"), network.roughness);
    const auto series = std::find(kSeriesItems.begin(), kSeriesItems.end(), texts.series);
    if (series == kSeriesItems.end())
        reader.keep(top("series"), "请选择管材");
    else
        network.series = static_cast<pipes::Series>(series - kSeriesItems.begin());
    reader.optionalNumber(texts.limit, "比摩阻上限", top("maxSpecificLoss"),
                          network.maxSpecificLoss);

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
    }

    // The first fault by place; at a tie the box's, which comes before the checks'.
    std::vector<Fault>& faults = reader.faults();
    if (std::optional<Fault> invalid = validate(network))
        faults.push_back(std::move(*invalid));
    if (faults.empty())
        return {std::move(network), {}};
    const auto first =
        std::min_element(faults.begin(), faults.end(),
                         [](const auto& a, const auto& b) { return placeOf(a) < placeOf(b); });
    return {std::nullopt, faultWords(network, *first)};
}

std::string segmentRow(const Segment& segment, const SegmentResult& r) {
    std::string pipe = pipes::shownPipeName(r.pipe);
    if (segment.pipe == kAutoPipe && !pipe.empty())
        pipe += "（自动）";
    std::string verdict;
    for (Verdict v : r.verdicts)
        joinTo(verdict, "，", verdictWords(v));
    if (verdict.empty())
        verdict = "适宜";
    std::string row = segment.name + "\t" + pipe;
    for (const std::optional<double>& figure :
         {r.shownBore(), std::optional<double>(r.flow), r.pIn, r.pOut, r.densityIn, r.densityOut,
          r.velocityIn, r.velocityOut, r.specificLoss, r.pressureDrop})
        row += "\t" + shown(figure);
    return row + "\t" + verdict;
}

// Every verdict but a low velocity is one against the segment.
std::optional<Look> segmentLook(const SegmentResult& result) {
    if (result.verdicts.empty())
        return std::nullopt;
    const bool low = std::all_of(result.verdicts.begin(), result.verdicts.end(),
                                 [](Verdict v) { return v == Verdict::VelocityBelow; });
    return low ? Look::Below : Look::Above;
}

std::string nodeRow(const NodeResult& node) {
    return node.name + "\t" + shown(node.pressure) + "\t" + shown(node.required) + "\t" +
           shown(node.margin);
}

std::optional<Look> nodeLook(const Result& result, std::size_t index) {
    const NodeResult& node = result.nodes[index];
    // The source's pressure is the one always known.
    if ((node.margin && *node.margin < 0) || (index > 0 && !node.pressure))
        return Look::Above;
    if (result.worstNode == index)
        return Look::Recommended;
    return std::nullopt;
}

Status resultStatus(const Network& network, const Result& result) {
    Status status;
    const std::string_view unit = unitLabel(network.source.unit);
    if (result.worstNode) {
        const NodeResult& worst = result.nodes[*result.worstNode];
        status.text = "最不利用户：" + worst.name + "，";
        if (worst.pressure)
            status.text += "压力 " + words(*worst.pressure) + " " + std::string(unit);
        else
            status.text += "压力耗尽";
        if (worst.required)
            status.text += "，要求 " + words(*worst.required);
        if (worst.margin)
            status.text += "，余量 " + words(*worst.margin);
    } else {
        status.text = "共 " + std::to_string(result.segments.size()) + " 个管段";
    }
    // Each verdict that needs a look, with the segments it stands against.
    for (Verdict v :
         {Verdict::PressureExhausted, Verdict::UpstreamExhausted, Verdict::NoSuitablePipe,
          Verdict::LossAboveLimit, Verdict::VelocityAbove, Verdict::VelocityBelow}) {
        std::string names;
        for (std::size_t i = 0; i < result.segments.size(); ++i)
            if (has(result.segments[i], v))
                joinTo(names, "、", network.segments[i].name);
        if (names.empty())
            continue;
        status.text += "。" + std::string(verdictWords(v)) + "：管段 " + names;
        status.warned = status.warned || v != Verdict::VelocityBelow;
    }
    std::string short_;
    for (const NodeResult& node : result.nodes)
        if (node.margin && *node.margin < 0)
            joinTo(short_, "、", node.name);
    if (!short_.empty()) {
        status.text += "。压力低于要求：节点 " + short_;
        status.warned = true;
    }
    return status;
}

void NetworkHandlings::fillLists() {
    int index = 0;
    for (const steam::PressureUnit& unit : steam::kPressureUnits)
        m_controls.unit.addItem(unit.label, index++);
    index = 0;
    for (std::string_view series : kSeriesItems)
        m_controls.series.addItem(series, index++);
}

void NetworkHandlings::show(const NetworkTexts& texts) {
    auto& c = m_controls;
    m_filling = true;
    c.node.setText(texts.node);
    c.pressure.setText(texts.pressure);
    c.unit.setText(texts.unit);
    (texts.superheated ? c.superheated : c.saturated).setChecked(true);
    c.temperature.setText(texts.temperature);
    c.temperature.setEnabled(texts.superheated);
    c.roughness.setText(texts.roughness);
    c.series.setText(texts.series);
    pipeItems();
    c.limit.setText(texts.limit);
    c.title.setText(texts.title);
    const int rows = static_cast<int>(texts.segments.size());
    while (c.segments.rowCount() > rows)
        c.segments.removeRow(c.segments.rowCount() - 1);
    while (c.segments.rowCount() < rows)
        c.segments.insertRow(c.segments.rowCount());
    for (int row = 0; row < rows; ++row)
        setRow(row, texts.segments[static_cast<std::size_t>(row)]);
    m_filling = false;
    calculate();
}

void NetworkHandlings::Option_Click() {
    m_controls.temperature.setEnabled(m_controls.superheated.isChecked());
    calculate();
}

void NetworkHandlings::Combo2_Click() {
    pipeItems();
    calculate();
}

void NetworkHandlings::Grid1_CellChange(int, int) {
    calculate();
}

void NetworkHandlings::pipeItems() {
    const auto series =
        std::find(kSeriesItems.begin(), kSeriesItems.end(), m_controls.series.text());
    std::vector<std::string> items;
    items.emplace_back(kAutoShown);
    if (series != kSeriesItems.end())
        for (const pipes::CataloguePipe& pipe :
             pipes::catalogue(static_cast<pipes::Series>(series - kSeriesItems.begin())))
            items.push_back(pipes::shownPipeName(pipe.name));
    m_controls.segments.setColumnItems(Pipe, items);
}

void NetworkHandlings::setRow(int row, const SegmentTexts& cells) {
    const bool filling = std::exchange(m_filling, true);
    for (int column = 0; column < kColumns; ++column)
        m_controls.segments.setCell(row, column, cells[static_cast<std::size_t>(column)]);
    m_filling = filling;
}

void NetworkHandlings::addSegment() {
    controls::Grid& grid = m_controls.segments;
    const int current = grid.currentRow();
    const int rows = grid.rowCount();
    std::set<std::string> used;
    used.insert(trimmed(m_controls.node.text()));
    for (int row = 0; row < rows; ++row)
        for (Column column : {Name, From, To})
            used.insert(trimmed(grid.cell(row, column)));
    // Segments and their end nodes numbered alike, each number one that names nothing yet.
    int number = rows + 1;
    while (used.contains(std::to_string(number)))
        ++number;
    std::string from;
    if (current >= 0)
        from = trimmed(grid.cell(current, To));
    if (from.empty())
        from = trimmed(m_controls.node.text());
    const std::string name = std::to_string(number);
    const int at = current >= 0 ? current + 1 : rows;
    grid.insertRow(at);
    setRow(at, {name, from, name, "100", "30", std::string(kAutoShown), "0", ""});
    grid.setCurrentRow(at);
    calculate();
}

void NetworkHandlings::removeSegment() {
    controls::Grid& grid = m_controls.segments;
    const int current = grid.currentRow();
    if (current < 0)
        return;
    grid.removeRow(current);
    if (grid.rowCount() > 0)
        grid.setCurrentRow(std::min(current, grid.rowCount() - 1));
    calculate();
}

void NetworkHandlings::moveSegment(int by) {
    controls::Grid& grid = m_controls.segments;
    const int current = grid.currentRow();
    const int target = current + by;
    if (current < 0 || target < 0 || target >= grid.rowCount())
        return;
    SegmentTexts here, there;
    for (int column = 0; column < kColumns; ++column) {
        here[static_cast<std::size_t>(column)] = grid.cell(current, column);
        there[static_cast<std::size_t>(column)] = grid.cell(target, column);
    }
    setRow(current, there);
    setRow(target, here);
    grid.setCurrentRow(target);
    calculate();
}

std::optional<std::size_t> NetworkHandlings::selectedSegment() const {
    // The table holds a row a segment only while a network is computed, and none selected (-1)
    // is beyond every row as an unsigned index.
    const int index = m_controls.results.selectedIndex();
    if (static_cast<std::size_t>(index) >= m_result.segments.size())
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

NetworkTexts NetworkHandlings::read() const {
    const auto& c = m_controls;
    NetworkTexts texts;
    texts.node = c.node.text();
    texts.pressure = c.pressure.text();
    texts.unit = c.unit.text();
    texts.superheated = c.superheated.isChecked();
    texts.temperature = c.temperature.text();
    texts.roughness = c.roughness.text();
    texts.series = c.series.text();
    texts.limit = c.limit.text();
    texts.title = c.title.text();
    for (int row = 0; row < c.segments.rowCount(); ++row) {
        SegmentTexts& cells = texts.segments.emplace_back();
        for (int column = 0; column < kColumns; ++column)
            cells[static_cast<std::size_t>(column)] = c.segments.cell(row, column);
    }
    return texts;
}

void NetworkHandlings::calculate() {
    if (m_filling)
        return;
    auto& c = m_controls;
    const NetworkTexts texts = read();
    // The row the user selected stays selected while the table is filled anew.
    const int selected = c.results.selectedIndex();
    c.results.clear();
    c.nodes.clear();
    m_network.reset();
    m_result = {};
    c.unitNote.setCaption("表中压力的单位：" + texts.unit);
    TextReading reading = readTexts(texts);
    if (reading.network && reading.network->segments.empty()) {
        c.status.setStatus("管网中还没有管段：点击“添加”输入第一段", false);
        c.handOff.setEnabled(false);
    } else if (reading.network) {
        m_result = solve(*reading.network);
        // Empty when it is solved; else the steam left the range on its way.
        reading.fault = m_result.fault;
        if (reading.fault.empty())
            m_network = std::move(reading.network);
    }
    if (!m_network) {
        if (!reading.fault.empty()) {
            c.status.setStatus(reading.fault, true);
            c.handOff.setEnabled(false);
        }
        m_changed(texts);
        return;
    }
    const Network& network = *m_network;
    for (std::size_t i = 0; i < m_result.segments.size(); ++i) {
        c.results.addItem(segmentRow(network.segments[i], m_result.segments[i]),
                          static_cast<int>(i));
        if (const std::optional<Look> look = segmentLook(m_result.segments[i]))
            c.results.setRowLook(static_cast<int>(i), *look);
    }
    for (std::size_t i = 0; i < m_result.nodes.size(); ++i) {
        c.nodes.addItem(nodeRow(m_result.nodes[i]), static_cast<int>(i));
        if (const std::optional<Look> look = nodeLook(m_result, i))
            c.nodes.setRowLook(static_cast<int>(i), *look);
    }
    // None selected (-1) is beyond every row as an unsigned index.
    if (static_cast<std::size_t>(selected) < m_result.segments.size())
        c.results.showRow(selected);
    const Status status = resultStatus(network, m_result);
    c.status.setStatus(status.text, status.warned);
    c.handOff.setEnabled(true);
    m_changed(texts);
}

std::optional<sheet::Sheet> NetworkHandlings::sheet(std::string_view date) const {
    if (!m_network || !m_result.fault.empty())
        return std::nullopt;
    return networkSheet(*m_network, m_result, date);
}

} // namespace network
