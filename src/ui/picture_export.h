#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

class QPainter;

namespace tessarion::ui {

class MainWindow;
class PanelWidget;

/// The window's layout, or one of its panels, drawn afresh for a worksheet or a slide: as a
/// PNG at a print-worthy resolution, or as an SVG of vector shapes and texts. Every picture
/// takes the four panels in the order of a tick, so that all of them show one state; a panel
/// left out of it has only the form's part of its paint run.
class Picture {
    Q_DECLARE_TR_FUNCTIONS(tessarion::ui::Picture)
public:
    /// The whole layout of `window`, without its frame and the margins of a fitted zoom.
    explicit Picture(MainWindow& window);
    /// One panel of `window`, with its border.
    Picture(MainWindow& window, PanelWidget& panel);

    /// The size of what is pictured in layout pixels, at 100 %.
    QSize layoutSize() const;
    /// The scale of a PNG: twice the layout, or the zoom on the screen where that is larger.
    double pngScale() const;
    /// A PNG image at `scale` times the layout size, which prints at the size of the SVG.
    QImage image(double scale) const;
    /// The same picture as an SVG document.
    QByteArray svg() const;
    /// A file name that says what is pictured and its phase, with `suffix`.
    QString suggestedName(const QString& suffix) const;

    /// The PNG file's bytes, at `pngScale()`.
    QByteArray png() const;

    /// Puts the PNG and the SVG on the clipboard.
    void copy() const;
    /// Writes `png` or `svg` to `path`, as its extension says, whole or not at all; on a
    /// failure, a message in the user's language that names the file and says why, or
    /// nothing. An existing file stays as it was on a failure.
    static std::optional<QString> save(const QString& path, const QByteArray& png,
                                       const QByteArray& svg);

private:
    void paint(QPainter& painter, double scale) const;
    void paintPanels(QPainter& painter) const;

    MainWindow& window_;
    PanelWidget* panel_ = nullptr;
};

} // namespace tessarion::ui
