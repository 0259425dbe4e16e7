// Entry point: answer the command line, refuse to start without the English language file,
// then run the main window.
#include "platform/program_arguments.h"
#include "shell/command_line.h"
#include "shell/form1.h"
#include "shell/main_window_start.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (const auto exit = readCommandLine(ProgramArguments(argc, argv))) {
        std::fputs(qPrintable(exit->message), exit->exitCode == 0 ? stdout : stderr);
        return exit->exitCode;
    }
    QApplication app(argc, argv);
    const std::unique_ptr<TForm1> form = StartMainWindow();
    if (!form)
        return 1;
    return app.exec();
}
