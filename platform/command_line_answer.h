#pragma once
#include <QString>

namespace platform {

// A command line answered at once: help, the version, or a mistake.
struct CommandLineAnswer {
    int exitCode;
    // For standard output when the exit code is 0, for standard error otherwise.
    QString text;
};

} // namespace platform
