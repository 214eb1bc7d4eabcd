#include "ui/memory_windows.h"

namespace ui {

Form1Controls memoryForm1Controls(controls::memory::Gui& gui) {
    return {
        gui.window("Form1"),
        gui.textBox("Form1.Text1", "0"),
        gui.textBox("Form1.Text2", "0.2"),
        gui.textBox("Form1.Text3", "1"),
        gui.textBox("Form1.Text4", "Text4"),
        gui.dropDownList("Form1.Combo1"),
        gui.dropDownList("Form1.Combo2"),
        gui.dropDownList("Form1.Combo3"),
        gui.dropDownList("Form1.Combo4"),
        gui.dropDownList("Form1.Combo5"),
        gui.optionButton("Form1.Option1", "Form1.Frame3"),
        gui.optionButton("Form1.Option2", "Form1.Frame3"),
        gui.optionButton("Form1.Option3", "Form1.Frame3"),
        gui.pushButton("Form1.Command1"),
        gui.pushButton("Form1.Command2"),
        gui.pushButton("Form1.Command3"),
        gui.label("Form1.Label4"),
        gui.label("Form1.Label5"),
        gui.label("Form1.Label7"),
        gui.label("Form1.Label10"),
        gui.label("Form1.Label11"),
        gui.label("Form1.Label13"),
        gui.messageBox(),
        gui.program(),
    };
}

Form2Controls MemoryForm2Loader::load() {
    m_gui.recordWindowOp("load", "Form2");
    return {
        m_gui.window("Form2"),
        m_gui.simpleCombo("Form2.Combo1"),
        m_gui.label("Form2.Label9", "Label9"),
        m_gui.pushButton("Form2.Command1"),
    };
}

void MemoryForm2Loader::unload() {
    m_gui.recordWindowOp("unload", "Form2");
    m_gui.discardWindow("Form2");
}

} // namespace ui
