// The real windows offscreen: a keystroke into the flow box and the opening of the lookup
// window, each against bare widgets doing the same visible work.
#include "bench/ratios.h"
#include "ui/qt/app.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <array>
#include <ctime>
#include <memory>

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

void BM_QtKeystroke(benchmark::State& run) {
    controls::qt::App app;
    app.start();
    QWidget* form1 = app.view().widget();
    auto* flow = form1->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QTest::keyClick(flow, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(flow, Qt::Key_1);
    Labels labels{};
    const char* names[] = {"Label4", "Label5", "Label13", "Label7", "Label10", "Label11"};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i] = form1->findChild<QLabel*>(QString::fromUtf8(names[i]));
    typeAlternately(run, flow, labels);
}

// A bare line edit whose change sets six bare labels, in a window of the same size.
void BM_QtKeystrokeFloor(benchmark::State& run) {
    QWidget window;
    window.setFixedSize(433, 441);
    auto* box = new QLineEdit(QStringLiteral("1"), &window);
    box->setGeometry(16, 40, 89, 20);
    Labels labels{};
    const Captions units{QStringLiteral(" m/s"), QStringLiteral(" Pa/m"), QStringLiteral(" kg/m3"),
                         QStringLiteral(" t/h"), QStringLiteral(" mm"),   QStringLiteral(" mm")};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i] = new QLabel(&window);
        labels[i]->setGeometry(264, 64 + 56 * static_cast<int>(i), 145, 17);
    }
    QObject::connect(box, &QLineEdit::textChanged, box, [&](const QString& text) {
        for (std::size_t i = 0; i < labels.size(); ++i)
            labels[i]->setText(text + units[i]);
    });
    window.show();
    box->setFocus();
    box->end(false);
    QCoreApplication::processEvents();
    typeAlternately(run, box, labels);
}

void BM_OpenLookup(benchmark::State& run) {
    controls::qt::App app;
    app.start();
    QCoreApplication::processEvents();
    auto* command2 = app.view().widget()->findChild<QPushButton*>(QStringLiteral("Command2"));
    for (auto _ : run) {
        const double start = cpuSeconds();
        command2->click();
        QCoreApplication::processEvents();
        const controls::qt::View* form2 = app.form2().view();
        const auto* rows = form2 ? form2->widget()->findChild<QListWidget*>() : nullptr;
        if (!rows || !form2->widget()->isVisible() || rows->count() != 38) {
            run.SkipWithError("the lookup window is not shown with its 38 rows");
            break;
        }
        run.SetIterationTime(cpuSeconds() - start);

        // Back to the main window, untimed. The unloaded window is destroyed at the next
        // opening, inside the timed part, as the floor destroys its previous window.
        form2->widget()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCoreApplication::processEvents();
    }
}

// A bare window of the same size with a list of the same 38 rows, the previous one destroyed
// first.
void BM_OpenLookupFloor(benchmark::State& run) {
    QStringList rows;
    for (int i = 0; i < 38; ++i)
        rows << QStringLiteral("%1      0.00611        0.004847           2501.6").arg(i * 10, 3);
    std::unique_ptr<QWidget> window;
    for (auto _ : run) {
        const double start = cpuSeconds();
        window = std::make_unique<QWidget>();
        window->setFixedSize(337, 279);
        auto* list = new QListWidget(window.get());
        list->setGeometry(8, 48, 321, 172);
        list->addItems(rows);
        window->show();
        QCoreApplication::processEvents();
        if (!window->isVisible() || list->count() != 38) {
            run.SkipWithError("the bare window is not shown with its 38 rows");
            break;
        }
        run.SetIterationTime(cpuSeconds() - start);
        window->hide();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_QtKeystroke)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtKeystrokeFloor)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenLookup)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenLookupFloor)->UseManualTime()->Unit(benchmark::kMicrosecond);

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
            {"opening the lookup window", "BM_OpenLookup", "BM_OpenLookupFloor", 1.5},
        });
}
