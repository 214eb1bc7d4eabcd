#pragma once

#include "files/save.h"
#include "network/network.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A network as a UTF-8 JSON file, documented in docs/network-file.md.
namespace network {

// The file's text for a network.
std::string networkJson(const Network& network);

// The network a file's bytes describe, or the one message that names the file and its first
// fault; `fileName` is the name the message gives it.
struct Reading {
    std::optional<Network> network;
    std::string fault;
};
Reading readNetwork(std::string_view bytes, std::string_view fileName);
Reading loadNetwork(const std::filesystem::path& path);

// Writes `bytes` to a file, returning false at a failure; the saving below passes the real one,
// and tests one that fails after a given number of bytes.
using ByteWriter = files::ByteWriter;

// Saves through a temporary file in the same folder renamed over the old one, so that a crash or
// a full disk never leaves a half-written network. Empty on success, else the message.
std::string saveNetwork(const Network& network, const std::filesystem::path& path,
                        const ByteWriter& write = {});

} // namespace network
