#pragma once

#include "sheet/sheet.h"
#include "ui/controls/controls.h"

#include <optional>
#include <string>
#include <string_view>

// The calculation sheet's commands, the same in the sizing and the network windows: exported
// to a spreadsheet or CSV, saved as a PDF, printed. A file the disk refuses is said in one
// message; a sheet there is none of, or a printer there is none of, in the status line.
namespace ui {

// A status line that keeps what the window's handlings last said, so that a refusal can repeat
// the reason without taking it for its own.
class KeptStatus final : public controls::StatusText {
public:
    explicit KeptStatus(controls::StatusText& shown) : m_shown(shown) {}
    void setStatus(std::string_view text, bool fault) override {
        m_text = text;
        m_shown.setStatus(text, fault);
    }
    void setClickable(bool on) override { m_shown.setClickable(on); }
    void onClick(controls::Handler handler) override { m_shown.onClick(std::move(handler)); }
    const std::string& text() const { return m_text; }
    // The line itself, for a refusal that is not kept.
    controls::StatusText& shown() const { return m_shown; }

private:
    controls::StatusText& m_shown;
    std::string m_text;
};

struct SheetControls {
    controls::FileDialogs& files;
    controls::MessageBox& messages;
    controls::SheetOutput& output;
    const KeptStatus& status;
};

inline constexpr std::string_view kExportFilter = "Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)";
inline constexpr std::string_view kPdfFilter = "PDF 文件 (*.pdf)";

enum class SheetCommand { Export, Pdf, Print };

// Performs the command on the sheet the window shows, none while its inputs are at fault.
// `offered` is the file's name without its extension, in the folder a save starts in where it
// has one. A path chosen without a known extension is given the first filter's.
void sheetCommand(SheetCommand command, const std::optional<sheet::Sheet>& content,
                  SheetControls controls, const std::string& offered);

} // namespace ui
