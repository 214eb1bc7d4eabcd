#include "tools/replay/qt_session.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> qtWarnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    // The offscreen platform says at every show that it cannot raise a window or pass on size
    // hints, which a real display can. Everything else Qt warns about is a fault of ours.
    if (type != QtDebugMsg && type != QtInfoMsg &&
        !message.startsWith(QStringLiteral("This plugin does not support ")))
        qtWarnings.push_back(message.toStdString());
}

// Random users on the real windows: script events and raw keys on whatever control is at hand,
// with every invariant checked after each action.
TEST(Monkey, TenThousandActionsOnTheRealWindowsKeepTheProgramSane) {
    const char* texts[] = {"",    "0",  "-2",    "10", "1e39", "1e38",  "&HFF", "0.2",  "250",
                           "abc", " 5", "1.2.3", "-0", "150",  "1e-46", "3e38", "蒸汽", "１０"};
    // Every control of its kind the descriptions have, 关闭 and the help commands too.
    const std::vector<std::string> boxes = replay::targetsOf(replay::Action::Type);
    const std::vector<std::string> lists = replay::targetsOf(replay::Action::Pick);
    const std::vector<std::string> buttons = replay::targetsOf(replay::Action::Press);
    const std::vector<std::string> doubleClicked = replay::targetsOf(replay::Action::DoubleClick);
    // The main window first, which ends the program.
    const std::vector<std::string> closable = replay::targetsOf(replay::Action::Close);
    const std::vector<std::string> grids = replay::targetsOf(replay::Action::Edit);
    // Whatever the program asks is answered: each question and file dialogs keeps two answers in
    // hand, the files in a folder of the test's own.
    const std::vector<std::string> questions = replay::targetsOf(replay::Action::Answer);
    const std::vector<std::string> fileDialogs = replay::targetsOf(replay::Action::Path);
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "monkey";
    // Emptied first, so that each run starts without the files a run before it saved.
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string paths[] = {"", (folder / "a.json").string(), (folder / "b.json").string(),
                                 (folder / "no-such-folder" / "c.json").string()};
    const char* answers[] = {"save", "discard", "cancel"};
    const Qt::Key keys[] = {Qt::Key_0,         Qt::Key_5,      Qt::Key_9,     Qt::Key_Minus,
                            Qt::Key_Plus,      Qt::Key_Period, Qt::Key_E,     Qt::Key_X,
                            Qt::Key_Backspace, Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,
                            Qt::Key_Down,      Qt::Key_Tab,    Qt::Key_Space, Qt::Key_Home};
    qInstallMessageHandler(collectWarnings);

    int actions = 0;
    int performed = 0;
    int sessions = 0;
    std::mt19937 random(20261207);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    // A session ends when a close ends the program; the next one starts afresh.
    while (actions < 10000) {
        std::ostringstream discarded;
        replay::JsonLog log(discarded);
        replay::QtSession session(log);
        session.start();
        ++sessions;
        for (int step = 0; step < 2000 && !session.ended() && actions < 10000; ++step, ++actions) {
            auto keep = [&](const std::vector<std::string>& targets, replay::Action action,
                            auto answer) {
                for (const std::string& target : targets) {
                    replay::Event given{.action = action, .target = target};
                    while (session.canPerform(given) && session.pendingAnswers(target) < 2) {
                        given.text = answer();
                        session.perform(given);
                    }
                }
            };
            keep(questions, replay::Action::Answer, [&] { return answers[below(3)]; });
            keep(fileDialogs, replay::Action::Path, [&] { return paths[below(std::size(paths))]; });
            replay::Event event;
            switch (below(9)) {
            case 0:
                event = {replay::Action::Type, boxes[below(boxes.size())],
                         texts[below(std::size(texts))]};
                break;
            case 1:
                event = {replay::Action::Erase,
                         boxes[below(boxes.size())],
                         {},
                         static_cast<int>(below(3))};
                break;
            case 2:
                event = {replay::Action::Pick,
                         lists[below(lists.size())],
                         {},
                         static_cast<int>(below(40))};
                break;
            case 3:
                event = {replay::Action::DoubleClick,
                         doubleClicked[below(doubleClicked.size())],
                         {},
                         static_cast<int>(below(38))};
                break;
            case 4:
                event = {replay::Action::Press, buttons[below(buttons.size())]};
                break;
            case 5:
                // Rarely: ending the program starts a new session.
                event = {replay::Action::Close,
                         closable[below(40) == 0 ? 0 : 1 + below(closable.size() - 1)]};
                break;
            case 6:
                // A cell of a shown grid typed into, or picked from its list: a few cells
                // tried, as a user aims at the rows there are; else a raw key.
                if (!grids.empty()) {
                    for (int aim = 0; aim < 4 && !session.canPerform(event); ++aim)
                        event = {.action =
                                     below(2) == 0 ? replay::Action::Edit : replay::Action::Pick,
                                 .target = grids[below(grids.size())],
                                 .text = texts[below(std::size(texts))],
                                 .number = static_cast<int>(below(3)),
                                 .column = static_cast<int>(below(8)),
                                 .item = static_cast<int>(below(30))};
                    if (session.canPerform(event))
                        break;
                }
                [[fallthrough]];
            default:
                if (QWidget* window = session.visibleWindow()) {
                    const auto children = window->findChildren<QWidget*>();
                    QWidget* target =
                        children.isEmpty() ? window : children[below(children.size())];
                    if (target->isEnabled() && target->isVisible())
                        QTest::keyClick(target, keys[below(std::size(keys))]);
                }
                event.action = replay::Action::Press;
                event.target = "none";
                break;
            }
            if (event.target == "none") {
                ++performed;
            } else if (session.canPerform(event)) {
                session.perform(event);
                ++performed;
            }
            for (const std::string& fault : session.check())
                ADD_FAILURE() << "after action " << actions << ": " << fault;
            ASSERT_TRUE(qtWarnings.empty()) << "Qt warned: " << qtWarnings.front();
        }
        QCoreApplication::processEvents();
    }
    qInstallMessageHandler(nullptr);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(actions, 10000);
    // With five windows and one shown at a time, and a fifth of the actions for the network
    // window's grid alone, a quarter of the actions at least must reach a control, and the
    // program must have been ended and restarted.
    EXPECT_GT(performed, 2500);
    EXPECT_GT(sessions, 3);
    std::printf("%d actions, %d performed, %d sessions\n", actions, performed, sessions);
}

} // namespace
