// The command line of rlc-logger, read before any window exists. Every line either lets
// the window start or is answered at once: the help (which lists none of the window
// system's options it lets through), the version, or a mistake said in words.
//
// The input: the arguments after the program's name, parted by NUL bytes.
#include "fuzz/command_line_input.h"
#include "fuzz/fuzz_property.h"
#include "shell/command_line.h"

#include <cstdint>

namespace {

using fuzz::require;

const QString kProgram = QStringLiteral("rlc-logger");
constexpr int kUsageError = 1;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList arguments = fuzz::commandLineOf(kProgram, QByteArrayView(data, qsizetype(size)));
    const std::optional<CommandLineExit> exit = readCommandLine(arguments);
    if (!exit)
        return 0;
    const auto details = [&] {
        return u'[' + arguments.join(QStringLiteral("] [")) + QStringLiteral("]: ") + exit->message;
    };
    if (exit->exitCode == 0) {
        const bool help =
            exit->message.startsWith(QStringLiteral("Usage: ") + kProgram + QStringLiteral(" [options]\n"));
        require(help || exit->message.startsWith(kProgram + u' '), "rlc-logger answers with its help or its version",
                details);
        require(!help || !exit->message.contains(QStringLiteral("platform")),
                "the help lists none of the window system's options", details);
        return 0;
    }
    require(exit->exitCode == kUsageError, "a wrong command line ends with the usage exit code", details);
    require(exit->message.startsWith(kProgram + QStringLiteral(": "))
                && exit->message.endsWith(QStringLiteral("Try '") + kProgram
                                          + QStringLiteral(" --help' for the options.\n")),
            "a mistake is said in words, with where to find the options", details);
    return 0;
}
