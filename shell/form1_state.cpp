// The window's use of the state file: the auto-connect flag.
#include "form1.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

constexpr qint64 kAutoConnectOffset = 204;

QString stateFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/RLC_Data/1.dat");
}

} // namespace

int TForm1::LoadState()
{
    QDir().mkpath(QFileInfo(stateFilePath()).path());
    QFile file(stateFilePath());
    if (!file.exists()) {
        file.open(QIODevice::WriteOnly);
        return 0;
    }
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    char flag = 0;
    if (file.seek(kAutoConnectOffset))
        file.getChar(&flag);
    file.close();
    if (flag != 0 && !CheckBox_connect_auto->isChecked()) {
        CheckBox_connect_auto->setChecked(true);
        CheckBox_connect_autoClick();
    }
    return 0;
}

void TForm1::storeAutoConnectFlag(bool checked)
{
    QFile file(stateFilePath());
    if (!file.open(QIODevice::ReadWrite) || !file.seek(kAutoConnectOffset) || !file.putChar(checked ? 1 : 0))
        showToolkitError(QStringLiteral("Cannot open file \"%1\". %2").arg(stateFilePath(), file.errorString()));
}
