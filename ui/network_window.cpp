#include "ui/network_window.h"

#include "calc/messages.h"
#include "calc/numbers.h"
#include "files/save.h"

#include <filesystem>

namespace ui {

NetworkWindowControls NetworkWindowControls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .sourceNode = set.get<controls::TextBox>("sourceNode"),
        .sourcePressure = set.get<controls::TextBox>("sourcePressure"),
        .unit = set.get<controls::DropDownList>("unit"),
        .saturated = set.get<controls::OptionButton>("saturated"),
        .superheated = set.get<controls::OptionButton>("superheated"),
        .temperature = set.get<controls::TextBox>("temperature"),
        .roughness = set.get<controls::TextBox>("roughness"),
        .series = set.get<controls::DropDownList>("series"),
        .limit = set.get<controls::TextBox>("limit"),
        .title = set.get<controls::TextBox>("title"),
        .segments = set.get<controls::Grid>("segments"),
        .add = set.get<controls::PushButton>("add"),
        .remove = set.get<controls::PushButton>("remove"),
        .moveUp = set.get<controls::PushButton>("moveUp"),
        .moveDown = set.get<controls::PushButton>("moveDown"),
        .unitNote = set.get<controls::Label>("unitNote"),
        .results = set.get<controls::TableList>("results"),
        .nodes = set.get<controls::TableList>("nodes"),
        .pictures = set.get<controls::NetworkPictures>("pictures"),
        .status = set.get<controls::StatusText>("status"),
        .showInMain = set.get<controls::PushButton>("showInMain"),
        .back = set.get<controls::PushButton>("back"),
        .heatOff = set.get<controls::OptionButton>("heatOff"),
        .heatOn = set.get<controls::OptionButton>("heatOn"),
        .ambient = set.get<controls::TextBox>("ambient"),
        .wind = set.get<controls::TextBox>("wind"),
        .material = set.get<controls::DropDownList>("material"),
        .conductivity = set.get<controls::TextBox>("conductivity"),
        .emissivity = set.get<controls::TextBox>("emissivity"),
        .surfaceCoefficient = set.get<controls::TextBox>("surfaceCoefficient"),
        .factor = set.get<controls::TextBox>("factor"),
        .operation = set.get<controls::DropDownList>("operation"),
        .newFile = set.get<controls::MenuCommand>("newFile"),
        .openFile = set.get<controls::MenuCommand>("openFile"),
        .importRows = set.get<controls::MenuCommand>("importRows"),
        .recentFiles = set.get<controls::RecentFiles>("recentFiles"),
        .save = set.get<controls::MenuCommand>("save"),
        .saveAs = set.get<controls::MenuCommand>("saveAs"),
        .exportSheet = set.get<controls::MenuCommand>("exportSheet"),
        .exportPdf = set.get<controls::MenuCommand>("exportPdf"),
        .print = set.get<controls::MenuCommand>("print"),
        .closeFile = set.get<controls::MenuCommand>("closeFile"),
        .undo = set.get<controls::MenuCommand>("undo"),
        .redo = set.get<controls::MenuCommand>("redo"),
        .goToWorst = set.get<controls::MenuCommand>("goToWorst"),
        .messages = set.get<controls::MessageBox>("messages"),
        .question = set.get<controls::Question>("question"),
        .files = set.get<controls::FileDialogs>("files"),
        .sheet = set.get<controls::SheetOutput>("sheet"),
        .clipboard = set.get<controls::Clipboard>("clipboard"),
    };
}

NetworkWindow::NetworkWindow(NetworkWindowControls controls,
                             std::optional<NetworkDocument>& document, MainWindowInputs main,
                             std::function<void(const pipes::KnownSteam&)> adopted,
                             controls::Window& form1, std::function<void()> unload,
                             HandlingTrace trace, SolveExecutor executor,
                             std::function<void()> documentChanged)
    : m_controls(controls), m_document(document ? *document : document.emplace()), m_main(main),
      m_adopted(std::move(adopted)), m_form1(form1), m_unload(std::move(unload)),
      m_documentChanged(std::move(documentChanged)), m_trace(std::move(trace)),
      m_status(controls.status), m_network(
                                     {.node = controls.sourceNode,
                                      .pressure = controls.sourcePressure,
                                      .unit = controls.unit,
                                      .saturated = controls.saturated,
                                      .superheated = controls.superheated,
                                      .temperature = controls.temperature,
                                      .roughness = controls.roughness,
                                      .series = controls.series,
                                      .limit = controls.limit,
                                      .title = controls.title,
                                      .segments = controls.segments,
                                      .unitNote = controls.unitNote,
                                      .results = controls.results,
                                      .nodes = controls.nodes,
                                      .pictures = controls.pictures,
                                      .status = m_status,
                                      .handOff = controls.showInMain,
                                      .heatOff = controls.heatOff,
                                      .heatOn = controls.heatOn,
                                      .ambient = controls.ambient,
                                      .wind = controls.wind,
                                      .material = controls.material,
                                      .conductivity = controls.conductivity,
                                      .emissivity = controls.emissivity,
                                      .surfaceCoefficient = controls.surfaceCoefficient,
                                      .factor = controls.factor,
                                      .operation = controls.operation},
                                     [this](const network::NetworkTexts& texts,
                                            const std::string& step) { changed(texts, step); },
                                     std::move(executor)) {
    auto& c = m_controls;
    auto& n = m_network;
    wireSteps();
    c.nodes.onSelect(traced(m_trace, "Network.nodes_Select", [&n] { n.nodes_Select(); }));
    linkTables();
    c.pictures.onNodeClick([this](std::size_t node) {
        announce(m_trace, "Network.pictures_NodeClick");
        m_network.pictures_NodeClick(node);
    });
    c.pictures.onSegmentClick([this](std::size_t segment) {
        announce(m_trace, "Network.pictures_SegmentClick");
        m_network.pictures_SegmentClick(segment);
    });
    c.add.onClick([this] { add_Click(); });
    c.remove.onClick([this] { remove_Click(); });
    c.moveUp.onClick([this] { moveUp_Click(); });
    c.moveDown.onClick([this] { moveDown_Click(); });
    c.showInMain.onClick([this] { showInMain_Click(); });
    c.back.onClick([this] { back_Click(); });
    c.newFile.onClick([this] { newFile_Click(); });
    c.openFile.onClick([this] { openFile_Click(); });
    c.importRows.onClick([this] { importRows_Click(); });
    for (const controls::GridMenuItem& item : controls::kGridMenu)
        c.segments.onCommand(item.command,
                             [this, command = item.command] { segments_Command(command); });
    c.segments.onCommand(controls::GridCommand::Clear,
                         [this] { segments_Command(controls::GridCommand::Clear); });
    c.recentFiles.onPick([this](int index) { recentFiles_Click(index); });
    c.save.onClick([this] { save_Click(); });
    c.saveAs.onClick([this] { saveAs_Click(); });
    c.exportSheet.onClick(
        [this] { sheetCommand(SheetCommand::Export, "Network.exportSheet_Click"); });
    c.exportPdf.onClick([this] { sheetCommand(SheetCommand::Pdf, "Network.exportPdf_Click"); });
    c.print.onClick([this] { sheetCommand(SheetCommand::Print, "Network.print_Click"); });
    c.closeFile.onClick([this] { closeFile_Click(); });
    c.undo.onClick([this] { undo_Click(); });
    c.redo.onClick([this] { redo_Click(); });
    // Leaving the window loses nothing: the main window keeps the network.
    c.window.onClose([this] { m_unload(); });
}

