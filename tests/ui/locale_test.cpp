// The read-outs take their decimal separator from the user's regional settings. Each test
// runs in its own process with the LC_ALL that CMake gives it, whether or not the C library
// has that locale installed.
#include "window_fixture.h"

#include <cstdlib>
#include <string>

namespace tessarion::ui::testing {
namespace {

std::string regionalSetting()
{
    const char* value = std::getenv("LC_ALL");
    return value != nullptr ? value : "";
}

// The phase read-outs after the phase "+" button has been pressed `presses` times.
std::pair<std::string, std::string> radiansAndSineAfter(int presses)
{
    MainWindow window; // the separator of the regional settings, as the program starts
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (int press = 0; press < presses; ++press)
        QTest::mouseClick(window.findChild<QPushButton*>("Command8"), Qt::LeftButton);
    return {window.findChild<QLineEdit*>("Text4")->text().toStdString(),
            window.findChild<QLineEdit*>("Text6")->text().toStdString()};
}

TEST(RegionalSettings, GermanUsesTheComma)
{
    ASSERT_EQ(regionalSetting().rfind("de_DE", 0), 0u) << "run with LC_ALL=de_DE...";
    EXPECT_EQ(systemDecimalSeparator(), ",");
    EXPECT_EQ(radiansAndSineAfter(90).first, "1,57");
    EXPECT_EQ(radiansAndSineAfter(30).second, "0,499");
}

TEST(RegionalSettings, UnknownLocaleFallsBackToThePoint)
{
    ASSERT_FALSE(regionalSetting().empty()) << "run with a bogus LC_ALL";
    EXPECT_EQ(systemDecimalSeparator(), ".");
    EXPECT_EQ(radiansAndSineAfter(90).first, "1.57");
}

} // namespace
} // namespace tessarion::ui::testing
