#include "ui/application.h"

#include "ui/fonts.h"
#include "ui/palette.h"

#include <QApplication>
#include <QStyleFactory>

namespace tessarion::ui {

void prepareApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Tessarion"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARION_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tessarion.tessarion"));
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QApplication::setPalette(lightPalette());
    app.setFont(windowFont());
}

} // namespace tessarion::ui
