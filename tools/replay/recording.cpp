#include "tools/replay/recording.h"

namespace replay {

namespace {

using controls::memory::Op;

class Named {
protected:
    Named(OpSink& sink, std::string name) : m_sink(sink), m_name(std::move(name)) {}
    void record(Op op) {
        op.control = m_name;
        m_sink(op);
    }
    OpSink& m_sink;
    std::string m_name;
};

class TextBox final : public controls::TextBox, Named {
public:
    TextBox(controls::TextBox& inner, OpSink& sink, std::string name)
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

class DropDownList final : public controls::DropDownList, Named {
public:
    DropDownList(controls::DropDownList& inner, OpSink& sink, std::string name)
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

class SimpleCombo final : public controls::SimpleCombo, Named {
public:
    SimpleCombo(controls::SimpleCombo& inner, OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void addItem(std::string_view text, int index) override {
        record({.kind = "additem", .text = std::string(text), .index = index});
        const auto at = static_cast<std::size_t>(std::clamp<int>(index, 0, m_items.size()));
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
        m_inner.addItem(text, index);
    }
    void setText(std::string_view text) override {
        record({.kind = "settext", .text = std::string(text)});
        m_inner.setText(text);
    }
    void showRow(int index) override {
        if (index >= 0 && index < static_cast<int>(m_items.size()))
            record({.kind = "select",
                    .text = m_items[static_cast<std::size_t>(index)],
                    .index = index});
        m_inner.showRow(index);
    }
    int selectedIndex() const override { return m_inner.selectedIndex(); }
    void onClick(controls::Handler handler) override { m_inner.onClick(std::move(handler)); }
    void onDoubleClick(controls::Handler handler) override {
        m_inner.onDoubleClick(std::move(handler));
    }

private:
    controls::SimpleCombo& m_inner;
    std::vector<std::string> m_items;
};

class TableList final : public controls::TableList, Named {
public:
    TableList(controls::TableList& inner, OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void addItem(std::string_view cells, int index) override {
        record({.kind = "additem", .text = std::string(cells), .index = index});
        const auto at = static_cast<std::size_t>(std::clamp<int>(index, 0, m_rows.size()));
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), std::string(cells));
        m_inner.addItem(cells, index);
    }
    void clear() override {
        record({.kind = "clear"});
        m_rows.clear();
        m_inner.clear();
    }
    void setRowLook(int index, Look look) override {
        constexpr std::string_view kLooks[] = {"recommended", "above", "below"};
        record(
            {.kind = "look", .text = std::string(kLooks[static_cast<int>(look)]), .index = index});
        m_inner.setRowLook(index, look);
    }
    // The row is logged by its cells, without its index, as the in-memory table logs it.
    void showRow(int index) override {
        if (index >= 0 && index < static_cast<int>(m_rows.size()))
            record({.kind = "select", .text = m_rows[static_cast<std::size_t>(index)]});
        m_inner.showRow(index);
    }
    int selectedIndex() const override { return m_inner.selectedIndex(); }
    void onDoubleClick(controls::Handler handler) override {
        m_inner.onDoubleClick(std::move(handler));
    }

private:
    controls::TableList& m_inner;
    std::vector<std::string> m_rows;
};

class OptionButton final : public controls::OptionButton, Named {
public:
    OptionButton(controls::OptionButton& inner, OpSink& sink, std::string name)
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

class PushButton final : public controls::PushButton, Named {
public:
    PushButton(controls::PushButton& inner, OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void setEnabled(bool on) override {
        record({.kind = "enable", .on = on});
        m_inner.setEnabled(on);
    }
    void onClick(controls::Handler handler) override { m_inner.onClick(std::move(handler)); }

private:
    controls::PushButton& m_inner;
};

class Label final : public controls::Label, Named {
public:
    Label(controls::Label& inner, OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void setCaption(std::string_view caption) override {
        record({.kind = "caption", .text = std::string(caption)});
        m_inner.setCaption(caption);
    }

private:
    controls::Label& m_inner;
};

class StatusText final : public controls::StatusText, Named {
public:
    StatusText(controls::StatusText& inner, OpSink& sink, std::string name)
        : Named(sink, std::move(name)), m_inner(inner) {}
    void setStatus(std::string_view text, bool fault) override {
        record({.kind = "status", .text = std::string(text), .on = fault});
        m_inner.setStatus(text, fault);
    }

private:
    controls::StatusText& m_inner;
};

class Window final : public controls::Window, Named {
public:
    Window(controls::Window& inner, OpSink& sink, std::string name)
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

class MessageBox final : public controls::MessageBox {
public:
    MessageBox(controls::MessageBox& inner, OpSink& sink) : m_inner(inner), m_sink(sink) {}
    void show(std::string_view text, std::string_view title) override {
        m_sink({.kind = "message", .text = std::string(text), .title = std::string(title)});
        m_inner.show(text, title);
    }

private:
    controls::MessageBox& m_inner;
    OpSink& m_sink;
};

class HelpWindows final : public controls::HelpWindows {
public:
    HelpWindows(controls::HelpWindows& inner, OpSink& sink) : m_inner(inner), m_sink(sink) {}
    void showGuide() override {
        m_sink({.kind = "guide"});
        m_inner.showGuide();
    }
    void showAbout() override {
        m_sink({.kind = "about"});
        m_inner.showAbout();
    }

private:
    controls::HelpWindows& m_inner;
    OpSink& m_sink;
};

} // namespace

template <class T> T& RecordingControls::keep(std::unique_ptr<T> control) {
    T& kept = *control;
    m_controls.push_back(std::shared_ptr<T>(std::move(control)));
    return kept;
}

controls::TextBox& RecordingControls::wrap(controls::TextBox& inner, std::string name) {
    return keep(std::make_unique<TextBox>(inner, m_sink, std::move(name)));
}
controls::DropDownList& RecordingControls::wrap(controls::DropDownList& inner, std::string name) {
    return keep(std::make_unique<DropDownList>(inner, m_sink, std::move(name)));
}
controls::SimpleCombo& RecordingControls::wrap(controls::SimpleCombo& inner, std::string name) {
    return keep(std::make_unique<SimpleCombo>(inner, m_sink, std::move(name)));
}
controls::TableList& RecordingControls::wrap(controls::TableList& inner, std::string name) {
    return keep(std::make_unique<TableList>(inner, m_sink, std::move(name)));
}
controls::OptionButton& RecordingControls::wrap(controls::OptionButton& inner, std::string name) {
    return keep(std::make_unique<OptionButton>(inner, m_sink, std::move(name)));
}
controls::PushButton& RecordingControls::wrap(controls::PushButton& inner, std::string name) {
    return keep(std::make_unique<PushButton>(inner, m_sink, std::move(name)));
}
controls::Label& RecordingControls::wrap(controls::Label& inner, std::string name) {
    return keep(std::make_unique<Label>(inner, m_sink, std::move(name)));
}
controls::StatusText& RecordingControls::wrap(controls::StatusText& inner, std::string name) {
    return keep(std::make_unique<StatusText>(inner, m_sink, std::move(name)));
}
controls::Window& RecordingControls::wrap(controls::Window& inner, std::string name) {
    return keep(std::make_unique<Window>(inner, m_sink, std::move(name)));
}
controls::MessageBox& RecordingControls::wrap(controls::MessageBox& inner) {
    return keep(std::make_unique<MessageBox>(inner, m_sink));
}
controls::HelpWindows& RecordingControls::wrap(controls::HelpWindows& inner) {
    return keep(std::make_unique<HelpWindows>(inner, m_sink));
}

void RecordingProgram::end() {
    m_sink({.kind = "end"});
    m_ended = true;
}

ui::Form1Controls recordingForm1(RecordingControls& w, const ui::Form1Controls& c,
                                 RecordingProgram& program) {
    return {
        .window = w.wrap(c.window, "Form1"),
        .text1 = w.wrap(c.text1, "Form1.Text1"),
        .text2 = w.wrap(c.text2, "Form1.Text2"),
        .text3 = w.wrap(c.text3, "Form1.Text3"),
        .text4 = w.wrap(c.text4, "Form1.Text4"),
        .combo1 = w.wrap(c.combo1, "Form1.Combo1"),
        .combo2 = w.wrap(c.combo2, "Form1.Combo2"),
        .combo3 = w.wrap(c.combo3, "Form1.Combo3"),
        .combo4 = w.wrap(c.combo4, "Form1.Combo4"),
        .combo5 = w.wrap(c.combo5, "Form1.Combo5"),
        .option1 = w.wrap(c.option1, "Form1.Option1"),
        .option2 = w.wrap(c.option2, "Form1.Option2"),
        .option3 = w.wrap(c.option3, "Form1.Option3"),
        .command1 = w.wrap(c.command1, "Form1.Command1"),
        .command2 = w.wrap(c.command2, "Form1.Command2"),
        .command3 = w.wrap(c.command3, "Form1.Command3"),
        .label4 = w.wrap(c.label4, "Form1.Label4"),
        .label5 = w.wrap(c.label5, "Form1.Label5"),
        .label7 = w.wrap(c.label7, "Form1.Label7"),
        .label10 = w.wrap(c.label10, "Form1.Label10"),
        .label11 = w.wrap(c.label11, "Form1.Label11"),
        .label13 = w.wrap(c.label13, "Form1.Label13"),
        .messages = w.wrap(c.messages),
        .program = program,
        // The program performs nothing on a menu command: its click shows as the handling.
        .mnuSteam = c.mnuSteam,
        .mnuSizing = c.mnuSizing,
        .mnuGuide = c.mnuGuide,
        .mnuAbout = c.mnuAbout,
        .help = w.wrap(c.help),
    };
}

ui::Form2Controls recordingForm2(RecordingControls& w, const ui::Form2Controls& c) {
    return {.window = w.wrap(c.window, "Form2"),
            .combo1 = w.wrap(c.combo1, "Form2.Combo1"),
            .label9 = w.wrap(c.label9, "Form2.Label9"),
            .command1 = w.wrap(c.command1, "Form2.Command1")};
}

ui::Form3Controls recordingForm3(RecordingControls& w, const ui::Form3Controls& c) {
    return {.window = w.wrap(c.window, "Form3"),
            .text1 = w.wrap(c.text1, "Form3.Text1"),
            .combo1 = w.wrap(c.combo1, "Form3.Combo1"),
            .option1 = w.wrap(c.option1, "Form3.Option1"),
            .option2 = w.wrap(c.option2, "Form3.Option2"),
            .text2 = w.wrap(c.text2, "Form3.Text2"),
            .command1 = w.wrap(c.command1, "Form3.Command1"),
            .command2 = w.wrap(c.command2, "Form3.Command2"),
            .label7 = w.wrap(c.label7, "Form3.Label7"),
            .label8 = w.wrap(c.label8, "Form3.Label8"),
            .label9 = w.wrap(c.label9, "Form3.Label9"),
            .label10 = w.wrap(c.label10, "Form3.Label10"),
            .label11 = w.wrap(c.label11, "Form3.Label11")};
}

ui::Form4Controls recordingForm4(RecordingControls& w, const ui::Form4Controls& c) {
    return {.window = w.wrap(c.window, "Form4"),
            .label1 = w.wrap(c.label1, "Form4.Label1"),
            .label2 = w.wrap(c.label2, "Form4.Label2"),
            .label3 = w.wrap(c.label3, "Form4.Label3"),
            .combo1 = w.wrap(c.combo1, "Form4.Combo1"),
            .combo2 = w.wrap(c.combo2, "Form4.Combo2"),
            .text1 = w.wrap(c.text1, "Form4.Text1"),
            .text2 = w.wrap(c.text2, "Form4.Text2"),
            .text3 = w.wrap(c.text3, "Form4.Text3"),
            .list1 = w.wrap(c.list1, "Form4.List1"),
            .label4 = w.wrap(c.label4, "Form4.Label4"),
            .command1 = w.wrap(c.command1, "Form4.Command1"),
            .command2 = w.wrap(c.command2, "Form4.Command2")};
}

} // namespace replay
