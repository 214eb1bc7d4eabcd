// The real windows offscreen: a keystroke into the flow box against bare widgets doing the same
// visible work, and the opening of each window the main window opens against the same window
// without the logic.
#include "bench/ratios.h"
#include "ui/memory_windows.h"
#include "ui/qt/app.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The process's CPU time, in every thread. Offscreen, the windows do all their work in this
// process; the wall clock of a shared machine also counts whatever else runs, and a 5 ms
// opening is preempted far more often than a 2 ms one.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
using Labels = std::array<QLabel*, 6>;
using Captions = std::array<QString, 6>;

Captions captionsOf(const Labels& labels) {
    Captions captions;
    for (std::size_t i = 0; i < labels.size(); ++i)
        captions[i] = labels[i]->text();
    return captions;
}

// Types into a box that holds "1": "5", then a backspace, and so on, each key followed by
// the event loop's turn that repaints what changed. Every key must leave the six labels with
// the captions that belong to the text it makes.
void typeAlternately(benchmark::State& run, QLineEdit* box, const Labels& labels) {
    const std::array<Qt::Key, 2> keys{Qt::Key_5, Qt::Key_Backspace};
    std::array<Captions, 2> expected;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        QTest::keyClick(box, keys[i]);
        QCoreApplication::processEvents();
        expected[i] = captionsOf(labels);
    }
    if (expected[0] == expected[1]) {
        run.SkipWithError("the keys change no caption");
        return;
    }
    std::size_t next = 0;
    for (auto _ : run) {
        QTest::keyClick(box, keys[next]);
        QCoreApplication::processEvents();
        if (captionsOf(labels) != expected[next]) {
            run.SkipWithError("a label does not show the caption of the typed text");
            break;
        }
        next = 1 - next;
    }
}

// The six results, in the order the keystroke's check reads them.
constexpr std::array<std::string_view, 6> kResults{"Label4", "Label5",  "Label13",
                                                   "Label7", "Label10", "Label11"};

// The two texts the keys leave in the flow box, which holds "1": "15" after the 5, "1" again
// after the backspace.
const std::array<QString, 2> kFlows{QStringLiteral("15"), QStringLiteral("1")};

void BM_QtKeystroke(benchmark::State& run) {
    controls::qt::App app;
    app.start();
    const controls::qt::View& form1 = app.view();
    auto* flow = static_cast<QLineEdit*>(form1.widgetOf(*ui::kForm1Design.find("Text1")));
    QTest::keyClick(flow, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(flow, Qt::Key_1);
    Labels labels{};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i] = static_cast<QLabel*>(form1.widgetOf(*ui::kForm1Design.find(kResults[i])));
    // The window's first paint, before the keys.
    QCoreApplication::processEvents();
    typeAlternately(run, flow, labels);
}

// The results the program shows for each flow the keys type, worked out before the floor is
// timed by the same logic over the in-memory window.
std::array<Captions, 2> programCaptions() {
    controls::memory::Gui gui;
    ui::MemoryLoaders loaders(gui);
    ui::Form1 form1(ui::Form1Controls::from(ui::memoryWindow(gui, ui::kForm1Design)),
                    loaders.loaders());
    form1.start();
    std::array<Captions, 2> shown;
    for (std::size_t i = 0; i < kFlows.size(); ++i) {
        gui.textBox(ui::kForm1Design.qualified("Text1")).userType(kFlows[i].toStdString());
        for (std::size_t j = 0; j < kResults.size(); ++j)
            shown[i][j] = QString::fromStdString(
                gui.label(ui::kForm1Design.qualified(kResults[j])).caption());
    }
    return shown;
}

// A bare line edit whose change sets six bare labels to the texts the program shows, in a
// window of the same size. As in the program, a label given its own text again does nothing:
// a flow changes the velocity, the specific loss and the flow, not the density, roughness or
// bore. The labels are selectable by the mouse without taking the focus, as the program's
// results are: a selectable label keeps its text in a text document, laid out anew at every
// change and drawn through it, so that a drag can select in it. That is what the user sees
// and can do with a result, so it is part of the least work a keystroke must do.
void BM_QtKeystrokeFloor(benchmark::State& run) {
    const std::array<Captions, 2> shown = programCaptions();
    QWidget window;
    window.setFixedSize(433, 441);
    auto* box = new QLineEdit(kFlows[1], &window);
    box->setGeometry(16, 40, 89, 20);
    Labels labels{};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i] = new QLabel(shown[1][i], &window);
        labels[i]->setGeometry(264, 64 + 56 * static_cast<int>(i), 145, 17);
        labels[i]->setTextFormat(Qt::PlainText);
        labels[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        labels[i]->setFocusPolicy(Qt::NoFocus);
    }
    QObject::connect(box, &QLineEdit::textChanged, box, [&](const QString& text) {
        const Captions& captions = shown[text == kFlows[0] ? 0 : 1];
        for (std::size_t i = 0; i < labels.size(); ++i)
            labels[i]->setText(captions[i]);
    });
    window.show();
    box->setFocus();
    box->end(false);
    QCoreApplication::processEvents();
    typeAlternately(run, box, labels);
}

