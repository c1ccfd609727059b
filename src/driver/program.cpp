// The program's own console: standard output, and a person's terminal when standard error is one.
#include <cstdio>
#include <optional>

#include "driver/progress.h"
#include "driver/run.h"

int run(int argc, char* argv[]) {
    StreamSink out(stdout);
    StreamSink err(stderr);
    std::optional<TerminalWatcher> terminal;
    if (is_terminal(stderr)) {
        terminal.emplace(err);
    }
    Console console{out, terminal ? &*terminal : nullptr};
    return run(argc, argv, console);
}
