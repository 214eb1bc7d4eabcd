#include "ui/qt/views.h"

#include "ui/qt/icons.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace controls::qt {

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

// A frame whose border and title are drawn once and then copied. Every keystroke repaints the
// labels and boxes inside a frame, and through them the frame beneath; drawing the style's
// border and shaping the title anew each time cost more than the captions that changed.
class Frame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        if (m_drawn.isNull() || m_drawn.deviceIndependentSize() != QSizeF(size()) ||
            m_drawn.devicePixelRatio() != ratio) {
            m_drawn = QPixmap((QSizeF(size()) * ratio).toSize());
            m_drawn.setDevicePixelRatio(ratio);
            // Drawn over what lies beneath, on an opaque pixmap, as the frame itself would be:
            // text and borders drawn on a transparent pixmap are blended differently.
            m_drawn.fill(palette().color(QPalette::Window));
            parentWidget()->render(&m_drawn, QPoint(), QRegion(geometry()),
                                   QWidget::DrawWindowBackground);
            QPainter painter(&m_drawn);
            QStyleOptionGroupBox option;
            initStyleOption(&option);
            style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
        }
        QPainter(this).drawPixmap(0, 0, m_drawn);
    }
    // Palette, font, style and enabled state all arrive here; the title is set only once.
    void changeEvent(QEvent* event) override {
        m_drawn = QPixmap();
        QGroupBox::changeEvent(event);
    }

private:
    QPixmap m_drawn;
};

QGroupBox* frame(QWidget* parent, const char* caption, int left, int top, int width, int height) {
    auto* box = new Frame(text(caption), parent);
    place(box, left, top, width, height);
    return box;
}

EditBox* edit(QWidget* parent, const char* designText, int left, int top, int width, int height) {
    auto* box = new EditBox(text(designText), parent);
    place(box, left, top, width, height);
    return box;
}

// A closed list that turns under the wheel only while it has the keyboard focus: scrolling the
// window over a list must not silently pick another pipe or unit. The wheel neither gives it
// the focus nor stops at it.
class DropDown final : public QComboBox {
public:
    explicit DropDown(QWidget* parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }
};

// A push button that Enter presses too, as Space does. Held down, Enter presses it once: the
// repeats would reach whatever button the press focuses next.
class Button final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (!enter)
            QPushButton::keyPressEvent(event);
        else if (!event->isAutoRepeat())
            click();
    }
};

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor& colour) {
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& one, const QColor& other) {
    const double first = luminance(one) + 0.05;
    const double second = luminance(other) + 0.05;
    return std::max(first, second) / std::min(first, second);
}

// The row captions' blue where it reads on the window (4.5:1, WCAG's level for text); on a
// dark window the palette's link colour if it reads, else the blue mixed towards white (or
// black, on a mid-grey window) until it does.
QColor captionBlue(const QPalette& palette) {
    constexpr double kReadable = 4.5;
    const QColor window = palette.color(QPalette::Window);
    const QColor blue(0, 0, 255);
    if (contrast(blue, window) >= kReadable)
        return blue;
    if (contrast(palette.color(QPalette::Link), window) >= kReadable)
        return palette.color(QPalette::Link);
    const QColor towards = contrast(Qt::white, window) >= contrast(Qt::black, window)
                               ? QColor(Qt::white)
                               : QColor(Qt::black);
    constexpr int kSteps = 32;
    for (int step = 1; step < kSteps; ++step) {
        auto mix = [step](int from, int to) { return from + (to - from) * step / kSteps; };
        const QColor mixed(mix(0, towards.red()), mix(0, towards.green()),
                           mix(255, towards.blue()));
        if (contrast(mixed, window) >= kReadable)
            return mixed;
    }
    return towards;
}

// A row caption in blue, chosen anew when the theme's palette changes.
class BlueLabel final : public QLabel {
public:
    BlueLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) { recolour(); }

protected:
    void changeEvent(QEvent* event) override {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::PaletteChange)
            recolour();
    }

private:
    // Setting the colour raises the change again; the second time there is nothing to do.
    void recolour() {
        const QColor wanted = captionBlue(palette());
        if (palette().color(QPalette::WindowText) == wanted)
            return;
        QPalette shown = palette();
        shown.setColor(QPalette::WindowText, wanted);
        setPalette(shown);
    }
};

QComboBox* dropDown(QWidget* parent, int left, int top, int width, int height) {
    auto* combo = new DropDown(parent);
    combo->setEditable(false);
    place(combo, left, top, width, height);
    return combo;
}

QRadioButton* option(QWidget* parent, const char* caption, int left, int top, int width,
                     int height) {
    auto* button = new QRadioButton(text(caption), parent);
    place(button, left, top, width, height);
    return button;
}

QPushButton* button(QWidget* parent, const char* caption, int left, int top, int width,
                    int height) {
    auto* push = new Button(text(caption), parent);
    push->setAutoDefault(false);
    place(push, left, top, width, height);
    return push;
}

