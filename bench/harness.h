#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tessarion::bench {

/// CPU time of the whole process, in nanoseconds; other programs' load barely moves it.
std::int64_t cpuNanoseconds();
/// The system-wide monotonic clock, in nanoseconds; the same clock in every process.
std::int64_t monotonicNanoseconds();

/// The middle value (mean of the middle two for an even count); 0 for none.
double median(std::vector<double> values);

/// What a finished child process left behind.
struct ChildRun {
    std::int64_t spawnedAt = 0; ///< Monotonic time just before the child was started.
    std::string output;         ///< Everything it wrote to its standard output.
    int status = -1;            ///< As returned by waitpid.
};

/// Runs `program` with `arguments` and the current environment changed by `environment`,
/// and waits for it.
ChildRun runChild(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::pair<std::string, std::string>>& environment);

/// The number after `key=` in `text`; throws when it is missing.
double field(const std::string& text, const std::string& key);

/// The directory holding the running executable.
std::string executableDirectory();

} // namespace tessarion::bench
