// The program's own texts follow the user's language; the captions never do. Each suite runs
// in its own process with the LANG that CMake gives it, the translation installed as the
// program installs it.
#include "spoken.h"
#include "window_fixture.h"

#include "core/layout.h"
#include "ui/accessibility.h"
#include "ui/translations.h"

#include <QApplication>
#include <QLabel>
#include <QTranslator>

#include <cstdlib>
#include <ostream>
#include <string>

namespace tessarion::ui::testing {
namespace {

class InstalledTranslation : public ::testing::Environment {
public:
    void SetUp() override { installSystemTranslation(*qApp); }
};
[[maybe_unused]] const auto* const installed =
    ::testing::AddGlobalTestEnvironment(new InstalledTranslation);

std::string lang()
{
    const char* value = std::getenv("LANG");
    return value != nullptr ? value : "";
}

class UserLanguage : public WindowTest {
protected:
    // The window's title and every caption are byte for byte those of the layout.
    void expectCaptionsAsLaidOut() const
    {
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Tessarion"));
        int captions = 0;
        for (const core::ControlSpec& spec : core::windowLayout()) {
            const QString name = QString::fromLatin1(spec.name.data(), spec.name.size());
            QString shown;
            if (spec.kind == core::ControlKind::Label) {
                const auto* label = window->findChild<QLabel*>(name);
                ASSERT_NE(label, nullptr) << spec.name;
                shown = label->text();
            } else if (spec.kind == core::ControlKind::Button) {
                const auto* button = window->findChild<QPushButton*>(name);
                ASSERT_NE(button, nullptr) << spec.name;
                shown = button->text();
            } else {
                continue;
            }
            ++captions;
            EXPECT_EQ(shown.toUtf8().toStdString(), spec.caption) << spec.name;
        }
        EXPECT_EQ(captions, 9 + 9);
        EXPECT_EQ(window->findChild<QLabel*>("Label4")->text(), QStringLiteral("Grade:"));
        EXPECT_EQ(button("Command1")->text(), QStringLiteral("-"));
    }
};

using UserLanguageRomanian = UserLanguage;

TEST_F(UserLanguageRomanian, TheSystemLocaleFollowsLang)
{
    ASSERT_EQ(lang().rfind("ro_RO", 0), 0u) << "run with LANG=ro_RO...";
    EXPECT_EQ(QLocale::system().language(), QLocale::Romanian);
    EXPECT_NE(systemTranslation(), nullptr);
}

TEST_F(UserLanguageRomanian, ScreenReadersHearRomanian)
{
    const Spoken expected[] = {
        {"Command1", "Micșorează amplitudinea", "Micșorează amplitudinea cu 1, până la 0"},
        {"Command5", "Pornește animația",
         "Pornește animația: la fiecare 50 ms faza crește cu frecvența"},
        {"Command9", "Readu faza la zero", "Readu faza la 0; animația pornită continuă"},
        {"Text3", "Faza în grade", ""},
        {"P1", "Corp pe un resort",
         "Un corp pe un resort, care urcă și coboară odată cu faza, lângă o scală de la -A la "
         "+A, cu o bară verde pentru elongație. Corpul este în poziția de repaus."},
        {"p3", "Pendul",
         "Un pendul al cărui corp se leagănă la stânga și la dreapta odată cu faza, deasupra "
         "unei scale de la -A la +A, cu o bară verde pentru elongație. Corpul pendulului "
         "atârnă la mijloc."},
    };
    for (const Spoken& spoken : expected)
        expectSpoken(*window, spoken);
    EXPECT_EQ(button("Command2")->toolTip().toStdString(), "Mărește amplitudinea cu 1, până la 14");
}

TEST_F(UserLanguageRomanian, NoTextIsLeftInEnglish)
{
    std::vector<std::pair<std::string_view, AccessibleTexts>> english;
    QCoreApplication::removeTranslator(systemTranslation());
    for (const core::ControlSpec& spec : core::windowLayout())
        english.emplace_back(spec.name, accessibilityFor(spec.name));
    installSystemTranslation(*qApp);

    int texts = 0;
    for (const auto& [control, source] : english) {
        const AccessibleTexts translated = accessibilityFor(control);
        for (const auto& [sourceText, translatedText] :
             {std::pair{source.name, translated.name},
              std::pair{source.description, translated.description},
              std::pair{source.toolTip, translated.toolTip}}) {
            EXPECT_EQ(sourceText.isEmpty(), translatedText.isEmpty()) << control;
            if (sourceText.isEmpty())
                continue;
            ++texts;
            EXPECT_NE(translatedText.toStdString(), sourceText.toStdString()) << control;
        }
    }
    EXPECT_EQ(texts, 20 + 4 + 9);
}

TEST_F(UserLanguageRomanian, CaptionsStayAsLaidOut) { expectCaptionsAsLaidOut(); }

TEST_F(UserLanguageRomanian, MessagesBeforeTheApplicationAreTranslatedToo)
{
    EXPECT_EQ(translateEarly("Accessibility", "Rotating vector").toStdString(), "Vector rotitor");
}

using UserLanguageEnglish = UserLanguage;

TEST_F(UserLanguageEnglish, NoTranslationIsLoaded)
{
    ASSERT_FALSE(lang().empty()) << "run with LANG set";
    EXPECT_NE(QLocale::system().language(), QLocale::Romanian);
    EXPECT_EQ(systemTranslation(), nullptr);
    EXPECT_EQ(translateEarly("Accessibility", "Rotating vector").toStdString(), "Rotating vector");
}

TEST_F(UserLanguageEnglish, CaptionsStayAsLaidOut) { expectCaptionsAsLaidOut(); }

struct LocaleCase {
    const char* locale;
    bool translated;
};

// Names the case in the test list, which would otherwise show the struct's bytes.
[[maybe_unused]] void PrintTo(const LocaleCase& c, std::ostream* out) { *out << c.locale; }

class TranslationFiles : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(TranslationFiles, ExistForRomanianOnly)
{
    const auto& [locale, translated] = GetParam();
    const std::unique_ptr<QTranslator> translation = loadTranslation(QLocale(locale));
    ASSERT_EQ(translation != nullptr, translated) << locale;
    if (translated) {
        EXPECT_EQ(translation->translate("Accessibility", "Pendulum").toStdString(), "Pendul");
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, TranslationFiles,
                         ::testing::Values(LocaleCase{"ro_RO", true}, LocaleCase{"ro", true},
                                           LocaleCase{"ro_MD", true}, LocaleCase{"en_US", false},
                                           LocaleCase{"C", false}, LocaleCase{"de_DE", false}),
                         // Locale names are valid test names as they are.
                         [](const auto& info) { return std::string(info.param.locale); });

} // namespace
} // namespace tessarion::ui::testing
