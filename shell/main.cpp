// Entry point: refuse to start without the English language file, then run the main window.
#include "form1.h"
#include "start_check.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (!englishLanguageFilePresent()) {
        QMessageBox::information(nullptr, QString(), QStringLiteral("Lang file is missing"));
        return 1;
    }
    TForm1 form;
    form.createAndShow();
    return app.exec();
}
