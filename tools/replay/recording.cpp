#include "tools/replay/recording.h"

#include <type_traits>

namespace replay {

namespace {

using namespace controls;

// Every call the program makes goes to the real control and to an in-memory mirror of it,
// which logs it exactly as the in-memory windows do: one account of what each operation logs.
// The mirror raises nothing (no handler is ever given to it), and what the program reads back
// comes from the real control.
template <class Control> class Tee;

template <class Control> class TeeBase : public Control {
public:
    TeeBase(Control& mirror, Control& real) : m_mirror(mirror), m_real(real) {}

protected:
    template <class... Args> void both(void (Control::*call)(Args...), Args... args) {
        (m_mirror.*call)(args...);
        (m_real.*call)(args...);
    }
    Control& m_mirror;
    Control& m_real;
};

template <> class Tee<TextBox> final : public TeeBase<TextBox> {
public:
    using TeeBase::TeeBase;
    std::string text() const override { return m_real.text(); }
    void setText(std::string_view text) override { both(&TextBox::setText, text); }
    void setEnabled(bool on) override { both(&TextBox::setEnabled, on); }
    void setFocus() override { both(&TextBox::setFocus); }
    void onChange(Handler handler) override { m_real.onChange(std::move(handler)); }
};

template <> class Tee<DropDownList> final : public TeeBase<DropDownList> {
public:
    using TeeBase::TeeBase;
    std::string text() const override { return m_real.text(); }
    void addItem(std::string_view text, int index) override {
        both(&DropDownList::addItem, text, index);
    }
    void clear() override { both(&DropDownList::clear); }
    void setText(std::string_view text) override { both(&DropDownList::setText, text); }
    void setEnabled(bool on) override { both(&DropDownList::setEnabled, on); }
    void onClick(Handler handler) override { m_real.onClick(std::move(handler)); }
};

template <> class Tee<SimpleCombo> final : public TeeBase<SimpleCombo> {
public:
    using TeeBase::TeeBase;
    void addItem(std::string_view text, int index) override {
        both(&SimpleCombo::addItem, text, index);
    }
    void setText(std::string_view text) override { both(&SimpleCombo::setText, text); }
    void showRow(int index) override { both(&SimpleCombo::showRow, index); }
    int selectedIndex() const override { return m_real.selectedIndex(); }
    void onClick(Handler handler) override { m_real.onClick(std::move(handler)); }
    void onDoubleClick(Handler handler) override { m_real.onDoubleClick(std::move(handler)); }
};

template <> class Tee<TableList> final : public TeeBase<TableList> {
public:
    using TeeBase::TeeBase;
    void addItem(std::string_view cells, int index) override {
        both(&TableList::addItem, cells, index);
    }
    void clear() override { both(&TableList::clear); }
    void setRowLook(int index, sheet::Look look) override {
        both(&TableList::setRowLook, index, look);
    }
    void showRow(int index) override { both(&TableList::showRow, index); }
    int selectedIndex() const override { return m_real.selectedIndex(); }
    void setStale(bool on) override { both(&TableList::setStale, on); }
    void onDoubleClick(Handler handler) override { m_real.onDoubleClick(std::move(handler)); }
    void onSelect(Handler handler) override { m_real.onSelect(std::move(handler)); }
};

template <> class Tee<Grid> final : public TeeBase<Grid> {
public:
    using TeeBase::TeeBase;
    int rowCount() const override { return m_real.rowCount(); }
    void insertRow(int row) override { both(&Grid::insertRow, row); }
    void removeRow(int row) override { both(&Grid::removeRow, row); }
    std::string cell(int row, int column) const override { return m_real.cell(row, column); }
    void setCell(int row, int column, std::string_view text) override {
        both(&Grid::setCell, row, column, text);
    }
    void setColumnItems(int column, const std::vector<std::string>& items) override {
        m_mirror.setColumnItems(column, items);
        m_real.setColumnItems(column, items);
    }
    void setItemFinder(int column, ItemFinder opensAt) override {
        m_mirror.setItemFinder(column, opensAt);
        m_real.setItemFinder(column, std::move(opensAt));
    }
    void setCellNote(int row, int column, std::string_view note) override {
        both(&Grid::setCellNote, row, column, note);
    }
    void setCellFault(int row, int column, std::string_view why) override {
        both(&Grid::setCellFault, row, column, why);
    }
    std::string cellFault(int row, int column) const override {
        return m_real.cellFault(row, column);
    }
    int currentRow() const override { return m_real.currentRow(); }
    void setCurrentRow(int row) override { both(&Grid::setCurrentRow, row); }
    void focusCell(int row, int column) override { both(&Grid::focusCell, row, column); }
    void onCellChange(CellHandler handler) override { m_real.onCellChange(std::move(handler)); }
    void onCurrentRowChange(Handler handler) override {
        m_real.onCurrentRowChange(std::move(handler));
    }
    std::optional<CellRange> selection() const override { return m_real.selection(); }
    void onCommand(GridCommand command, Handler handler) override {
        m_real.onCommand(command, std::move(handler));
    }
};

// A modal dialog is logged once the user has answered it, with the answer the program got: the
// mirror is handed that answer to give.
template <> class Tee<Question> final : public TeeBase<Question> {
public:
    Tee(Question& mirror, Question& real)
        : TeeBase(mirror, real), m_answers(dynamic_cast<memory::MemoryQuestion&>(mirror)) {}
    Answer ask(std::string_view text, std::string_view title) override {
        m_answers.answerNext(m_real.ask(text, title));
        return m_mirror.ask(text, title);
    }
    Answer offer(std::string_view text, std::string_view title) override {
        m_answers.answerNext(m_real.offer(text, title));
        return m_mirror.offer(text, title);
    }

private:
    memory::MemoryQuestion& m_answers;
};

template <> class Tee<FileDialogs> final : public TeeBase<FileDialogs> {
public:
    Tee(FileDialogs& mirror, FileDialogs& real)
        : TeeBase(mirror, real), m_paths(dynamic_cast<memory::MemoryFileDialogs&>(mirror)) {}
    std::string openPath(std::string_view title, std::string_view filter) override {
        m_paths.answerNext(m_real.openPath(title, filter));
        return m_mirror.openPath(title, filter);
    }
    std::string savePath(std::string_view title, std::string_view filter,
                         std::string_view suggested) override {
        m_paths.answerNext(m_real.savePath(title, filter, suggested));
        return m_mirror.savePath(title, filter, suggested);
    }

private:
    memory::MemoryFileDialogs& m_paths;
};

template <> class Tee<OptionButton> final : public TeeBase<OptionButton> {
public:
    using TeeBase::TeeBase;
    bool isChecked() const override { return m_real.isChecked(); }
    void setChecked(bool on) override { both(&OptionButton::setChecked, on); }
    void onClick(Handler handler) override { m_real.onClick(std::move(handler)); }
};

template <> class Tee<PushButton> final : public TeeBase<PushButton> {
public:
    using TeeBase::TeeBase;
    void setEnabled(bool on) override { both(&PushButton::setEnabled, on); }
    void onClick(Handler handler) override { m_real.onClick(std::move(handler)); }
};

template <> class Tee<Label> final : public TeeBase<Label> {
public:
    using TeeBase::TeeBase;
    void setCaption(std::string_view caption) override { both(&Label::setCaption, caption); }
};

template <> class Tee<StatusText> final : public TeeBase<StatusText> {
public:
    using TeeBase::TeeBase;
    void setStatus(std::string_view text, bool fault) override {
        both(&StatusText::setStatus, text, fault);
    }
    void setClickable(bool on) override { both(&StatusText::setClickable, on); }
    void onClick(Handler handler) override { m_real.onClick(std::move(handler)); }
};

template <> class Tee<Window> final : public TeeBase<Window> {
public:
    using TeeBase::TeeBase;
    void show() override { both(&Window::show); }
    void hide() override { both(&Window::hide); }
    void setTitle(std::string_view title) override { both(&Window::setTitle, title); }
    void onClose(Handler handler) override { m_real.onClose(std::move(handler)); }
};

template <> class Tee<MessageBox> final : public TeeBase<MessageBox> {
public:
    using TeeBase::TeeBase;
    void show(std::string_view text, std::string_view title) override {
        both(&MessageBox::show, text, title);
    }
};

template <> class Tee<HelpWindows> final : public TeeBase<HelpWindows> {
public:
    using TeeBase::TeeBase;
    void showGuide() override { both(&HelpWindows::showGuide); }
    void showAbout() override { both(&HelpWindows::showAbout); }
};

template <> class Tee<Clipboard> final : public TeeBase<Clipboard> {
public:
    using TeeBase::TeeBase;
    void setText(std::string_view text) override { both(&Clipboard::setText, text); }
    std::string text() const override { return m_real.text(); }
};

// The real output's answers are the program's; the mirror only logs what was handed over.
template <> class Tee<SheetOutput> final : public TeeBase<SheetOutput> {
public:
    using TeeBase::TeeBase;
    std::string today() const override { return m_mirror.today(); }
    bool canPrint() const override { return m_real.canPrint(); }
    std::string print(const sheet::Sheet& sheet) override {
        m_mirror.print(sheet);
        return m_real.print(sheet);
    }
    std::string savePdf(const sheet::Sheet& sheet, const std::string& path) override {
        m_mirror.savePdf(sheet, path);
        return m_real.savePdf(sheet, path);
    }
};

template <> class Tee<RecentFiles> final : public TeeBase<RecentFiles> {
public:
    using TeeBase::TeeBase;
    std::vector<std::string> paths() const override { return m_real.paths(); }
    void setPaths(const std::vector<std::string>& paths) override {
        m_mirror.setPaths(paths);
        m_real.setPaths(paths);
    }
    void onPick(PickHandler handler) override { m_real.onPick(std::move(handler)); }
};

template <> class Tee<NetworkPictures> final : public TeeBase<NetworkPictures> {
public:
    using TeeBase::TeeBase;
    void show(const network::Network& network, const network::Result& result,
              std::optional<std::size_t> node) override {
        m_mirror.show(network, result, node);
        m_real.show(network, result, node);
    }
    void showNone(std::string_view why) override { both(&NetworkPictures::showNone, why); }
    void setStale() override { both(&NetworkPictures::setStale); }
    void onSegmentClick(PickHandler handler) override { m_real.onSegmentClick(std::move(handler)); }
    void onNodeClick(PickHandler handler) override { m_real.onNodeClick(std::move(handler)); }
};

// The mirror made for a control of the program's, under the name its operations are logged by.
template <class Control> Control& mirror(memory::Gui& gui, const std::string& name);
template <> TextBox& mirror(memory::Gui& gui, const std::string& name) {
    return gui.textBox(name);
}
template <> DropDownList& mirror(memory::Gui& gui, const std::string& name) {
    return gui.dropDownList(name);
}
template <> SimpleCombo& mirror(memory::Gui& gui, const std::string& name) {
    return gui.simpleCombo(name);
}
template <> TableList& mirror(memory::Gui& gui, const std::string& name) {
    return gui.tableList(name);
}
template <> Grid& mirror(memory::Gui& gui, const std::string& name) {
    return gui.grid(name);
}
template <> Question& mirror(memory::Gui& gui, const std::string& name) {
    return gui.question(name);
}
template <> FileDialogs& mirror(memory::Gui& gui, const std::string& name) {
    return gui.fileDialogs(name);
}
template <> Clipboard& mirror(memory::Gui& gui, const std::string& name) {
    return gui.clipboard(name);
}
template <> SheetOutput& mirror(memory::Gui& gui, const std::string& name) {
    return gui.sheetOutput(name);
}
template <> RecentFiles& mirror(memory::Gui& gui, const std::string& name) {
    return gui.recentFiles(name);
}
template <> NetworkPictures& mirror(memory::Gui& gui, const std::string& name) {
    return gui.networkPictures(name);
}
template <> OptionButton& mirror(memory::Gui& gui, const std::string& name) {
    return gui.optionButton(name, name); // alone in its group: the real buttons switch each other
}
template <> PushButton& mirror(memory::Gui& gui, const std::string& name) {
    return gui.pushButton(name);
}
template <> Label& mirror(memory::Gui& gui, const std::string& name) {
    return gui.label(name);
}
template <> StatusText& mirror(memory::Gui& gui, const std::string& name) {
    return gui.statusText(name);
}
template <> Window& mirror(memory::Gui& gui, const std::string& name) {
    return gui.window(name);
}
template <> MessageBox& mirror(memory::Gui& gui, const std::string&) {
    return gui.messageBox();
}
template <> HelpWindows& mirror(memory::Gui& gui, const std::string&) {
    return gui.helpWindows();
}

} // namespace

RecordedWindow::RecordedWindow(const ui::ControlSet& inner, const OpSink& sink,
                               const NameOf& nameOf)
    : m_controls(inner.design()) {
    m_mirrors.recorder().setListener(sink);
    auto tee = [this]<class Control>(Control& real, const std::string& name) -> Control* {
        auto kept = std::make_shared<Tee<Control>>(mirror<Control>(m_mirrors, name), real);
        m_kept.push_back(kept);
        return kept.get();
    };
    controls::Window& window = inner.window();
    m_controls.setWindow(*tee(window, nameOf({}, &window)));
    inner.forEach([&](const ui::ControlDescription& described, const ui::AnyControl& control) {
        std::visit(
            [&]<class Control>(Control* real) {
                if constexpr (std::is_same_v<Control, MenuCommand>)
                    // The program performs nothing on a menu command: its click shows as the
                    // handling.
                    m_controls.add(described.name, real);
                else if constexpr (std::is_same_v<Control, Program>)
                    m_controls.add(described.name, &m_mirrors.program());
                else
                    m_controls.add(described.name, tee(*real, nameOf(described.name, control)));
            },
            control);
    });
}

ui::ControlSet RecordingLoader::load() {
    m_sink({.kind = "load", .control = std::string(m_inner.design().name)});
    const ui::ControlSet inner = m_inner.load();
    m_loaded = std::make_unique<RecordedWindow>(inner, m_sink, m_nameOf);
    return m_loaded->controls();
}

void RecordingLoader::unload() {
    m_sink({.kind = "unload", .control = std::string(m_inner.design().name)});
    m_unloaded = std::move(m_loaded);
    m_inner.unload();
}

void RecordingLoader::discard() {
    m_unloaded.reset();
    m_inner.discard();
}

} // namespace replay
