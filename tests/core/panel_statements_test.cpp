#include "core/panel_statements.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tessarion::core {
namespace {

// What the panels say is heard through AT-SPI and in the browser's accessibility tree.
TEST(StatementPace, EveryChangeWhileStoppedOncePerSecondWhileRunning)
{
    // When, whether running, and whether told.
    const std::tuple<double, bool, bool> changes[] = {
        {0, false, true},   {10, false, true},   {20, true, false},  {1009, true, false},
        {1010, true, true}, {2009, true, false}, {2010, false, true}};
    StatementPace pace;
    for (const auto& [now, running, told] : changes)
        EXPECT_EQ(pace.due(now, running), told) << now;
}

} // namespace
} // namespace tessarion::core
