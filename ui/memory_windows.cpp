#include "ui/memory_windows.h"

namespace ui {

Form1Controls memoryForm1Controls(controls::memory::Gui& gui) {
    return {
        .window = gui.window("Form1"),
        .text1 = gui.textBox("Form1.Text1", "0"),
        .text2 = gui.textBox("Form1.Text2", "0.2"),
        .text3 = gui.textBox("Form1.Text3", "1"),
        .text4 = gui.textBox("Form1.Text4", "Text4"),
        .combo1 = gui.dropDownList("Form1.Combo1"),
        .combo2 = gui.dropDownList("Form1.Combo2"),
        .combo3 = gui.dropDownList("Form1.Combo3"),
        .combo4 = gui.dropDownList("Form1.Combo4"),
        .combo5 = gui.dropDownList("Form1.Combo5"),
        .option1 = gui.optionButton("Form1.Option1", "Form1.Frame3"),
        .option2 = gui.optionButton("Form1.Option2", "Form1.Frame3"),
        .option3 = gui.optionButton("Form1.Option3", "Form1.Frame3"),
        .command1 = gui.pushButton("Form1.Command1"),
        .command2 = gui.pushButton("Form1.Command2"),
        .command3 = gui.pushButton("Form1.Command3"),
        .label4 = gui.label("Form1.Label4"),
        .label5 = gui.label("Form1.Label5"),
        .label7 = gui.label("Form1.Label7"),
        .label10 = gui.label("Form1.Label10"),
        .label11 = gui.label("Form1.Label11"),
        .label13 = gui.label("Form1.Label13"),
        .messages = gui.messageBox(),
        .program = gui.program(),
    };
}

Form2Controls MemoryForm2Loader::load() {
    m_gui.recordWindowOp("load", "Form2");
    return {
        .window = m_gui.window("Form2"),
        .combo1 = m_gui.simpleCombo("Form2.Combo1"),
        .label9 = m_gui.label("Form2.Label9", "Label9"),
        .command1 = m_gui.pushButton("Form2.Command1"),
    };
}

void MemoryForm2Loader::unload() {
    m_gui.recordWindowOp("unload", "Form2");
    m_unloaded = m_gui.takeWindow("Form2");
}

} // namespace ui
