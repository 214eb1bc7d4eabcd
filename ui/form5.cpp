#include "ui/form5.h"

#include "calc/messages.h"
#include "calc/numbers.h"
#include "files/save.h"

#include <filesystem>

namespace ui {

Form5Controls Form5Controls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .text1 = set.get<controls::TextBox>("Text1"),
        .text2 = set.get<controls::TextBox>("Text2"),
        .combo1 = set.get<controls::DropDownList>("Combo1"),
        .option1 = set.get<controls::OptionButton>("Option1"),
        .option2 = set.get<controls::OptionButton>("Option2"),
        .text3 = set.get<controls::TextBox>("Text3"),
        .text4 = set.get<controls::TextBox>("Text4"),
        .combo2 = set.get<controls::DropDownList>("Combo2"),
        .text5 = set.get<controls::TextBox>("Text5"),
        .text6 = set.get<controls::TextBox>("Text6"),
        .grid1 = set.get<controls::Grid>("Grid1"),
        .command1 = set.get<controls::PushButton>("Command1"),
        .command2 = set.get<controls::PushButton>("Command2"),
        .command3 = set.get<controls::PushButton>("Command3"),
        .command4 = set.get<controls::PushButton>("Command4"),
        .label1 = set.get<controls::Label>("Label1"),
        .list1 = set.get<controls::TableList>("List1"),
        .list2 = set.get<controls::TableList>("List2"),
        .label2 = set.get<controls::StatusText>("Label2"),
        .command5 = set.get<controls::PushButton>("Command5"),
        .command6 = set.get<controls::PushButton>("Command6"),
        .mnuNew = set.get<controls::MenuCommand>("mnuNew"),
        .mnuOpen = set.get<controls::MenuCommand>("mnuOpen"),
        .mnuRecent = set.get<controls::RecentFiles>("mnuRecent"),
        .mnuSave = set.get<controls::MenuCommand>("mnuSave"),
        .mnuSaveAs = set.get<controls::MenuCommand>("mnuSaveAs"),
        .mnuExport = set.get<controls::MenuCommand>("mnuExport"),
        .mnuPdf = set.get<controls::MenuCommand>("mnuPdf"),
        .mnuPrint = set.get<controls::MenuCommand>("mnuPrint"),
        .mnuClose = set.get<controls::MenuCommand>("mnuClose"),
        .messages = set.get<controls::MessageBox>("messages"),
        .question = set.get<controls::Question>("question"),
        .files = set.get<controls::FileDialogs>("files"),
        .sheet = set.get<controls::SheetOutput>("sheet"),
    };
}

