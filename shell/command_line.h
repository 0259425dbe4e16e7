#pragma once
// The logger's command line, read before the application object exists, so --help,
// --version and mistakes are answered on a machine without a display.
#include <QString>
#include <QStringList>
#include <optional>

struct CommandLineExit {
    int exitCode;
    // Printed on standard output when the exit code is 0, on standard error otherwise.
    QString message;
};

// Nothing when the window is to run; otherwise what to print and the exit code. The
// window system's own options (-platform, -style, …) are let through for the application
// object to take.
std::optional<CommandLineExit> readCommandLine(const QStringList& arguments);
