#include "ui/sizing_window.h"

#include "calc/messages.h"
#include "calc/recal.h"

namespace ui {

SizingWindowControls SizingWindowControls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .mainFlow = set.get<controls::Label>("mainFlow"),
        .mainDensity = set.get<controls::Label>("mainDensity"),
        .mainRoughness = set.get<controls::Label>("mainRoughness"),
        .series = set.get<controls::DropDownList>("series"),
        .steam = set.get<controls::DropDownList>("steam"),
        .length = set.get<controls::TextBox>("length"),
        .localLoss = set.get<controls::TextBox>("localLoss"),
        .limit = set.get<controls::TextBox>("limit"),
        .table = set.get<controls::TableList>("table"),
        .status = set.get<controls::StatusText>("status"),
        .choose = set.get<controls::PushButton>("choose"),
        .back = set.get<controls::PushButton>("back"),
        .exportSheet = set.get<controls::MenuCommand>("exportSheet"),
        .exportPdf = set.get<controls::MenuCommand>("exportPdf"),
        .print = set.get<controls::MenuCommand>("print"),
        .messages = set.get<controls::MessageBox>("messages"),
        .files = set.get<controls::FileDialogs>("files"),
        .sheet = set.get<controls::SheetOutput>("sheet"),
    };
}

SizingWindow::SizingWindow(SizingWindowControls controls, const calc::CalcState& main,
                           MainWindowPipe pipe, std::optional<pipes::KnownSteam> steam,
                           std::optional<SizingInputs>& remembered, controls::Window& form1,
                           std::function<void()> unload, HandlingTrace trace)
    : m_controls(controls), m_main(main), m_pipe(pipe), m_remembered(remembered), m_form1(form1),
      m_unload(std::move(unload)), m_trace(std::move(trace)), m_status(controls.status),
      m_sizing(main, steam,
               {.series = controls.series,
                .steam = controls.steam,
                .length = controls.length,
                .fraction = controls.localLoss,
                .limit = controls.limit,
                .table = controls.table,
                .status = m_status,
                .choose = controls.choose}) {
    auto& c = m_controls;
    auto& s = m_sizing;
    c.series.onClick(traced(m_trace, "Sizing.series_Click", [&s] { s.series_Click(); }));
    c.steam.onClick(traced(m_trace, "Sizing.steam_Click", [&s] { s.steam_Click(); }));
    c.length.onChange(traced(m_trace, "Sizing.length_Change", [&s] { s.length_Change(); }));
    c.localLoss.onChange(
        traced(m_trace, "Sizing.localLoss_Change", [&s] { s.localLoss_Change(); }));
    c.limit.onChange(traced(m_trace, "Sizing.limit_Change", [&s] { s.limit_Change(); }));
    c.table.onDoubleClick([this] { table_DblClick(); });
    c.choose.onClick([this] { choose_Click(); });
    c.back.onClick([this] { back_Click(); });
    c.exportSheet.onClick(
        [this] { sheetCommand(SheetCommand::Export, "Sizing.exportSheet_Click"); });
    c.exportPdf.onClick([this] { sheetCommand(SheetCommand::Pdf, "Sizing.exportPdf_Click"); });
    c.print.onClick([this] { sheetCommand(SheetCommand::Print, "Sizing.print_Click"); });
    c.window.onClose([this] { m_unload(); });
}

void SizingWindow::Form_Load() {
    announce(m_trace, "Sizing.Form_Load");
    auto& c = m_controls;
    c.mainFlow.setCaption(calc::fieldText(m_main.flow, calc::kResultUnits.flow));
    c.mainDensity.setCaption(m_main.density > 0
                                 ? calc::fieldText(m_main.density, calc::kResultUnits.density)
                                 : std::string(calc::kDensityMissing));
    c.mainRoughness.setCaption(calc::millimetreText(m_main.roughness));
    // The boxes before the lists: the table waits for both lists, so it is filled once.
    if (m_remembered) {
        c.length.setText(m_remembered->length);
        c.localLoss.setText(m_remembered->percent);
        c.limit.setText(m_remembered->limit);
    }
    int index = 0;
    for (pipes::Series series : ui::kSizingSeries)
        c.series.addItem(pipes::seriesShown(series), index++);
    index = 0;
    for (std::string_view item : kSteamItems)
        c.steam.addItem(item, index++);
    // The series last used; at first the main window's, and for a custom bore, which belongs
    // to no series, the welded one.
    c.series.setText(m_remembered
                         ? std::string_view(m_remembered->series)
                         : pipes::seriesShown(m_pipe.seamless.isChecked() ? pipes::Series::Seamless
                                                                          : pipes::Series::Welded));
    // Steam whose kind is known is that kind, whatever the list said last time.
    const std::optional<pipes::KnownSteam>& steam = m_sizing.knownSteam();
    c.steam.setText(steam          ? kSteamItems[static_cast<std::size_t>(steam->kind)]
                    : m_remembered ? std::string_view(m_remembered->steam)
                                   : kSteamItems[0]);
}

void SizingWindow::handBack() {
    const pipes::SizingRow* row = m_sizing.selectedRow();
    if (!row)
        return;
    // Through the main window's own controls, so that its handlings run as for a user's picks.
    if (row->wall.empty()) {
        m_pipe.welded.setChecked(true);
        m_pipe.dn.setText(row->size);
    } else {
        m_pipe.seamless.setChecked(true);
        m_pipe.outer.setText(row->size);
        m_pipe.wall.setText(row->wall);
    }
    m_unload();
}

void SizingWindow::table_DblClick() {
    announce(m_trace, "Sizing.table_DblClick");
    handBack();
}

void SizingWindow::choose_Click() {
    announce(m_trace, "Sizing.choose_Click");
    handBack();
}

void SizingWindow::back_Click() {
    announce(m_trace, "Sizing.back_Click");
    m_unload();
}

void SizingWindow::sheetCommand(SheetCommand command, std::string_view handling) {
    announce(m_trace, handling);
    ui::sheetCommand(command, m_sizing.sheet(m_controls.sheet.today()),
                     {.files = m_controls.files,
                      .messages = m_controls.messages,
                      .output = m_controls.sheet,
                      .status = m_status},
                     "管径选择");
}

void SizingWindow::Form_Unload() {
    announce(m_trace, "Sizing.Form_Unload");
    auto& c = m_controls;
    m_remembered = SizingInputs{.length = c.length.text(),
                                .percent = c.localLoss.text(),
                                .limit = c.limit.text(),
                                .series = c.series.text(),
                                .steam = c.steam.text()};
    m_form1.show();
}

} // namespace ui
