// The language files' lines are read once and handed out again until the file changes.
#include "lang_file_writer.h"
#include "localisation/lang_file_cache.h"

#include "qt_printers.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace localisation;
using namespace localisation::testing;

namespace {

const QStringList kFirst{QStringLiteral("[LANGUAGE_FILE]"), QStringLiteral("0\t\"one\"")};
// As long as the first in bytes, so only the time can tell them apart.
const QStringList kSameSize{QStringLiteral("[LANGUAGE_FILE]"), QStringLiteral("0\t\"two\"")};
const QStringList kLonger{QStringLiteral("[LANGUAGE_FILE]"), QStringLiteral("0\t\"three\"")};

void setModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

TEST(LangFileCache, ReadsAFileAgainOnlyWhenItsTimeOrSizeChanged)
{
    const struct {
        const char* change;
        QStringList rewrittenWith;
        bool keepsTheTime;
        QStringList expected;
    } cases[] = {
        {"nothing on disk that shows: the first reading is handed out", kSameSize, true, kFirst},
        {"a new time", kSameSize, false, kSameSize},
        {"a new size", kLonger, true, kLonger},
    };
    for (const auto& c : cases) {
        LangFolder folder;
        const QString path = folder.path(QStringLiteral("eng.lng"));
        folder.write(QStringLiteral("eng.lng"), kFirst);
        const QDateTime written = QFileInfo(path).lastModified();
        LangFileCache cache;
        ASSERT_EQ(cache.lines(path), kFirst);

        folder.write(QStringLiteral("eng.lng"), c.rewrittenWith);
        setModified(path, c.keepsTheTime ? written : written.addSecs(5));
        EXPECT_EQ(cache.lines(path), c.expected) << c.change;
    }
}

TEST(LangFileCache, AFileThatWentIsGoneFromTheCacheToo)
{
    LangFolder folder;
    const QString path = folder.path(QStringLiteral("eng.lng"));
    folder.write(QStringLiteral("eng.lng"), kFirst);
    LangFileCache cache;
    ASSERT_EQ(cache.lines(path), kFirst);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(cache.lines(path), std::nullopt);
    folder.write(QStringLiteral("eng.lng"), kLonger);
    EXPECT_EQ(cache.lines(path), kLonger);
}
