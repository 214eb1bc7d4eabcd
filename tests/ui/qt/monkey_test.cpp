#include "tools/replay/qt_session.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
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
    const char* boxes[] = {"Form1.Text1", "Form1.Text2", "Form1.Text3",
                           "Form1.Text4", "Form3.Text1", "Form3.Text2",
                           "Form4.Text1", "Form4.Text2", "Form4.Text3"};
    const char* lists[] = {"Form1.Combo1", "Form1.Combo2", "Form1.Combo3", "Form1.Combo4",
                           "Form1.Combo5", "Form2.Combo1", "Form3.Combo1", "Form4.Combo1",
                           "Form4.Combo2", "Form4.List1"};
    const char* buttons[] = {
        "Form1.Command1", "Form1.Command2",  "Form1.Option1",  "Form1.Option2", "Form1.Option3",
        "Form1.mnuSteam", "Form1.mnuSizing", "Form2.Command1", "Form3.Option1", "Form3.Option2",
        "Form3.Command1", "Form3.Command2",  "Form4.Command1", "Form4.Command2"};
    const char* closable[] = {"Form2", "Form3", "Form4"};
    const char* doubleClicked[] = {"Form2.Combo1", "Form4.List1"};
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
            replay::Event event;
            switch (below(8)) {
            case 0:
                event = {replay::Action::Type, boxes[below(std::size(boxes))],
                         texts[below(std::size(texts))]};
                break;
            case 1:
                event = {replay::Action::Erase,
                         boxes[below(std::size(boxes))],
                         {},
                         static_cast<int>(below(3))};
                break;
            case 2:
                event = {replay::Action::Pick,
                         lists[below(std::size(lists))],
                         {},
                         static_cast<int>(below(40))};
                break;
            case 3:
                event = {replay::Action::DoubleClick,
                         doubleClicked[below(2)],
                         {},
                         static_cast<int>(below(38))};
                break;
            case 4:
                event = {replay::Action::Press, buttons[below(std::size(buttons))]};
                break;
            case 5:
                // Rarely: ending the program starts a new session.
                event = {replay::Action::Close, below(40) == 0 ? "Form1" : closable[below(3)]};
                break;
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
    EXPECT_EQ(actions, 10000);
    // With four windows and one shown at a time, a third of the actions at least must reach a
    // control, and the program must have been ended and restarted.
    EXPECT_GT(performed, 3333);
    EXPECT_GT(sessions, 3);
    std::printf("%d actions, %d performed, %d sessions\n", actions, performed, sessions);
}

} // namespace
