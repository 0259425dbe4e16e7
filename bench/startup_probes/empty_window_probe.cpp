// The reference of the start-up benchmark: the least a Qt Widgets program does to show a
// window of the logger's size.
#include "bench/startup_probes/shown_report.h"
#include "shell/form1.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(TForm1::kDesignedClientSize);
    window.show();
    return reportWhenShown(window);
}
