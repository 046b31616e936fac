#include "ui/command_line.h"

#include "ui/translations.h"

#include <QCommandLineParser>

#include <cstdio>
#include <vector>

namespace tessarion::ui {

namespace {

constexpr int refusedStatus = 2;

// Read before the application object exists, so its translators are not in place yet.
QString said(const char* text) { return translateEarly("CommandLine", text); }
QString presetText(const char* text) { return translateEarly("Preset", text); }

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

CommandLine ended(int status) { return {.preset = {}, .exitStatus = status}; }

CommandLine refused(const QString& reason)
{
    print(stderr, QStringLiteral("tessarion: %1\n").arg(reason));
    return ended(refusedStatus);
}

} // namespace

QStringList commandLineArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    return arguments;
}

std::optional<CommandLine> readCommandLine(const QStringList& arguments, UnknownOptions unknown)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        said(QT_TRANSLATE_NOOP("CommandLine", "Shows one harmonic oscillation in four "
                                              "synchronized pictures.")));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  said(QT_TRANSLATE_NOOP("CommandLine", "Shows this help.")));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     said(QT_TRANSLATE_NOOP("CommandLine", "Shows the version.")));
    parser.addOptions({help, version});
    std::vector<QCommandLineOption> numbers;
    for (const core::PresetNumber& number : core::presetNumbers) {
        numbers.emplace_back(fromView(number.name),
                             presetText(number.description).arg(number.lowest).arg(number.highest),
                             said(QT_TRANSLATE_NOOP("CommandLine", "number")));
        parser.addOption(numbers.back());
    }
    const QCommandLineOption start(fromView(core::presetStartName),
                                   said(QT_TRANSLATE_NOOP("CommandLine", "Starts the animation.")));
    parser.addOption(start);

    if (!parser.parse(arguments)) {
        // A missing or unexpected value is wrong whatever the toolkit takes out.
        if (unknown == UnknownOptions::mayBeToolkits && !parser.unknownOptionNames().isEmpty())
            return std::nullopt;
        return refused(parser.errorText());
    }
    if (parser.isSet(help)) {
        // Before the application object exists the parser knows no program name.
        print(stdout,
              parser.helpText().replace(QStringLiteral("<executable_name>"), arguments.value(0)));
        return ended(0);
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("Tessarion %1\n").arg(QStringLiteral(TESSARION_VERSION)));
        return ended(0);
    }
    if (!parser.positionalArguments().isEmpty())
        return refused(said(QT_TRANSLATE_NOOP("CommandLine", "unexpected argument: %1"))
                           .arg(parser.positionalArguments().constFirst()));

    std::vector<core::PresetArgument> settings;
    for (std::size_t index = 0; index < numbers.size(); ++index)
        for (const QString& value : parser.values(numbers[index]))
            settings.push_back({std::string(core::presetNumbers[index].name), value.toStdString()});
    if (parser.isSet(start))
        settings.push_back({std::string(core::presetStartName), std::nullopt});
    const core::PresetReading reading = core::readPreset(settings);
    if (reading.problems.empty())
        return CommandLine{.preset = reading.preset, .exitStatus = std::nullopt};
    QStringList reasons;
    for (const core::PresetProblem& problem : reading.problems) {
        const QString written = QStringLiteral("--%1 %2").arg(
            QString::fromStdString(problem.argument.name),
            QString::fromStdString(problem.argument.value.value_or("")));
        const QString text = presetText(problem.text);
        reasons.append(problem.range ? text.arg(written, QString::number((*problem.range)[0]),
                                                QString::number((*problem.range)[1]))
                                     : text.arg(written));
    }
    return refused(reasons.join(QStringLiteral("\ntessarion: ")));
}

} // namespace tessarion::ui
