#pragma once

#include "core/colour.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <vector>

namespace tessarion::ui {

/// Images of small circles drawn on nothing but a panel's erase, put back where the same
/// circle is drawn again: a circle that moves by whole device pixels, such as the mass or the
/// bob, gives the same pixels wherever it lies, and an antialiased outline costs many times
/// the copy of its pixels.
class Stamps {
public:
    /// Draws the outline of width `width` that fills `extent` on `background`, from its image
    /// once it was asked for before; `hints` and `format` are the target's.
    void draw(QPainter& painter, const QRect& extent, core::Colour colour, int width,
              core::Colour background, QPainter::RenderHints hints, QImage::Format format);
    /// Forgets the circles not drawn since the last sweep.
    void sweep();

    /// Only circles up to this size are stamped: a large one is kept with its panel, if at all.
    static constexpr int largest = 256;

private:
    struct Stamp {
        core::Colour colour;
        int width;
        QSize size;
        core::Colour background;
        QPainter::RenderHints hints;
        QImage::Format format;
        QImage image;
        bool used;
    };
    std::vector<Stamp> stamps_;
};

/// Draws the outline of width `width` whose outer edge fills `extent`.
void drawOutline(QPainter& painter, const QRect& extent, core::Colour colour, int width);

} // namespace tessarion::ui
