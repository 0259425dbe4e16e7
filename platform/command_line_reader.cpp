#include "platform/command_line_reader.h"

#include "platform/exit_code.h"
#include "rlc_version.h"

#include <QFileInfo>

namespace platform {

QCommandLineOption ValuedOption(const QStringList& names, const char* description, const char* valueName)
{
    return QCommandLineOption(names, QString::fromLatin1(description), QString::fromLatin1(valueName));
}

CommandLineReader::CommandLineReader(QStringList arguments, const QString& fallbackName) :
    m_arguments(std::move(arguments)),
    m_program(m_arguments.isEmpty() ? fallbackName : QFileInfo(m_arguments.first()).fileName())
{
}

void CommandLineReader::parse(const QList<QCommandLineOption>& options)
{
    m_parser.addOptions({m_help, m_version});
    m_parser.addOptions(options);
    if (!m_parser.parse(m_arguments))
        throw usage(m_parser.errorText());
}

std::optional<CommandLineAnswer> CommandLineReader::helpOrVersion(const QString& synopsis,
                                                                  const QString& helpTail) const
{
    // Without an application object Qt's help text cannot know the program's name, so the
    // usage line (its first) is written here.
    if (m_parser.isSet(m_help))
        return CommandLineAnswer{Done,
                                 QStringLiteral("Usage: %1 %2\n").arg(m_program, synopsis)
                                     + m_parser.helpText().section(u'\n', 1) + helpTail};
    if (m_parser.isSet(m_version))
        return CommandLineAnswer{Done, m_program + QStringLiteral(" " RLC_VERSION "\n")};
    return std::nullopt;
}

CommandLineAnswer CommandLineReader::usage(const QString& problem) const
{
    return {UsageError, QStringLiteral("%1: %2\nTry '%1 --help' for the options.\n").arg(m_program, problem)};
}

QString CommandLineReader::named(const QCommandLineOption& option, const char* what) const
{
    const QString value = m_parser.value(option);
    if (m_parser.isSet(option) && value.isEmpty())
        throw usage(
            QStringLiteral("--%1 takes a %2, not an empty text").arg(option.names().last(), QString::fromLatin1(what)));
    return value;
}

} // namespace platform
