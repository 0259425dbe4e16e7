#pragma once
#include <QByteArray>
#include <QString>

// The single-byte code page of texts in profile, state and unmarked language files. The
// meter's users keep their files in Windows-1251, so that is the code page on every machine.
namespace localisation {

// A character the code page cannot hold becomes "?", never a broken byte.
QByteArray toAnsi(const QString& text);
// A byte the code page leaves undefined becomes U+FFFD.
QString fromAnsi(const QByteArray& bytes);

} // namespace localisation
