#include "core/preset.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace tessarion::core {

namespace {

constexpr std::int64_t fullTurn = 360;

// A whole number in plain decimal digits with an optional sign; nothing else, not even spaces.
std::optional<std::int64_t> wholeNumber(std::string_view text)
{
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    // Emscripten's standard library has no ranges algorithms.
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::int64_t value = 0;
    // Too many digits for 64 bits is out of every range anyway.
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

PresetReading readPreset(std::span<const PresetArgument> settings)
{
    PresetReading reading;
    for (const PresetArgument& setting : settings) {
        if (setting.name == presetStartName) {
            if (setting.value)
                reading.problems.push_back({setting, presetStartValueProblem, {}});
            reading.preset.start = true;
            continue;
        }
        const auto number =
            std::find_if(presetNumbers.begin(), presetNumbers.end(),
                         [&](const PresetNumber& known) { return known.name == setting.name; });
        if (number == presetNumbers.end()) {
            reading.problems.push_back({setting, presetUnknownProblem, {}});
            continue;
        }
        const std::optional<std::int64_t> value = wholeNumber(setting.value.value_or(""));
        if (!value || *value < number->lowest || *value > number->highest) {
            reading.problems.push_back(
                {setting, number->problem, std::array{number->lowest, number->highest}});
            continue;
        }
        reading.preset.numbers[static_cast<std::size_t>(number - presetNumbers.begin())] = value;
    }
    return reading;
}

void applyPreset(const Preset& preset, Form& form)
{
    for (std::size_t index = 0; index < presetNumbers.size(); ++index) {
        if (!preset.numbers[index])
            continue;
        const PresetNumber& number = presetNumbers[index];
        const std::int64_t target = *preset.numbers[index];
        for (std::int64_t now = number.current(form.state); now != target;) {
            (form.*(now < target ? number.up : number.down))();
            const std::int64_t after = number.current(form.state);
            // A value beyond a button's guard stays where the button stops.
            if (after == now)
                break;
            now = after;
        }
    }
    if (preset.start)
        form.start();
}

std::vector<PresetArgument> presetArguments(const OscillationState& state, bool running)
{
    std::vector<PresetArgument> settings;
    for (const PresetNumber& number : presetNumbers) {
        std::int64_t value = number.current(state);
        // Only the phase can leave its range: by whole turns back into it.
        if (value < number.lowest || value > number.highest)
            value %= fullTurn;
        settings.push_back({std::string(number.name), std::to_string(value)});
    }
    if (running)
        settings.push_back({std::string(presetStartName), std::nullopt});
    return settings;
}

} // namespace tessarion::core