// The windows the main window opens, each with the main window's control that opens it.
struct Opened {
    const ui::WindowDescription* design;
    std::string_view opener;
};
const Opened kLookup{&ui::kForm2Design, "Command2"};
const Opened kProperty{&ui::kPropertyDesign, "mnuSteam"};
const Opened kSizing{&ui::kSizingDesign, "mnuSizing"};

// A typical entry, 10 t/h at 5 kg/m3, so that the sizing window has its table to fill.
const std::pair<std::string_view, std::string_view> kEntry[] = {{"Text1", "10"}, {"Text3", "5"}};

void press(const controls::qt::View& view, std::string_view name) {
    const ui::ControlDescription& control = *view.design().find(name);
    if (QAction* command = view.actionOf(control))
        command->trigger();
    else
        static_cast<QPushButton*>(view.widgetOf(control))->click();
}

// The real window opened from the real main window, then left by the button Esc presses,
// untimed. The window unloaded last is destroyed at the next opening, inside the timed part, as
// the floor destroys its previous window.
void BM_Open(benchmark::State& run, Opened window) {
    controls::qt::App app;
    app.start();
    for (const auto& [box, text] : kEntry)
        app.view().controls().get<controls::TextBox>(box).setText(text);
    QCoreApplication::processEvents();
    const controls::qt::QtLoader* loaders[] = {&app.form2(), &app.propertyWindow(),
                                               &app.sizingWindow()};
    const controls::qt::QtLoader* loader = nullptr;
    for (const controls::qt::QtLoader* candidate : loaders)
        if (&candidate->design() == window.design)
            loader = candidate;
    for (auto _ : run) {
        const double start = cpuSeconds();
        press(app.view(), window.opener);
        QCoreApplication::processEvents();
        if (!loader->view() || !loader->view()->widget()->isVisible()) {
            run.SkipWithError("the window is not shown");
            break;
        }
        run.SetIterationTime(cpuSeconds() - start);
        press(*loader->view(), window.design->cancel);
        QCoreApplication::processEvents();
    }
}

using controls::memory::Op;

// What the program does to its windows as it starts, takes the entry, opens the window and leaves
// it, and as it opens it again, recorded once on the in-memory windows, whose log the real
// windows give too.
struct Recorded {
    std::vector<Op> start;
    std::vector<Op> opening;
};

Recorded record(const Opened& window) {
    controls::memory::Gui gui;
    ui::MemoryLoaders loaders(gui);
    ui::Form1 form1(ui::Form1Controls::from(ui::memoryWindow(gui, ui::kForm1Design)),
                    loaders.loaders());
    auto click = [&](const std::string& name) {
        if (auto* command = dynamic_cast<controls::memory::MemoryMenuCommand*>(gui.find(name)))
            command->userClick();
        else
            gui.pushButton(name).userClick();
    };
    const std::string opener = ui::kForm1Design.qualified(window.opener);
    Recorded ops;
    gui.recorder().setListener([&](const Op& op) { ops.start.push_back(op); });
    form1.start();
    for (const auto& [box, text] : kEntry)
        gui.textBox(ui::kForm1Design.qualified(box)).setText(text);
    click(opener);
    click(window.design->qualified(window.design->cancel));
    gui.recorder().setListener([&](const Op& op) { ops.opening.push_back(op); });
    click(opener);
    gui.recorder().setListener({});
    return ops;
}

