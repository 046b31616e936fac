#pragma once

#include <QLocale>
#include <QString>

#include <memory>

class QCoreApplication;
class QTranslator;

namespace tessarion::ui {

/// The translation of the program's own texts into the language of `locale`, or nullptr when
/// there is none (English, which is the source, C, or a language not translated). Needs no
/// application object.
std::unique_ptr<QTranslator> loadTranslation(const QLocale& locale);

/// The translation for the user's language (QLocale::system()), loaded on first use and kept
/// for the life of the process; nullptr when the texts stay English. Usable before the
/// application object exists, through QTranslator::translate.
QTranslator* systemTranslation();

/// `sourceText` of `context` in the user's language, before and after the application object
/// exists: for messages printed while it is being created, which QCoreApplication::translate
/// would leave English.
QString translateEarly(const char* context, const char* sourceText);

/// Installs systemTranslation() in `app`, so that every later translate() and tr() uses it.
void installSystemTranslation(QCoreApplication& app);

} // namespace tessarion::ui
