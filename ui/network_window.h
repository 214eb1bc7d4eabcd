#pragma once

#include "pipes/sizing.h"
#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/loaded_window.h"
#include "ui/network_document.h"
#include "ui/network_handlings.h"
#include "ui/network_history.h"
#include "ui/sheet_commands.h"

#include <functional>
#include <optional>
#include <string>

namespace ui {

// The controls of the network window, created afresh each time it is loaded.
struct NetworkWindowControls {
    controls::Window& window;
    controls::TextBox& sourceNode;
    controls::TextBox& sourcePressure;
    controls::DropDownList& unit;
    controls::OptionButton& saturated;
    controls::OptionButton& superheated;
    controls::TextBox& temperature;
    controls::TextBox& roughness;
    controls::DropDownList& series;
    controls::TextBox& limit;
    controls::TextBox& title;
    controls::Grid& segments;
    controls::PushButton& add;
    controls::PushButton& remove;
    controls::PushButton& moveUp;
    controls::PushButton& moveDown;
    controls::Label& unitNote;
    controls::TableList& results;
    controls::TableList& nodes;
    controls::NetworkPictures& pictures;
    controls::StatusText& status;
    controls::PushButton& showInMain;
    controls::PushButton& back;
    controls::OptionButton& heatOff;
    controls::OptionButton& heatOn;
    controls::TextBox& ambient;
    controls::TextBox& wind;
    controls::DropDownList& material;
    controls::TextBox& conductivity;
    controls::TextBox& emissivity;
    controls::TextBox& surfaceCoefficient;
    controls::TextBox& factor;
    controls::DropDownList& operation;
    controls::MenuCommand& newFile;
    controls::MenuCommand& openFile;
    controls::MenuCommand& importRows;
    controls::RecentFiles& recentFiles;
    controls::MenuCommand& save;
    controls::MenuCommand& saveAs;
    controls::MenuCommand& exportSheet;
    controls::MenuCommand& exportPdf;
    controls::MenuCommand& print;
    controls::MenuCommand& closeFile;
    controls::MenuCommand& undo;
    controls::MenuCommand& redo;
    controls::MenuCommand& goToWorst;
    controls::MessageBox& messages;
    controls::Question& question;
    controls::FileDialogs& files;
    controls::SheetOutput& sheet;
    controls::Clipboard& clipboard;

    // The controls of a window made from its description, each checked for its kind.
    static NetworkWindowControls from(const ControlSet& set);
};

// The main window's inputs a segment is handed to, set as the user would type and pick them.
struct MainWindowInputs {
    controls::TextBox& flow;               // Form1.Text1
    controls::DropDownList& flowUnit;      // Form1.Combo1
    controls::TextBox& roughness;          // Form1.Text2
    controls::DropDownList& roughnessUnit; // Form1.Combo2
    controls::TextBox& density;            // Form1.Text3
    controls::OptionButton& customBore;    // Form1.Option3
    controls::TextBox& bore;               // Form1.Text4
};

// The network window: a tree of segments from one source, each segment's pressures, densities,
// velocities and verdicts at every change, the network kept in a file.
class NetworkWindow {
public:
    // `document` is the main window's, kept while this window is unloaded: none before the window
    // was first opened. `adopted` hears the steam whose density was just handed over; `unload`
    // asks the owner to unload this window, which runs Form_Unload. `executor` runs the solves
    // that may take longer than a frame (NetworkHandlings says how); at once where none is given.
    // `documentChanged` hears every change of the document: its texts, its file, saved or not.
    NetworkWindow(NetworkWindowControls controls, std::optional<NetworkDocument>& document,
                  MainWindowInputs main, std::function<void(const pipes::KnownSteam&)> adopted,
                  controls::Window& form1, std::function<void()> unload, HandlingTrace trace = {},
                  SolveExecutor executor = {}, std::function<void()> documentChanged = {});

    void Form_Load();
    void add_Click();
    void remove_Click();
    void moveUp_Click();
    void moveDown_Click();
    void showInMain_Click();
    void back_Click();
    void newFile_Click();
    void openFile_Click();
    // A recent file, by its place in the menu.
    void recentFiles_Click(int index);
    void save_Click();
    void saveAs_Click();
    void closeFile_Click();
    // The 编辑 menu (ui/network_history_window.cpp).
    void undo_Click();
    void redo_Click();
    // The most unfavourable user, by the command or a click on the status line that names it
    // (ui/network_links.cpp).
    void goToWorst_Click();
    void status_Click();
    void Form_Unload();
    // The grid's keys and context menu, and 导入… (ui/network_editing_window.cpp).
    void segments_Command(controls::GridCommand command);
    void importRows_Click();

private:
    // The history (ui/network_history_window.cpp). The controls' changes named as steps: `typing`
    // for a box's keystrokes, which make one step together.
    void wireSteps();
    bool step(std::string name, bool typing = false);
    void changed(const network::NetworkTexts& texts, const std::string& step);
    // Starts the history again from the texts shown.
    void resetHistory();
    void restore(std::optional<NetworkHistory::Restore> restore);
    void showHistory();
    DocumentControls documentControls() const;
    // Shows the document's inputs as they now are, saved or opened.
    void showDocument();
    void retitle();
    // exportSheet_Click, exportPdf_Click and print_Click, by the handling's name.
    void sheetCommand(SheetCommand command, std::string_view handling);
    // The handlings that keep the grid and the tables on one segment (ui/network_links.cpp).
    void linkTables();

    NetworkWindowControls m_controls;
    NetworkDocument& m_document;
    MainWindowInputs m_main;
    std::function<void(const pipes::KnownSteam&)> m_adopted;
    controls::Window& m_form1;
    std::function<void()> m_unload;
    std::function<void()> m_documentChanged;
    HandlingTrace m_trace;
    std::string m_title;
    // Before the handlings, which tell it.
    KeptStatus m_status;
    NetworkHandlings m_network;
    NetworkHistory m_history;
    // Of the step under way: the row current before it, and whether it is a box's keystroke.
    int m_rowBefore = -1;
    bool m_typing = false;
    // While undo or redo fills the controls: their change is no step.
    bool m_restoring = false;
};

} // namespace ui
