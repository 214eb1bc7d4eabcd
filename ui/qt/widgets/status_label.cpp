#include "ui/qt/widgets/status_label.h"

#include "ui/qt/colours.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTextLayout>

namespace controls::qt {

void StatusLabel::setFault(bool fault) {
    m_fault = fault;
    recolour();
}

void StatusLabel::setClickable(bool on) {
    m_clickable = on;
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

// On the release inside the line, as a button takes its click: a press dragged off is no click.
void StatusLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (m_clickable && m_onClick && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        m_onClick();
}

void StatusLabel::keepToLines(int lines) {
    m_lines = lines;
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    // Its width is what the buttons beside it leave; its height never follows its text.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    const QMargins margins = contentsMargins();
    QStringList sample;
    for (int i = 0; i < lines; ++i)
        sample << QStringLiteral("1");
    setFixedHeight(fontMetrics().boundingRect(QRect(), 0, sample.join(QLatin1Char('\n'))).height() +
                   margins.top() + margins.bottom() + 2 * margin());
    fit();
}

void StatusLabel::setStatus(const QString& text) {
    m_whole = text;
    if (m_lines > 0)
        setToolTip(text);
    fit();
}

void StatusLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        recolour();
    if (event->type() == QEvent::FontChange && m_lines > 0)
        keepToLines(m_lines);
}

void StatusLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

// The lines that fit whole as the label would wrap them, and the rest on the last line, ended
// with "…" where it is longer.
void StatusLabel::fit() {
    const int width = contentsRect().width() - 2 * margin();
    if (m_lines <= 0 || width <= 0) {
        setText(m_whole);
        return;
    }
    QTextLayout layout(m_whole, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lastStart = -1;
    int count = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (++count == m_lines)
            lastStart = line.textStart();
    }
    layout.endLayout();
    if (count <= m_lines) {
        setText(m_whole);
        return;
    }
    QString rest = m_whole.mid(lastStart);
    rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString shown = m_whole.left(lastStart);
    setText(
        (shown.isEmpty() || shown.endsWith(QLatin1Char('\n')) ? shown : shown + QLatin1Char('\n')) +
        fontMetrics().elidedText(rest, Qt::ElideRight, width));
}

// Setting the colour raises the change again; the second time there is nothing to do.
void StatusLabel::recolour() {
    if (!m_fault) {
        // An empty palette takes every colour from the window again, the theme's text colour too.
        if (testAttribute(Qt::WA_SetPalette))
            setPalette(QPalette());
        return;
    }
    const QColor wanted = readableOn(QColor(255, 0, 0), palette().color(QPalette::Window));
    if (testAttribute(Qt::WA_SetPalette) && palette().color(QPalette::WindowText) == wanted)
        return;
    QPalette shown = palette();
    shown.setColor(QPalette::WindowText, wanted);
    setPalette(shown);
}

} // namespace controls::qt
