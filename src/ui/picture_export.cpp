#include "ui/picture_export.h"

#include "core/layout.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/panel_widget.h"
#include "ui/readout_field.h"
#include "ui/window_zoom.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace tessarion::ui {

namespace {
// Twice the layout prints sharply on a page and fills a slide.
constexpr double leastPngScale = 2;

// Labels lie on their panel without a background of their own.
constexpr QWidget::RenderFlags childFlags = QWidget::DrawChildren;

// The style keeps bevels as bitmaps wherever the painter only scales; a shear far too small
// to see makes it draw them as shapes, so that an SVG holds no bitmap.
constexpr double invisibleShear = 1e-9;

void renderChildren(QPainter& painter, QWidget& container)
{
    const QTransform unsheared = painter.worldTransform();
    painter.shear(invisibleShear, 0);
    for (QWidget* child : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->isVisibleTo(&container) &&
            qobject_cast<PanelWidget*>(child) == nullptr)
            child->render(&painter, child->pos(), QRegion(), childFlags);
    painter.setWorldTransform(unsheared);
}

// The generator names only a font's first family, which few systems have, and the read-outs
// share theirs with the window. While an SVG is drawn the read-outs name this one, which no
// system has, in front of theirs: they lay out as before, and each text in the SVG gets the
// fallbacks of its own font, as on the screen.
constexpr QLatin1String readoutTag("Tessarion read-out");

class TaggedReadouts {
public:
    explicit TaggedReadouts(QWidget& window)
    {
        for (ReadoutField* field : window.findChildren<ReadoutField*>()) {
            QFont tagged = field->font();
            fonts_.emplace_back(field, tagged);
            tagged.setFamilies(QStringList{readoutTag} + tagged.families());
            field->setFont(tagged);
        }
    }
    ~TaggedReadouts()
    {
        for (const auto& [field, font] : fonts_)
            field->setFont(font);
    }
    Q_DISABLE_COPY_MOVE(TaggedReadouts)

private:
    std::vector<std::pair<ReadoutField*, QFont>> fonts_;
};

void nameFallbacks(QByteArray& svg, const QString& named, const QStringList& families)
{
    QStringList fallbacks;
    for (const QString& family : families)
        fallbacks.append(QLatin1Char('\'') + family + QLatin1Char('\''));
    fallbacks.append(QStringLiteral("sans-serif"));
    svg.replace(QStringLiteral("font-family=\"%1\"").arg(named).toUtf8(),
                QStringLiteral("font-family=\"%1\"").arg(fallbacks.join(u", ")).toUtf8());
}

QByteArray withFallbackFonts(QByteArray svg)
{
    nameFallbacks(svg, readoutTag, readoutFont().families());
    nameFallbacks(svg, windowFont().families().front(), windowFont().families());
    return svg;
}

// A line break or a tab in a name is almost always pasted in by mistake, and many programs
// cannot open such a file.
bool hasControlCharacter(const QString& name)
{
    return std::any_of(name.begin(), name.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

// Qt says why a file call failed in English only; the usual reasons in the user's language,
// from errno as the failing call left it. Qt's own text, or the system's, for the rest.
QString failureReason(int error, const QFileDevice& file)
{
    switch (error) {
    case ENOSPC: return Picture::tr("No space left on device");
    case EDQUOT: return Picture::tr("Disk quota exceeded");
    case EFBIG: return Picture::tr("File too large");
    case EACCES:
    case EPERM: return Picture::tr("Permission denied");
    case EROFS: return Picture::tr("Read-only file system");
    case ENOENT:
    case ENOTDIR: return Picture::tr("The folder does not exist");
    case ENAMETOOLONG: return Picture::tr("File name too long");
    default: break;
    }
    // A failed write leaves QSaveFile without an error of its own once it has closed.
    if (error != 0 && file.error() == QFileDevice::NoError)
        return QString::fromLocal8Bit(std::strerror(error));
    return file.errorString();
}

QString failureMessage(const QString& path, const QString& reason)
{
    return Picture::tr("The picture could not be saved as\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}
} // namespace

Picture::Picture(MainWindow& window)
    : window_(window)
{
}

Picture::Picture(MainWindow& window, PanelWidget& panel)
    : window_(window)
    , panel_(&panel)
{
}

QSize Picture::layoutSize() const
{
    const double zoom = window_.zoom().factor();
    if (panel_ != nullptr)
        return QSizeF(QSizeF(panel_->size()) / zoom).toSize();
    return {core::wholePixels(core::clientWidthTwips), core::wholePixels(core::clientHeightTwips)};
}

double Picture::pngScale() const
{
    return std::max(leastPngScale, window_.zoom().factor() * window_.devicePixelRatioF());
}

QImage Picture::image(double scale) const
{
    const QSize size = (QSizeF(layoutSize()) * scale).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    // Texts keep the size they have on the screen, whatever the file says of its resolution.
    const int dotsPerMeter = qRound(window_.logicalDpiX() / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(window_.palette().color(QPalette::Window));
    QPainter painter(&image);
    paint(painter, scale);
    painter.end();
    // Its resolution carries the scale, so that it prints at the layout's size, as the SVG
    // does; set after the paint, which sizes the texts by it.
    const int printedDotsPerMeter = qRound(scale * window_.logicalDpiX() / 0.0254);
    image.setDotsPerMeterX(printedDotsPerMeter);
    image.setDotsPerMeterY(printedDotsPerMeter);
    return image;
}

QByteArray Picture::svg() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(layoutSize());
    generator.setViewBox(QRect(QPoint(), layoutSize()));
    generator.setResolution(window_.logicalDpiX());
    generator.setTitle(window_.windowTitle());
    {
        const TaggedReadouts tagged(window_);
        QPainter painter(&generator);
        painter.fillRect(QRect(QPoint(), layoutSize()), window_.palette().color(QPalette::Window));
        paint(painter, 1);
    }
    return withFallbackFonts(bytes);
}

QString Picture::suggestedName(const QString& suffix) const
{
    const QString what = panel_ != nullptr
                             ? QStringLiteral("tessarion-%1").arg(panel_->objectName())
                             : QStringLiteral("tessarion");
    return QStringLiteral("%1-phase-%2.%3").arg(what).arg(window_.form().state.phase).arg(suffix);
}

// The widgets are placed at the window's zoom; the picture maps them back to the layout.
void Picture::paint(QPainter& painter, double scale) const
{
    const double zoom = window_.zoom().factor();
    painter.scale(scale / zoom, scale / zoom);
    if (panel_ == nullptr) {
        painter.translate(-window_.zoom().offset());
        window_.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        renderChildren(painter, window_);
    } else {
        painter.translate(-panel_->pos());
    }
    paintPanels(painter);
}

// The panels' paints run in the order of a tick, so that one panel alone shows what it shows
// beside the others, and the window's state is left as a tick leaves it. A panel left out of
// the picture still has the form's part of its paint run in its place.
void Picture::paintPanels(QPainter& painter) const
{
    for (const core::PanelId id : core::tickOrder) {
        PanelWidget* panel = window_.panel(core::panelSpec(id).name);
        if (panel_ != nullptr && panel != panel_) {
            window_.form().beforePaint(id);
            continue;
        }
        painter.save();
        painter.translate(panel->pos());
        panel->paintPicture(painter);
        renderChildren(painter, *panel);
        painter.restore();
    }
}

void Picture::copy() const
{
    auto* data = new QMimeData;
    data->setImageData(image(pngScale()));
    data->setData(QStringLiteral("image/svg+xml"), svg());
    QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray Picture::png() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image(pngScale()).save(&buffer, "PNG");
    return bytes;
}

std::optional<QString> Picture::save(const QString& path, const QByteArray& png,
                                     const QByteArray& svg)
{
    if (hasControlCharacter(QFileInfo(path).fileName()))
        return failureMessage(path, tr("A file name cannot hold control characters, such as a "
                                       "line break or a tab."));
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QByteArray* bytes = suffix == QLatin1String("png")   ? &png
                              : suffix == QLatin1String("svg") ? &svg
                                                               : nullptr;
    if (bytes == nullptr)
        return failureMessage(
            path, tr("Pictures are saved as PNG or SVG. The name must end in .png or .svg."));
    // The file appears whole under its name, or not at all. Unbuffered, every write reaches
    // the disk at once, and errno still holds the reason when one falls short.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failureMessage(path, failureReason(errno, file));
    // A short write raises no error of QSaveFile's own: commit() would put the cut-off file in
    // place. Some file systems (NFS, quotas) tell of a full disk only when the data reach it.
    errno = 0;
    if (file.write(*bytes) != bytes->size() || ::fsync(file.handle()) != 0) {
        const int error = errno;
        file.cancelWriting();
        return failureMessage(path, failureReason(error, file));
    }
    errno = 0;
    if (!file.commit())
        return failureMessage(path, failureReason(errno, file));
    return std::nullopt;
}

} // namespace tessarion::ui
