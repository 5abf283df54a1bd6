// Start-up: from the start of the process to the main window's open done (the
// first complete map), timed on the start-up probe built beside this program.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

extern char** environ;

namespace {

std::string probePath()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string self(buf, static_cast<size_t>(n));
    return self.substr(0, self.find_last_of('/') + 1) + "quillmere-startup-probe";
}

// Seconds from spawning the probe to its report; negative when it failed.
double timeOneStart(const std::string& exe)
{
    int fds[2];
    if (pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return -1;
    }
    std::string line;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') line += c;
    const auto done = std::chrono::steady_clock::now();
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (line != "open done") return -1;
    return std::chrono::duration<double>(done - start).count();
}

void BM_StartupToMainWindowOpen(benchmark::State& state)
{
    const std::string exe = probePath();
    if (exe.empty() || access(exe.c_str(), X_OK) != 0) {
        state.SkipWithError("quillmere-startup-probe is not built");
        return;
    }
    for (auto _ : state) {
        const double seconds = timeOneStart(exe);
        if (seconds < 0) {
            state.SkipWithError("the start-up probe failed");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_StartupToMainWindowOpen)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace
