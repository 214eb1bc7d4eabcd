// Replays an event script from standard input on the program's logic and writes what the
// program did as JSON Lines to standard output; with --qt, on the real windows, offscreen.
// The format is in docs/event-scripts.md. A build without Qt has the in-memory mode only, so that
// the corpus still runs there (the coverage build measures it).
#include "tools/replay/memory_session.h"
#ifdef STEAM_REPLAY_QT
#include "tools/replay/qt_session.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#endif

#include <iostream>
#include <string_view>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
    const bool qt = argc == 2 && std::string_view(argv[1]) == "--qt";
    if (argc > 1 && !qt) {
        std::cerr << "usage: replay [--qt] < script\n";
        return 2;
    }
#ifdef _WIN32
    // Byte for byte the logs of Linux: no \r added before each \n, none taken from a script.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(true);
    replay::JsonLog log(std::cout);
    if (!qt) {
        replay::MemorySession session(&log);
        return replay::run(std::cin, session, log, std::cerr);
    }
#ifdef STEAM_REPLAY_QT
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Remembered files and folders start empty in every run, as in memory, and the user's own
    // are left alone.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    controls::qt::prepareApplication(app);
    replay::QtSession session(log);
    return replay::run(std::cin, session, log, std::cerr);
#else
    std::cerr << "replay: built without Qt, so without --qt\n";
    return 2;
#endif
}
