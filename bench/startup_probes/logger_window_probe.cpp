// The logger as the start-up benchmark starts it: the program's own start up to its shown
// main window.
#include "bench/startup_probes/shown_report.h"
#include "shell/form1.h"
#include "shell/main_window_start.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::unique_ptr<TForm1> form = StartMainWindow();
    return form ? reportWhenShown(*form) : 1;
}
