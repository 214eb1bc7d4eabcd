#pragma once

#include <QLabel>

namespace controls::qt {

// A label that says a fault in red, a red that reads on the window's colour in any theme, and
// anything else in the theme's own text colour. Kept to a number of lines, it wraps in the width
// it is given and ends what does not fit with "…", its tooltip the whole text; it is never
// taller, so that no status makes its window grow.
class StatusLabel final : public QLabel {
public:
    using QLabel::QLabel;
    void setFault(bool fault);
    // Wrapped, as tall as `lines` lines and no taller, whatever it is given.
    void keepToLines(int lines);
    // The whole text, shown as far as the lines kept allow.
    void setStatus(const QString& text);
    const QString& status() const { return m_whole; }

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void recolour();
    void fit();

    bool m_fault = false;
    int m_lines = 0; // none kept: the whole text, as any label shows it
    QString m_whole;
};

} // namespace controls::qt
