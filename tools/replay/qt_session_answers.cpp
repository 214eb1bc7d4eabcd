#include "tools/replay/qt_session.h"

#include "ui/qt/convert.h"

#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace replay {

using controls::qt::fromUtf8;

bool QtSession::eventFilter(QObject* watched, QEvent* event) {
    // Message boxes and the help windows alike: Enter presses the default button, which closes.
    // A question or file dialog takes the answer given for it.
    if (event->type() == QEvent::Show)
        if (auto* box = qobject_cast<QDialog*>(watched))
            QTimer::singleShot(0, box, [this, box] { answer(box); });
    return false;
}

void QtSession::answer(QDialog* dialog) {
    // The overwrite the save dialog asks about was the script's choice.
    if (auto* box = qobject_cast<QMessageBox*>(dialog);
        box && qobject_cast<QFileDialog*>(box->parentWidget()) && box->button(QMessageBox::Yes)) {
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        return;
    }
    const std::string target = dialog->objectName().isEmpty()
                                   ? std::string()
                                   : dialog->parentWidget()->window()->objectName().toStdString() +
                                         "." + dialog->objectName().toStdString();
    const ui::ControlDescription* described = ui::controlOf(target);
    // A print dialog is cancelled: a session prints on no machine's printer.
    if (described && described->kind == ui::Kind::SheetOutput) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    const bool question = described && described->kind == ui::Kind::Question;
    auto* files = qobject_cast<QFileDialog*>(dialog);
    if (!question && !(files && described && described->kind == ui::Kind::FileDialogs)) {
        QTest::keyClick(dialog, Qt::Key_Enter);
        return;
    }
    auto& answers = m_answers[target];
    if (answers.empty()) {
        // As in memory: cancelled, and the script's fault.
        m_faults.push_back(target + " asked \"" + dialog->windowTitle().toStdString() +
                           "\" with no answer given");
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    const std::string given = std::move(answers.front());
    answers.pop_front();
    if (question) {
        auto* box = static_cast<QMessageBox*>(dialog);
        const QMessageBox::StandardButton button = given == "save"      ? QMessageBox::Save
                                                   : given == "discard" ? QMessageBox::Discard
                                                                        : QMessageBox::Cancel;
        QTest::mouseClick(box->button(button), Qt::LeftButton);
        return;
    }
    // The open dialog takes only a file that is there: given another, the user cancels.
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    std::error_code error;
    if (given.empty() || !name ||
        (files->acceptMode() == QFileDialog::AcceptOpen &&
         !std::filesystem::is_regular_file(given, error))) {
        QTest::keyClick(files, Qt::Key_Escape);
        return;
    }
    // Chosen as a user chooses it, in the list or by its name, and taken with Enter. The whole
    // path goes into the name field: the dialog would make one in a folder that is not there
    // relative to its own.
    files->selectFile(fromUtf8(given));
    name->setText(fromUtf8(given));
    QTest::keyClick(name, Qt::Key_Return);
    // A folder, say, is opened rather than taken: the dialog must not stay open.
    if (files->isVisible())
        files->reject();
}

std::size_t QtSession::pendingAnswers(const std::string& target) const {
    const auto found = m_answers.find(target);
    return found == m_answers.end() ? 0 : found->second.size();
}

} // namespace replay
