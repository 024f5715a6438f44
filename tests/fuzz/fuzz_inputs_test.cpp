// Replays the seed corpus and every input that once broke an invariant. New finds
// go to fuzz/regressions/ as libFuzzer wrote them; this suite picks them up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "zemkari/fuzz/events.h"
#include "zemkari/fuzz/session.h"

namespace zemkari::fuzz {
namespace {

std::vector<std::filesystem::path> InputsIn(const char* directory) {
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.is_regular_file() && entry.path().extension() != ".md") inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::vector<std::uint8_t> Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TestName(const testing::TestParamInfo<std::filesystem::path>& info) {
    std::string name = info.param.filename().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; }, '_');
    return name;
}

class FuzzInputTest : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(FuzzInputTest, KeepsEveryInvariant) {
    const std::vector<std::uint8_t> bytes = Bytes(GetParam());
    ASSERT_FALSE(bytes.empty()) << GetParam();
    const std::vector<PlayerEvent> events = DecodeEvents(bytes);
    EXPECT_EQ(Play(events), std::nullopt) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzInputTest, testing::ValuesIn(InputsIn(ZEMKARI_FUZZ_CORPUS)), TestName);
INSTANTIATE_TEST_SUITE_P(Regressions, FuzzInputTest, testing::ValuesIn(InputsIn(ZEMKARI_FUZZ_REGRESSIONS)), TestName);

TEST(FuzzInputs, CorpusAndRegressionsAreCheckedIn) {
    EXPECT_GE(InputsIn(ZEMKARI_FUZZ_CORPUS).size(), 5U);
    EXPECT_GE(InputsIn(ZEMKARI_FUZZ_REGRESSIONS).size(), 1U);
}

}  // namespace
}  // namespace zemkari::fuzz
