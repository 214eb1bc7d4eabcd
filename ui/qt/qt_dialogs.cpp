#include "ui/qt/qt_dialogs.h"

#include "ui/qt/convert.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStringList>

namespace controls::qt {

using namespace Qt::StringLiterals;

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

Question::Answer QtQuestion::offer(std::string_view text, std::string_view title) {
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(title), fromUtf8(text), QMessageBox::NoButton,
                    m_owner);
    box.setObjectName(m_name);
    QPushButton* restore = box.addButton(u"恢复"_s, QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(u"放弃"_s, QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.exec();
    // Closed by neither, as when the program is ended from outside: the copy is left alone.
    const QAbstractButton* clicked = box.clickedButton();
    return clicked == restore   ? Answer::Restore
           : clicked == discard ? Answer::Discard
                                : Answer::Cancel;
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

std::string QtClipboard::text() const {
    return toUtf8(QGuiApplication::clipboard()->text());
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

} // namespace controls::qt
