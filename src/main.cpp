#include "ui/main_window.h"
#include "ui/palette.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tessarion::ui::prepareApplication(app);
    tessarion::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
