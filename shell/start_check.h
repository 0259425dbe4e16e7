#pragma once
#include <QString>

// The program refuses to start unless the English language file is found below the
// current working directory (not beside the executable).
QString englishLanguageFilePath();
bool englishLanguageFilePresent();
