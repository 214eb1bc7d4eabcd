#include "ui/qt/app.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using controls::qt::App;

// The real windows, offscreen, driven by key and mouse events.
class QtWindows : public ::testing::Test {
protected:
    QtWindows() { app.start(); }

    QWidget* form1() { return app.view().widget(); }
    template <class T> T* find(QWidget* window, const char* name) {
        T* widget = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    std::string caption(const char* name) {
        return find<QLabel>(form1(), name)->text().toUtf8().toStdString();
    }
    void typeInto(const char* name, const char* keys) {
        auto* edit = find<QLineEdit>(form1(), name);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromUtf8(keys));
    }
    void pick(QComboBox* combo, int index) {
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(index, 0)).center());
    }
    QPoint rowCentre(QListWidget* list, int row) {
        return list->visualItemRect(list->item(row)).center();
    }

    App app;
};

TEST_F(QtWindows, StartUpShowsTheDefaultsOnTheRealWidgets) {
    EXPECT_TRUE(form1()->isVisible());
    EXPECT_EQ(form1()->windowTitle(), QString::fromUtf8("蒸汽流速计算"));
    EXPECT_EQ(form1()->size(), QSize(433, 441));
    EXPECT_EQ(caption("Label4"), "0.000 m/s");
    EXPECT_EQ(caption("Label5"), "0.000 Pa/m");
    EXPECT_EQ(caption("Label7"), " 0 t/h");
    EXPECT_EQ(caption("Label10"), " 0.2 mm");
    EXPECT_EQ(caption("Label11"), " 15 mm");
    EXPECT_EQ(caption("Label13"), " 1 kg/m3");
    EXPECT_EQ(find<QLineEdit>(form1(), "Text4")->text(), QStringLiteral("10"));
    EXPECT_FALSE(find<QLineEdit>(form1(), "Text4")->isEnabled());
    EXPECT_EQ(find<QComboBox>(form1(), "Combo4")->currentText(), QStringLiteral("D18"));
    EXPECT_EQ(find<QComboBox>(form1(), "Combo5")->currentText(), QStringLiteral("3"));
    EXPECT_EQ(find<QComboBox>(form1(), "Combo5")->count(), 4);
    EXPECT_TRUE(find<QRadioButton>(form1(), "Option1")->isChecked());
    EXPECT_EQ(app.form1().state().innerDiameter, 0.015f);
}

TEST_F(QtWindows, KeysPicksAndOptionsRecalculate) {
    typeInto("Text1", "10");
    typeInto("Text3", "5");
    pick(find<QComboBox>(form1(), "Combo3"), 11); // DN200
    EXPECT_EQ(caption("Label4"), " 17.6839 m/s");
    EXPECT_EQ(caption("Label5"), " 76.46601 Pa/m");
    EXPECT_EQ(caption("Label11"), " 200 mm");

    QTest::mouseClick(find<QRadioButton>(form1(), "Option2"), Qt::LeftButton);
    EXPECT_EQ(caption("Label11"), " 12 mm");
    EXPECT_TRUE(find<QComboBox>(form1(), "Combo4")->isEnabled());

    QTest::mouseClick(find<QRadioButton>(form1(), "Option3"), Qt::LeftButton);
    EXPECT_EQ(caption("Label11"), " 10 mm");
    typeInto("Text4", "150");
    EXPECT_EQ(caption("Label11"), " 150 mm");
}

TEST_F(QtWindows, NegativeFlowIsAnsweredByARealMessageBox) {
    std::string text, title, button;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text().toUtf8().toStdString();
        title = box->windowTitle().toUtf8().toStdString();
        buttons = static_cast<int>(box->buttons().size());
        button = box->buttons().front()->text().toUtf8().toStdString();
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Enter);
    });
    typeInto("Text1", "-");
    QTest::keyClicks(find<QLineEdit>(form1(), "Text1"), QStringLiteral("2"));

    EXPECT_EQ(text, "蒸汽质量流量不得小于0，点击确定按钮后重新输入蒸汽流量！");
    EXPECT_EQ(title, "错误提示");
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(button, "确定") << "Qt's own texts are in Simplified Chinese";
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(find<QLineEdit>(form1(), "Text1")->text(), QStringLiteral("0"));
    EXPECT_EQ(caption("Label7"), " 0 t/h");
}

