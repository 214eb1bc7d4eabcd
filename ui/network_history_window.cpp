#include "ui/network_window.h"

#include <string>
#include <string_view>
#include <utility>

// The network window's inputs wired as the steps of its history, and the 编辑 menu's undo and
// redo.
namespace ui {

namespace {

// A command's caption with the step it would take, its access key kept last.
std::string commandCaption(std::string_view command, const std::optional<std::string>& step) {
    std::string caption(command);
    if (step)
        caption += "“" + *step + "”";
    return caption;
}

} // namespace

void NetworkWindow::wireSteps() {
    auto& c = m_controls;
    auto& n = m_network;
    // Each step named for what the box holds, as its frame says it.
    const auto box = [&](controls::TextBox& edit, std::string_view handling, std::string name) {
        edit.onChange(traced(m_trace, handling, [this, &n, name] {
            step(name, true);
            n.Text_Change();
        }));
    };
    box(c.sourceNode, "Network.sourceNode_Change", "修改热源节点");
    box(c.sourcePressure, "Network.sourcePressure_Change", "修改热源压力");
    box(c.temperature, "Network.temperature_Change", "修改热源温度");
    box(c.roughness, "Network.roughness_Change", "修改粗糙度");
    box(c.limit, "Network.limit_Change", "修改比摩阻上限");
    box(c.title, "Network.title_Change", "修改标题");
    box(c.ambient, "Network.ambient_Change", "修改环境温度");
    box(c.wind, "Network.wind_Change", "修改风速");
    box(c.conductivity, "Network.conductivity_Change", "修改导热系数");
    box(c.emissivity, "Network.emissivity_Change", "修改外表面黑度");
    box(c.surfaceCoefficient, "Network.surfaceCoefficient_Change", "修改表面放热系数");
    box(c.factor, "Network.factor_Change", "修改附加系数");
    const auto click = [&](auto& control, std::string_view handling, std::string name,
                           void (NetworkHandlings::*handle)()) {
        control.onClick(traced(m_trace, handling, [this, &n, name, handle] {
            step(name);
            (n.*handle)();
        }));
    };
    click(c.heatOff, "Network.heatOff_Click", "改为不计散热", &NetworkHandlings::heat_Click);
    click(c.heatOn, "Network.heatOn_Click", "改为计入散热", &NetworkHandlings::heat_Click);
    click(c.material, "Network.material_Click", "修改保温材料", &NetworkHandlings::material_Click);
    click(c.operation, "Network.operation_Click", "修改运行方式", &NetworkHandlings::Text_Change);
    click(c.unit, "Network.unit_Click", "修改压力单位", &NetworkHandlings::unit_Click);
    click(c.series, "Network.series_Click", "修改管材", &NetworkHandlings::series_Click);
    click(c.saturated, "Network.saturated_Click", "改为饱和蒸汽", &NetworkHandlings::Option_Click);
    click(c.superheated, "Network.superheated_Click", "改为过热蒸汽",
          &NetworkHandlings::Option_Click);
    c.segments.onCellChange([this](int row, int column) {
        announce(m_trace, "Network.segments_CellChange");
        // Undone, the edited cell's row is current again.
        if (step("修改第 " + std::to_string(row + 1) + " 段的" +
                 std::string(network::kGridColumns[static_cast<std::size_t>(column)].heading)))
            m_rowBefore = row;
        m_network.segments_CellChange(row, column);
    });
}

bool NetworkWindow::step(std::string name, bool typing) {
    // The program's own writes to the controls (a row filled, a pipe spelt) are within a step
    // already named, and tell nothing of it.
    if (!m_network.nameStep(std::move(name)))
        return false;
    m_typing = typing;
    m_rowBefore = m_controls.segments.currentRow();
    return true;
}

void NetworkWindow::changed(const network::NetworkTexts& texts, const std::string& step) {
    m_document.texts = texts;
    // A change no handling named is still the user's where it is no filling of the program's
    // (opening a file starts the history again after it): named by what it is.
    if (!m_restoring)
        m_history.record(step.empty() ? "修改" : step, texts, m_rowBefore,
                         m_controls.segments.currentRow(), m_typing);
    m_typing = false;
    retitle();
    showHistory();
}

void NetworkWindow::resetHistory() {
    m_history.reset(m_document.texts);
    showHistory();
}

void NetworkWindow::showHistory() {
    auto& c = m_controls;
    const std::optional<std::string> undo = m_history.undoName();
    const std::optional<std::string> redo = m_history.redoName();
    c.undo.setCaption(commandCaption("撤销", undo) + "(&U)");
    c.undo.setEnabled(undo.has_value());
    c.redo.setCaption(commandCaption("重做", redo) + "(&R)");
    c.redo.setEnabled(redo.has_value());
}

void NetworkWindow::restore(std::optional<NetworkHistory::Restore> restore) {
    if (!restore)
        return;
    // A copy: the history's own texts are not to be read while the controls are filled.
    const network::NetworkTexts texts = restore->texts;
    m_restoring = true;
    m_network.restore(texts, restore->row);
    m_restoring = false;
    showHistory();
}

void NetworkWindow::undo_Click() {
    announce(m_trace, "Network.undo_Click");
    restore(m_history.undo());
}

void NetworkWindow::redo_Click() {
    announce(m_trace, "Network.redo_Click");
    restore(m_history.redo());
}

} // namespace ui
