#include "ui/qt/qt_controls.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStringList>

#include <algorithm>

namespace controls::qt {

using namespace Qt::StringLiterals;

namespace {

std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

void notify(const Handler& handler) {
    if (handler)
        handler();
}

} // namespace

bool EditBox::event(QEvent* event) {
    // Every user edit arrives as an event of this widget (keys, input method, the context
    // menu's paste, drops): compare the text around the outermost one.
    if (m_depth++ == 0)
        m_before = text();
    const bool handled = QLineEdit::event(event);
    if (--m_depth == 0 && text() != m_before) {
        m_before = text();
        notify(m_onChange);
    }
    return handled;
}

void EditBox::programChanged() {
    if (m_depth == 0)
        notify(m_onChange);
}

QtTextBox::QtTextBox(EditBox* edit) : OverWidget(edit), m_edit(edit) {
    QObject::connect(m_edit, &QLineEdit::textChanged, m_edit, [this] { m_edit->programChanged(); });
}

std::string QtTextBox::text() const {
    return toUtf8(m_edit->text());
}

void QtTextBox::setText(std::string_view text) {
    const QString wanted = fromUtf8(text);
    if (m_edit->text() == wanted)
        return;
    m_edit->setText(wanted);
}

void QtTextBox::setEnabled(bool on) {
    m_edit->setEnabled(on);
}
void QtTextBox::setFocus() {
    m_edit->setFocus(Qt::OtherFocusReason);
}

QtDropDownList::QtDropDownList(QComboBox* combo) : OverWidget(combo), m_combo(combo) {
    // activated is the user's pick, also of the item already shown; the program's own
    // selections raise the click in setText instead.
    QObject::connect(m_combo, &QComboBox::activated, m_combo, [this] { notify(m_onClick); });
}

std::string QtDropDownList::text() const {
    return m_combo->currentIndex() < 0 ? std::string() : toUtf8(m_combo->currentText());
}

void QtDropDownList::addItem(std::string_view text, int index) {
    const QSignalBlocker blocker(m_combo);
    const bool nothingSelected = m_combo->currentIndex() < 0;
    m_combo->insertItem(index, fromUtf8(text));
    // QComboBox selects the first item it is given; a drop-down list shows nothing until an
    // item is selected.
    if (nothingSelected)
        m_combo->setCurrentIndex(-1);
}

void QtDropDownList::clear() {
    const QSignalBlocker blocker(m_combo);
    m_combo->clear();
}

void QtDropDownList::setText(std::string_view text) {
    const int index = m_combo->findText(fromUtf8(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 || index == m_combo->currentIndex())
        return;
    {
        const QSignalBlocker blocker(m_combo);
        m_combo->setCurrentIndex(index);
    }
    notify(m_onClick);
}

void QtDropDownList::setEnabled(bool on) {
    m_combo->setEnabled(on);
}

QtSimpleCombo::QtSimpleCombo(QLineEdit* edit, QListWidget* list)
    : OverWidget(list), m_edit(edit), m_list(list) {
    // A row becomes the selected one by mouse or arrow key: one click, and the edit field
    // shows the row.
    QObject::connect(m_list, &QListWidget::currentRowChanged, m_list, [this](int row) {
        if (m_programmatic || row < 0)
            return;
        m_edit->setText(m_list->item(row)->text());
        notify(m_onClick);
    });
    QObject::connect(m_list, &QListWidget::itemDoubleClicked, m_list,
                     [this] { notify(m_onDoubleClick); });
}

void QtSimpleCombo::addItem(std::string_view text, int index) {
    m_programmatic = true;
    m_list->insertItem(index, fromUtf8(text));
    m_programmatic = false;
}

void QtSimpleCombo::setText(std::string_view text) {
    m_edit->setText(fromUtf8(text));
}

void QtSimpleCombo::showRow(int index) {
    if (index < 0 || index >= m_list->count())
        return;
    m_programmatic = true;
    m_list->setCurrentRow(index);
    m_list->scrollToItem(m_list->item(index), QAbstractItemView::PositionAtCenter);
    m_programmatic = false;
}

int QtSimpleCombo::selectedIndex() const {
    return m_list->currentRow();
}

QtTableList::QtTableList(Table* table) : OverWidget(table), m_table(table) {
    QObject::connect(m_table, &QTreeWidget::itemDoubleClicked, m_table,
                     [this] { notify(m_onDoubleClick); });
}

void QtTableList::addItem(std::string_view cells, int index) {
    const QStringList texts = fromUtf8(cells).split(QLatin1Char('\t'));
    auto* row = new QTreeWidgetItem();
    for (int column = 0; column < texts.size(); ++column) {
        // Numbers keep a column for their sign; shown right-aligned, the blank only costs room.
        const QString shown = texts[column].trimmed();
        row->setText(column, shown);
        row->setToolTip(column, shown);
        row->setTextAlignment(column,
                              Qt::Alignment::fromInt(m_table->headerItem()->textAlignment(column)));
    }
    m_table->insertTopLevelItem(std::clamp(index, 0, m_table->topLevelItemCount()), row);
}

void QtTableList::clear() {
    m_table->clear();
}

void QtTableList::setRowLook(int index, Look look) {
    if (QTreeWidgetItem* row = m_table->topLevelItem(index))
        m_table->setLook(row, look);
}

void QtTableList::showRow(int index) {
    QTreeWidgetItem* row = m_table->topLevelItem(index);
    if (!row)
        return;
    m_table->setCurrentItem(row);
    m_table->scrollToItem(row, QAbstractItemView::PositionAtCenter);
}

int QtTableList::selectedIndex() const {
    // Of several rows selected for copying, the one the user clicked last stands for them, as
    // the one row a click selects does; one unselected again leaves the first still selected.
    if (QTreeWidgetItem* current = m_table->currentItem(); current && current->isSelected())
        return m_table->indexOfTopLevelItem(current);
    for (int i = 0; i < m_table->topLevelItemCount(); ++i)
        if (m_table->topLevelItem(i)->isSelected())
            return i;
    return -1;
}

QtGrid::QtGrid(GridTable* table) : OverWidget(table), m_table(table) {
    m_table->setEditHandler([this](int row, int column) {
        if (m_onCellChange)
            m_onCellChange(row, column);
    });
}

int QtGrid::rowCount() const {
    return m_table->rowCount();
}

void QtGrid::insertRow(int row) {
    if (row < 0 || row > m_table->rowCount())
        return;
    m_table->insertRow(row);
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_table->setItem(row, column, new QTableWidgetItem());
}

// The row that takes the removed one's place becomes current, or the one before it where the
// last row goes; said here rather than left to the view's selection rules.
void QtGrid::removeRow(int row) {
    if (row < 0 || row >= m_table->rowCount())
        return;
    int current = m_table->currentRow();
    const int column = std::max(m_table->currentColumn(), 0);
    m_table->removeRow(row);
    if (current > row || current == m_table->rowCount())
        --current;
    if (current >= 0)
        m_table->setCurrentCell(current, column);
    else
        m_table->setCurrentIndex({});
}

std::string QtGrid::cell(int row, int column) const {
    return toUtf8(m_table->cellText(row, column));
}

void QtGrid::setCell(int row, int column, std::string_view text) {
    if (m_table->setCellText(row, column, fromUtf8(text)) && m_onCellChange)
        m_onCellChange(row, column);
}

void QtGrid::setColumnItems(int column, const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items)
        texts << fromUtf8(item);
    m_table->setColumnItems(column, texts);
}

int QtGrid::currentRow() const {
    return m_table->currentRow();
}

void QtGrid::setCurrentRow(int row) {
    if (row < 0 || row >= m_table->rowCount())
        m_table->setCurrentIndex({});
    else
        m_table->setCurrentCell(row, std::max(m_table->currentColumn(), 0));
}

QtOptionButton::QtOptionButton(QRadioButton* button) : OverWidget(button), m_button(button) {
    // toggled(true) comes only when the button really switches on, by the user or the program.
    QObject::connect(m_button, &QRadioButton::toggled, m_button, [this](bool on) {
        if (on)
            notify(m_onClick);
    });
}

bool QtOptionButton::isChecked() const {
    return m_button->isChecked();
}

void QtOptionButton::setChecked(bool on) {
    if (on) {
        m_button->setChecked(true);
        return;
    }
    // Qt keeps the checked button of an exclusive group from being switched off.
    m_button->setAutoExclusive(false);
    m_button->setChecked(false);
    m_button->setAutoExclusive(true);
}

QtPushButton::QtPushButton(QPushButton* button) : OverWidget(button), m_button(button) {
    QObject::connect(m_button, &QPushButton::clicked, m_button, [this] { notify(m_onClick); });
}

void QtPushButton::setEnabled(bool on) {
    m_button->setEnabled(on);
}

QtLabel::QtLabel(QLabel* label) : OverWidget(label), m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
}

