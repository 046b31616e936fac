// Renders the real Tessarion window offscreen at a chosen phase and saves it as a PNG.
// A developer tool for the README's screenshot and for reviewing the drawings; the program
// itself takes no command line.

#include "ui/application.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QWindow>

#include <cstdio>

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
    parser.addOptions({phase, amplitudeSteps});
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
        presses > 0 ? form.Command2_Click() : form.Command1_Click();
    // One press of phase "+" from the step below, so every panel paints as after a click.
    form.state.Phase = parser.value(phase).toLongLong() - 1;
    form.Command8_Click();

    const QString output = parser.positionalArguments().constFirst();
    if (!window.grab().save(output, "PNG")) {
        std::fprintf(stderr, "tessarion-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
