// Starts three programs in turn, many times, each up to its first frame: the game,
// the floor (a window showing the game's first-frame texts in its fonts and style,
// without the game) and a bare Qt window with one Japanese label. For each run it
// takes the time from just before the fork to the moment the child stamps on its
// "painted" line, and the child's peak resident memory. It prints medians and the game's ratios as `key value` lines:
// to the floor (`startup_ratio`, `peak_rss_ratio`, what the game's own work costs) and to the bare window (`..._bare`,
// for information); the CPU time each child used in all, which a loaded machine disturbs far less than the wall time;
// and the medians of the phases each child reports (milliseconds from its main() to the end of each).
//
// Usage: startup_bench <game-program> <floor-program> <bare-program> [runs]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Run {
    double millis = 0;
    double cpuMillis = 0;  // user and system, from exec to exit
    long peakKib = 0;
    std::map<std::string, double> phases;
};

// "phases application=2.1 window=20.5 ..." as the child prints it.
void ReadPhases(const std::string& said, Run& run) {
    const auto at = said.find("phases");
    if (at == std::string::npos) return;
    std::istringstream words(said.substr(at + 6, said.find('\n', at) - at - 6));
    std::string word;
    while (words >> word) {
        const auto equals = word.find('=');
        if (equals != std::string::npos) run.phases[word.substr(0, equals)] = std::atof(word.c_str() + equals + 1);
    }
}

// Forks and execs `program` with its stdout on a pipe; returns once it exits.
bool Launch(const char* program, Run& run) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    const auto begin = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execl(program, program, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    close(pipeEnds[1]);
    std::string said;
    char buffer[64];
    std::size_t paintedAt = std::string::npos;
    bool painted = false;
    ssize_t got = 0;
    while (!painted && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, static_cast<std::size_t>(got));
        paintedAt = said.find("painted ");
        painted = paintedAt != std::string::npos && said.find('\n', paintedAt) != std::string::npos;
    }
    close(pipeEnds[0]);
    ReadPhases(said, run);
    // The child stamps its first frame on the clock this process read before the fork,
    // so the time leaves out how long this process then waits to be scheduled and read
    // the line, which a child still busy after its frame (or any other load) stretches.
    if (painted) {
        const std::chrono::steady_clock::duration stamp{
            std::chrono::nanoseconds(std::atoll(said.c_str() + paintedAt + 8))};
        run.millis = std::chrono::duration<double, std::milli>(stamp - begin.time_since_epoch()).count();
        painted = run.millis > 0;
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return false;
    run.peakKib = usage.ru_maxrss;
    const auto ms = [](timeval t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    run.cpuMillis = ms(usage.ru_utime) + ms(usage.ru_stime);
    return painted && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One program's runs.
struct Series {
    const char* key;  // how the output names it
    const char* program;
    std::vector<double> millis{};
    std::vector<double> cpuMillis{};
    std::vector<long> kib{};
    std::map<std::string, std::vector<double>> phases{};
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <game-program> <floor-program> <bare-program> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 15;
    std::array<Series, 3> series{{{.key = "game", .program = argv[1]},
                                  {.key = "floor", .program = argv[2]},
                                  {.key = "bare", .program = argv[3]}}};
    // One warm-up each, so all find the libraries and fonts in the page cache. Each
    // round starts with the next program, so none always follows the same one.
    for (int i = -1; i < runs; ++i) {
        for (std::size_t k = 0; k < series.size(); ++k) {
            Series& one = series[(static_cast<std::size_t>(i + 1) + k) % series.size()];
            Run run;
            if (!Launch(one.program, run)) {
                std::fprintf(stderr, "%s did not reach its first frame\n", one.program);
                return 1;
            }
            if (i < 0) continue;
            one.millis.push_back(run.millis);
            one.cpuMillis.push_back(run.cpuMillis);
            one.kib.push_back(run.peakKib);
            for (const auto& [phase, ms] : run.phases) one.phases[phase].push_back(ms);
        }
    }
    std::printf("startup_runs %d\n", runs);
    for (const Series& one : series) {
        std::printf("startup_%s_ms %.1f\n", one.key, Median(one.millis));
        std::printf("startup_cpu_%s_ms %.1f\n", one.key, Median(one.cpuMillis));
        std::printf("peak_rss_%s_kib %ld\n", one.key, Median(one.kib));
    }
    const auto& [game, floor, bare] = series;
    const auto kib = [](const Series& one) { return static_cast<double>(Median(one.kib)); };
    std::printf("startup_ratio %.3f\n", Median(game.millis) / Median(floor.millis));
    std::printf("startup_ratio_bare %.3f\n", Median(game.millis) / Median(bare.millis));
    std::printf("startup_cpu_ratio %.3f\n", Median(game.cpuMillis) / Median(floor.cpuMillis));
    std::printf("peak_rss_ratio %.3f\n", kib(game) / kib(floor));
    std::printf("peak_rss_ratio_bare %.3f\n", kib(game) / kib(bare));
    for (const Series& one : series) {
        for (const auto& [phase, values] : one.phases)
            std::printf("%s_phase_%s_ms %.1f\n", one.key, phase.c_str(), Median(values));
    }
    return 0;
}