DocumentControls NetworkWindow::documentControls() const {
    return {.question = m_controls.question,
            .files = m_controls.files,
            .messages = m_controls.messages,
            .kept = [this](const std::string& path) {
                auto& recent = m_controls.recentFiles;
                recent.setPaths(withRecent(recent.paths(), path));
            }};
}

void NetworkWindow::retitle() {
    // Set only when it changes: every keystroke calls for it.
    std::string title = m_document.title();
    if (title != m_title)
        m_controls.window.setTitle(m_title = std::move(title));
    // Every change of the document ends here, as its title shows it.
    if (m_documentChanged)
        m_documentChanged();
}

void NetworkWindow::showDocument() {
    m_network.show(m_document.texts);
    // As the controls hold them: what the user sees is what counts as saved.
    m_document.saved = m_document.texts;
    retitle();
    resetHistory();
}

void NetworkWindow::Form_Load() {
    announce(m_trace, "Network.Form_Load");
    m_network.fillLists();
    // A network left unsaved stays unsaved when the window is opened again.
    m_network.show(m_document.texts);
    retitle();
    resetHistory();
}

void NetworkWindow::add_Click() {
    announce(m_trace, "Network.add_Click");
    m_rowBefore = m_controls.segments.currentRow();
    m_network.addSegment();
}

void NetworkWindow::remove_Click() {
    announce(m_trace, "Network.remove_Click");
    m_rowBefore = m_controls.segments.currentRow();
    m_network.removeSegments();
}

void NetworkWindow::moveUp_Click() {
    announce(m_trace, "Network.moveUp_Click");
    m_rowBefore = m_controls.segments.currentRow();
    m_network.moveSegment(-1);
}

void NetworkWindow::moveDown_Click() {
    announce(m_trace, "Network.moveDown_Click");
    m_rowBefore = m_controls.segments.currentRow();
    m_network.moveSegment(1);
}

void NetworkWindow::showInMain_Click() {
    announce(m_trace, "Network.showInMain_Click");
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

void NetworkWindow::back_Click() {
    announce(m_trace, "Network.back_Click");
    m_unload();
}

void NetworkWindow::newFile_Click() {
    announce(m_trace, "Network.newFile_Click");
    if (!mayLose(m_document, documentControls()))
        return retitle();
    m_document = NetworkDocument{};
    showDocument();
}

void NetworkWindow::openFile_Click() {
    announce(m_trace, "Network.openFile_Click");
    const bool go =
        mayLose(m_document, documentControls()) && openDocument(m_document, documentControls());
    if (go)
        showDocument();
    else
        retitle();
}

void NetworkWindow::recentFiles_Click(int index) {
    announce(m_trace, "Network.recentFiles_Click");
    auto& recent = m_controls.recentFiles;
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

void NetworkWindow::save_Click() {
    announce(m_trace, "Network.save_Click");
    saveDocument(m_document, documentControls(), false);
    retitle();
}

void NetworkWindow::saveAs_Click() {
    announce(m_trace, "Network.saveAs_Click");
    saveDocument(m_document, documentControls(), true);
    retitle();
}

void NetworkWindow::sheetCommand(SheetCommand command, std::string_view handling) {
    announce(m_trace, handling);
    ui::sheetCommand(command, m_network.sheet(m_controls.sheet.today()),
                     {.files = m_controls.files,
                      .messages = m_controls.messages,
                      .output = m_controls.sheet,
                      .status = m_status},
                     m_document.stem());
}

void NetworkWindow::closeFile_Click() {
    announce(m_trace, "Network.closeFile_Click");
    m_unload();
}

void NetworkWindow::Form_Unload() {
    announce(m_trace, "Network.Form_Unload");
    m_form1.show();
}

} // namespace ui
