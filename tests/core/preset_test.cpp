#include "case_name.h"
#include "core/preset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessarion::core {
namespace {

using Settings = std::vector<PresetArgument>;

struct ReadCase {
    const char* name;
    Settings settings;
    Preset preset;                    // when nothing is refused
    std::vector<std::string> refused; // the problems' texts, in order
};

const char* const phaseRange = presetNumbers[2].problem;
const ReadCase readCases[] = {
    {"limits, a sign, the last of a repeated one",
     {{"amplitude", "0"}, {"frequency", "40"}, {"phase", "+5"}, {"phase", "-359"}, {"start", {}}},
     {{0, 40, -359}, true},
     {}},
    {"out of range",
     {{"amplitude", "15"}, {"phase", "360"}, {"phase", "99999999999999999999"}},
     {},
     {presetNumbers[0].problem, phaseRange, phaseRange}},
    {"not whole numbers",
     {{"phase", "1.5"}, {"phase", "abc"}, {"phase", {}}, {"phase", " 9"}, {"phase", "+-5"}},
     {},
     std::vector<std::string>(5, phaseRange)},
    {"start with a value, unknown names",
     {{"start", "1"}, {"top", {}}, {"Phase", "1"}},
     {},
     {presetStartValueProblem, presetUnknownProblem, presetUnknownProblem}},
};

class ReadingPresets : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadingPresets, GiveTheValuesOrSayWhatIsRefused)
{
    const PresetReading reading = readPreset(GetParam().settings);
    std::vector<std::string> refused;
    for (const PresetProblem& problem : reading.problems)
        refused.push_back(problem.text);
    EXPECT_EQ(refused, GetParam().refused);
    if (refused.empty()) {
        EXPECT_EQ(reading.preset, GetParam().preset);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ReadingPresets, ::testing::ValuesIn(readCases),
                         [](const auto& info) { return testing::caseName(info.param.name); });

TEST(PresetArguments, GiveTheStateWithAPhaseBeyondTheRangeWithinOneTurn)
{
    const OscillationState state{.amplitude = 3.5, .phase = -400, .frequency = 10};
    EXPECT_EQ(presetArguments(state, true),
              (Settings{{"amplitude", "7"}, {"frequency", "10"}, {"phase", "-40"}, {"start", {}}}));
}

} // namespace
} // namespace tessarion::core
