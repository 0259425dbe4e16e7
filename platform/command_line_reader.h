#pragma once
#include "platform/command_line_answer.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// An option that takes a value, with its description and the value's name in plain ASCII.
QCommandLineOption ValuedOption(const QStringList& names, const char* description, const char* valueName);

// What the programs without a window share in reading their command lines: their name as
// called, --help and --version, the refusal of a value given empty and the words of a
// mistake. A mistake is thrown as the CommandLineAnswer that says it.
class CommandLineReader {
public:
    // `fallbackName` is the program's name when the arguments lack one.
    CommandLineReader(QStringList arguments, const QString& fallbackName);

    // For the description and positional arguments, before parse(), and for the values.
    QCommandLineParser& parser() { return m_parser; }
    const QCommandLineParser& parser() const { return m_parser; }

    // Takes --help, --version and `options`, and reads the arguments.
    void parse(const QList<QCommandLineOption>& options);

    // The help, whose usage line names the program with `synopsis` ("[options]") and whose
    // end is `helpTail`, or the version, when asked for.
    std::optional<CommandLineAnswer> helpOrVersion(const QString& synopsis, const QString& helpTail) const;

    // A mistake, with where to find the options.
    CommandLineAnswer usage(const QString& problem) const;

    // The value of an option that names something (`what`: "file name"). Given empty (an
    // unset variable in a script), it is refused: taken as not given, the program would
    // silently do something else than asked, such as write elsewhere or nowhere.
    QString named(const QCommandLineOption& option, const char* what) const;

private:
    QStringList m_arguments;
    QString m_program;
    QCommandLineParser m_parser;
    const QCommandLineOption m_help{{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Show this help and exit.")};
    const QCommandLineOption m_version{{QStringLiteral("v"), QStringLiteral("version")},
                                       QStringLiteral("Show the program's version and exit.")};
};

} // namespace platform