TEST_F(QtWindows, LookupWindowRowsDoubleClickAndTitleBarClose) {
    QTest::mouseClick(find<QPushButton>(form1(), "Command2"), Qt::LeftButton);
    QWidget* form2 = app.form2().view()->widget();
    ASSERT_TRUE(form2->isVisible());
    EXPECT_FALSE(form1()->isVisible());
    auto* list = find<QListWidget>(form2, "Combo1");
    EXPECT_EQ(list->count(), 38);
    EXPECT_EQ(list->currentRow(), 12);
    EXPECT_EQ(find<QLineEdit>(form1(), "Text3")->text(), QStringLiteral("1.122"));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 14));
    EXPECT_EQ(find<QLineEdit>(form1(), "Text3")->text(), QStringLiteral(" 1.967"));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(find<QLineEdit>(form1(), "Text3")->text(), QStringLiteral(" 2.548"));
    EXPECT_EQ(find<QLabel>(form2, "Label9")->text(), QString::fromUtf8("蒸汽密度：  2.548 kg/m3"));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 16));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 16));
    EXPECT_TRUE(form1()->isVisible());
    EXPECT_FALSE(form2->isVisible());
    EXPECT_EQ(find<QLineEdit>(form1(), "Text3")->text(), QStringLiteral(" 3.26"));

    QTest::mouseClick(find<QPushButton>(form1(), "Command2"), Qt::LeftButton);
    form2 = app.form2().view()->widget();
    EXPECT_EQ(find<QListWidget>(form2, "Combo1")->count(), 38);
    form2->close();
    EXPECT_TRUE(form1()->isVisible());
    EXPECT_FALSE(form2->isVisible());
    EXPECT_EQ(app.form1().state().density, 1.122f);
}

// Frames keep their drawing between repaints; whatever changes their look must draw them anew.
TEST_F(QtWindows, FramesDrawAnewWhenTheirLookChanges) {
    QGroupBox* results = nullptr;
    for (QGroupBox* frame : form1()->findChildren<QGroupBox*>())
        if (frame->title() == QString::fromUtf8("计算结果"))
            results = frame;
    ASSERT_NE(results, nullptr);
    // The frame alone: its labels would show a change of palette or state by themselves.
    auto frameOnly = [results] {
        QImage image(results->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        results->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image;
    };
    const QImage drawn = frameOnly();
    EXPECT_EQ(frameOnly(), drawn);

    const QPalette original = results->palette();
    QPalette red = original;
    red.setColor(QPalette::WindowText, Qt::red);
    results->setPalette(red);
    EXPECT_NE(frameOnly(), drawn) << "the title keeps its old colour";
    results->setPalette(original);
    EXPECT_EQ(frameOnly(), drawn);

    results->setEnabled(false);
    EXPECT_NE(frameOnly(), drawn) << "a disabled frame looks enabled";
    results->setEnabled(true);
    results->resize(results->width() - 20, results->height());
    EXPECT_NE(frameOnly(), drawn.copy(0, 0, results->width(), results->height()))
        << "the border stays where the old size put it";
}

TEST_F(QtWindows, ScreenReadersFindEveryInputAndHearTheResults) {
    auto accessible = [&](const char* name) {
        return QAccessible::queryAccessibleInterface(find<QWidget>(form1(), name));
    };
    QAccessibleInterface* flow = accessible("Text1");
    ASSERT_NE(flow, nullptr);
    EXPECT_EQ(flow->text(QAccessible::Name), QString::fromUtf8("蒸汽质量流量（G）"));
    EXPECT_EQ(flow->role(), QAccessible::EditableText);

    typeInto("Text1", "10");
    QAccessibleInterface* velocity = accessible("Label4");
    EXPECT_EQ(velocity->role(), QAccessible::StaticText);
    EXPECT_EQ(velocity->text(QAccessible::Name), QStringLiteral(" 15719.02 m/s"))
        << "a value label is read by its shown text";
    EXPECT_EQ(velocity->text(QAccessible::Description), QString::fromUtf8("计算结果：蒸汽流速"));

    QAccessibleInterface* unit = accessible("Combo1");
    EXPECT_EQ(unit->role(), QAccessible::ComboBox);
    EXPECT_EQ(unit->text(QAccessible::Description), QString::fromUtf8("蒸汽质量流量的单位"));
    EXPECT_EQ(accessible("Command3")->text(QAccessible::Name), QString::fromUtf8("关  闭"));
    EXPECT_EQ(accessible("Option2")->text(QAccessible::Name), QString::fromUtf8("无缝钢管"));
}

} // namespace
