#include "ui/form4.h"

#include "calc/messages.h"
#include "calc/recal.h"

namespace ui {

Form4Controls Form4Controls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .label1 = set.get<controls::Label>("Label1"),
        .label2 = set.get<controls::Label>("Label2"),
        .label3 = set.get<controls::Label>("Label3"),
        .combo1 = set.get<controls::DropDownList>("Combo1"),
        .combo2 = set.get<controls::DropDownList>("Combo2"),
        .text1 = set.get<controls::TextBox>("Text1"),
        .text2 = set.get<controls::TextBox>("Text2"),
        .text3 = set.get<controls::TextBox>("Text3"),
        .list1 = set.get<controls::TableList>("List1"),
        .label4 = set.get<controls::StatusText>("Label4"),
        .command1 = set.get<controls::PushButton>("Command1"),
        .command2 = set.get<controls::PushButton>("Command2"),
        .mnuExport = set.get<controls::MenuCommand>("mnuExport"),
        .mnuPdf = set.get<controls::MenuCommand>("mnuPdf"),
        .mnuPrint = set.get<controls::MenuCommand>("mnuPrint"),
        .messages = set.get<controls::MessageBox>("messages"),
        .files = set.get<controls::FileDialogs>("files"),
        .sheet = set.get<controls::SheetOutput>("sheet"),
    };
}

Form4::Form4(Form4Controls controls, const calc::CalcState& main, MainWindowPipe pipe,
             std::optional<pipes::KnownSteam> steam, std::optional<SizingInputs>& remembered,
             controls::Window& form1, std::function<void()> unload, HandlingTrace trace)
    : m_controls(controls), m_main(main), m_pipe(pipe), m_remembered(remembered), m_form1(form1),
      m_unload(std::move(unload)), m_trace(std::move(trace)), m_status(controls.label4),
      m_sizing(main, steam,
               {.series = controls.combo1,
                .steam = controls.combo2,
                .length = controls.text1,
                .fraction = controls.text2,
                .limit = controls.text3,
                .table = controls.list1,
                .status = m_status,
                .choose = controls.command1}) {
    auto& c = m_controls;
    auto& s = m_sizing;
    c.combo1.onClick(traced(m_trace, "Form4.Combo1_Click", [&s] { s.Combo1_Click(); }));
    c.combo2.onClick(traced(m_trace, "Form4.Combo2_Click", [&s] { s.Combo2_Click(); }));
    c.text1.onChange(traced(m_trace, "Form4.Text1_Change", [&s] { s.Text1_Change(); }));
    c.text2.onChange(traced(m_trace, "Form4.Text2_Change", [&s] { s.Text2_Change(); }));
    c.text3.onChange(traced(m_trace, "Form4.Text3_Change", [&s] { s.Text3_Change(); }));
    c.list1.onDoubleClick([this] { List1_DblClick(); });
    c.command1.onClick([this] { Command1_Click(); });
    c.command2.onClick([this] { Command2_Click(); });
    c.mnuExport.onClick([this] { sheetCommand(SheetCommand::Export, "Form4.mnuExport_Click"); });
    c.mnuPdf.onClick([this] { sheetCommand(SheetCommand::Pdf, "Form4.mnuPdf_Click"); });
    c.mnuPrint.onClick([this] { sheetCommand(SheetCommand::Print, "Form4.mnuPrint_Click"); });
    c.window.onClose([this] { m_unload(); });
}

void Form4::Form_Load() {
    announce(m_trace, "Form4.Form_Load");
    auto& c = m_controls;
    c.label1.setCaption(calc::fieldText(m_main.flow, calc::kResultUnits.flow));
    c.label2.setCaption(m_main.density > 0
                            ? calc::fieldText(m_main.density, calc::kResultUnits.density)
                            : std::string(calc::kDensityMissing));
    c.label3.setCaption(calc::millimetreText(m_main.roughness));
    // The boxes before the lists: the table waits for both lists, so it is filled once.
    if (m_remembered) {
        c.text1.setText(m_remembered->length);
        c.text2.setText(m_remembered->percent);
        c.text3.setText(m_remembered->limit);
    }
    int index = 0;
    for (pipes::Series series : pipes::kSizingSeries)
        c.combo1.addItem(pipes::seriesShown(series), index++);
    index = 0;
    for (std::string_view item : pipes::kSteamItems)
        c.combo2.addItem(item, index++);
    // The series last used; at first the main window's, and for a custom bore, which belongs
    // to no series, the welded one.
    c.combo1.setText(m_remembered
                         ? std::string_view(m_remembered->series)
                         : pipes::seriesShown(m_pipe.seamless.isChecked() ? pipes::Series::Seamless
                                                                          : pipes::Series::Welded));
    // Steam whose kind is known is that kind, whatever the list said last time.
    const std::optional<pipes::KnownSteam>& steam = m_sizing.knownSteam();
    c.combo2.setText(steam          ? pipes::kSteamItems[static_cast<std::size_t>(steam->kind)]
                     : m_remembered ? std::string_view(m_remembered->steam)
                                    : pipes::kSteamItems[0]);
}

void Form4::handBack() {
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

void Form4::List1_DblClick() {
    announce(m_trace, "Form4.List1_DblClick");
    handBack();
}

void Form4::Command1_Click() {
    announce(m_trace, "Form4.Command1_Click");
    handBack();
}

void Form4::Command2_Click() {
    announce(m_trace, "Form4.Command2_Click");
    m_unload();
}

void Form4::sheetCommand(SheetCommand command, std::string_view handling) {
    announce(m_trace, handling);
    ui::sheetCommand(command, m_sizing.sheet(m_controls.sheet.today()),
                     {.files = m_controls.files,
                      .messages = m_controls.messages,
                      .output = m_controls.sheet,
                      .status = m_status},
                     "管径选择");
}

void Form4::Form_Unload() {
    announce(m_trace, "Form4.Form_Unload");
    auto& c = m_controls;
    m_remembered = SizingInputs{.length = c.text1.text(),
                                .percent = c.text2.text(),
                                .limit = c.text3.text(),
                                .series = c.combo1.text(),
                                .steam = c.combo2.text()};
    m_form1.show();
}

} // namespace ui
