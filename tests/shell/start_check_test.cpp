#include "platform/install_paths.h"
#include "shell/start_check.h"

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

// An installed program's tree (prefix/bin beside its data folder) and a working directory
// elsewhere; the English file can be put below either of them or beside the executable.
struct StartFolders {
    StartFolders() { QDir(root.path()).mkpath(QStringLiteral("prefix/bin")); }

    QString executableDir() const { return root.filePath(QStringLiteral("prefix/bin")); }

    static void putEnglishFileIn(const QString& folder)
    {
        QDir().mkpath(folder);
        QFile empty(QDir(folder).filePath(QStringLiteral("eng.lng")));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly)); // only existence counts: an empty file passes
    }

    QTemporaryDir root;
    QTemporaryDir cwd;
};

} // namespace

TEST(StartCheck, EnglishFileBelowTheWorkingDirectoryOrInTheInstalledFolderNeverBesideTheExecutable)
{
    using FolderOf = QString (*)(const StartFolders&);
    const struct {
        const char* where;
        FolderOf folder; // null: no English file anywhere
        bool starts;
    } cases[] = {
        {"nowhere", nullptr, false},
        {"below the working directory", [](const StartFolders& f) { return f.cwd.filePath(QStringLiteral("lang")); },
         true},
        {"in the installed folder",
         [](const StartFolders& f) { return install_paths::installedLanguageFolder(f.executableDir()); }, true},
        {"beside the executable", [](const StartFolders& f) { return f.executableDir() + QStringLiteral("/lang"); },
         false},
    };
    for (const auto& c : cases) {
        const StartFolders folders;
        const WorkingDirectory inside(folders.cwd.path());
        if (c.folder)
            StartFolders::putEnglishFileIn(c.folder(folders));
        EXPECT_EQ(englishLanguageFilePresent(folders.executableDir()), c.starts) << c.where;
    }
}

TEST(StartCheck, NamesTheWorkingDirectoryFileFirstThenTheInstalledOne)
{
    const StartFolders folders;
    const WorkingDirectory inside(folders.cwd.path());
    const QStringList candidates = englishLanguageFileCandidates(folders.executableDir());
    ASSERT_EQ(candidates.size(), 2);
    EXPECT_EQ(candidates[0], folders.cwd.path() + QStringLiteral("/lang/eng.lng"));
    EXPECT_TRUE(candidates[1].startsWith(folders.root.path() + QStringLiteral("/prefix/")))
        << candidates[1].toStdString();
    EXPECT_TRUE(candidates[1].endsWith(QStringLiteral("/rlc-logger/lang/eng.lng"))) << candidates[1].toStdString();
}
