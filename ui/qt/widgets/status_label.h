#pragma once

#include <QLabel>

#include <functional>

namespace controls::qt {

// A label that says a fault in red, a red that reads on the window's colour in any theme, and
// anything else in the theme's own text colour. Kept to a number of lines, it wraps in the width
// it is given and ends what does not fit with "…", its tooltip the whole text; it is never
// taller, so that no status makes its window grow. While it is clickable a pointing hand shows
// over it and a click with the left button tells the click handler.
class StatusLabel final : public QLabel {
public:
    using QLabel::QLabel;
    void setFault(bool fault);
    void setClickable(bool on);
    bool clickable() const { return m_clickable; }
    void setClickHandler(std::function<void()> handler) { m_onClick = std::move(handler); }

    // Wrapped, as tall as `lines` lines and no taller, whatever it is given.
    void keepToLines(int lines);
    // The whole text, shown as far as the lines kept allow.
    void setStatus(const QString& text);
    const QString& status() const { return m_whole; }

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void recolour();
    void fit();

    bool m_fault = false;
    bool m_clickable = false;
    std::function<void()> m_onClick;
    int m_lines = 0; // none kept: the whole text, as any label shows it
    QString m_whole;
};

} // namespace controls::qt
