#include "ui/qt/views.h"

#include "ui/qt/colours.h"
#include "ui/qt/icons.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <initializer_list>

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

// The row captions' blue where it reads on the window; on a dark window the palette's link
// colour if it reads, else the blue made lighter (or darker, on a mid-grey window) until it does.
QColor captionBlue(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    const QColor blue(0, 0, 255);
    if (contrast(blue, window) >= kReadable)
        return blue;
    if (contrast(palette.color(QPalette::Link), window) >= kReadable)
        return palette.color(QPalette::Link);
    return readableOn(blue, window);
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

// A command of the menu titled `menuTitle`, which is added to the bar by its first command.
QAction* command(QMenuBar* bar, const char* menuTitle, const char* name, const char* caption) {
    QMenu* menu = nullptr;
    for (QAction* entry : bar->actions())
        if (entry->menu() && entry->text() == text(menuTitle))
            menu = entry->menu();
    if (!menu)
        menu = bar->addMenu(text(menuTitle));
    return named(name, menu->addAction(text(caption)));
}

// Entries side by side from the left, on one line while the frame is wide enough and wrapped
// onto more lines where it is not, so that a narrow window does not push the last ones past its
// edge. Each entry keeps the width it asks for and all of a line's height, so that captions and
// boxes sit on one middle line as in a box layout.
class WrappingRow final : public QLayout {
public:
    explicit WrappingRow(QWidget* parent) : QLayout(parent) {}
    ~WrappingRow() override { qDeleteAll(m_items); }

    void addItem(QLayoutItem* item) override {
        // An entry's own layout takes its spacing from the frame's style through this one.
        if (QLayout* entry = item->layout())
            addChildLayout(entry);
        m_items.append(item);
    }
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem* takeAt(int index) override {
        return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
    }
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(QRect(0, 0, width, 0), false); }
    void setGeometry(const QRect& area) override {
        QLayout::setGeometry(area);
        arrange(area, true);
    }
    // All on one line.
    QSize sizeHint() const override {
        QSize line;
        for (const QLayoutItem* item : m_items) {
            const QSize hint = item->sizeHint();
            line.rwidth() += hint.width() + (line.width() > 0 ? spacing() : 0);
            line.rheight() = std::max(line.height(), hint.height());
        }
        return line.grownBy(contentsMargins());
    }
    // Each on a line of its own.
    QSize minimumSize() const override {
        QSize widest;
        for (const QLayoutItem* item : m_items)
            widest = widest.expandedTo(item->sizeHint());
        return widest.grownBy(contentsMargins());
    }

private:
    // Lays the entries out in `area` if `apply`, and returns the height they take there.
    int arrange(const QRect& area, bool apply) const {
        const QMargins margins = contentsMargins();
        const QRect inner = area.marginsRemoved(margins);
        int top = inner.top();
        for (qsizetype first = 0, end = 0; first < m_items.size(); first = end) {
            int width = 0, height = 0;
            for (end = first; end < m_items.size(); ++end) {
                const QSize hint = m_items[end]->sizeHint();
                const int wider = width + (end > first ? spacing() : 0) + hint.width();
                if (end > first && wider > inner.width())
                    break;
                width = wider;
                height = std::max(height, hint.height());
            }
            for (int left = inner.left(); apply && first < end; ++first) {
                const int entry = m_items[first]->sizeHint().width();
                m_items[first]->setGeometry(QRect(left, top, entry, height));
                left += entry + spacing();
            }
            top += height + (end < m_items.size() ? spacing() : 0);
        }
        return top - inner.top() + margins.top() + margins.bottom();
    }

    QList<QLayoutItem*> m_items;
};

} // namespace

