#include "ui/text_layouts.h"

#include <QPainter>
#include <QString>

#include <algorithm>

namespace tessarion::ui {

namespace {
// QTransform's own comparison is fuzzy; a layout is reused only under the very same one.
bool same(const QTransform& a, const QTransform& b)
{
    return a.m11() == b.m11() && a.m12() == b.m12() && a.m13() == b.m13() && a.m21() == b.m21() &&
           a.m22() == b.m22() && a.m23() == b.m23() && a.m31() == b.m31() && a.m32() == b.m32() &&
           a.m33() == b.m33();
}
} // namespace

void TextLayouts::draw(QPainter& painter, QPointF topLeft, std::string_view text)
{
    // A layout is kept for the place it was made: moved elsewhere, its glyphs would shift by
    // whole 64ths of a pixel where a new one rounds afresh.
    const QTransform transform = painter.deviceTransform();
    for (Layout& kept : layouts_) {
        if (kept.text == text && kept.topLeft == topLeft && same(kept.transform, transform) &&
            kept.font == painter.font()) {
            kept.used = true;
            painter.drawStaticText(topLeft, kept.layout);
            return;
        }
    }
    const Layout& made = layouts_.emplace_back(std::string(text), topLeft, transform,
                                               painter.font(), layoutOf(text), true);
    painter.drawStaticText(topLeft, made.layout);
}

void TextLayouts::sweep()
{
    std::erase_if(layouts_, [](const Layout& kept) { return !kept.used; });
    for (Layout& kept : layouts_)
        kept.used = false;
}

QStaticText layoutOf(std::string_view text)
{
    QStaticText layout(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    layout.setTextFormat(Qt::PlainText);
    return layout;
}

} // namespace tessarion::ui