// Does to a window what the program did, straight through its controls: no handling runs.
// `rows` are the table's rows so far, which a shown row is told by.
void perform(const ui::ControlSet& set, const Op& op, std::vector<std::string>& rows) {
    const ui::WindowDescription& design = set.design();
    if (op.control == design.name) {
        if (op.kind == "show")
            set.window().show();
        else if (op.kind == "hide")
            set.window().hide();
        return;
    }
    if (!op.control.starts_with(std::string(design.name) + "."))
        return;
    const ui::ControlDescription* control = design.find(op.control.substr(design.name.size() + 1));
    const std::string_view name = control->name;
    switch (control->kind) {
    case ui::Kind::TextBox: {
        auto& box = set.get<controls::TextBox>(name);
        if (op.kind == "settext")
            box.setText(op.text);
        else if (op.kind == "enable")
            box.setEnabled(op.on);
        else if (op.kind == "focus")
            box.setFocus();
        break;
    }
    case ui::Kind::DropDownList: {
        auto& list = set.get<controls::DropDownList>(name);
        if (op.kind == "additem")
            list.addItem(op.text, op.index);
        else if (op.kind == "clear")
            list.clear();
        else if (op.kind == "select")
            list.setText(op.text);
        else if (op.kind == "enable")
            list.setEnabled(op.on);
        break;
    }
    case ui::Kind::SimpleCombo: {
        auto& combo = set.get<controls::SimpleCombo>(name);
        if (op.kind == "additem")
            combo.addItem(op.text, op.index);
        else if (op.kind == "settext")
            combo.setText(op.text);
        else if (op.kind == "select")
            combo.showRow(op.index);
        break;
    }
    case ui::Kind::TableList: {
        auto& table = set.get<controls::TableList>(name);
        if (op.kind == "additem") {
            table.addItem(op.text, op.index);
            rows.insert(rows.begin() + op.index, op.text);
        } else if (op.kind == "clear") {
            table.clear();
            rows.clear();
        } else if (op.kind == "look") {
            for (auto look : {sheet::Look::Recommended, sheet::Look::Above, sheet::Look::Below})
                if (controls::memory::lookName(look) == op.text)
                    table.setRowLook(op.index, look);
        } else if (op.kind == "select") {
            table.showRow(
                static_cast<int>(std::find(rows.begin(), rows.end(), op.text) - rows.begin()));
        }
        break;
    }
    case ui::Kind::OptionButton:
        set.get<controls::OptionButton>(name).setChecked(op.on);
        break;
    case ui::Kind::PushButton:
        set.get<controls::PushButton>(name).setEnabled(op.on);
        break;
    case ui::Kind::Label:
        set.get<controls::Label>(name).setCaption(op.text);
        break;
    case ui::Kind::StatusText:
        set.get<controls::StatusText>(name).setStatus(op.text, op.on);
        break;
    default:
        break;
    }
}

// The same window made by the same view from the same description, over the same main window,
// showing what the program shows: what the program did to both windows is done again straight
// through their controls, with no logic and no handlings. The previous window is destroyed
// first, inside the timed part.
void BM_OpenFloor(benchmark::State& run, Opened window) {
    const Recorded ops = record(window);
    const std::unique_ptr<controls::qt::View> main = controls::qt::form1View();
    std::vector<std::string> rows;
    for (const Op& op : ops.start)
        perform(main->controls(), op, rows);
    QCoreApplication::processEvents();
    const QIcon icon = controls::qt::lookupWindowIcon();
    std::unique_ptr<controls::qt::View> view;
    for (auto _ : run) {
        const double start = cpuSeconds();
        view.reset();
        view = controls::qt::openedView(*window.design, icon);
        rows.clear();
        for (const Op& op : ops.opening)
            perform(op.control.starts_with(window.design->name) ? view->controls()
                                                                : main->controls(),
                    op, rows);
        QCoreApplication::processEvents();
        if (!view->widget()->isVisible()) {
            run.SkipWithError("the floor's window is not shown");
            break;
        }
        run.SetIterationTime(cpuSeconds() - start);
        view->controls().window().hide();
        main->controls().window().show();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_QtKeystroke)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtKeystrokeFloor)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Open, lookup, kLookup)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenFloor, lookup, kLookup)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Open, property, kProperty)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenFloor, property, kProperty)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Open, sizing, kSizing)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenFloor, sizing, kSizing)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // The real windows, without a display, as the program shows them (its fonts and texts).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    return bench::runRatios(
        argc, argv,
        {
            {"keystroke, Qt", "BM_QtKeystroke", "BM_QtKeystrokeFloor", 1.5},
            {"opening the lookup window", "BM_Open/lookup", "BM_OpenFloor/lookup", 1.1},
            {"opening the property window", "BM_Open/property", "BM_OpenFloor/property", 1.1},
            {"opening the sizing window", "BM_Open/sizing", "BM_OpenFloor/sizing", 1.1},
        });
}
