#include "ui/qt/qt_dialogs.h"

#include "files/save.h"
#include "ui/qt/convert.h"
#include "ui/qt/sheet_painter.h"

#include <QDate>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace controls::qt {

std::string QtSheetOutput::today() const {
    return QDate::currentDate().toString(Qt::ISODate).toStdString();
}

bool QtSheetOutput::canPrint() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

std::string QtSheetOutput::print(const sheet::Sheet& sheet) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(fromUtf8(sheet.title));
    QPrintDialog dialog(&printer, m_owner);
    dialog.setObjectName(m_name);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (!paintSheet(sheet, printer))
        return "无法打印“" + sheet.title + "”：打印机“" + printer.printerName().toStdString() +
               "”无法使用";
    return {};
}

std::string QtSheetOutput::savePdf(const sheet::Sheet& sheet, const std::string& path) {
    return controls::qt::savePdf(sheet, files::pathOf(path));
}

} // namespace controls::qt