Form1View::Form1View()
    : m_widget(std::make_unique<FormWidget>(6495, 6615)), m_menuBar(new QMenuBar(m_widget.get())),
      m_client(new QWidget(m_widget.get())),
      m_frame1(frame(m_client, "蒸汽质量流量（G）", 120, 240, 3015, 855)),
      m_frame2(frame(m_client, "管道当量绝对粗糙度（K）", 120, 1320, 3015, 1335)),
      m_frame4(frame(m_client, "密度（ρ）", 120, 2880, 3015, 1335)),
      m_frame3(frame(m_client, "管径", 120, 4440, 3015, 2055)),
      m_frame5(frame(m_client, "计算结果", 3360, 240, 3015, 5655)), window(m_widget.get()),
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
      command3(named("Command3", button(m_client, "关  闭", 3360, 6120, 3015, 375))),
      label4(named("Label4", label(m_frame5, "", 600, 4440, 2175, 255))),
      label5(named("Label5", label(m_frame5, "", 600, 5280, 2175, 255))),
      label7(named("Label7", label(m_frame5, "", 600, 720, 2175, 255))),
      label10(named("Label10", label(m_frame5, "", 600, 2400, 2175, 255))),
      label11(named("Label11", label(m_frame5, "", 600, 3240, 2175, 255))),
      label13(named("Label13", label(m_frame5, "", 600, 1560, 2175, 255))),
      messages(m_widget.get()),
      mnuSteam(command(m_menuBar, "工具(&T)", "mnuSteam", "蒸汽物性计算(&S)…")),
      mnuSizing(command(m_menuBar, "工具(&T)", "mnuSizing", "管径选择(&D)…")),
      mnuGuide(command(m_menuBar, "帮助(&H)", "mnuGuide", "使用说明(&G)")),
      mnuAbout(command(m_menuBar, "帮助(&H)", "mnuAbout", "关于(&A)")), help(m_widget.get()) {
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

    // The bar sits in the window, not in a desktop's global menu, so that the window is the
    // same in every desktop: it grows by the bar's height and nothing in the client area moves.
    // The bar stays out of the controls' tab order; Alt and a menu's letter, F10 or the mouse
    // reach it.
    m_menuBar->setNativeMenuBar(false);
    m_menuBar->setFocusPolicy(Qt::NoFocus);
    const QSize client = m_widget->size();
    const int bar = m_menuBar->heightForWidth(client.width());
    m_menuBar->setGeometry(0, 0, client.width(), bar);
    m_client->setGeometry(0, bar, client.width(), client.height());
    m_widget->setFixedSize(client.width(), client.height() + bar);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), m_widget.get());
    QObject::connect(f10, &QShortcut::activated, m_menuBar,
                     [bar = m_menuBar] { bar->setActiveAction(bar->actions().constFirst()); });
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
        .mnuSteam = mnuSteam,
        .mnuSizing = mnuSizing,
        .mnuGuide = mnuGuide,
        .mnuAbout = mnuAbout,
        .help = help,
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

struct Form3Parts {
    FormWidget* widget;
    EditBox* text1;
    QComboBox* combo1;
    QRadioButton* option1;
    QRadioButton* option2;
    EditBox* text2;
    QPushButton* command1;
    QPushButton* command2;
    QLabel* label7;
    StatusLabel* label8;
    QLabel* label9;
    QLabel* label10;
    QLabel* label11;
};

