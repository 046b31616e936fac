#include "ui/application.h"
#include "ui/command_line.h"
#include "ui/main_window.h"
#include "ui/preset_presses.h"
#include "ui/startup_guard.h"
#include "ui/translations.h"

#include <QApplication>

#include <optional>

int main(int argc, char* argv[])
{
    using namespace tessarion;
    // Read before the application object where possible, so that the help, the version and a
    // refused value need no display; the toolkit's own options (-platform …) are known only
    // once the application object has taken them out.
    std::optional<ui::CommandLine> options = ui::readCommandLine(
        ui::commandLineArguments(argc, argv), ui::UnknownOptions::mayBeToolkits);
    if (options && options->exitStatus)
        return *options->exitStatus;
    ui::StartupGuard guard;
    QApplication app(argc, argv);
    ui::installSystemTranslation(app);
    guard.release();
    if (!options) {
        options = ui::readCommandLine(QApplication::arguments(), ui::UnknownOptions::refused);
        if (options->exitStatus)
            return *options->exitStatus;
    }
    ui::prepareApplication(app);
    ui::MainWindow window;
    ui::pressOnceShown(window, options->preset);
    window.show();
    return QApplication::exec();
}
