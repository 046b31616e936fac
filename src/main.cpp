#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/startup_guard.h"
#include "ui/translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    tessarion::ui::StartupGuard guard;
    QApplication app(argc, argv);
    tessarion::ui::installSystemTranslation(app);
    guard.release();
    tessarion::ui::prepareApplication(app);
    tessarion::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