namespace {

struct Accessible {
    QWidget* widget;
    const char* name; // null where a caption beside it names it
    const char* description;
};

// What every window opened over the main window has: the names screen readers say, Esc for
// its button that leaves it, and its tab order.
void finishWindow(QWidget* window, std::initializer_list<Accessible> accessible, QPushButton* back,
                  std::initializer_list<QWidget*> order) {
    for (const Accessible& entry : accessible) {
        if (entry.name)
            entry.widget->setAccessibleName(text(entry.name));
        entry.widget->setAccessibleDescription(text(entry.description));
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, back, &QPushButton::click);
    for (auto it = order.begin(); it + 1 != order.end(); ++it)
        QWidget::setTabOrder(*it, *(it + 1));
}

Form3Parts buildForm3(const QIcon& icon) {
    auto* widget = new FormWidget(7215, 3375);
    widget->setObjectName(QStringLiteral("Form3"));
    widget->setWindowTitle(text("蒸汽物性计算"));
    widget->setWindowIcon(icon);
    QGroupBox* pressure = frame(widget, "压力", 120, 240, 3135, 855);
    QGroupBox* state = frame(widget, "状态", 120, 1320, 3135, 1335);
    QGroupBox* results = frame(widget, "计算结果", 3480, 240, 3615, 3015);

    Form3Parts parts{
        .widget = widget,
        .text1 = named("Text1", edit(pressure, "1", 120, 360, 1095, 300)),
        .combo1 = named("Combo1", dropDown(pressure, 1320, 360, 1695, 300)),
        .option1 = named("Option1", option(state, "饱和蒸汽", 120, 360, 1335, 255)),
        .option2 = named("Option2", option(state, "过热蒸汽", 1560, 360, 1455, 255)),
        .text2 = named("Text2", edit(state, "250", 960, 840, 1335, 300)),
        .command1 = named("Command1", button(widget, "采用此密度", 120, 2880, 1500, 375)),
        .command2 = named("Command2", button(widget, "返  回", 1755, 2880, 1500, 375)),
        .label7 = named("Label7", label(results, "", 1080, 360, 2415, 255)),
        .label8 = named("Label8", new StatusLabel(results)),
        .label9 = named("Label9", label(results, "", 1080, 1680, 2415, 255)),
        .label10 = named("Label10", label(results, "", 1080, 2160, 2415, 255)),
        .label11 = named("Label11", label(results, "", 1080, 2640, 2415, 255)),
    };
    label(state, "温度", 360, 840, 495, 300);
    label(state, "℃", 2400, 840, 375, 300);
    const struct {
        const char* caption;
        int top;
    } captions[] = {
        {"饱和温度", 360},  {"状    态", 840},  {"密    度", 1680},
        {"比    容", 2160}, {"比    焓", 2640},
    };
    for (const auto& caption : captions)
        label(results, caption.caption, 240, caption.top, 735, 255, Look::Blue);
    // The longest fault takes two lines of the column, three with a larger font.
    place(parts.label8, 1080, 840, 2415, 765);
    parts.label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    parts.label8->setWordWrap(true);

    finishWindow(widget,
                 {
                     {parts.text1, "压力", "蒸汽压力的数值，单位在右侧列表中选择"},
                     {parts.combo1, nullptr, "压力的单位，表压或绝压"},
                     {parts.text2, "温度", "过热蒸汽的温度，单位 ℃"},
                     {parts.label7, nullptr, "计算结果：饱和温度"},
                     {parts.label8, nullptr, "计算结果：状态，或输入有误的原因"},
                     {parts.label9, nullptr, "计算结果：密度"},
                     {parts.label10, nullptr, "计算结果：比容"},
                     {parts.label11, nullptr, "计算结果：比焓"},
                 },
                 parts.command2,
                 {parts.text1, parts.combo1, parts.option1, parts.option2, parts.text2,
                  parts.command1, parts.command2});
    // The default pressure is selected, so that the engineer's first keys replace it.
    parts.text1->selectAll();
    parts.text1->setFocus(Qt::OtherFocusReason);
    return parts;
}

} // namespace

Form3View::Form3View(const QIcon& icon) : Form3View(buildForm3(icon)) {}

Form3View::Form3View(const Form3Parts& parts)
    : m_widget(parts.widget), window(parts.widget), text1(parts.text1), combo1(parts.combo1),
      option1(parts.option1), option2(parts.option2), text2(parts.text2), command1(parts.command1),
      command2(parts.command2), label7(parts.label7), label8(parts.label8), label9(parts.label9),
      label10(parts.label10), label11(parts.label11) {}

Form3View::~Form3View() = default;

ui::Form3Controls Form3View::controls() {
    return {
        .window = window,
        .text1 = text1,
        .combo1 = combo1,
        .option1 = option1,
        .option2 = option2,
        .text2 = text2,
        .command1 = command1,
        .command2 = command2,
        .label7 = label7,
        .label8 = label8,
        .label9 = label9,
        .label10 = label10,
        .label11 = label11,
    };
}

struct Form4Parts {
    FormWidget* widget;
    QLabel* label1;
    QLabel* label2;
    QLabel* label3;
    QComboBox* combo1;
    QComboBox* combo2;
    EditBox* text1;
    EditBox* text2;
    EditBox* text3;
    Table* list1;
    StatusLabel* label4;
    QPushButton* command1;
    QPushButton* command2;
};

