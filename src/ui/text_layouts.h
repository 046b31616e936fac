#pragma once

#include <QFont>
#include <QPointF>
#include <QStaticText>
#include <QTransform>

#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace tessarion::ui {

/// Texts laid out once and drawn again from their layouts: laying a text out costs many times
/// what drawing it does, and most texts of a panel stand still from paint to paint.
class TextLayouts {
public:
    /// Draws `text` with its top-left corner at `topLeft` in the painter's pen and font, from
    /// the layout it had there under the same transform and font, if it was drawn so before.
    void draw(QPainter& painter, QPointF topLeft, std::string_view text);
    /// Forgets the texts not drawn since the last sweep, which moved or changed.
    void sweep();

private:
    struct Layout {
        std::string text;
        QPointF topLeft;
        QTransform transform; ///< The painter's, from world to device.
        QFont font;
        QStaticText layout;
        bool used;
    };
    std::vector<Layout> layouts_;
};

/// A text laid out for one drawing.
QStaticText layoutOf(std::string_view text);

} // namespace tessarion::ui
