#pragma once

#include "sheet/sheet.h"
#include "ui/controls/memory_control.h"

#include <deque>
#include <optional>
#include <vector>

namespace controls::memory {

// Closes each window at once, as if the user had read it, and records that it was shown.
class MemoryHelpWindows final : public HelpWindows {
public:
    explicit MemoryHelpWindows(Recorder& recorder) : m_recorder(recorder) {}
    void showGuide() override;
    void showAbout() override;

private:
    Recorder& m_recorder;
};

// Answers every box at once as if OK were pressed, and records its text and title.
class MemoryMessageBox final : public MessageBox {
public:
    explicit MemoryMessageBox(Recorder& recorder) : m_recorder(recorder) {}
    void show(std::string_view text, std::string_view title) override;

private:
    Recorder& m_recorder;
};

// Answers each question with the next of the answers given to it beforehand, in order, and
// records what was asked and what it answered. Asked with none left, it answers Cancel, which
// loses nothing, and records the operation with `on` false: a session reports that as a fault
// of its script, as it reports a message not of the program's own.
class MemoryQuestion final : public Control, public Question {
public:
    using Control::Control;

    Answer ask(std::string_view text, std::string_view title) override;
    // Answered from the same answers, Restore or Discard; with none left, or with another
    // answer given, the script is at fault (`on` false) and the copy is left alone: Cancel.
    Answer offer(std::string_view text, std::string_view title) override;

    // The answer of the next question asked.
    void answerNext(Answer answer) { m_answers.push_back(answer); }
    // The answers given and not yet asked for.
    std::size_t pending() const { return m_answers.size(); }

private:
    Answer answer(std::string_view kind, std::string_view text, std::string_view title,
                  bool offered);

    std::deque<Answer> m_answers;
};

// Returns for each dialog, open or save, the next of the paths given to it beforehand, in
// order; an empty path is a cancelled dialog, and so is a path to open that names no file, as
// the real dialog takes none. Asked with none left, it cancels and records the operation with
// `on` false, as the question does.
class MemoryFileDialogs final : public Control, public FileDialogs {
public:
    using Control::Control;

    std::string openPath(std::string_view title, std::string_view filter) override;
    std::string savePath(std::string_view title, std::string_view filter,
                         std::string_view suggested) override;

    // The path the next dialog returns; empty to cancel it.
    void answerNext(std::string path) { m_paths.push_back(std::move(path)); }
    std::size_t pending() const { return m_paths.size(); }

private:
    Op answer(std::string_view kind, std::string_view title, std::string_view filter);

    std::deque<std::string> m_paths;
};

// Keeps the text last put on it.
class MemoryClipboard final : public Control, public Clipboard {
public:
    using Control::Control;
    void setText(std::string_view text) override;
    std::string text() const override { return m_text; }
    // Another program puts `text` on the clipboard, as a spreadsheet's copy does.
    void putFromElsewhere(std::string text) { m_text = std::move(text); }

private:
    std::string m_text;
};

// Prints and draws nothing: it keeps the sheet last handed to it, logged by its title (a PDF by
// its path too), and dates every sheet on one fixed day, so that a log is the same on any day.
// There is no printer until a test says there is one.
class MemorySheetOutput final : public Control, public SheetOutput {
public:
    using Control::Control;
    static constexpr std::string_view kToday = "2000-01-01";

    std::string today() const override { return std::string(kToday); }
    bool canPrint() const override { return m_printer; }
    std::string print(const sheet::Sheet& sheet) override;
    std::string savePdf(const sheet::Sheet& sheet, const std::string& path) override;

    void setPrinter(bool present) { m_printer = present; }
    // The sheet last printed or saved, none before.
    const std::optional<sheet::Sheet>& last() const { return m_last; }

private:
    bool m_printer = false;
    std::optional<sheet::Sheet> m_last;
};

// Keeps its list where the Gui keeps it, so that the window's next loading finds it as the
// settings would; logged as the paths joined by tab characters.
class MemoryRecentFiles final : public Control, public RecentFiles {
public:
    MemoryRecentFiles(Recorder& recorder, std::string name, std::vector<std::string>& stored)
        : Control(recorder, std::move(name)), m_stored(stored) {}

    std::vector<std::string> paths() const override { return m_stored; }
    void setPaths(const std::vector<std::string>& paths) override;
    void onPick(PickHandler handler) override { m_onPick = std::move(handler); }

    // The user picks the entry at `index`; an entry the menu does not have does nothing.
    void userPick(int index);

private:
    std::vector<std::string>& m_stored;
    PickHandler m_onPick;
};

// The name an answer is logged and scripted by: "save", "discard", "cancel" or "restore".
std::string_view answerName(Question::Answer answer);

} // namespace controls::memory
