#include "ui/panel/messages.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace panel {

void showPlainMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void showToolkitError(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QCoreApplication::applicationName(), message);
}

} // namespace panel
