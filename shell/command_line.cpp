#include "shell/command_line.h"
#include "rlc_version.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

constexpr int kUsageError = 1;

// The options QGuiApplication and QApplication take out of the command line once they
// are created, as documented for Qt 6. They are known here only so that they are not
// mistaken for unknown ones before then.
constexpr const char* kWindowSystemOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qmljsdebugger", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",      "style",
    "stylesheet"};
constexpr const char* kWindowSystemFlags[] = {"reverse", "widgetcount", "nograb", "dograb"};

QString environmentHelp()
{
    return QStringLiteral("\nEnvironment:\n"
                          "  RLC_DONGLE_PORT  Serial device to use instead of looking for the dongle\n"
                          "                   (for example the pseudo-terminal printed by rlc-sim).\n"
                          "  XDG_DATA_HOME    Data folder, ~/.local/share when unset. The state file is\n"
                          "                   RLC_Data/1.dat in it, recording journals are kept in\n"
                          "                   RLC_Data/journal/.\n");
}

void addHiddenOption(QCommandLineParser& parser, const char* name, bool takesValue)
{
    QCommandLineOption option(QString::fromLatin1(name));
    if (takesValue)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

} // namespace

std::optional<CommandLineExit> readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Single-dash words are whole option names, as the window system's own are.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Data logger and remote front panel for the ZR48 RLC meter, reached through its USB "
                       "Bluetooth dongle."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    parser.addOptions({help, version});
    for (const char* name : kWindowSystemOptionsWithValue)
        addHiddenOption(parser, name, true);
    for (const char* name : kWindowSystemFlags)
        addHiddenOption(parser, name, false);

    const QString program =
        arguments.isEmpty() ? QStringLiteral("rlc-logger") : QFileInfo(arguments.first()).fileName();
    const QString tryHelp = QStringLiteral("\nTry '%1 --help' for the options.\n").arg(program);
    if (!parser.parse(arguments))
        return CommandLineExit{kUsageError, program + QStringLiteral(": ") + parser.errorText() + tryHelp};
    // Without an application object Qt's help text cannot know the program's name, so the
    // usage line (its first) is written here.
    if (parser.isSet(help))
        return CommandLineExit{0,
                               QStringLiteral("Usage: %1 [options]\n").arg(program)
                                   + parser.helpText().section(u'\n', 1) + environmentHelp()};
    if (parser.isSet(version))
        return CommandLineExit{0, program + QStringLiteral(" " RLC_VERSION "\n")};
    if (!parser.positionalArguments().isEmpty())
        return CommandLineExit{kUsageError,
                               program
                                   + QStringLiteral(": unexpected argument '%1'; the program takes no "
                                                    "file names.")
                                         .arg(parser.positionalArguments().first())
                                   + tryHelp};
    return std::nullopt;
}
