#include "ui/network_window.h"

#include "calc/messages.h"
#include "files/save.h"
#include "network/segment_rows.h"

#include <array>
#include <string_view>

// The grid's commands as the window hands them on: the clipboard is the window's, the rows'
// work the handlings'.
namespace ui {

namespace {

struct CommandName {
    controls::GridCommand command;
    std::string_view handling;
};
constexpr std::array<CommandName, 8> kCommandNames{{
    {controls::GridCommand::Cut, "Network.segments_Cut"},
    {controls::GridCommand::Copy, "Network.segments_Copy"},
    {controls::GridCommand::Paste, "Network.segments_Paste"},
    {controls::GridCommand::InsertRow, "Network.segments_InsertRow"},
    {controls::GridCommand::RemoveRows, "Network.segments_RemoveRows"},
    {controls::GridCommand::MoveUp, "Network.segments_MoveUp"},
    {controls::GridCommand::MoveDown, "Network.segments_MoveDown"},
    {controls::GridCommand::Clear, "Network.segments_Clear"},
}};

} // namespace

void NetworkWindow::segments_Command(controls::GridCommand command) {
    for (const CommandName& name : kCommandNames)
        if (name.command == command)
            announce(m_trace, name.handling);
    using controls::GridCommand;
    switch (command) {
    case GridCommand::Cut:
    case GridCommand::Copy:
        if (const std::optional<std::string> text = m_network.copyText())
            m_controls.clipboard.setText(*text);
        if (command == GridCommand::Cut)
            m_network.cutSelection();
        return;
    case GridCommand::Paste:
        return m_network.pasteRows(m_controls.clipboard.text(),
                                   NetworkHandlings::Placement::AtSelection);
    case GridCommand::InsertRow:
        return m_network.addSegment();
    case GridCommand::RemoveRows:
        return m_network.removeSegments();
    case GridCommand::MoveUp:
        return m_network.moveSegment(-1);
    case GridCommand::MoveDown:
        return m_network.moveSegment(1);
    case GridCommand::Clear:
        return m_network.clearSelection();
    }
}

void NetworkWindow::importRows_Click() {
    announce(m_trace, "Network.importRows_Click");
    const std::string path = m_controls.files.openPath("导入管段", "逗号分隔的表格 (*.csv)");
    if (path.empty())
        return;
    const network::SegmentFileReading reading = network::loadSegmentRows(files::pathOf(path));
    if (!reading.rows)
        return m_controls.messages.show(reading.fault, calc::kErrorTitle);
    m_network.importRows(*reading.rows);
}

} // namespace ui