void QtLabel::setCaption(std::string_view caption) {
    m_label->setText(fromUtf8(caption));
}

QtStatusText::QtStatusText(StatusLabel* label) : OverWidget(label), m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
}

void QtStatusText::setStatus(std::string_view text, bool fault) {
    m_label->setText(fromUtf8(text));
    m_label->setFault(fault);
}

QtMenuCommand::QtMenuCommand(QAction* action) : m_action(action) {
    QObject::connect(m_action, &QAction::triggered, m_action, [this] { notify(m_onClick); });
}

void QtMessageBox::show(std::string_view text, std::string_view title) {
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(title), fromUtf8(text), QMessageBox::Ok, m_owner);
    box.exec();
}

Question::Answer QtQuestion::ask(std::string_view text, std::string_view title) {
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(title), fromUtf8(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_owner);
    box.setObjectName(m_name);
    box.button(QMessageBox::Save)->setText(u"保存"_s);
    box.button(QMessageBox::Discard)->setText(u"不保存"_s);
    box.button(QMessageBox::Cancel)->setText(u"取消"_s);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == box.button(QMessageBox::Save))
        return Answer::Save;
    if (clicked == box.button(QMessageBox::Discard))
        return Answer::Discard;
    return Answer::Cancel;
}

namespace {

// "蒸汽管网 (*.json)" gives "json".
QString firstSuffix(const QString& filter) {
    const qsizetype star = filter.indexOf(u"*."_s);
    if (star < 0)
        return {};
    qsizetype end = star + 2;
    while (end < filter.size() && filter[end].isLetterOrNumber())
        ++end;
    return filter.mid(star + 2, end - star - 2);
}

// Where the settings keep the folder of the last chosen path and the recent files.
const QString kFolderKey = u"files/lastFolder"_s;
const QString kRecentKey = u"network/recentFiles"_s;

QString lastFolder() {
    return QSettings().value(kFolderKey).toString();
}

} // namespace

