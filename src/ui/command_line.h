#pragma once

#include "core/preset.h"

#include <QStringList>

#include <optional>

namespace tessarion::ui {

/// What the command line asks for.
struct CommandLine {
    core::Preset preset;           ///< The start values, when the program goes on.
    std::optional<int> exitStatus; ///< Set when the program ends at once: 0 after the help or
                                   ///< the version, 2 after a refused argument, all printed.
};

/// Whether an option the program does not know ends it, or may be one of the toolkit's own
/// (-platform, -style …) that the application object, not yet there, takes out.
enum class UnknownOptions { refused, mayBeToolkits };

/// Reads `arguments`, the program's name first: prints the help or the version on standard
/// output, or why an argument is refused on standard error, in the user's language, and says
/// so in `exitStatus`. With UnknownOptions::mayBeToolkits an unknown option gives nullopt
/// instead, for reading again once the application object has taken its own out.
std::optional<CommandLine> readCommandLine(const QStringList& arguments, UnknownOptions unknown);

/// The arguments of main(), before any application object exists.
QStringList commandLineArguments(int argc, char* argv[]);

} // namespace tessarion::ui
