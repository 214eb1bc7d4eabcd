#include "ui/qt/help_windows.h"

#include "ui/qt/convert.h"
#include "ui/qt/qt_window.h"

#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace controls::qt {

namespace {

QString guideMarkdown() {
    QFile file(u":/guide.md"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Qt renders Markdown with no space between paragraphs; the guide's long paragraphs and
// headings need some to be read. Lists and table cells stay as tight as Qt sets them.
void spaceParagraphs(QTextDocument* document) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        if (block.textList() || cursor.currentTable())
            continue;
        QTextBlockFormat format;
        format.setBottomMargin(6);
        if (block.blockFormat().headingLevel() > 0)
            format.setTopMargin(8);
        cursor.mergeBlockFormat(format);
    }
}

// A button row with the one button on the right; the button takes the focus, and Enter (as
// the default button, from wherever the focus is) and Esc (the dialog's reject) both close the
// dialog.
void addCloseButton(QDialog& dialog, QVBoxLayout* layout, const QString& caption) {
    auto* button = new QPushButton(caption, &dialog);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    layout->addLayout(row);
    button->setFocus();
}

// Sizes the dialog to fit the screen and centres it on the main window, whose frame it is given.
void place(QDialog& dialog, QWidget* parent, QSize wanted) {
    const QWidget* main = parent ? parent->window() : nullptr;
    const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        dialog.resize(wanted);
        return;
    }
    placeOnScreen(dialog, *screen, wanted,
                  main && main->isVisible() ? main->frameGeometry().center()
                                            : screen->availableGeometry().center(),
                  main);
}

} // namespace

void QtHelpWindows::showGuide() {
    QDialog dialog(m_parent);
    dialog.setObjectName(u"Guide"_s);
    dialog.setWindowTitle(u"使用说明"_s);
    auto* layout = new QVBoxLayout(&dialog);
    auto* browser = new QTextBrowser(&dialog);
    browser->setAccessibleName(u"使用说明"_s);
    browser->setOpenLinks(false);
    browser->setMarkdown(guideMarkdown());
    spaceParagraphs(browser->document());
    layout->addWidget(browser);
    addCloseButton(dialog, layout, u"关  闭"_s);
    // The keyboard starts in the text, so that PageDown and the arrows scroll it at once. The
    // text has nothing for Enter to do: it closes the guide, as its default button.
    browser->setFocus();
    place(dialog, m_parent, {720, 600});
    dialog.exec();
}

void QtHelpWindows::showAbout() {
    QDialog dialog(m_parent);
    dialog.setObjectName(u"About"_s);
    dialog.setWindowTitle(u"关于"_s);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->setSpacing(10);

    auto* name = new QLabel(u"蒸汽流速计算"_s, &dialog);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    if (nameFont.pixelSize() > 0)
        nameFont.setPixelSize(nameFont.pixelSize() * 3 / 2);
    else
        nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    layout->addWidget(name);

    // The version is the project's, handed over by the build; Qt's is the library's actually
    // loaded, which may differ from the one the program was built against.
    auto* details = new QLabel(u"版本 %1\n按 MIT 许可证发布\nQt 版本 %2"_s.arg(
                                   QString::fromUtf8(STEAM_VERSION), QString::fromUtf8(qVersion())),
                               &dialog);
    details->setTextFormat(Qt::PlainText);
    details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(details);

    addCloseButton(dialog, layout, u"确定"_s);
    layout->activate();
    place(dialog, m_parent, dialog.size());
    dialog.exec();
}

} // namespace controls::qt