std::string QtFileDialogs::choose(QFileDialog& dialog) {
    dialog.setObjectName(m_name);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    QSettings().setValue(kFolderKey, QFileInfo(path).absolutePath());
    return toUtf8(path);
}

std::string QtFileDialogs::openPath(std::string_view title, std::string_view filter) {
    QFileDialog dialog(m_owner, fromUtf8(title), lastFolder(), fromUtf8(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return choose(dialog);
}

std::string QtFileDialogs::savePath(std::string_view title, std::string_view filter,
                                    std::string_view suggested) {
    const QFileInfo offered(fromUtf8(suggested));
    // A suggested name with a folder opens there: the file the work came from.
    const QString folder =
        fromUtf8(suggested).contains(QLatin1Char('/')) ? offered.absolutePath() : lastFolder();
    QFileDialog dialog(m_owner, fromUtf8(title), folder, fromUtf8(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(firstSuffix(fromUtf8(filter)));
    // With several filters, the one the user chooses names the file's kind.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& chosen) { dialog.setDefaultSuffix(firstSuffix(chosen)); });
    dialog.selectFile(offered.fileName());
    return choose(dialog);
}

void QtClipboard::setText(std::string_view text) {
    QGuiApplication::clipboard()->setText(fromUtf8(text));
}

QtRecentFiles::QtRecentFiles(QMenu* menu, QWidget* owner, QString name)
    : OverDialog(owner, std::move(name)), m_menu(menu) {
    fill(QSettings().value(kRecentKey).toStringList());
}

std::vector<std::string> QtRecentFiles::paths() const {
    std::vector<std::string> out;
    for (const QString& path : QSettings().value(kRecentKey).toStringList())
        out.push_back(toUtf8(path));
    return out;
}

void QtRecentFiles::setPaths(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths)
        list << fromUtf8(path);
    QSettings().setValue(kRecentKey, list);
    fill(list);
}

void QtRecentFiles::fill(const QStringList& paths) {
    m_menu->clear();
    for (int i = 0; i < paths.size(); ++i) {
        // An ampersand in a path is shown, not taken for a mnemonic.
        QString shown = QDir::toNativeSeparators(paths[i]);
        shown.replace(u'&', u"&&"_s);
        QAction* entry = m_menu->addAction(u"&%1 %2"_s.arg(i + 1).arg(shown));
        QObject::connect(entry, &QAction::triggered, m_menu, [this, i] {
            if (m_onPick)
                m_onPick(i);
        });
    }
    m_menu->setEnabled(!paths.isEmpty());
}

FormWidget::FormWidget(int widthTwips, int heightTwips) {
    setFixedSize(twips(widthTwips), twips(heightTwips));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
}

void FormWidget::setResizable() {
    m_resizable = true;
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    fitMinimumToLayout();
}

bool FormWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The layout has been set up anew by now: a request reaches it before the window.
    if (m_resizable && event->type() == QEvent::LayoutRequest)
        fitMinimumToLayout();
    return handled;
}

void FormWidget::fitMinimumToLayout() {
    if (const QLayout* shown = layout()) {
        const int width = shown->totalMinimumSize().width();
        setMinimumSize(width, shown->totalMinimumHeightForWidth(width));
    }
}

void FormWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    notify(m_onClose);
}

void placeOnScreen(QWidget& window, const QScreen& screen, QSize wanted, QPoint centre,
                   const QWidget* framed) {
    const QRect area = screen.availableGeometry();
    const QSize decoration =
        framed ? framed->frameGeometry().size() - framed->geometry().size() : QSize();
    window.resize(wanted.boundedTo(area.size() - decoration));
    QRect frame({}, window.size() + decoration);
    frame.moveCenter(centre);
    // A window that is larger than the screen all the same keeps its title bar on it.
    const int left =
        std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    window.move(left, top);
}

void QtWindow::show() {
    if (!m_centred) {
        // Centred by the program itself: there may be no window manager to do it.
        if (const QScreen* screen = m_widget->screen()) {
            const QRect area = screen->availableGeometry();
            if (m_widget->minimumSize() == m_widget->maximumSize())
                m_widget->move(area.center() -
                               QPoint(m_widget->width() / 2, m_widget->height() / 2));
            else
                // A window that can be resized opens at the size its layout asks for where the
                // screen has room, and its frame is as large as the window's it opens over.
                placeOnScreen(*m_widget, *screen, m_widget->sizeHint(), area.center(),
                              QApplication::activeWindow());
        }
        m_centred = true;
    }
    m_widget->show();
    m_widget->activateWindow();
    m_widget->raise();
}

void QtWindow::hide() {
    m_widget->hide();
}

void QtWindow::setTitle(std::string_view title) {
    m_widget->setWindowTitle(fromUtf8(title));
}

void QtWindow::onClose(Handler handler) {
    m_widget->setCloseHandler(std::move(handler));
}

void QtProgram::end() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->hide();
    QCoreApplication::exit(0);
}

} // namespace controls::qt
