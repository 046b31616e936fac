// Reads :/icons/tessarion.ico the way the program does and checks it shows
// the same picture as the 32 px PNG drawn from the same shapes.

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstdio>
#include <cstdlib>

namespace {

int failures = 0;

void fail(const char* what)
{
    std::fprintf(stderr, "FAIL: %s\n", what);
    ++failures;
}

} // namespace

int main(int argc, char** argv)
{
    // An application object makes Qt look for image plugins in its
    // standard directories.
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <tessarion-32.png>\n", argv[0]);
        return 2;
    }

    if (!QImageReader::supportedImageFormats().contains("ico")) {
        fail("Qt has no ico image plugin (libqico.so)");
        return EXIT_FAILURE;
    }

    QImageReader reader(QStringLiteral(":/icons/tessarion.ico"));
    QImage ico = reader.read();
    if (ico.isNull()) {
        std::fprintf(stderr, "FAIL: cannot read :/icons/tessarion.ico: %s\n",
                     qPrintable(reader.errorString()));
        return EXIT_FAILURE;
    }
    if (reader.imageCount() != 1)
        fail("ico should hold exactly one image");
    if (ico.size() != QSize(32, 32))
        fail("ico image is not 32x32");

    QFile svg(QStringLiteral(":/icons/tessarion.svg"));
    if (!svg.open(QIODevice::ReadOnly) || !svg.readAll().contains("<svg"))
        fail(":/icons/tessarion.svg missing or not SVG");

    const QImage png(QString::fromLocal8Bit(argv[1]));
    if (png.size() != QSize(32, 32)) {
        fail("reference PNG missing or not 32x32");
        return EXIT_FAILURE;
    }

    const QImage a = ico.convertToFormat(QImage::Format_ARGB32);
    const QImage b = png.convertToFormat(QImage::Format_ARGB32);
    int mismatches = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            // Edge pixels are partly transparent in the PNG and either on or
            // off in the ico's 1-bit mask; only fully decided pixels count.
            if (qAlpha(q) == 0) {
                if (qAlpha(p) != 0)
                    ++mismatches;
            } else if (qAlpha(q) == 255) {
                // 16 colours cannot match anti-aliased edges exactly, but a
                // flipped, shifted or wrongly coloured image is far off.
                const int dr = qRed(p) - qRed(q);
                const int dg = qGreen(p) - qGreen(q);
                const int db = qBlue(p) - qBlue(q);
                if (qAlpha(p) != 255 || dr * dr + dg * dg + db * db > 60 * 60)
                    ++mismatches;
            }
        }
    }
    if (mismatches != 0) {
        std::fprintf(stderr, "FAIL: %d ico pixels differ from the PNG\n", mismatches);
        ++failures;
    }

    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
