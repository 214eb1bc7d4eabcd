#pragma once

#include "calc/inputs.h"
#include "calc/recal.h"
#include "calc/state.h"
#include "pipes/pipe_handlings.h"
#include "ui/controls/controls.h"
#include "ui/form2.h"

#include <memory>

namespace ui {

struct Form1Controls {
    controls::Window& window;
    controls::TextBox& text1;
    controls::TextBox& text2;
    controls::TextBox& text3;
    controls::TextBox& text4;
    controls::DropDownList& combo1;
    controls::DropDownList& combo2;
    controls::DropDownList& combo3;
    controls::DropDownList& combo4;
    controls::DropDownList& combo5;
    controls::OptionButton& option1;
    controls::OptionButton& option2;
    controls::OptionButton& option3;
    controls::PushButton& command1;
    controls::PushButton& command2;
    controls::PushButton& command3;
    controls::Label& label4;
    controls::Label& label5;
    controls::Label& label7;
    controls::Label& label10;
    controls::Label& label11;
    controls::Label& label13;
    controls::MessageBox& messages;
    controls::Program& program;
};

// The main window: owns the calculation state, composes the input and pipe handlings, binds
// every notification to its handling, and opens the lookup window.
class Form1 {
public:
    // `trace`, when given, hears each handling of both windows as it starts.
    Form1(Form1Controls controls, Form2Loader& form2Loader, HandlingTrace trace = {});
    ~Form1();

    // Program start: loads the window (Form_Load), then shows it.
    void start();

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    const calc::CalcState& state() const { return m_state; }
    bool form2Loaded() const { return m_form2 != nullptr; }

private:
    void unloadForm2();
    void discardUnloadedForm2();
    void trace(std::string_view handling) const;
    // A handling delegated to the input or pipe handlings, announced under its name.
    controls::Handler traced(std::string_view handling, controls::Handler body) const;

    Form1Controls m_controls;
    Form2Loader& m_form2Loader;
    HandlingTrace m_trace;
    calc::CalcState m_state;
    calc::Recalculation m_recalculation;
    calc::InputHandlings m_inputs;
    pipes::PipeHandlings m_pipes;
    std::unique_ptr<Form2> m_form2;
    // The lookup window is unloaded from inside its own handlings, which still run then: its
    // logic and, through the loader, its controls are destroyed at the next load, the one
    // place that keeps an unloaded window alive.
    std::unique_ptr<Form2> m_unloadedForm2;
};

} // namespace ui
