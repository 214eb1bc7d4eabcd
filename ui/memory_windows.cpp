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
        .mnuSteam = gui.menuCommand("Form1.mnuSteam"),
        .mnuSizing = gui.menuCommand("Form1.mnuSizing"),
        .mnuGuide = gui.menuCommand("Form1.mnuGuide"),
        .mnuAbout = gui.menuCommand("Form1.mnuAbout"),
        .help = gui.helpWindows(),
    };
}

namespace {

Form2Controls form2Controls(controls::memory::Gui& gui) {
    return {
        .window = gui.window("Form2"),
        .combo1 = gui.simpleCombo("Form2.Combo1"),
        .label9 = gui.label("Form2.Label9", "Label9"),
        .command1 = gui.pushButton("Form2.Command1"),
    };
}

Form3Controls form3Controls(controls::memory::Gui& gui) {
    return {
        .window = gui.window("Form3"),
        .text1 = gui.textBox("Form3.Text1", "1"),
        .combo1 = gui.dropDownList("Form3.Combo1"),
        .option1 = gui.optionButton("Form3.Option1", "Form3.Frame2"),
        .option2 = gui.optionButton("Form3.Option2", "Form3.Frame2"),
        .text2 = gui.textBox("Form3.Text2", "250"),
        .command1 = gui.pushButton("Form3.Command1"),
        .command2 = gui.pushButton("Form3.Command2"),
        .label7 = gui.label("Form3.Label7"),
        .label8 = gui.statusText("Form3.Label8"),
        .label9 = gui.label("Form3.Label9"),
        .label10 = gui.label("Form3.Label10"),
        .label11 = gui.label("Form3.Label11"),
    };
}

Form4Controls form4Controls(controls::memory::Gui& gui) {
    return {
        .window = gui.window("Form4"),
        .label1 = gui.label("Form4.Label1"),
        .label2 = gui.label("Form4.Label2"),
        .label3 = gui.label("Form4.Label3"),
        .combo1 = gui.dropDownList("Form4.Combo1"),
        .combo2 = gui.dropDownList("Form4.Combo2"),
        .text1 = gui.textBox("Form4.Text1", "100"),
        .text2 = gui.textBox("Form4.Text2", "30"),
        .text3 = gui.textBox("Form4.Text3", ""),
        .list1 = gui.tableList("Form4.List1"),
        .label4 = gui.statusText("Form4.Label4"),
        .command1 = gui.pushButton("Form4.Command1"),
        .command2 = gui.pushButton("Form4.Command2"),
    };
}

} // namespace

MemoryLoaders::MemoryLoaders(controls::memory::Gui& gui)
    : m_form2(gui, "Form2", form2Controls), m_form3(gui, "Form3", form3Controls),
      m_form4(gui, "Form4", form4Controls) {}

} // namespace ui
