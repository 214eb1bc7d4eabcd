#include "tools/replay/recording.h"

#include <algorithm>
#include <type_traits>

namespace replay {

namespace {

using controls::memory::Op;

class Named {
protected:
    Named(const OpSink& sink, std::string name) : m_sink(sink), m_name(std::move(name)) {}
    void record(Op op) const {
        op.control = m_name;
        m_sink(op);
    }

private:
    const OpSink& m_sink;
    std::string m_name;
};

// Each control's decorator records what the program asks of it and hands the rest through.
template <class Control> class Recorded;

template <> class Recorded<controls::TextBox> final : public controls::TextBox, Named {
public:
    Recorded(controls::TextBox& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    std::string text() const override { return m_inner.text(); }
    void setText(std::string_view text) override {
        record({.kind = "settext", .text = std::string(text)});
        m_inner.setText(text);
    }
    void setEnabled(bool on) override {
        record({.kind = "enable", .on = on});
        m_inner.setEnabled(on);
    }
    void setFocus() override {
        record({.kind = "focus"});
        m_inner.setFocus();
    }
    void onChange(controls::Handler handler) override { m_inner.onChange(std::move(handler)); }

private:
    controls::TextBox& m_inner;
};

template <> class Recorded<controls::DropDownList> final : public controls::DropDownList, Named {
public:
    Recorded(controls::DropDownList& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    std::string text() const override { return m_inner.text(); }
    void addItem(std::string_view text, int index) override {
        record({.kind = "additem", .text = std::string(text), .index = index});
        m_inner.addItem(text, index);
    }
    void clear() override {
        record({.kind = "clear"});
        m_inner.clear();
    }
    void setText(std::string_view text) override {
        record({.kind = "select", .text = std::string(text)});
        m_inner.setText(text);
    }
    void setEnabled(bool on) override {
        record({.kind = "enable", .on = on});
        m_inner.setEnabled(on);
    }
    void onClick(controls::Handler handler) override { m_inner.onClick(std::move(handler)); }

private:
    controls::DropDownList& m_inner;
};

// The rows as the program added them, for logging a shown row by its text as the in-memory
// lists do.
class Rows {
protected:
    void insert(std::string_view text, int index) {
        const auto at = static_cast<std::ptrdiff_t>(std::clamp<int>(index, 0, m_rows.size()));
        m_rows.insert(m_rows.begin() + at, std::string(text));
    }
    const std::string* row(int index) const {
        return index >= 0 && index < static_cast<int>(m_rows.size())
                   ? &m_rows[static_cast<std::size_t>(index)]
                   : nullptr;
    }
    std::vector<std::string> m_rows;
};

template <> class Recorded<controls::SimpleCombo> final : public controls::SimpleCombo, Named, Rows {
public:
    Recorded(controls::SimpleCombo& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void addItem(std::string_view text, int index) override {
        record({.kind = "additem", .text = std::string(text), .index = index});
        insert(text, index);
        m_inner.addItem(text, index);
    }
    void setText(std::string_view text) override {
        record({.kind = "settext", .text = std::string(text)});
        m_inner.setText(text);
    }
    void showRow(int index) override {
        if (const std::string* shown = row(index))
            record({.kind = "select", .text = *shown, .index = index});
        m_inner.showRow(index);
    }
    int selectedIndex() const override { return m_inner.selectedIndex(); }
    void onClick(controls::Handler handler) override { m_inner.onClick(std::move(handler)); }
    void onDoubleClick(controls::Handler handler) override {
        m_inner.onDoubleClick(std::move(handler));
    }

private:
    controls::SimpleCombo& m_inner;
};

template <> class Recorded<controls::TableList> final : public controls::TableList, Named, Rows {
public:
    Recorded(controls::TableList& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void addItem(std::string_view cells, int index) override {
        record({.kind = "additem", .text = std::string(cells), .index = index});
        insert(cells, index);
        m_inner.addItem(cells, index);
    }
    void clear() override {
        record({.kind = "clear"});
        m_rows.clear();
        m_inner.clear();
    }
    void setRowLook(int index, Look look) override {
        record({.kind = "look", .text = std::string(controls::memory::lookName(look)),
                .index = index});
        m_inner.setRowLook(index, look);
    }
    // The row is logged by its cells, without its index, as the in-memory table logs it.
    void showRow(int index) override {
        if (const std::string* shown = row(index))
            record({.kind = "select", .text = *shown});
        m_inner.showRow(index);
    }
    int selectedIndex() const override { return m_inner.selectedIndex(); }
    void onDoubleClick(controls::Handler handler) override {
        m_inner.onDoubleClick(std::move(handler));
    }

private:
    controls::TableList& m_inner;
};

template <> class Recorded<controls::OptionButton> final : public controls::OptionButton, Named {
public:
    Recorded(controls::OptionButton& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    bool isChecked() const override { return m_inner.isChecked(); }
    void setChecked(bool on) override {
        record({.kind = "check", .on = on});
        m_inner.setChecked(on);
    }
    void onClick(controls::Handler handler) override { m_inner.onClick(std::move(handler)); }

private:
    controls::OptionButton& m_inner;
};

template <> class Recorded<controls::PushButton> final : public controls::PushButton, Named {
public:
    Recorded(controls::PushButton& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void setEnabled(bool on) override {
        record({.kind = "enable", .on = on});
        m_inner.setEnabled(on);
    }
    void onClick(controls::Handler handler) override { m_inner.onClick(std::move(handler)); }

private:
    controls::PushButton& m_inner;
};

template <> class Recorded<controls::Label> final : public controls::Label, Named {
public:
    Recorded(controls::Label& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void setCaption(std::string_view caption) override {
        record({.kind = "caption", .text = std::string(caption)});
        m_inner.setCaption(caption);
    }

private:
    controls::Label& m_inner;
};

template <> class Recorded<controls::StatusText> final : public controls::StatusText, Named {
public:
    Recorded(controls::StatusText& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void setStatus(std::string_view text, bool fault) override {
        record({.kind = "status", .text = std::string(text), .on = fault});
        m_inner.setStatus(text, fault);
    }

private:
    controls::StatusText& m_inner;
};

template <> class Recorded<controls::Window> final : public controls::Window, Named {
public:
    Recorded(controls::Window& inner, const OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void show() override {
        record({.kind = "show"});
        m_inner.show();
    }
    void hide() override {
        record({.kind = "hide"});
        m_inner.hide();
    }
    void onClose(controls::Handler handler) override { m_inner.onClose(std::move(handler)); }

private:
    controls::Window& m_inner;
};

// The message box and the help windows are logged without a control's name.
template <> class Recorded<controls::MessageBox> final : public controls::MessageBox, Named {
public:
    Recorded(controls::MessageBox& inner, const OpSink& sink, std::string)
        : Named(sink, {}), m_inner(inner) {}
    void show(std::string_view text, std::string_view title) override {
        record({.kind = "message", .text = std::string(text), .title = std::string(title)});
        m_inner.show(text, title);
    }

private:
    controls::MessageBox& m_inner;
};

template <> class Recorded<controls::HelpWindows> final : public controls::HelpWindows, Named {
public:
    Recorded(controls::HelpWindows& inner, const OpSink& sink, std::string)
        : Named(sink, {}), m_inner(inner) {}
    void showGuide() override {
        record({.kind = "guide"});
        m_inner.showGuide();
    }
    void showAbout() override {
        record({.kind = "about"});
        m_inner.showAbout();
    }

private:
    controls::HelpWindows& m_inner;
};

template <> class Recorded<controls::Program> final : public controls::Program, Named {
public:
    Recorded(const OpSink& sink, std::shared_ptr<bool> ended)
        : Named(sink, {}), m_ended(std::move(ended)) {}
    void end() override {
        record({.kind = "end"});
        *m_ended = true;
    }

private:
    std::shared_ptr<bool> m_ended;
};

} // namespace

RecordedWindow::RecordedWindow(const ui::ControlSet& inner, const OpSink& sink,
                               const NameOf& nameOf)
    : m_controls(inner.design()) {
    auto keep = [this](auto wrapper) {
        auto* kept = wrapper.get();
        m_kept.push_back(std::move(wrapper));
        return kept;
    };
    controls::Window& window = inner.window();
    m_controls.setWindow(
        *keep(std::make_shared<Recorded<controls::Window>>(window, sink, nameOf({}, &window))));
    inner.forEach([&](const ui::ControlDescription& described, const ui::AnyControl& control) {
        const std::string name = nameOf(described.name, control);
        std::visit(
            [&]<class Control>(Control* real) {
                if constexpr (std::is_same_v<Control, controls::MenuCommand>)
                    // The program performs nothing on a menu command: its click shows as the
                    // handling.
                    m_controls.add(described.name, real);
                else if constexpr (std::is_same_v<Control, controls::Program>)
                    m_controls.add(described.name, keep(std::make_shared<Recorded<Control>>(
                                                       sink, m_ended)));
                else
                    m_controls.add(described.name, static_cast<Control*>(keep(
                                                       std::make_shared<Recorded<Control>>(
                                                           *real, sink, name))));
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
