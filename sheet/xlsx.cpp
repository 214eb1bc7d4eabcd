#include "files/save.h"
#include "sheet/sheet.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <map>
#include <tuple>
#include <utility>

#include <locale.h>

namespace sheet {

namespace {

// The library writes its numbers with printf, which follows the program's locale: a desktop set
// to a decimal comma would make a workbook no spreadsheet reads. The C locale while it writes.
#ifdef _WIN32
// The C runtime's locale stays "C" on Windows unless the program sets one, and Qt sets none.
class CNumbers {
public:
    CNumbers() {}
};
#else
class CNumbers {
public:
    CNumbers() : m_c(::newlocale(LC_NUMERIC_MASK, "C", nullptr)) {
        if (m_c != nullptr)
            m_before = ::uselocale(m_c);
    }
    ~CNumbers() {
        if (m_c == nullptr)
            return;
        ::uselocale(m_before);
        ::freelocale(m_c);
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    locale_t m_c;
    locale_t m_before = nullptr;
};
#endif

// The length of the UTF-8 sequence a byte leads.
std::size_t sequenceLength(unsigned char lead) {
    return lead < 0xc0 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
}

// A column's width in the spreadsheet's units, about one for a Latin character: a Chinese one,
// and any other from U+1100 on (East Asian scripts, symbols, full-width forms, near enough),
// takes two.
double textWidth(std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
        };
        const std::size_t length = sequenceLength(byte(0));
        const bool wide = length == 4 ||
                          (length == 3 && (byte(0) > 0xe1 || (byte(0) == 0xe1 && byte(1) >= 0x84)));
        width += wide ? 2 : 1;
        i += length;
    }
    return width;
}

// The number format that shows a figure with the digits it was shown with: "0.00" for
// "182.06", "0.000E+00" for "1.235E-05" (or a file's "1.235e-05").
std::string numberFormat(std::string_view shown) {
    const std::size_t exponent = shown.find_first_of("Ee");
    const std::string_view mantissa = shown.substr(0, exponent);
    const std::size_t point = mantissa.find('.');
    std::string format = "0";
    if (point != std::string_view::npos)
        format += "." + std::string(mantissa.size() - point - 1, '0');
    if (exponent != std::string_view::npos)
        format += "E+00";
    return format;
}

// What a failing call of the library means to a user, by its code.
std::string libraryWords(lxw_error error, int systemError) {
    const std::string system =
        systemError != 0 ? "：" + files::errnoWords(systemError) : std::string();
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return "内存不足";
    case LXW_ERROR_CREATING_XLSX_FILE:
        return "无法写入文件" + system;
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return "无法建立或读回临时数据" + system;
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return "写入失败" + system;
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return "有一格的文字长于表格程序允许的 32767 个字符";
    default:
        return std::string("表格程序库出错：") + lxw_strerror(error);
    }
}

