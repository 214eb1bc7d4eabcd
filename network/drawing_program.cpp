// The drawings (the sheet's PDF, the profile's PNG) are made by a program of their own that
// links Qt's GUI module, so that steam-network stays free of it: the one beside this program,
// which the package installs with it.
#include "network/cli.h"
#include "network/cli_parts.h"

#include "files/save.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef STEAM_COVERAGE
// gcov writes a process's counts when it exits, which execv skips; a coverage build writes them
// before, or the hand-over every test of it makes would count as never run.
// An execv that fails returns: the counts written are cleared, so that its exit adds the rest.
extern "C" void __gcov_dump();
extern "C" void __gcov_reset();
#endif

namespace network::cli {

namespace {

constexpr std::string_view kDrawingProgram = "steam-network-sheet";

int missing(std::string_view what, const std::string& program, std::ostream& err) {
    err << "steam-network: 找不到画 " << what << " 的程序 cannot find the " << what << " program “"
        << program << "”\n";
    return kExitRefused;
}

#ifdef _WIN32
// A command-line word as CommandLineToArgvW reads it back: in quotes, a backslash doubled where
// a quote follows it.
std::wstring quoted(const std::wstring& word) {
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(2 * backslashes, L'\\');
    return text + L"\"";
}
#endif

} // namespace

#ifdef _WIN32
// Windows has no exec: the drawing program is waited for, and its status is this one's.
int runDrawing(std::string_view what, std::span<const std::string> args, std::ostream& out,
               std::ostream& err) {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    const std::filesystem::path program =
        std::filesystem::path(self).parent_path() / (std::string(kDrawingProgram) + ".exe");
    std::error_code error;
    if (self.empty() || !std::filesystem::is_regular_file(program, error))
        return missing(what, self.empty() ? std::string(kDrawingProgram) : files::utf8Of(program),
                       err);
    out.flush();
    err.flush();
    std::fflush(nullptr);
    // Each word as UTF-16, the way a path of UTF-8 text is made.
    std::vector<std::wstring> words{quoted(program.wstring())};
    for (const std::string& arg : args)
        words.push_back(quoted(files::pathOf(arg).wstring()));
    std::vector<const wchar_t*> argv;
    for (const std::wstring& word : words)
        argv.push_back(word.c_str());
    argv.push_back(nullptr);
    const intptr_t status = _wspawnv(_P_WAIT, program.c_str(), argv.data());
    if (status != -1)
        return static_cast<int>(status);
    err << "steam-network: 无法运行 cannot run “" << files::utf8Of(program) << "”："
        << std::strerror(errno) << "\n";
    return kExitRefused;
}
#else
int runDrawing(std::string_view what, std::span<const std::string> args, std::ostream& out,
               std::ostream& err) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path program = self.parent_path() / kDrawingProgram;
    if (error || ::access(program.c_str(), X_OK) != 0)
        return missing(what, error ? std::string(kDrawingProgram) : program.string(), err);
    out.flush();
    err.flush();
    std::fflush(nullptr);
    const std::string name = program.string();
    std::vector<const char*> argv{name.c_str()};
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    argv.push_back(nullptr);
#ifdef STEAM_COVERAGE
    __gcov_dump();
#endif
    ::execv(name.c_str(), const_cast<char* const*>(argv.data()));
#ifdef STEAM_COVERAGE
    __gcov_reset();
#endif
    err << "steam-network: 无法运行 cannot run “" << name << "”：" << std::strerror(errno) << "\n";
    return kExitRefused;
}
#endif

} // namespace network::cli
