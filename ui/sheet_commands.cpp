#include "ui/sheet_commands.h"

#include "calc/messages.h"
#include "files/save.h"

#include <algorithm>
#include <filesystem>

namespace ui {

namespace {

// ".CSV" is a CSV file as ".csv" is.
std::string lowerExtension(const std::string& path) {
    std::string extension = files::utf8Of(files::pathOf(path).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

void sheetCommand(SheetCommand command, const std::optional<sheet::Sheet>& content, SheetControls c,
                  const std::string& offered) {
    if (!content)
        return c.status.shown().setStatus("没有可输出的计算结果。" + c.status.text(), true);
    if (command == SheetCommand::Print) {
        if (!c.output.canPrint())
            return c.status.shown().setStatus(
                "没有可用的打印机：可用“导出 PDF…”存为 PDF 文件，再在别处打印", true);
        if (const std::string fault = c.output.print(*content); !fault.empty())
            c.messages.show(fault, calc::kErrorTitle);
        return;
    }
    const bool pdf = command == SheetCommand::Pdf;
    std::string path = pdf ? c.files.savePath("导出 PDF", kPdfFilter, offered + ".pdf")
                           : c.files.savePath("导出计算书", kExportFilter, offered + ".xlsx");
    if (path.empty())
        return;
    const std::string extension = lowerExtension(path);
    const bool csv = !pdf && extension == ".csv";
    if (extension != (pdf ? ".pdf" : csv ? ".csv" : ".xlsx"))
        path += pdf ? ".pdf" : ".xlsx";
    const std::filesystem::path file = files::pathOf(path);
    const std::string fault = pdf   ? c.output.savePdf(*content, path)
                              : csv ? sheet::saveCsv(*content, file)
                                    : sheet::saveXlsx(*content, file);
    if (!fault.empty())
        c.messages.show(fault, calc::kErrorTitle);
}

} // namespace ui
