#include "ui/translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace tessarion::ui {

std::unique_ptr<QTranslator> loadTranslation(const QLocale& locale)
{
    // The .qm files are built into the program's resources, so no install path can be wrong.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("tessarion"), QStringLiteral("_"),
                          QStringLiteral(":/i18n")))
        return nullptr;
    return translator;
}

QTranslator* systemTranslation()
{
    static const std::unique_ptr<QTranslator> translation = loadTranslation(QLocale::system());
    return translation.get();
}

QString translateEarly(const char* context, const char* sourceText)
{
    if (const QTranslator* translation = systemTranslation()) {
        const QString text = translation->translate(context, sourceText);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromUtf8(sourceText);
}

void installSystemTranslation(QCoreApplication& app)
{
    if (QTranslator* translation = systemTranslation())
        app.installTranslator(translation);
}

} // namespace tessarion::ui
