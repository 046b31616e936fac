// Renders the real Tessarion window offscreen at a chosen phase and saves it as a PNG.
// A developer tool for the README's screenshot and for reviewing the drawings.

#include "core/layout.h"
#include "ui/application.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

QJsonArray devicePixels(const QRect& rect, double ratio)
{
    QJsonArray pixels;
    for (const int value : {rect.x(), rect.y(), rect.width(), rect.height()})
        pixels.append(static_cast<int>(std::lround(value * ratio)));
    return pixels;
}

// The width a line edit lays its text out in: its contents within the style's frame, less the
// margin QLineEdit keeps on each side (2 pixels, fixed in Qt).
int textAreaWidth(const QLineEdit& field)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.rect = field.rect();
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    const QMargins margins = field.textMargins();
    return field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field).width() -
           margins.left() - margins.right() - 2 * 2;
}

// Each control of the layout as shown: its place in device pixels, its text and the font
// actually used, for comparing the window with the browser page. Read-outs also give the
// advance of each of `measured` in their font.
QJsonObject geometryOf(tessarion::ui::MainWindow& window, const QStringList& measured)
{
    const double ratio = window.devicePixelRatioF();
    QJsonObject controls;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const QString name = child->objectName();
        const auto inLayout = [&](const tessarion::core::ControlSpec& spec) {
            return QLatin1StringView(spec.name.data(), qsizetype(spec.name.size())) == name;
        };
        if (std::ranges::none_of(tessarion::core::windowLayout(), inLayout))
            continue;
        const QFontInfo font(child->font());
        const QFontMetricsF metrics(child->font(), child);
        QString text;
        if (const auto* label = qobject_cast<QLabel*>(child))
            text = label->text();
        else if (const auto* button = qobject_cast<QAbstractButton*>(child))
            text = button->text();
        QJsonObject control{
            {"rect",
             devicePixels(QRect(child->mapTo(&window, QPoint(0, 0)), child->size()), ratio)},
            {"visible", child->isVisibleTo(&window)},
            {"family", font.family()},
            {"pixelSize", font.pixelSize()},
            {"bold", font.bold()},
            {"underline", font.underline()},
        };
        if (const auto* field = qobject_cast<QLineEdit*>(child)) {
            text = field->text();
            control["textArea"] = textAreaWidth(*field) * ratio;
            QJsonObject advances;
            for (const QString& value : measured)
                advances[value] = metrics.horizontalAdvance(value) * ratio;
            control["advances"] = advances;
        }
        control["text"] = text;
        control["advance"] = metrics.horizontalAdvance(text) * ratio;
        controls[name] = control;
    }
    // The frames are the window's own drawing, at the layout's places.
    for (const tessarion::core::ControlSpec& spec : tessarion::core::windowLayout()) {
        if (spec.kind != tessarion::core::ControlKind::Frame)
            continue;
        const QRect rect(
            tessarion::core::wholePixels(spec.left), tessarion::core::wholePixels(spec.top),
            tessarion::core::wholePixels(spec.width), tessarion::core::wholePixels(spec.height));
        controls[QString::fromUtf8(spec.name.data(), static_cast<qsizetype>(spec.name.size()))] =
            QJsonObject{{"rect", devicePixels(rect, ratio)}, {"visible", true}};
    }
    return controls;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tessarion::ui::prepareApplication(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Saves a picture of the Tessarion window."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("PNG file to write"));
    const QCommandLineOption phase(QStringLiteral("phase"), QStringLiteral("Phase in degrees."),
                                   QStringLiteral("degrees"), QStringLiteral("0"));
    const QCommandLineOption amplitudeSteps(
        QStringLiteral("amplitude-steps"),
        QStringLiteral("Presses of amplitude \"+\" (positive) or \"-\" (negative)."),
        QStringLiteral("presses"), QStringLiteral("0"));
    const QCommandLineOption geometry(
        QStringLiteral("geometry"),
        QStringLiteral("Also writes every control's place, text and font as JSON."),
        QStringLiteral("file"));
    const QCommandLineOption measure(
        QStringLiteral("measure"),
        QStringLiteral("A text whose advance in the read-outs' font the geometry gives."),
        QStringLiteral("text"));
    parser.addOptions({phase, amplitudeSteps, geometry, measure});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    tessarion::ui::MainWindow window;
    window.show();
    // Paints asked for before the window is exposed would be dropped.
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    auto& form = window.form();
    const int presses = parser.value(amplitudeSteps).toInt();
    for (int i = 0; i < std::abs(presses); ++i)
        presses > 0 ? form.amplitudeUp() : form.amplitudeDown();
    // One press of phase "+" from the step below, so every panel paints as after a click.
    form.state.phase = parser.value(phase).toLongLong() - 1;
    form.phaseUp();

    const QString output = parser.positionalArguments().constFirst();
    if (!window.grab().save(output, "PNG")) {
        std::fprintf(stderr, "tessarion-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    if (parser.isSet(geometry)) {
        QFile file(parser.value(geometry));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QJsonDocument(geometryOf(window, parser.values(measure))).toJson()) < 0) {
            std::fprintf(stderr, "tessarion-screenshot: cannot write %s\n",
                         qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