Form5::Form5(Form5Controls controls, std::optional<NetworkDocument>& document,
             MainWindowInputs main, std::function<void(const pipes::KnownSteam&)> adopted,
             controls::Window& form1, std::function<void()> unload, HandlingTrace trace)
    : m_controls(controls), m_document(document ? *document : document.emplace()), m_main(main),
      m_adopted(std::move(adopted)), m_form1(form1), m_unload(std::move(unload)),
      m_trace(std::move(trace)), m_status(controls.label2),
      m_network({.node = controls.text1,
                 .pressure = controls.text2,
                 .unit = controls.combo1,
                 .saturated = controls.option1,
                 .superheated = controls.option2,
                 .temperature = controls.text3,
                 .roughness = controls.text4,
                 .series = controls.combo2,
                 .limit = controls.text5,
                 .title = controls.text6,
                 .segments = controls.grid1,
                 .unitNote = controls.label1,
                 .results = controls.list1,
                 .nodes = controls.list2,
                 .status = m_status,
                 .handOff = controls.command5},
                [this](const network::NetworkTexts& texts) {
                    m_document.texts = texts;
                    retitle();
                }) {
    auto& c = m_controls;
    auto& n = m_network;
    const auto text = [&](controls::TextBox& box, std::string_view handling) {
        box.onChange(traced(m_trace, handling, [&n] { n.Text_Change(); }));
    };
    text(c.text1, "Form5.Text1_Change");
    text(c.text2, "Form5.Text2_Change");
    text(c.text3, "Form5.Text3_Change");
    text(c.text4, "Form5.Text4_Change");
    text(c.text5, "Form5.Text5_Change");
    text(c.text6, "Form5.Text6_Change");
    c.combo1.onClick(traced(m_trace, "Form5.Combo1_Click", [&n] { n.Combo1_Click(); }));
    c.combo2.onClick(traced(m_trace, "Form5.Combo2_Click", [&n] { n.Combo2_Click(); }));
    c.option1.onClick(traced(m_trace, "Form5.Option1_Click", [&n] { n.Option_Click(); }));
    c.option2.onClick(traced(m_trace, "Form5.Option2_Click", [&n] { n.Option_Click(); }));
    c.grid1.onCellChange([this](int row, int column) {
        announce(m_trace, "Form5.Grid1_CellChange");
        m_network.Grid1_CellChange(row, column);
    });
    c.command1.onClick([this] { Command1_Click(); });
    c.command2.onClick([this] { Command2_Click(); });
    c.command3.onClick([this] { Command3_Click(); });
    c.command4.onClick([this] { Command4_Click(); });
    c.command5.onClick([this] { Command5_Click(); });
    c.command6.onClick([this] { Command6_Click(); });
    c.mnuNew.onClick([this] { mnuNew_Click(); });
    c.mnuOpen.onClick([this] { mnuOpen_Click(); });
    c.mnuRecent.onPick([this](int index) { mnuRecent_Click(index); });
    c.mnuSave.onClick([this] { mnuSave_Click(); });
    c.mnuSaveAs.onClick([this] { mnuSaveAs_Click(); });
    c.mnuExport.onClick([this] { sheetCommand(SheetCommand::Export, "Form5.mnuExport_Click"); });
    c.mnuPdf.onClick([this] { sheetCommand(SheetCommand::Pdf, "Form5.mnuPdf_Click"); });
    c.mnuPrint.onClick([this] { sheetCommand(SheetCommand::Print, "Form5.mnuPrint_Click"); });
    c.mnuClose.onClick([this] { mnuClose_Click(); });
    // Leaving the window loses nothing: the main window keeps the network.
    c.window.onClose([this] { m_unload(); });
}

DocumentControls Form5::documentControls() const {
    return {.question = m_controls.question,
            .files = m_controls.files,
            .messages = m_controls.messages,
            .kept = [this](const std::string& path) {
                auto& recent = m_controls.mnuRecent;
                recent.setPaths(withRecent(recent.paths(), path));
            }};
}

void Form5::retitle() {
    // Set only when it changes: every keystroke calls for it.
    std::string title = m_document.title();
    if (title != m_title)
        m_controls.window.setTitle(m_title = std::move(title));
}

void Form5::showDocument() {
    m_network.show(m_document.texts);
    // As the controls hold them: what the user sees is what counts as saved.
    m_document.saved = m_document.texts;
    retitle();
}

void Form5::Form_Load() {
    announce(m_trace, "Form5.Form_Load");
    m_network.fillLists();
    // A network left unsaved stays unsaved when the window is opened again.
    m_network.show(m_document.texts);
    retitle();
}

void Form5::Command1_Click() {
    announce(m_trace, "Form5.Command1_Click");
    m_network.addSegment();
}

void Form5::Command2_Click() {
    announce(m_trace, "Form5.Command2_Click");
    m_network.removeSegment();
}

void Form5::Command3_Click() {
    announce(m_trace, "Form5.Command3_Click");
    m_network.moveSegment(-1);
}

void Form5::Command4_Click() {
    announce(m_trace, "Form5.Command4_Click");
    m_network.moveSegment(1);
}

