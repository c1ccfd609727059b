// Runs a command and prints "SECONDS PEAK_RSS_KIB" for it on standard error.
//   measure [-o FILE] [-n COUNT] COMMAND ARGS...
// -o: the command's standard output goes to FILE. -n: the command runs COUNT times, one after the
// other, and the seconds are those of all of them: a call on a small file is too short to time alone.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One run; its exit status, or -1 when it could not be run or was killed.
int run_once(char* command[], const char* stdout_path, long& peak_kib) {
    const pid_t child = fork();
    if (child == 0) {
        if (stdout_path != nullptr) {
            const int fd = open(stdout_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) {
                _exit(127);  // never let the command's output run into ours
            }
        }
        execvp(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) < 0) {
        return -1;
    }
    peak_kib = usage.ru_maxrss > peak_kib ? usage.ru_maxrss : peak_kib;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    int first = 1;
    const char* stdout_path = nullptr;
    long count = 1;
    for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
        if (std::strcmp(argv[first], "-o") == 0) {
            stdout_path = argv[first + 1];
        } else if (std::strcmp(argv[first], "-n") == 0) {
            count = std::strtol(argv[first + 1], nullptr, 10);
        }
    }
    if (first >= argc || count < 1) {
        (void)std::fputs("usage: measure [-o FILE] [-n COUNT] COMMAND ARGS...\n", stderr);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    long peak_kib = 0;
    int status = 0;
    for (long i = 0; i < count && status == 0; ++i) {
        status = run_once(argv + first, stdout_path, peak_kib);
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (std::fprintf(stderr, "%.4f %ld\n", seconds.count(), peak_kib) < 0) {
        return 1;  // the measurement is lost
    }
    return status < 0 ? 1 : status;
}
