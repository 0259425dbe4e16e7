#include "start_check.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct WorkingDirectory {
    explicit WorkingDirectory(const QString& path) : previous(QDir::currentPath()) { QDir::setCurrent(path); }
    ~WorkingDirectory() { QDir::setCurrent(previous); }
    QString previous;
};

} // namespace

TEST(StartCheck, LooksForTheEnglishFileBelowTheWorkingDirectoryOnly)
{
    QTemporaryDir cwd;
    const WorkingDirectory inside(cwd.path());
    EXPECT_FALSE(englishLanguageFilePresent()) << "the files beside the executable do not count";

    QDir(cwd.path()).mkdir(QStringLiteral("lang"));
    QFile empty(cwd.filePath(QStringLiteral("lang/eng.lng")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_TRUE(englishLanguageFilePresent()) << "only existence is tested: an empty file passes";
    EXPECT_EQ(englishLanguageFilePath(), cwd.path() + QStringLiteral("/lang/eng.lng"));
}
