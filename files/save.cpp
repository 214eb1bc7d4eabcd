#include "files/save.h"

#include "files/text.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace files {

namespace {

#ifndef EDQUOT
#define EDQUOT ENOSPC // Windows reports a full quota as a full disk
#endif

struct ErrnoWords {
    int error;
    std::string_view words;
};
constexpr std::array<ErrnoWords, 7> kErrnoWords{{
    {EACCES, "没有权限"},
    {EPERM, "没有权限"},
    {ENOENT, "文件或文件夹不存在"},
    {ENOSPC, "磁盘空间不足"},
    {EDQUOT, "超出磁盘配额"},
    {EROFS, "文件系统是只读的"},
    {EISDIR, "这是文件夹，不是文件"},
}};

// What failed, with the system's reason where it gave one.
std::string failed(std::string_view what) {
    return std::string(what) + (errno != 0 ? "：" + errnoWords(errno) : std::string());
}

// The system calls of the saving. On Windows a path is UTF-16, a file reaches the disk by
// _commit, a rename replaces an existing file only through MoveFileEx (whose write-through also
// flushes the folder's entry), and permissions are the folder's.
#ifdef _WIN32
int createNew(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
void removeFile(const std::filesystem::path& path) {
    _wunlink(path.c_str());
}
void keepPermissions(const std::filesystem::path&, std::FILE*) {}
int syncToDisk(std::FILE* file) {
    return _commit(_fileno(file));
}
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = GetLastError();
    errno = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? EACCES
            : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT
            : error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL    ? ENOSPC
            : error == ERROR_WRITE_PROTECT                                   ? EROFS
                                                                             : EIO;
    return false;
}
void syncFolder(const std::filesystem::path&) {}
#else
int createNew(const std::filesystem::path& path) {
    // Created as any new file is, so that the umask gives it its permissions.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
void removeFile(const std::filesystem::path& path) {
    ::unlink(path.c_str());
}
// An existing file keeps its permissions.
void keepPermissions(const std::filesystem::path& target, std::FILE* file) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(::fileno(file), old.st_mode & 07777);
}
// The descriptor reaches the file's data whoever wrote it, this stream or a library's own.
int syncToDisk(std::FILE* file) {
    return ::fsync(::fileno(file));
}
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
// The rename itself reaches the disk with the folder's entry.
void syncFolder(const std::filesystem::path& folder) {
    if (const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

// An open temporary file beside the target, removed unless it was renamed over it.
class Temporary {
public:
    explicit Temporary(const std::filesystem::path& target) {
        static std::atomic<unsigned> counter{0};
        const std::string stem =
            "." + utf8Of(target.filename()) + ".saving-" + std::to_string(::getpid()) + "-";
        int fd = -1;
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
            m_path = target.parent_path() /
                     pathOf(stem + std::to_string(counter++) + "-" +
                            std::to_string(static_cast<std::uint64_t>(tick) % 1000000));
            fd = createNew(m_path);
            if (fd < 0 && errno != EEXIST)
                break;
        }
        m_error = fd < 0 ? errno : 0;
        if (fd < 0)
            return;
        m_created = true;
        m_file = ::fdopen(fd, "wb");
        if (m_file == nullptr) {
            m_error = errno;
            ::close(fd);
        }
    }
    ~Temporary() {
        if (m_file != nullptr)
            std::fclose(m_file);
        if (m_created)
            removeFile(m_path);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The stream to write, or none, with the error that stopped it.
    std::FILE* file() const { return m_file; }
    int error() const { return m_error; }
    // Closes the stream, the last place a delayed write can fail; the file stays until renamed.
    bool close() {
        std::FILE* file = m_file;
        m_file = nullptr;
        return std::fclose(file) == 0;
    }
    bool renameOver(const std::filesystem::path& target) {
        if (!replaceFile(m_path, target))
            return false;
        m_created = false;
        return true;
    }

private:
    std::filesystem::path m_path;
    std::FILE* m_file = nullptr;
    int m_error = 0;
    bool m_created = false;
};

} // namespace

std::string errnoWords(int error) {
    for (const ErrnoWords& row : kErrnoWords)
        if (row.error == error)
            return std::string(row.words);
    return std::generic_category().message(error);
}

std::filesystem::path pathOf(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string fileNameOf(const std::filesystem::path& path) {
    const std::filesystem::path name = path.filename();
    return utf8Of(name.empty() ? path : name);
}

std::FILE* openToRead(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

SmallFile readSmallFile(const std::filesystem::path& path, std::size_t largest,
                        std::string_view tooLarge) {
    const auto refuse = [](std::string_view why) { return SmallFile{{}, std::string(why)}; };
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return refuse("文件不存在");
    if (status.type() == std::filesystem::file_type::directory)
        return refuse("这是文件夹，不是文件");
    if (error)
        return refuse(errnoWords(error.value()));
    // A pipe or a device would never end, or never start.
    if (status.type() != std::filesystem::file_type::regular)
        return refuse("不是普通文件");
    std::FILE* file = openToRead(path);
    if (file == nullptr)
        return refuse(errnoWords(errno));
    std::string bytes;
    std::array<char, 65536> buffer;
    std::size_t got = 0;
    while (bytes.size() <= largest && (got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
        bytes.append(buffer.data(), got);
    const int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (readError != 0)
        return refuse(errnoWords(readError));
    if (bytes.size() > largest)
        return refuse(tooLarge);
    return {std::move(bytes), {}};
}

std::string saveFault(std::string_view fileName, std::string_view why) {
    return "无法保存" + inQuotes(fileName) + "：" + std::string(why);
}

std::string saveThrough(const std::filesystem::path& path, const Filler& fill) {
    std::error_code error;
    // Through a link to the file it names, so that the link stays one.
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, error)) {
        const std::filesystem::path real = std::filesystem::weakly_canonical(path, error);
        if (!error)
            target = real;
    }
    if (std::filesystem::is_directory(target, error))
        return "这是文件夹，不能存为文件";
    if (target.filename().empty())
        return "没有文件名";

    Temporary temporary(target);
    std::FILE* file = temporary.file();
    if (file == nullptr)
        return "无法在它的文件夹中建立临时文件：" + errnoWords(temporary.error());
    keepPermissions(target, file);

    errno = 0;
    if (std::string why = fill(file, temporary.path()); !why.empty())
        return why;
    if (std::fflush(file) != 0)
        return failed("写入失败");
    if (syncToDisk(file) != 0)
        return failed("写入磁盘失败");
    if (!temporary.close())
        return failed("写入失败");
    if (!temporary.renameOver(target))
        return failed("无法替换原文件");
    syncFolder(target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path());
    return {};
}

std::string saveBytes(const std::filesystem::path& path, std::string_view bytes,
                      const ByteWriter& write) {
    return saveThrough(path, [&](std::FILE* file, const std::filesystem::path&) {
        const bool written = write
                                 ? write(file, bytes)
                                 : std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return written ? std::string() : failed("写入失败");
    });
}

} // namespace files
