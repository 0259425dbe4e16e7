#pragma once

namespace platform {

// What the exit code of a program without a window tells a script. The recorder and the
// report program share them, so a script reads both alike.
enum ExitCode : int {
    Done = 0,
    UsageError = 1,     // the command line or a file it names cannot be used
    LinkFailed = 2,     // the meter, or the database server, could not be reached
    FileNotWritten = 3, // an output, the journal or the database could not be written
};

} // namespace platform
