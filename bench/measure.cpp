// Runs a command and prints "SECONDS PEAK_RSS_KIB" for it on standard error.
//   measure [-o FILE] COMMAND ARGS...   (-o: the command's standard output goes to FILE)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    int first = 1;
    const char* stdout_path = nullptr;
    if (argc > 3 && std::strcmp(argv[1], "-o") == 0) {
        stdout_path = argv[2];
        first = 3;
    }
    if (first >= argc) {
        (void)std::fputs("usage: measure [-o FILE] COMMAND ARGS...\n", stderr);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (stdout_path != nullptr) {
            const int fd = open(stdout_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) {
                _exit(127);  // never let the command's output run into ours
            }
        }
        execvp(argv[first], argv + first);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (std::fprintf(stderr, "%.4f %ld\n", seconds.count(), usage.ru_maxrss) < 0) {
        return 1;  // the measurement is lost
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