enum class Look { Plain, Blue, Centred };

QLabel* label(QWidget* parent, const char* caption, int left, int top, int width, int height,
              Look look = Look::Plain) {
    QLabel* shown = look == Look::Blue ? new BlueLabel(text(caption), parent)
                                       : new QLabel(text(caption), parent);
    shown->setTextFormat(Qt::PlainText);
    place(shown, left, top, width, height);
    shown->setAlignment((look == Look::Centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignVCenter);
    return shown;
}

template <class T> T* named(const char* name, T* widget) {
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

} // namespace

Form1View::Form1View()
    : m_widget(std::make_unique<FormWidget>(6495, 6615)),
      m_frame1(frame(m_widget.get(), "蒸汽质量流量（G）", 120, 240, 3015, 855)),
      m_frame2(frame(m_widget.get(), "管道当量绝对粗糙度（K）", 120, 1320, 3015, 1335)),
      m_frame4(frame(m_widget.get(), "密度（ρ）", 120, 2880, 3015, 1335)),
      m_frame3(frame(m_widget.get(), "管径", 120, 4440, 3015, 2055)),
      m_frame5(frame(m_widget.get(), "计算结果", 3360, 240, 3015, 5655)), window(m_widget.get()),
      text1(named("Text1", edit(m_frame1, "0", 120, 360, 1335, 300))),
      text2(named("Text2", edit(m_frame2, "0.2", 120, 360, 1335, 300))),
      text3(named("Text3", edit(m_frame4, "1", 120, 360, 1455, 270))),
      text4(named("Text4", edit(m_frame3, "Text4", 1800, 1680, 1095, 270))),
      combo1(named("Combo1", dropDown(m_frame1, 1560, 360, 1335, 300))),
      combo2(named("Combo2", dropDown(m_frame2, 1560, 360, 1335, 300))),
      combo3(named("Combo3", dropDown(m_frame3, 1440, 360, 1455, 300))),
      combo4(named("Combo4", dropDown(m_frame3, 480, 1200, 1095, 300))),
      combo5(named("Combo5", dropDown(m_frame3, 1920, 1200, 975, 300))),
      option1(named("Option1", option(m_frame3, "焊接钢管", 120, 360, 1095, 255))),
      option2(named("Option2", option(m_frame3, "无缝钢管", 120, 840, 2055, 255))),
      option3(named("Option3", option(m_frame3, "自定义管内径", 120, 1680, 1455, 255))),
      command1(named("Command1", button(m_frame2, "恢复默认值", 120, 840, 2775, 375))),
      command2(named("Command2", button(m_frame4, "干饱和蒸汽密度查询", 120, 840, 2775, 375))),
      command3(named("Command3", button(m_widget.get(), "关  闭", 3360, 6120, 3015, 375))),
      label4(named("Label4", label(m_frame5, "", 600, 4440, 2175, 255))),
      label5(named("Label5", label(m_frame5, "", 600, 5280, 2175, 255))),
      label7(named("Label7", label(m_frame5, "", 600, 720, 2175, 255))),
      label10(named("Label10", label(m_frame5, "", 600, 2400, 2175, 255))),
      label11(named("Label11", label(m_frame5, "", 600, 3240, 2175, 255))),
      label13(named("Label13", label(m_frame5, "", 600, 1560, 2175, 255))),
      messages(m_widget.get()) {
    m_widget->setObjectName(QStringLiteral("Form1"));
    m_widget->setWindowTitle(text("蒸汽流速计算"));
    m_widget->setWindowIcon(mainWindowIcon());
    label(m_frame4, "kg/m3", 1800, 360, 735, 255);
    label(m_frame3, "*", 1680, 1200, 135, 255, Look::Centred);
    label(m_frame5, "蒸汽流量", 240, 360, 735, 255, Look::Blue);
    label(m_frame5, "蒸汽密度", 240, 1200, 735, 255, Look::Blue);
    label(m_frame5, "粗 糙 度", 240, 2040, 735, 255, Look::Blue);
    label(m_frame5, "管 内 径", 240, 2880, 735, 255, Look::Blue);
    label(m_frame5, "*  *  *  *  *  *  *  *  *", 360, 3600, 2415, 255, Look::Centred);
    label(m_frame5, "蒸汽流速", 240, 4080, 735, 255, Look::Blue);
    label(m_frame5, "比 摩 阻", 240, 4920, 735, 255, Look::Blue);

    // A screen reader reads a text box by its name, so each is named after its frame; value
    // labels and lists keep their shown text as their name (a name set on a label would hide
    // its value) and say what they show in their description.
    const struct {
        const char* widget;
        const char* name;
        const char* description;
    } accessible[] = {
        {"Text1", "蒸汽质量流量（G）", "蒸汽质量流量的数值，单位在右侧列表中选择"},
        {"Text2", "管道当量绝对粗糙度（K）", "粗糙度的数值，单位在右侧列表中选择"},
        {"Text3", "密度（ρ）", "蒸汽密度，单位 kg/m3"},
        {"Text4", "自定义管内径", "管内径，单位 mm"},
        {"Combo1", nullptr, "蒸汽质量流量的单位"},
        {"Combo2", nullptr, "粗糙度的单位"},
        {"Combo3", nullptr, "焊接钢管的公称直径"},
        {"Combo4", nullptr, "无缝钢管的外径"},
        {"Combo5", nullptr, "无缝钢管的壁厚（mm）"},
        {"Label7", nullptr, "计算结果：蒸汽流量"},
        {"Label13", nullptr, "计算结果：蒸汽密度"},
        {"Label10", nullptr, "计算结果：粗糙度"},
        {"Label11", nullptr, "计算结果：管内径"},
        {"Label4", nullptr, "计算结果：蒸汽流速"},
        {"Label5", nullptr, "计算结果：比摩阻"},
    };
    for (const auto& entry : accessible) {
        auto* widget = m_widget->findChild<QWidget*>(text(entry.widget));
        if (entry.name)
            widget->setAccessibleName(text(entry.name));
        widget->setAccessibleDescription(text(entry.description));
    }

    // The tab order of the window; Qt skips disabled controls by itself.
    const char* order[] = {"Text1",    "Combo1",  "Text2",   "Combo2",   "Command1",
                           "Command3", "Text3",   "Combo3",  "Command2", "Combo4",
                           "Combo5",   "Option1", "Option2", "Option3",  "Text4"};
    auto byName = [this](const char* name) { return m_widget->findChild<QWidget*>(text(name)); };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(byName(order[i - 1]), byName(order[i]));
    byName(order[0])->setFocus(Qt::OtherFocusReason);
}

Form1View::~Form1View() = default;

ui::Form1Controls Form1View::controls() {
    return {
        .window = window,
        .text1 = text1,
        .text2 = text2,
        .text3 = text3,
        .text4 = text4,
        .combo1 = combo1,
        .combo2 = combo2,
        .combo3 = combo3,
        .combo4 = combo4,
        .combo5 = combo5,
        .option1 = option1,
        .option2 = option2,
        .option3 = option3,
        .command1 = command1,
        .command2 = command2,
        .command3 = command3,
        .label4 = label4,
        .label5 = label5,
        .label7 = label7,
        .label10 = label10,
        .label11 = label11,
        .label13 = label13,
        .messages = messages,
        .program = program,
    };
}

struct Form2Parts {
    FormWidget* widget;
    QLineEdit* edit;
    QListWidget* list;
    QLabel* label9;
    QPushButton* back;
};

namespace {

Form2Parts buildForm2(const QIcon& icon) {
    auto* widget = new FormWidget(5055, 4185);
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    widget->setObjectName(QStringLiteral("Form2"));
    widget->setWindowTitle(text("干饱和水蒸汽的密度查询"));
    widget->setWindowIcon(icon);
    const struct {
        const char* caption;
        int left, top;
    } headings[] = {
        {"温度", 120, 120},      {"（℃）", 120, 360},      {"压力", 1080, 120},
        {"（bar）", 1080, 360},  {"密度", 2400, 120},      {"（kg/m3）", 2400, 360},
        {"气化潜热", 3720, 120}, {"（kJ/kg）", 3720, 360},
    };
    for (const auto& heading : headings)
        label(widget, heading.caption, heading.left, heading.top, 855, 255, Look::Centred);

    // A simple combo box: the edit field with its list always shown under it. The rows are
    // columns of digits, so they need a font in which every character has one width.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(10);
    auto* edit = named("Combo1Edit", new EditBox(widget));
    edit->setFont(fixed);
    place(edit, 120, 720, 4815, 300);
    auto* list = named("Combo1", new QListWidget(widget));
    list->setFont(fixed);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    place(list, 120, 1020, 4815, 2580);

    auto* back = named("Command1", button(widget, "返  回", 3600, 3720, 1215, 375));
    QLabel* label9 = named("Label9", label(widget, "Label9", 240, 3720, 2655, 255));
    list->setAccessibleDescription(text("干饱和水蒸汽表：温度、压力、密度、气化潜热"));
    edit->setAccessibleName(text("所选的行"));
    // Esc leaves the window as its button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), widget);
    QObject::connect(escape, &QShortcut::activated, back, &QPushButton::click);
    QWidget::setTabOrder(back, list);
    QWidget::setTabOrder(list, edit);
    back->setFocus(Qt::OtherFocusReason);
    return {widget, edit, list, label9, back};
}

} // namespace

Form2View::Form2View(const QIcon& icon) : Form2View(buildForm2(icon)) {}

Form2View::Form2View(const Form2Parts& parts)
    : m_widget(parts.widget), window(parts.widget), combo1(parts.edit, parts.list),
      label9(parts.label9), command1(parts.back) {}

ui::Form2Controls Form2View::controls() {
    return {.window = window, .combo1 = combo1, .label9 = label9, .command1 = command1};
}

Form2View::~Form2View() = default;

} // namespace controls::qt
