// Starts two programs in turn, many times: the game up to its first frame and a
// bare Qt window up to its first. For each run it takes the time from fork to the
// child's "painted" line and the child's peak resident memory; it prints medians
// and the game's ratios to the bare window as `key value` lines, and the medians of
// the phases each child reports (milliseconds from its main() to the end of each).
//
// Usage: startup_bench <game-program> <bare-program> [runs]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
    bool painted = false;
    ssize_t got = 0;
    while (!painted && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, static_cast<std::size_t>(got));
        if (said.find("painted") != std::string::npos) {
            run.millis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
            painted = true;
        }
    }
    close(pipeEnds[0]);
    ReadPhases(said, run);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return false;
    run.peakKib = usage.ru_maxrss;
    return painted && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <game-program> <bare-program> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    std::vector<double> gameMillis, bareMillis;
    std::vector<long> gameKib, bareKib;
    std::map<std::string, std::vector<double>> gamePhases, barePhases;
    // One warm-up each, so both find the libraries and fonts in the page cache.
    for (int i = -1; i < runs; ++i) {
        Run game, bare;
        if (!Launch(argv[1], game) || !Launch(argv[2], bare)) {
            std::fprintf(stderr, "a program did not reach its first frame\n");
            return 1;
        }
        if (i < 0) continue;
        gameMillis.push_back(game.millis);
        bareMillis.push_back(bare.millis);
        gameKib.push_back(game.peakKib);
        bareKib.push_back(bare.peakKib);
        for (const auto& [phase, ms] : game.phases) gamePhases[phase].push_back(ms);
        for (const auto& [phase, ms] : bare.phases) barePhases[phase].push_back(ms);
    }
    const double gameMs = Median(gameMillis), bareMs = Median(bareMillis);
    const long gameRss = Median(gameKib), bareRss = Median(bareKib);
    std::printf("startup_runs %d\n", runs);
    std::printf("startup_game_ms %.1f\n", gameMs);
    std::printf("startup_bare_ms %.1f\n", bareMs);
    std::printf("startup_ratio %.3f\n", gameMs / bareMs);
    std::printf("peak_rss_game_kib %ld\n", gameRss);
    std::printf("peak_rss_bare_kib %ld\n", bareRss);
    std::printf("peak_rss_ratio %.3f\n", static_cast<double>(gameRss) / static_cast<double>(bareRss));
    for (const auto& [phase, values] : gamePhases)
        std::printf("game_phase_%s_ms %.1f\n", phase.c_str(), Median(values));
    for (const auto& [phase, values] : barePhases)
        std::printf("bare_phase_%s_ms %.1f\n", phase.c_str(), Median(values));
    return 0;
}
