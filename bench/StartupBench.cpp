// Start-up of the real program against its floor: the time from launching the game to
// its first status line, beside the time a bare SDL2 + GL program (startup_floor/) takes
// to do the work nothing can avoid (the same window and context, the two shader pairs,
// each distinct image once, one presented frame). Both are launched in every iteration,
// in alternating order; the medians and their ratio are the figures that count.

#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A scratch folder whose run/ is the working directory and whose Ressources links to
// the repository's, so both programs find ../Ressources/.
class RunFolder {
public:
    RunFolder() {
        char pattern[] = "/tmp/ovra-startup-XXXXXX";
        root_ = mkdtemp(pattern) != nullptr ? pattern : "";
        const std::string ressources = std::string(OVRA_SOURCE_DIR) + "/Ressources";
        if (root_.empty() || symlink(ressources.c_str(), (root_ + "/Ressources").c_str()) != 0 ||
            mkdir((root_ + "/run").c_str(), 0700) != 0) {
            root_.clear();
        }
    }
    ~RunFolder() {
        if (!root_.empty()) {
            unlink((root_ + "/Ressources").c_str());
            rmdir((root_ + "/run").c_str());
            rmdir(root_.c_str());
        }
    }
    bool ok() const { return !root_.empty(); }
    std::string run() const { return root_ + "/run"; }

private:
    std::string root_;
};

// Launches `program` in `folder` and returns the seconds until its first line of standard
// output, or a negative value if it printed none. The program is then asked to end with
// SIGTERM (the game stops after its frame; the floor has already gone) and reaped.
double secondsToFirstLine(const char* program, const std::string& folder) {
    int out[2];
    if (pipe(out) != 0) {
        return -1.0;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (chdir(folder.c_str()) == 0) {
            execl(program, program, static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    close(out[1]);
    if (child < 0) {
        close(out[0]);
        return -1.0;
    }
    char c = 0;
    bool lineSeen = false;
    while (read(out[0], &c, 1) == 1) {
        if (c == '\n') {
            lineSeen = true;
            break;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    kill(child, SIGTERM);
    char rest[4096];
    while (read(out[0], rest, sizeof rest) > 0) {
    }
    close(out[0]);
    waitpid(child, nullptr, 0);
    return lineSeen ? seconds : -1.0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_StartupAgainstFloor(benchmark::State& state) {
    const RunFolder folder;
    if (!folder.ok()) {
        state.SkipWithError("cannot make a scratch folder");
        return;
    }
    std::vector<double> game;
    std::vector<double> floor;
    bool gameFirst = true;
    for (auto _ : state) {
        double g = 0.0;
        double f = 0.0;
        if (gameFirst) {
            g = secondsToFirstLine(OVRA_GAME_BINARY, folder.run());
            f = secondsToFirstLine(OVRA_STARTUP_FLOOR_BINARY, folder.run());
        } else {
            f = secondsToFirstLine(OVRA_STARTUP_FLOOR_BINARY, folder.run());
            g = secondsToFirstLine(OVRA_GAME_BINARY, folder.run());
        }
        if (g < 0.0 || f < 0.0) {
            state.SkipWithError("a program ended without its first line (no display?)");
            return;
        }
        game.push_back(g);
        floor.push_back(f);
        state.SetIterationTime(g);
        gameFirst = !gameFirst;
    }
    const double gameMs = 1000.0 * median(game);
    const double floorMs = 1000.0 * median(floor);
    state.counters["game_ms"] = gameMs;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = gameMs / floorMs;
    std::printf("start-up: game %.0f ms, floor %.0f ms, ratio %.2f (medians of %zu launches each)\n", gameMs,
                floorMs, gameMs / floorMs, game.size());
}

}  // namespace

BENCHMARK(BM_StartupAgainstFloor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);
