#pragma once

#include "paint_counter.h"
#include "ui/main_window.h"
#include "ui/panel_widget.h"
#include "ui/precise_timer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>

namespace tessarion::ui::testing {

/// The real window, shown on the offscreen platform and painted once.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(".");
        for (const char* name : {"P1", "p2", "p3", "p4"})
            paints.watch(*window->panel(name));
        paints.watch(*window);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QPushButton* button(const char* name) const
    {
        auto* found = window->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::string text(const char* name) const
    {
        auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(field, nullptr) << name;
        return field == nullptr ? std::string() : field->text().toStdString();
    }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    /// The animation timer, found by its layout name.
    PreciseTimer& timer1() const
    {
        auto* found = window->findChild<PreciseTimer*>(QStringLiteral("Timer1"));
        if (found == nullptr)
            throw std::logic_error("the window has no Timer1");
        return *found;
    }
    /// Paint counts of P1, p2, p3 and p4.
    std::array<int, 4> paintCounts() const
    {
        return {paints.count(*window->panel("P1")), paints.count(*window->panel("p2")),
                paints.count(*window->panel("p3")), paints.count(*window->panel("p4"))};
    }
    /// Delivers every paint asked for so far. The window paints all its pending updates in
    /// one pass, so once a marker update of a spot outside the panels has been painted,
    /// nothing asked for before it is still waiting.
    void deliverPendingPaints()
    {
        const int before = paints.count(*window);
        window->update(QRect(window->width() - 2, window->height() - 2, 1, 1));
        ASSERT_TRUE(QTest::qWaitFor([&] { return paints.count(*window) > before; }))
            << "the window did not paint its marker";
    }

    std::unique_ptr<MainWindow> window;
    support::PaintCounter paints;
};

} // namespace tessarion::ui::testing
