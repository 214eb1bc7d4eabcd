// Whole processes: start-up until the first paint, and the resident set size then, of the
// program against its floor, the same window showing the same texts without logic. The two
// are started alternately, so that both see the same state of the machine and of the X server.
// Usage: process_bench PROGRAM FLOOR RUNS
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Figures {
    double seconds = 0;
    long residentKilobytes = 0;
};

// Starts the program and waits for the line it writes at its first paint.
bool runOnce(const char* program, Figures& figures) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char* argv[] = {const_cast<char*>(program), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return false;
    }
    std::string line;
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        line += c;
    figures.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    figures.residentKilobytes = std::atol(line.c_str());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && figures.residentKilobytes > 0;
}

template <class T> double median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (double(values[n / 2 - 1]) + double(values[n / 2])) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM FLOOR RUNS\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[3]));
    const std::vector<const char*> programs{argv[1], argv[2]};
    std::vector<std::vector<double>> seconds(programs.size());
    std::vector<std::vector<long>> resident(programs.size());
    // One untimed start of each first: the libraries and fonts come into the page cache.
    for (int round = -1; round < runs; ++round) {
        for (std::size_t which = 0; which < programs.size(); ++which) {
            Figures figures;
            if (!runOnce(programs[which], figures)) {
                std::fprintf(stderr, "%s did not report its first paint\n", programs[which]);
                return 1;
            }
            if (round < 0)
                continue;
            seconds[which].push_back(figures.seconds);
            resident[which].push_back(figures.residentKilobytes);
        }
    }
    const double startFloor = median(seconds[1]), rssFloor = median(resident[1]);
    for (std::size_t which = 0; which < programs.size(); ++which)
        std::fprintf(stderr, "%s: start-up %.1f ms, resident %.0f kB\n", programs[which],
                     median(seconds[which]) * 1e3, median(resident[which]));
    std::printf("row\tstart-up\t%.3f\t1.10\n", median(seconds[0]) / startFloor);
    std::printf("row\tmemory\t%.3f\t1.10\n", median(resident[0]) / rssFloor);
    return 0;
}
