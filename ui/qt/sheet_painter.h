#pragma once

#include "sheet/sheet.h"

#include <QPagedPaintDevice>

#include <filesystem>
#include <string>

// The calculation sheet on paper: A4 pages drawn with Qt's GUI module alone, so that a command
// line can make the PDF offscreen and the windows can print the same pages.
namespace controls::qt {

// Sets the device to A4 with 18 mm margins, portrait, or landscape where a table would need a
// font under 7.5 pt across a portrait page, and draws the sheet on as many pages as it takes:
// each table's headings again on every page it continues on, "第 N 页 / 共 M 页" at the foot.
// Works on any paged device: a PDF writer, or a printer (a print-to-PDF one among them).
// False when the device would not be drawn on (a printer that cannot be opened).
bool paintSheet(const sheet::Sheet& sheet, QPagedPaintDevice& device);

// The sheet as a PDF at 300 dpi, its title and creator in the file's properties, written through
// a temporary file in the same folder renamed over `path`. Empty when done, else one message
// naming the file and why, with nothing left behind.
std::string savePdf(const sheet::Sheet& sheet, const std::filesystem::path& path);

} // namespace controls::qt
