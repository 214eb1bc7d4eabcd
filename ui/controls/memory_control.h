#pragma once

#include "ui/controls/controls.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

// Controls that live in memory: they keep the state a real control would show, raise the
// notifications by the same contract, and report every operation the program performs to a
// listener, so a tool can drive the logic with user actions and log what the program did, in
// order.
namespace controls::memory {

// What an operation of each kind carries beyond its kind and its control, one row a kind, in
// the order the log writes them. A kind not listed carries nothing more: focus, clear, guide,
// about, end.
struct OpFields {
    std::string_view kind;
    bool window = false; // its control is a window, logged as "window" rather than "ctl"
    bool index = false;
    bool column = false;
    bool on = false;
    bool text = false;
    bool title = false;
    bool filter = false;
    bool suggested = false;
    bool answer = false;
};

inline constexpr std::array<OpFields, 31> kOpFields{{
    {.kind = "show", .window = true},
    {.kind = "hide", .window = true},
    {.kind = "load", .window = true},
    {.kind = "unload", .window = true},
    {.kind = "title", .window = true, .text = true},
    {.kind = "caption", .text = true},
    {.kind = "settext", .text = true},
    {.kind = "additem", .index = true, .text = true},
    {.kind = "select", .text = true},
    {.kind = "look", .index = true, .text = true},
    {.kind = "enable", .on = true},
    {.kind = "check", .on = true},
    {.kind = "status", .on = true, .text = true},
    {.kind = "message", .text = true, .title = true},
    {.kind = "insertrow", .index = true},
    {.kind = "removerow", .index = true},
    {.kind = "setrow", .index = true},
    {.kind = "focuscell", .index = true, .column = true},
    {.kind = "setcell", .index = true, .column = true, .text = true},
    {.kind = "items", .column = true, .text = true},
    {.kind = "cellnote", .index = true, .column = true, .text = true},
    {.kind = "cellfault", .index = true, .column = true, .text = true},
    {.kind = "stale", .on = true},
    {.kind = "question", .text = true, .title = true, .answer = true},
    {.kind = "openpath", .title = true, .filter = true, .answer = true},
    {.kind = "savepath", .title = true, .filter = true, .suggested = true, .answer = true},
    {.kind = "clipboard", .text = true},
    {.kind = "print", .title = true},
    {.kind = "pdf", .text = true, .title = true},
    {.kind = "recent", .text = true},
    {.kind = "offer", .text = true, .title = true, .answer = true},
}};

// One operation the program performed, e.g. a caption written to Form1.Label4.
struct Op {
    std::string_view kind{}; // always a string literal, so recording never copies it
    std::string control{};
    std::string text{};
    std::string title{};
    int index = -1;
    bool on = false;
    // A grid's column; a file dialog's filter and suggested name; the answer a question or a
    // file dialog gave the program.
    int column = -1;
    std::string filter{};
    std::string suggested{};
    std::string answer{};

    // Hands `field(key, value)` each field this kind of operation carries, as kOpFields says,
    // in order: ("op", kind), ("window" or "ctl", control; no "ctl" where it has none),
    // ("index", int), ("column", int), ("on", bool), ("text", …), ("title", …), ("filter", …),
    // ("suggested", …), ("answer", …); strings as std::string_view. The replay log is written
    // from this walk.
    template <class Field> void fields(Field&& field) const {
        static constexpr OpFields kNothingMore{};
        const OpFields* carried = &kNothingMore;
        for (const OpFields& row : kOpFields)
            if (row.kind == kind)
                carried = &row;
        field(std::string_view("op"), kind);
        if (carried->window)
            field(std::string_view("window"), std::string_view(control));
        else if (!control.empty())
            field(std::string_view("ctl"), std::string_view(control));
        if (carried->index)
            field(std::string_view("index"), index);
        if (carried->column)
            field(std::string_view("column"), column);
        if (carried->on)
            field(std::string_view("on"), on);
        if (carried->text)
            field(std::string_view("text"), std::string_view(text));
        if (carried->title)
            field(std::string_view("title"), std::string_view(title));
        if (carried->filter)
            field(std::string_view("filter"), std::string_view(filter));
        if (carried->suggested)
            field(std::string_view("suggested"), std::string_view(suggested));
        if (carried->answer)
            field(std::string_view("answer"), std::string_view(answer));
    }
};

class Recorder {
public:
    void record(const Op& op) {
        if (m_listener)
            m_listener(op);
    }
    // Hears each operation as it is performed.
    void setListener(std::function<void(const Op&)> listener) { m_listener = std::move(listener); }

    const std::string& focused() const { return m_focused; }
    void setFocused(std::string name) { m_focused = std::move(name); }

private:
    std::string m_focused;
    std::function<void(const Op&)> m_listener;
};

class Control {
public:
    Control(Recorder& recorder, std::string name) : m_recorder(recorder), m_name(std::move(name)) {}
    virtual ~Control() = default;
    const std::string& name() const { return m_name; }
    bool enabled() const { return m_enabled; }

protected:
    void recordEnable(bool on);
    void recordFocus();
    void record(const Op& op);
    static void raise(const Handler& handler);

    Recorder& m_recorder;
    std::string m_name;
    bool m_enabled = true;
};

} // namespace controls::memory
