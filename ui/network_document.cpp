#include "ui/network_document.h"

#include "calc/messages.h"
#include "network/file.h"
#include "ui/design.h"

#include <filesystem>

namespace ui {

namespace {

std::string inQuotes(std::string_view name) {
    return "“" + std::string(name) + "”";
}

// A file name made of the network's title, without the one character no file name may hold.
std::string suggestedName(const NetworkDocument& document) {
    std::string name = document.texts.title.empty() ? "管网" : document.texts.title;
    std::erase(name, '/');
    return name + ".json";
}

} // namespace

std::string NetworkDocument::name() const {
    return path.empty() ? std::string("未命名") : std::filesystem::path(path).filename().string();
}

std::string NetworkDocument::title() const {
    return std::string(kForm5Design.title) + " - " + name() + (unsaved() ? "*" : "");
}

bool saveDocument(NetworkDocument& document, DocumentControls controls, bool choose) {
    const network::TextReading reading = network::readTexts(document.texts);
    if (!reading.network) {
        controls.messages.show("无法保存" + inQuotes(document.name()) + "：" + reading.fault,
                               calc::kErrorTitle);
        return false;
    }
    std::string path = document.path;
    if (choose || path.empty()) {
        path = controls.files.savePath("保存蒸汽管网", kNetworkFilter,
                                       path.empty() ? suggestedName(document) : path);
        if (path.empty())
            return false;
        if (std::filesystem::path(path).extension().empty())
            path += ".json";
    }
    const std::string fault = network::saveNetwork(*reading.network, path);
    if (!fault.empty()) {
        controls.messages.show(fault, calc::kErrorTitle);
        return false;
    }
    document.path = path;
    document.saved = document.texts;
    return true;
}

bool mayLose(NetworkDocument& document, DocumentControls controls) {
    if (!document.unsaved())
        return true;
    switch (controls.question.ask("管网" + inQuotes(document.name()) + "有未保存的修改。保存吗？",
                                  kForm5Design.title)) {
    case controls::Question::Answer::Save:
        return saveDocument(document, controls, false);
    case controls::Question::Answer::Discard:
        return true;
    case controls::Question::Answer::Cancel:
        break;
    }
    return false;
}

bool openDocument(NetworkDocument& document, DocumentControls controls) {
    const std::string path = controls.files.openPath("打开蒸汽管网", kNetworkFilter);
    if (path.empty())
        return false;
    const network::Reading reading = network::loadNetwork(path);
    if (!reading.network) {
        controls.messages.show(reading.fault, calc::kErrorTitle);
        return false;
    }
    document.path = path;
    document.texts = network::textsOf(*reading.network);
    document.saved = document.texts;
    return true;
}

} // namespace ui