void Form5::Command5_Click() {
    announce(m_trace, "Form5.Command5_Click");
    const std::optional<std::size_t> index = m_network.selectedSegment();
    if (!index)
        return m_network.say("请先在管段的计算结果中选定一个管段", true);
    const network::Network& net = *m_network.network();
    const network::SegmentResult& r = m_network.result().segments[*index];
    // A segment has a mean density only where both its pressures were computed.
    if (!r.densityMean)
        return m_network.say(
            "管段“" + net.segments[*index].name + "”的压力已耗尽，没有可送到主窗口的密度", true);
    const auto text = [](double value) { return calc::numberText(calc::storedFloat(value)); };
    // Through the main window's own controls, units first, so that its handlings read each
    // figure in the unit it is given in and recalculate as for the user's typing; the flow
    // last, so that no figure on the way is that of the old pipe and density at the new flow.
    m_main.flowUnit.setText("t/h");
    m_main.roughnessUnit.setText("mm");
    m_main.density.setText(text(*r.densityMean));
    m_main.roughness.setText(text(net.roughness));
    m_main.bore.setText(text(r.bore));
    m_main.customBore.setChecked(true);
    m_main.flow.setText(text(r.flow));
    // After the density: the main window forgets the steam at every change of its density box.
    m_adopted({.absoluteMpa = net.source.unit.absoluteMpa((*r.pIn + *r.pOut) / 2),
               .kind = net.source.superheated ? pipes::SteamKind::Superheated
                                              : pipes::SteamKind::Saturated});
    m_unload();
}

void Form5::Command6_Click() {
    announce(m_trace, "Form5.Command6_Click");
    m_unload();
}

void Form5::mnuNew_Click() {
    announce(m_trace, "Form5.mnuNew_Click");
    if (!mayLose(m_document, documentControls()))
        return retitle();
    m_document = NetworkDocument{};
    showDocument();
}

void Form5::mnuOpen_Click() {
    announce(m_trace, "Form5.mnuOpen_Click");
    const bool go =
        mayLose(m_document, documentControls()) && openDocument(m_document, documentControls());
    if (go)
        showDocument();
    else
        retitle();
}

void Form5::mnuRecent_Click(int index) {
    announce(m_trace, "Form5.mnuRecent_Click");
    auto& recent = m_controls.mnuRecent;
    std::vector<std::string> paths = recent.paths();
    if (static_cast<std::size_t>(index) >= paths.size())
        return;
    const std::string path = paths[static_cast<std::size_t>(index)];
    // Gone since: nothing to ask about, and nothing to offer again.
    std::error_code ignored;
    if (!std::filesystem::exists(files::pathOf(path), ignored)) {
        paths.erase(paths.begin() + index);
        recent.setPaths(paths);
        m_controls.messages.show("找不到“" + path + "”：它已被移走或删除，已从最近打开的文件中去掉",
                                 calc::kErrorTitle);
        return;
    }
    const bool go =
        mayLose(m_document, documentControls()) && openFile(m_document, documentControls(), path);
    if (go)
        showDocument();
    else
        retitle();
}

void Form5::mnuSave_Click() {
    announce(m_trace, "Form5.mnuSave_Click");
    saveDocument(m_document, documentControls(), false);
    retitle();
}

void Form5::mnuSaveAs_Click() {
    announce(m_trace, "Form5.mnuSaveAs_Click");
    saveDocument(m_document, documentControls(), true);
    retitle();
}

void Form5::sheetCommand(SheetCommand command, std::string_view handling) {
    announce(m_trace, handling);
    ui::sheetCommand(command, m_network.sheet(m_controls.sheet.today()),
                     {.files = m_controls.files,
                      .messages = m_controls.messages,
                      .output = m_controls.sheet,
                      .status = m_status},
                     m_document.stem());
}

void Form5::mnuClose_Click() {
    announce(m_trace, "Form5.mnuClose_Click");
    m_unload();
}

void Form5::Form_Unload() {
    announce(m_trace, "Form5.Form_Unload");
    m_form1.show();
}

} // namespace ui
