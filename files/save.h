#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Saving the user's files: through a temporary file in the same folder, flushed to the disk and
// renamed over the old one, so that a crash or a full disk never leaves a half-written file and
// a refused save leaves the old one as it was. One implementation for every file the program
// writes: networks, CSV and spreadsheets.
namespace files {

// A path from the UTF-8 text the windows and the command line hold, and back. A path's own
// narrow text is UTF-8 on Linux but the system's code page on Windows, which cannot hold every
// name.
std::filesystem::path pathOf(std::string_view utf8);
std::string utf8Of(const std::filesystem::path& path);

// A file opened for reading bytes; null with errno set where it cannot be.
std::FILE* openToRead(const std::filesystem::path& path);

// A regular file's bytes, up to `largest`; or, empty bytes, the words of why it cannot be read
// (not there, a folder, not a regular file, larger, or the system's error).
struct SmallFile {
    std::string bytes;
    std::string fault;
};
SmallFile readSmallFile(const std::filesystem::path& path, std::size_t largest,
                        std::string_view tooLarge);

// What the common operating-system errors mean to a user; the rarer ones in the system's words.
std::string errnoWords(int error);

// The name a message gives a file: its last part, or the whole path where it has none.
std::string fileNameOf(const std::filesystem::path& path);

// "无法保存“名称”：why".
std::string saveFault(std::string_view fileName, std::string_view why);

// Writes the temporary file that will replace the target, given its open stream and its path
// (for a library that opens the file by name and writes it itself); empty when written, else
// the words of what failed. errno is 0 when it starts.
using Filler = std::function<std::string(std::FILE* file, const std::filesystem::path& path)>;

// Saves `path` through `fill`; empty when saved, else why, without the file's name. A link is
// followed, so that it stays a link, and an existing file keeps its permissions.
std::string saveThrough(const std::filesystem::path& path, const Filler& fill);

// Writes `bytes` to a file, returning false at a failure; the saving passes the real one, and
// tests one that fails after a given number of bytes.
using ByteWriter = std::function<bool(std::FILE* file, std::string_view bytes)>;

// `bytes` saved through a temporary file.
std::string saveBytes(const std::filesystem::path& path, std::string_view bytes,
                      const ByteWriter& write = {});

} // namespace files
