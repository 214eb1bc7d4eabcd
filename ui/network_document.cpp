#include "ui/network_document.h"

#include "calc/messages.h"
#include "files/save.h"
#include "network/faults.h"
#include "network/file.h"
#include "ui/design.h"

#include <filesystem>

namespace ui {

namespace {

std::string inQuotes(std::string_view name) {
    return "“" + std::string(name) + "”";
}

} // namespace

// The file's own path, or for a new one a name made of the network's title, without the one
// character no file name may hold.
std::string NetworkDocument::stem() const {
    if (!path.empty())
        return files::utf8Of(files::pathOf(path).replace_extension());
    std::string name = texts.title;
    if (name.empty())
        name = "管网";
    std::erase(name, '/');
    return name;
}

std::string NetworkDocument::name() const {
    if (path.empty())
        return "未命名";
    return files::utf8Of(files::pathOf(path).filename());
}

std::string NetworkDocument::title() const {
    return std::string(kNetworkDesign.title) + " - " + name() + (unsaved() ? "*" : "");
}

bool saveDocument(NetworkDocument& document, DocumentControls controls, bool choose) {
    const network::TextReading reading = network::readTexts(document.texts);
    if (!reading.network) {
        controls.messages.show(
            network::placedFault("无法保存" + inQuotes(document.name()), reading.fault),
            calc::kErrorTitle);
        return false;
    }
    std::string path = document.path;
    if (path.empty() || choose) {
        path = controls.files.savePath("保存蒸汽管网", kNetworkFilter,
                                       document.path.empty() ? document.stem() + ".json"
                                                             : document.path);
        if (path.empty())
            return false;
        if (files::pathOf(path).extension().empty())
            path += ".json";
    }
    const std::string fault = network::saveNetwork(*reading.network, files::pathOf(path));
    if (!fault.empty()) {
        controls.messages.show(fault, calc::kErrorTitle);
        return false;
    }
    document.path = path;
    document.saved = document.texts;
    if (controls.kept)
        controls.kept(path);
    return true;
}

bool mayLose(NetworkDocument& document, DocumentControls controls) {
    if (!document.unsaved())
        return true;
    const controls::Question::Answer answer = controls.question.ask(
        "管网" + inQuotes(document.name()) + "有未保存的修改。保存吗？", kNetworkDesign.title);
    if (answer == controls::Question::Answer::Save)
        return saveDocument(document, controls, false);
    return answer == controls::Question::Answer::Discard;
}

bool openDocument(NetworkDocument& document, DocumentControls controls) {
    const std::string path = controls.files.openPath("打开蒸汽管网", kNetworkFilter);
    return !path.empty() && openFile(document, controls, path);
}

bool openFile(NetworkDocument& document, DocumentControls controls, const std::string& path) {
    const network::Reading reading = network::loadNetwork(files::pathOf(path));
    if (!reading.network) {
        controls.messages.show(reading.fault, calc::kErrorTitle);
        return false;
    }
    document.path = path;
    document.texts = network::textsOf(*reading.network);
    document.saved = document.texts;
    if (controls.kept)
        controls.kept(path);
    return true;
}

std::vector<std::string> withRecent(const std::vector<std::string>& paths,
                                    const std::string& path) {
    const auto resolved = [](const std::string& named) {
        std::error_code ignored;
        const std::filesystem::path canonical =
            std::filesystem::weakly_canonical(files::pathOf(named), ignored);
        return canonical.empty() ? named : files::utf8Of(canonical);
    };
    std::vector<std::string> out{resolved(path)};
    for (const std::string& earlier : paths)
        if (out.size() < kRecentFiles && resolved(earlier) != out.front())
            out.push_back(earlier);
    return out;
}

} // namespace ui
