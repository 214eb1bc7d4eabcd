#include "ui/network_recovery.h"

#include "files/save.h"
#include "network/file.h"
#include "network/recovery.h"
#include "ui/design.h"

#include <system_error>

namespace ui {

namespace {

// What the restored network's file holds, against which its changes are unsaved: a new network's
// texts where it has no file, or its file is gone or unreadable.
network::NetworkTexts savedTexts(const std::string& path) {
    if (path.empty())
        return {};
    const network::Reading reading = network::loadNetwork(files::pathOf(path));
    return reading.network ? network::textsOf(*reading.network) : network::NetworkTexts{};
}

} // namespace

NetworkRecovery::NetworkRecovery(RecoveryPlace place, std::optional<NetworkDocument>& document)
    : m_place(std::move(place)), m_document(document) {
    if (m_place.timer)
        m_place.timer->onTimeout([this] { write(); });
}

std::filesystem::path NetworkRecovery::file() const {
    return files::pathOf(m_place.folder) / files::pathOf(network::kRecoveryFileName);
}

void NetworkRecovery::changed() {
    if (m_place.folder.empty() || !m_place.timer)
        return;
    if (m_document && m_document->unsaved())
        m_place.timer->start(kRecoveryDelayMs);
    else
        discard();
}

void NetworkRecovery::discard() {
    if (m_place.folder.empty())
        return;
    if (m_place.timer)
        m_place.timer->stop();
    std::error_code ignored;
    std::filesystem::remove(file(), ignored);
}

void NetworkRecovery::write() {
    if (!m_document || !m_document->unsaved())
        return;
    // A copy that cannot be written is not worth a message every few seconds: the work is still
    // on screen, and the next change tries again.
    std::error_code ignored;
    std::filesystem::create_directories(files::pathOf(m_place.folder), ignored);
    files::saveBytes(file(), network::recoveryJson({.texts = m_document->texts,
                                                    .path = m_document->path,
                                                    .time = m_place.now ? m_place.now() : ""}));
}

bool NetworkRecovery::offer(controls::Question& question) {
    if (m_place.folder.empty())
        return false;
    const files::SmallFile read =
        files::readSmallFile(file(), network::kLargestRecovery, "文件太大");
    if (!read.fault.empty())
        return false;
    const network::RecoveryReading reading = network::readRecovery(read.bytes);
    if (!reading.copy)
        return false;
    const network::RecoveryCopy& copy = *reading.copy;
    const std::string name = copy.path.empty() ? "未命名" : copy.path;
    const controls::Question::Answer answer =
        question.offer("程序上次没有正常结束。管网“" + name + "”在 " + copy.time +
                           " 有未保存的修改，已留下恢复副本。恢复吗？",
                       kNetworkDesign.title);
    if (answer == controls::Question::Answer::Discard)
        discard();
    if (answer != controls::Question::Answer::Restore)
        return false;
    // Kept until the restored changes are saved or given up: a second crash loses nothing either.
    m_document =
        NetworkDocument{.texts = copy.texts, .saved = savedTexts(copy.path), .path = copy.path};
    return true;
}

} // namespace ui
