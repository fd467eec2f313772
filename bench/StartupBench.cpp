// Start-up of the real program against its floor: the time from launching the game to
// its first status line, and to its second (written once the first frame is presented),
// beside the time a bare SDL2 + GL program (startup_floor/) takes to do the work nothing
// can avoid (the same window and context, the two shader pairs, each distinct image once,
// one presented frame). Both are launched in every iteration, in alternating order; the
// medians and their ratios are the figures that count. The floor ends with a presented
// frame and the game's first line comes before its first frame is drawn, so the ratio of
// like to like is the one at the game's first presented frame.

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

// Launches `program` in `folder` and returns the seconds until each of its first `lines`
// lines of standard output, fewer if it printed fewer. The program is then asked to end
// with SIGTERM (the game stops after its frame; the floor has already gone) and reaped.
std::vector<double> secondsToLines(const char* program, const std::string& folder, size_t lines) {
    std::vector<double> times;
    int out[2];
    if (pipe(out) != 0) {
        return times;
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
        return times;
    }
    char c = 0;
    while (times.size() < lines && read(out[0], &c, 1) == 1) {
        if (c == '\n') {
            times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    }
    kill(child, SIGTERM);
    char rest[4096];
    while (read(out[0], rest, sizeof rest) > 0) {
    }
    close(out[0]);
    waitpid(child, nullptr, 0);
    return times;
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
    std::vector<double> gameFirstLine;
    std::vector<double> gameFirstFrame;
    std::vector<double> floor;
    bool gameFirst = true;
    for (auto _ : state) {
        std::vector<double> g;
        std::vector<double> f;
        if (gameFirst) {
            g = secondsToLines(OVRA_GAME_BINARY, folder.run(), 2);
            f = secondsToLines(OVRA_STARTUP_FLOOR_BINARY, folder.run(), 1);
        } else {
            f = secondsToLines(OVRA_STARTUP_FLOOR_BINARY, folder.run(), 1);
            g = secondsToLines(OVRA_GAME_BINARY, folder.run(), 2);
        }
        if (g.size() < 2 || f.empty()) {
            state.SkipWithError("a program ended without its lines (no display?)");
            return;
        }
        gameFirstLine.push_back(g[0]);
        gameFirstFrame.push_back(g[1]);
        floor.push_back(f[0]);
        state.SetIterationTime(g[0]);
        gameFirst = !gameFirst;
    }
    const double lineMs = 1000.0 * median(gameFirstLine);
    const double frameMs = 1000.0 * median(gameFirstFrame);
    const double floorMs = 1000.0 * median(floor);
    state.counters["game_first_line_ms"] = lineMs;
    state.counters["game_first_frame_ms"] = frameMs;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_first_line"] = lineMs / floorMs;
    state.counters["ratio_first_frame"] = frameMs / floorMs;
    std::printf(
        "start-up: game %.0f ms to its first line, %.0f ms to its first presented frame; floor %.0f ms; "
        "ratios %.2f and %.2f (medians of %zu launches each)\n",
        lineMs, frameMs, floorMs, lineMs / floorMs, frameMs / floorMs, floor.size());
}

}  // namespace

BENCHMARK(BM_StartupAgainstFloor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);