// Writes a workbook and keeps its first failure; the workbook is freed whatever happened.
class Workbook {
public:
    Workbook(const std::filesystem::path& path, const std::filesystem::path& folder)
        : m_folder(files::utf8Of(folder)) {
        lxw_workbook_options options{};
        // The library's scratch files beside the file, in the folder the save can write.
        options.tmpdir = m_folder.data();
        // The library takes UTF-8 names, and opens them as such on Windows too.
        m_book = workbook_new_opt(files::utf8Of(path).c_str(), &options);
        if (m_book == nullptr)
            keep(LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    ~Workbook() {
        if (m_book != nullptr)
            workbook_close(m_book);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // The file's own title and subject, which a file manager and the spreadsheet's
    // properties show.
    void properties(const Sheet& sheet) {
        std::string title = sheet.title, subject = sheet.subject, program = sheet.program;
        lxw_doc_properties properties{};
        properties.title = title.data();
        properties.subject = subject.data();
        properties.comments = program.data();
        keep(workbook_set_properties(m_book, &properties));
    }

    bool ok() const { return m_error == LXW_NO_ERROR; }
    void keep(lxw_error error) {
        if (error != LXW_NO_ERROR && ok()) {
            m_error = error;
            m_systemError = errno;
        }
    }

    // A worksheet named by its table's title, which the sheets keep short and plain as a
    // spreadsheet wants a worksheet's name.
    lxw_worksheet* add(std::string_view title) {
        lxw_worksheet* sheet = workbook_add_worksheet(m_book, std::string(title).c_str());
        if (sheet == nullptr)
            keep(LXW_ERROR_PARAMETER_VALIDATION);
        return sheet;
    }

    // The format of a cell: bold, a title's size, a look's colour, a number's format.
    lxw_format* format(bool bold, Look look = Look::Plain, std::string_view number = {},
                       bool title = false, bool wrap = false) {
        const auto key = std::tuple(bold, look, std::string(number), title, wrap);
        if (const auto found = m_formats.find(key); found != m_formats.end())
            return found->second;
        lxw_format* f = workbook_add_format(m_book);
        if (bold || look == Look::Recommended || title)
            format_set_bold(f);
        if (title)
            format_set_font_size(f, 14);
        // As the windows colour a row: above its range red, below it grey.
        if (look == Look::Above)
            format_set_font_color(f, 0xC00000);
        if (look == Look::Below)
            format_set_font_color(f, 0x808080);
        if (!number.empty())
            format_set_num_format(f, std::string(number).c_str());
        if (wrap) {
            format_set_text_wrap(f);
            format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        }
        return m_formats[key] = f;
    }

    void text(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, std::string_view text,
              lxw_format* format = nullptr) {
        if (!text.empty())
            keep(worksheet_write_string(sheet, row, column, std::string(text).c_str(), format));
    }

    void cell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const Cell& cell, Look look) {
        double value = 0;
        const char* end = cell.text.data() + cell.text.size();
        const bool number = cell.number && std::from_chars(cell.text.data(), end, value).ptr == end;
        if (number)
            keep(worksheet_write_number(sheet, row, column, value,
                                        format(false, look, numberFormat(cell.text))));
        else
            text(sheet, row, column, cell.text, format(false, look));
    }

    // Closes the workbook, which writes the whole file; the first failure's words, or empty.
    std::string close() {
        lxw_workbook* book = std::exchange(m_book, nullptr);
        if (book != nullptr) {
            errno = 0;
            keep(workbook_close(book));
        }
        return ok() ? std::string() : libraryWords(m_error, m_systemError);
    }

private:
    std::string m_folder;
    lxw_workbook* m_book = nullptr;
    lxw_error m_error = LXW_NO_ERROR;
    int m_systemError = 0;
    std::map<std::tuple<bool, Look, std::string, bool, bool>, lxw_format*> m_formats;
};

// A table's worksheet: the sheet's head and inputs, the table, the findings under it.
void tableSheet(Workbook& book, const Sheet& sheet, const Table& table) {
    lxw_worksheet* ws = book.add(table.title);
    if (ws == nullptr)
        return;
    lxw_row_t row = 0;
    book.text(ws, row++, 0, sheet.title, book.format(true, Look::Plain, {}, true));
    if (!sheet.subject.empty())
        book.text(ws, row++, 0, sheet.subject, book.format(true));
    std::vector<double> widths(std::max<std::size_t>(table.headings.size(), 2), 0);
    const auto input = [&](std::string_view name, const Cell& value) {
        book.text(ws, row, 0, name);
        if (value.number)
            book.cell(ws, row, 1, value, Look::Plain);
        else
            book.text(ws, row, 1, value.text);
        ++row;
        widths[0] = std::max(widths[0], textWidth(name));
    };
    input("程序", {sheet.program});
    input("日期", {sheet.date});
    // A number under a name with its unit, as a table's heading has it, for formulas to use.
    for (const Input& i : sheet.inputs)
        if (i.number)
            input(i.unit.empty() ? i.name : i.name + " (" + i.unit + ")", {i.value, true});
        else
            input(i.name, {shownValue(i)});
    ++row;
    book.text(ws, row++, 0, table.title, book.format(true));
    const lxw_row_t headings = row++;
    for (std::size_t c = 0; c < table.headings.size(); ++c) {
        book.text(ws, headings, static_cast<lxw_col_t>(c), table.headings[c], book.format(true));
        // Bold is a little wider.
        widths[c] = std::max(widths[c], textWidth(table.headings[c]) * 1.1);
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r, ++row) {
        const Look look = r < table.looks.size() ? table.looks[r] : Look::Plain;
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            book.cell(ws, row, static_cast<lxw_col_t>(c), table.rows[r][c], look);
            if (c < widths.size())
                widths[c] = std::max(widths[c], textWidth(table.rows[r][c].text));
        }
    }
    if (!sheet.findings.empty()) {
        ++row;
        book.text(ws, row++, 0, "结论", book.format(true));
        for (const std::string& finding : sheet.findings)
            book.text(ws, row++, 0, finding);
    }
    for (std::size_t c = 0; c < widths.size(); ++c)
        book.keep(worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                       std::min(widths[c] + 2, 60.0), nullptr));
    // The headings stay in view, and on every printed page, however long the table.
    worksheet_freeze_panes(ws, headings + 1, 0);
    book.keep(worksheet_repeat_rows(ws, headings, headings));
    worksheet_set_paper(ws, 9); // A4
    worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 0);
}

void methodSheet(Workbook& book, const Sheet& sheet) {
    lxw_worksheet* ws = book.add("计算方法");
    if (ws == nullptr)
        return;
    book.text(ws, 0, 0, "计算方法", book.format(true, Look::Plain, {}, true));
    lxw_row_t row = 1;
    for (const std::string& paragraph : sheet.method)
        book.text(ws, row++, 0, paragraph, book.format(false, Look::Plain, {}, false, true));
    book.keep(worksheet_set_column(ws, 0, 0, 100, nullptr));
    worksheet_set_paper(ws, 9);
}

} // namespace

std::string saveXlsx(const Sheet& sheet, const std::filesystem::path& path) {
    const std::string why = files::saveThrough(path, [&](std::FILE*,
                                                         const std::filesystem::path& to) {
        const CNumbers numbers;
        // The library opens the file by its name and writes it whole at the close.
        Workbook book(to, to.parent_path().empty() ? std::filesystem::path(".") : to.parent_path());
        book.properties(sheet);
        for (const Table& table : sheet.tables)
            tableSheet(book, sheet, table);
        if (!sheet.method.empty())
            methodSheet(book, sheet);
        std::string why = book.close();
        // A Windows older than its UTF-8 code page reads the library's narrow name in the
        // user's code page, and the library writes another file: this one stays empty.
        std::error_code error;
        if (why.empty() && std::filesystem::file_size(to, error) == 0)
            why = "写入失败：表格程序库没有写到这个文件";
        return why;
    });
    return why.empty() ? why : files::saveFault(files::fileNameOf(path), why);
}

} // namespace sheet
