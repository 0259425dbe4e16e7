// Entry point: refuse to start without the English language file, then run the main window.
#include "form1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString languageFile = QDir::currentPath() + QStringLiteral("/lang/eng.lng");
    if (!QFileInfo::exists(languageFile)) {
        QMessageBox::information(nullptr, QString(), QStringLiteral("Lang file is missing"));
        return 1;
    }
    TForm1 form;
    form.createAndShow();
    return app.exec();
}
