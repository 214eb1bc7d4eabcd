#include "ui/controls/memory_dialogs.h"

#include <filesystem>

namespace controls::memory {

void MemoryMessageBox::show(std::string_view text, std::string_view title) {
    m_recorder.record({.kind = "message", .text = std::string(text), .title = std::string(title)});
}

std::string_view answerName(Question::Answer answer) {
    constexpr std::string_view kAnswers[] = {"save", "discard", "cancel", "restore"};
    return kAnswers[static_cast<int>(answer)];
}

Question::Answer MemoryQuestion::answer(std::string_view kind, std::string_view text,
                                        std::string_view title, bool offered) {
    bool answered = !m_answers.empty();
    Answer answer = answered ? m_answers.front() : Answer::Cancel;
    if (answered)
        m_answers.pop_front();
    // Each question has its own buttons: an answer it has none for is the script's fault.
    const bool fits = offered ? answer == Answer::Restore || answer == Answer::Discard
                              : answer != Answer::Restore;
    if (!fits) {
        answered = false;
        answer = Answer::Cancel;
    }
    record({.kind = kind,
            .control = m_name,
            .text = std::string(text),
            .title = std::string(title),
            .on = answered,
            .answer = std::string(answerName(answer))});
    return answer;
}

Question::Answer MemoryQuestion::ask(std::string_view text, std::string_view title) {
    return answer("question", text, title, false);
}

Question::Answer MemoryQuestion::offer(std::string_view text, std::string_view title) {
    return answer("offer", text, title, true);
}

Op MemoryFileDialogs::answer(std::string_view kind, std::string_view title,
                             std::string_view filter) {
    Op op{.kind = kind,
          .control = m_name,
          .title = std::string(title),
          .on = !m_paths.empty(),
          .filter = std::string(filter)};
    if (op.on) {
        op.answer = std::move(m_paths.front());
        m_paths.pop_front();
    }
    return op;
}

std::string MemoryFileDialogs::openPath(std::string_view title, std::string_view filter) {
    Op op = answer("openpath", title, filter);
    // The real dialog opens only a file that exists: given another, the user can but cancel.
    // The name is UTF-8, as the program's are; a narrow path is not read so on Windows.
    std::error_code error;
    const std::filesystem::path path(std::u8string(op.answer.begin(), op.answer.end()));
    if (!op.answer.empty() && !std::filesystem::is_regular_file(path, error))
        op.answer.clear();
    record(op);
    return op.answer;
}

std::string MemoryFileDialogs::savePath(std::string_view title, std::string_view filter,
                                        std::string_view suggested) {
    Op op = answer("savepath", title, filter);
    op.suggested = suggested;
    record(op);
    return op.answer;
}

void MemoryClipboard::setText(std::string_view text) {
    m_text = text;
    record({.kind = "clipboard", .control = m_name, .text = m_text});
}

std::string MemorySheetOutput::print(const sheet::Sheet& sheet) {
    m_last = sheet;
    record({.kind = "print", .control = m_name, .title = sheet.title});
    return {};
}

std::string MemorySheetOutput::savePdf(const sheet::Sheet& sheet, const std::string& path) {
    m_last = sheet;
    record({.kind = "pdf", .control = m_name, .text = path, .title = sheet.title});
    return {};
}

void MemoryRecentFiles::setPaths(const std::vector<std::string>& paths) {
    m_stored = paths;
    std::string joined;
    for (const std::string& path : paths)
        joined += (joined.empty() ? "" : "\t") + path;
    record({.kind = "recent", .control = m_name, .text = joined});
}

void MemoryRecentFiles::userPick(int index) {
    if (static_cast<std::size_t>(index) < m_stored.size() && m_onPick)
        m_onPick(index);
}

void MemoryHelpWindows::showGuide() {
    m_recorder.record({.kind = "guide"});
}

void MemoryHelpWindows::showAbout() {
    m_recorder.record({.kind = "about"});
}

} // namespace controls::memory
