// Hours of animation compressed: ticks are delivered directly, one after another.
#include "window_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace tessarion::ui::testing {
namespace {

// Resident set size in KiB, from the kernel's view of this process.
long residentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// A memory checker runs far slower; it may ask for fewer ticks.
int ticksToRun()
{
    const char* requested = std::getenv("TESSARION_LONG_RUN_TICKS");
    return requested != nullptr ? std::atoi(requested) : 100'000;
}

// AddressSanitizer keeps freed blocks in quarantine, so resident memory grows on purpose there;
// its leak checker covers that build instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool freedMemoryIsReused = false;
#else
constexpr bool freedMemoryIsReused = true;
#endif

using LongRun = WindowTest;

TEST_F(LongRun, EveryTickPaintsEachPanelOnceAndMemoryStaysFlat)
{
    const int ticks = ticksToRun();
    const bool fullRun = ticks >= 100'000;
    const int warmUp = fullRun ? 5'000 : ticks / 2;
    for (int press = 0; press < 30; ++press)
        click("Command4");
    ASSERT_EQ(text("Text2"), "40");
    core::Form& form = window->form();

    std::int64_t expectedPhase = form.state.phase;
    long wrongTicks = 0;
    std::string firstWrong;
    long residentAfterWarmUp = 0;
    QElapsedTimer clock;
    clock.start();
    for (int tick = 1; tick <= ticks; ++tick) {
        const auto before = paintCounts();
        form.tick();
        const auto after = paintCounts();
        // At 40 degrees a turn takes exactly nine ticks and never overshoots 360.
        expectedPhase += 40;
        if (expectedPhase >= 360)
            expectedPhase = 0;
        bool right = form.state.phase == expectedPhase;
        for (std::size_t i = 0; i < after.size(); ++i)
            right = right && after[i] == before[i] + 1;
        if (!right && wrongTicks++ == 0)
            firstWrong = "tick " + std::to_string(tick) + ": phase " +
                         std::to_string(form.state.phase) + ", paints P1 " +
                         std::to_string(after[0] - before[0]) + " p2 " +
                         std::to_string(after[1] - before[1]) + " p3 " +
                         std::to_string(after[2] - before[2]) + " p4 " +
                         std::to_string(after[3] - before[3]);
        // Let posted work (read-out repaints, deferred deletes) run as the event loop would.
        if (tick % 500 == 0)
            QCoreApplication::processEvents();
        if (tick == warmUp)
            residentAfterWarmUp = residentKiB();
    }
    const long residentAtEnd = residentKiB();
    std::cout << ticks << " ticks in " << clock.elapsed() << " ms; resident " << residentAfterWarmUp
              << " KiB after " << warmUp << " ticks, " << residentAtEnd << " KiB at the end\n";

    EXPECT_EQ(wrongTicks, 0) << "first: " << firstWrong;
    EXPECT_EQ(text("Text3"), std::to_string(expectedPhase));
    ASSERT_GT(residentAfterWarmUp, 0) << "no VmRSS in /proc/self/status";
    if (fullRun && freedMemoryIsReused) {
        EXPECT_LT(residentAtEnd - residentAfterWarmUp, 1024) << "KiB of growth";
    }
}

} // namespace
} // namespace tessarion::ui::testing
