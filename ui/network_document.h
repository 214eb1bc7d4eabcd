#pragma once

#include "network/texts.h"
#include "ui/controls/controls.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// The network the engineer works on, kept by the main window while the network window is
// closed, so that leaving the window loses nothing: its inputs as last shown, as last saved or
// opened, and its file.
struct NetworkDocument {
    network::NetworkTexts texts;
    network::NetworkTexts saved;
    std::string path; // UTF-8; empty until the network is saved or opened

    bool unsaved() const { return texts != saved; }
    // The file's path without its extension, or before it has one a name made of the title
    // (管网 without one), in no folder: what a file made from the network is offered as.
    std::string stem() const;
    // The file's name, or 未命名 before it has one.
    std::string name() const;
    // The window's title: its own, the file's name, and a mark while changes are unsaved.
    std::string title() const;
};

// The controls a document's commands ask and tell through; `kept` hears the file each network
// was saved to or opened from, where anyone listens.
struct DocumentControls {
    controls::Question& question;
    controls::FileDialogs& files;
    controls::MessageBox& messages;
    std::function<void(const std::string& path)> kept = {};
};

// The files a menu offers again: the last eight, newest first.
inline constexpr std::size_t kRecentFiles = 8;

// `paths` with `path` first, and no other entry for the same file however it was named (a link,
// "..", a relative path), the oldest beyond kRecentFiles dropped. Each path as the file system
// resolves it, so that the list names each file one way.
std::vector<std::string> withRecent(const std::vector<std::string>& paths, const std::string& path);

inline constexpr std::string_view kNetworkFilter = "蒸汽管网 (*.json)";

// Saves to the document's file, or to one the user chooses where it has none or `choose`.
// False when nothing was saved: the user cancelled, or the inputs or the disk refused, which
// one message has said.
bool saveDocument(NetworkDocument& document, DocumentControls controls, bool choose);

// Asks before unsaved changes are lost: true to go on, having saved them or with the user's
// leave to lose them; false to stay.
bool mayLose(NetworkDocument& document, DocumentControls controls);

// The file the user chooses, read whole: true when the document now holds it. A file the
// program cannot use is refused with one message, and the document stays as it was.
bool openDocument(NetworkDocument& document, DocumentControls controls);
// The same for a file already chosen.
bool openFile(NetworkDocument& document, DocumentControls controls, const std::string& path);

} // namespace ui
