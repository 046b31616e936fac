#include "ui/application.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no window system.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    tessarion::ui::prepareApplication(app);
    return RUN_ALL_TESTS();
}
