// A reload anywhere in a stored transcript changes nothing but its own line, and a
// snapshot written by an earlier build still resumes its game.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "zemkari/replay/replayer.h"

namespace zemkari::replay {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The script's commands one step each, `tick N` as N ticks, up to its first bad line.
std::vector<Command> Steps(const fs::path& script) {
    std::vector<Command> steps;
    for (const std::string& line : Lines(ReadAll(script))) {
        const ParsedLine parsed = ParseLine(line);
        if (std::holds_alternative<ScriptError>(parsed)) break;
        if (const auto* command = std::get_if<Command>(&parsed)) {
            Command step = *command;
            step.times = 1;
            steps.insert(steps.end(), static_cast<std::size_t>(command->times), step);
        }
    }
    return steps;
}

const Command kReload = std::get<Command>(ParseLine("reload"));

// The steps played with a reload after step `at` (0: before the first command), and the
// game as the last step left it.
struct Played {
    std::vector<std::string> lines;
    std::string game;
};

Played PlayReloadingAfter(const std::vector<Command>& steps, std::size_t at) {
    std::ostringstream out;
    Replayer replayer(out);
    replayer.WriteOpening();
    for (std::size_t i = 0; i <= steps.size(); ++i) {
        if (i == at) replayer.Play(kReload);
        if (i < steps.size()) replayer.Play(steps[i]);
    }
    return {.lines = Lines(out.str()), .game = TakeSnapshot(replayer.State(), replayer.Board().Record())};
}

// What a step shows of the game, without its number, command and flags.
nlohmann::ordered_json GameOf(const std::string& text) {
    nlohmann::ordered_json line = nlohmann::ordered_json::parse(text);
    for (const char* key : {"step", "cmd", "ignored", "error"}) line.erase(key);
    return line;
}

// The line of a later step, numbered as it would be without the reload's own step.
std::string RenumberedBack(const std::string& line, std::size_t step) {
    const std::string as = "{\"step\":" + std::to_string(step + 1) + ",";
    if (!line.starts_with(as)) return line;
    return "{\"step\":" + std::to_string(step) + "," + line.substr(as.size());
}

std::vector<fs::path> Transcripts() {
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(ZEMKARI_TRANSCRIPTS)) {
        if (entry.path().extension() == ".script") scripts.push_back(entry.path());
    }
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

class ReloadTest : public testing::TestWithParam<fs::path> {};

TEST_P(ReloadTest, ChangesNothingButItsOwnLineAtAnyStep) {
    const fs::path script = GetParam();
    const std::vector<Command> steps = Steps(script);
    fs::path transcript = script;
    const std::vector<std::string> expected = Lines(ReadAll(transcript.replace_extension(".jsonl")));
    ASSERT_EQ(expected.size(), steps.size() + 1) << script;
    const std::string unreloaded = PlayReloadingAfter(steps, steps.size() + 1).game;
    for (std::size_t at = 0; at <= steps.size(); ++at) {
        Played run = PlayReloadingAfter(steps, at);
        ASSERT_EQ(run.lines.size(), expected.size() + 1);
        // The reload's own line shows the game of the step before it, and nothing more.
        const nlohmann::ordered_json own = nlohmann::ordered_json::parse(run.lines[at + 1]);
        EXPECT_EQ(own["cmd"], "reload");
        EXPECT_FALSE(own.contains("error") || own.contains("ignored"));
        EXPECT_EQ(GameOf(run.lines[at + 1]), GameOf(run.lines[at])) << script << ", reload after step " << at;
        run.lines.erase(run.lines.begin() + static_cast<std::ptrdiff_t>(at) + 1);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(i <= at ? run.lines[i] : RenumberedBack(run.lines[i], i), expected[i])
                << script << ", reload after step " << at;
        }
        // What no transcript shows, the chart and the selectors among it, is the same too.
        EXPECT_EQ(run.game, unreloaded) << script << ", reload after step " << at;
    }
}

std::string NameOf(const testing::TestParamInfo<fs::path>& info) { return info.param.stem().string(); }

INSTANTIATE_TEST_SUITE_P(Transcripts, ReloadTest, testing::ValuesIn(Transcripts()), NameOf);

// The page keeps its snapshot across an update of the site: the next build must resume
// the snapshot the build before it wrote. This one was written mid-day, 50 shares held.
TEST(PinnedSnapshot, ResumesTheGameItWasTakenOf) {
    const std::string pinned = ReadAll(ZEMKARI_PINNED_SNAPSHOT);
    const ReadGame read = ReadSnapshot(pinned);
    ASSERT_TRUE(std::holds_alternative<SavedGame>(read)) << std::get<SnapshotRefusal>(read).reason;

    const std::vector<Command> steps = Steps(fs::path(ZEMKARI_TRANSCRIPTS) / "profitable_day.script");
    std::ostringstream out;
    Replayer replayer(out);
    for (std::size_t i = 0; i < kPinnedStep; ++i) replayer.Play(steps[i]);
    EXPECT_EQ(TakeSnapshot(replayer.State(), replayer.Board().Record()), pinned);
    EXPECT_EQ(std::get<SavedGame>(read).state, replayer.State());
    EXPECT_EQ(std::get<SavedGame>(read).board, replayer.Board().Record());
}

}  // namespace
}  // namespace zemkari::replay