namespace {

// The sizing table's columns: heading and alignment, the widest cell one may show, in order.
const struct {
    const char* heading;
    Qt::Alignment alignment;
    const char* widest;
} kSizingColumns[] = {
    {"管径", Qt::AlignLeft, "D1020×12"},
    {"内径 (mm)", Qt::AlignRight, "1000.000"},
    {"流速 (m/s)", Qt::AlignRight, "0.1234567"},
    {"比摩阻 R (Pa/m)", Qt::AlignRight, "0.1234567"},
    {"管段压降 ΔP (kPa)", Qt::AlignRight, "0.1234567"},
    {"推荐流速 (m/s)", Qt::AlignHCenter, "40–60"},
    {"评价", Qt::AlignHCenter, "比摩阻超限，压降过大"},
};

// Rows the table shows at once where the screen has room: more than half a series, so that the
// recommended row and its neighbours are in view wherever it lies. On a small screen it keeps
// the recommended row and two sizes either side of it.
constexpr int kSizingRowsShown = 16;
constexpr int kSizingRowsAtLeast = 5;

Table* sizingTable(QWidget* parent) {
    auto* table = new Table(parent);
    QStringList headings;
    for (const auto& column : kSizingColumns)
        headings << text(column.heading);
    table->setHeaderLabels(headings);
    table->header()->setSectionsMovable(false);
    table->header()->setStretchLastSection(false);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Sized for the widest cells in the window's font, the recommended row's bold included, so
    // that every column shows whole without scrolling sideways, in the narrowest window too.
    auto* sample = new QTreeWidgetItem(table);
    QFont bold = table->font();
    bold.setBold(true);
    QList<int> widths;
    for (int i = 0; i < static_cast<int>(std::size(kSizingColumns)); ++i) {
        const Qt::Alignment alignment = kSizingColumns[i].alignment | Qt::AlignVCenter;
        table->headerItem()->setTextAlignment(i, alignment);
        sample->setText(i, text(kSizingColumns[i].widest));
        sample->setFont(i, bold);
        table->resizeColumnToContents(i);
        widths << table->columnWidth(i) + 8;
    }
    const int rowHeight = table->sizeHintForRow(0);
    delete sample;
    table->setColumnWidths(widths);
    const int frame = 2 * table->frameWidth();
    const int scrollBar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    const int width = table->header()->length() + scrollBar + frame;
    auto height = [&](int rows) {
        return table->header()->sizeHint().height() + rows * rowHeight + frame;
    };
    table->setPreferredSize({width, height(kSizingRowsShown)});
    table->setMinimumSize(width, height(kSizingRowsAtLeast));
    return table;
}

Form4Parts buildForm4(const QIcon& icon) {
    auto* widget = new FormWidget(0, 0);
    widget->setObjectName(QStringLiteral("Form4"));
    widget->setWindowTitle(text("管径选择"));
    widget->setWindowIcon(icon);

    auto* main = new Frame(text("主窗口的输入"), widget);
    auto* run = new Frame(text("管段"), widget);
    auto valueLabel = [](QWidget* parent, const char* name) {
        auto* shown = named(name, new QLabel(parent));
        shown->setTextFormat(Qt::PlainText);
        return shown;
    };
    Form4Parts parts{
        .widget = widget,
        .label1 = valueLabel(main, "Label1"),
        .label2 = valueLabel(main, "Label2"),
        .label3 = valueLabel(main, "Label3"),
        .combo1 = named("Combo1", new DropDown(run)),
        .combo2 = named("Combo2", new DropDown(run)),
        .text1 = named("Text1", new EditBox(text("100"), run)),
        .text2 = named("Text2", new EditBox(text("30"), run)),
        .text3 = named("Text3", new EditBox(run)),
        .list1 = named("List1", sizingTable(widget)),
        .label4 = named("Label4", new StatusLabel(widget)),
        .command1 = named("Command1", new Button(text("选用"), widget)),
        .command2 = named("Command2", new Button(text("返  回"), widget)),
    };

    auto* values = new QGridLayout(main);
    const struct {
        const char* caption;
        QLabel* value;
    } inputs[] = {
        {"蒸汽流量", parts.label1}, {"蒸汽密度", parts.label2}, {"粗 糙 度", parts.label3}};
    int column = 0;
    for (const auto& input : inputs) {
        values->addWidget(new BlueLabel(text(input.caption), main), 0, column++);
        values->addWidget(input.value, 0, column++);
        values->setColumnStretch(column - 1, 1);
    }
    values->addWidget(new QLabel(text("如需修改，请在主窗口中输入"), main), 1, 0, 1, column);

    auto* inputsRow = new WrappingRow(run);
    parts.text1->setFixedWidth(twips(1095));
    parts.text2->setFixedWidth(twips(1095));
    parts.text3->setFixedWidth(twips(1095));
    parts.text2->setToolTip(text("局部损失占沿程摩擦损失的百分数：一般室外管网取 20～30，"
                                 "室内或管件多的管段取 30～50，方形补偿器多的管段可到约 120"));
    parts.text3->setToolTip(text("留空则不限；填写后只推荐比摩阻不高于此值的管径"));
    // Each input after its caption, the caption its buddy: a screen reader on a desktop names
    // a list by its buddy, since the list's own name is the item it shows.
    const struct {
        const char* caption;
        QWidget* input;
        const char* unit;
    } runInputs[] = {
        {"管材", parts.combo1, nullptr},
        {"蒸汽", parts.combo2, nullptr},
        {"管段长度", parts.text1, "m"},
        {"局部损失（占沿程损失的 %）", parts.text2, nullptr},
        {"比摩阻上限 (Pa/m)", parts.text3, nullptr},
    };
    // An entry wraps whole: a caption never ends one line with its box on the next.
    for (const auto& input : runInputs) {
        auto* entry = new QHBoxLayout();
        auto* caption = new QLabel(text(input.caption), run);
        caption->setBuddy(input.input);
        entry->addWidget(caption);
        entry->addWidget(input.input);
        if (input.unit)
            entry->addWidget(new QLabel(text(input.unit), run));
        inputsRow->addItem(entry);
    }

    // A long status wraps in the width the buttons leave it, the window's width untouched; two
    // lines are kept for it, so that the table does not shrink and grow as the status changes.
    parts.label4->setTextFormat(Qt::PlainText);
    parts.label4->setWordWrap(true);
    parts.label4->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    parts.label4->setMinimumHeight(
        parts.label4->fontMetrics().boundingRect(QRect(), 0, QStringLiteral("1\n2")).height());
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(parts.label4, 1);
    for (QPushButton* push : {parts.command1, parts.command2}) {
        push->setAutoDefault(false);
        push->setFixedWidth(twips(1215));
        buttons->addWidget(push);
    }
    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(main);
    layout->addWidget(run);
    layout->addWidget(parts.list1);
    layout->addWidget(new QLabel(text("推荐流速为蒸汽管道的一般工程经验值，可按设计规范或"
                                      "本单位的规定取舍"),
                                 widget));
    layout->addLayout(buttons);
    // At 200 % a laptop's screen has no room for the table's sixteen rows: the window may be
    // made smaller, its table down to five rows, which fits 960 × 540 with a title bar, and
    // larger, the table taking the room.
    widget->setResizable();

    finishWindow(widget,
                 {
                     {parts.label1, nullptr, "主窗口的蒸汽流量"},
                     {parts.label2, nullptr, "主窗口的蒸汽密度"},
                     {parts.label3, nullptr, "主窗口的粗糙度"},
                     {parts.combo1, nullptr, "管材：焊接钢管或无缝钢管"},
                     {parts.combo2, nullptr, "蒸汽：饱和蒸汽或过热蒸汽，决定推荐流速"},
                     {parts.text1, "管段长度", "管段长度，单位 m"},
                     {parts.text2, "局部损失（占沿程损失的 %）", "局部损失占沿程摩擦损失的百分数"},
                     {parts.text3, "比摩阻上限 (Pa/m)", "推荐管径的比摩阻上限，留空则不限"},
                     {parts.list1, "各管径的计算结果",
                      "每行一种管径：内径、流速、比摩阻、管段压降、推荐流速和评价"},
                     {parts.label4, nullptr, "推荐的管径，或输入有误的原因"},
                 },
                 parts.command2,
                 {parts.combo1, parts.combo2, parts.text1, parts.text2, parts.text3, parts.list1,
                  parts.command1, parts.command2});
    // The arrow keys move through the sizes at once, and Enter chooses one as 选用 does (which
    // does nothing while it is disabled); Tab reaches 选用. Held down, Enter chooses once.
    parts.list1->setFocus(Qt::OtherFocusReason);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), parts.list1);
        enter->setContext(Qt::WidgetShortcut);
        enter->setAutoRepeat(false);
        QObject::connect(enter, &QShortcut::activated, parts.command1, &QPushButton::click);
    }
    return parts;
}

} // namespace

Form4View::Form4View(const QIcon& icon) : Form4View(buildForm4(icon)) {}

Form4View::Form4View(const Form4Parts& parts)
    : m_widget(parts.widget), window(parts.widget), label1(parts.label1), label2(parts.label2),
      label3(parts.label3), combo1(parts.combo1), combo2(parts.combo2), text1(parts.text1),
      text2(parts.text2), text3(parts.text3), list1(parts.list1), label4(parts.label4),
      command1(parts.command1), command2(parts.command2) {}

Form4View::~Form4View() = default;

ui::Form4Controls Form4View::controls() {
    return {
        .window = window,
        .label1 = label1,
        .label2 = label2,
        .label3 = label3,
        .combo1 = combo1,
        .combo2 = combo2,
        .text1 = text1,
        .text2 = text2,
        .text3 = text3,
        .list1 = list1,
        .label4 = label4,
        .command1 = command1,
        .command2 = command2,
    };
}

} // namespace controls::qt
