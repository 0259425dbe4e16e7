#include "recording/file_error.h"
#include "qt_printers.h"
#include "recording/state_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace recording;
namespace sf = recording::state_file;

namespace {

class StateFileTest : public testing::Test {
protected:
    StateFileTest() { sf::EnsureExists(path); }

    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path = dir.filePath("RLC_Data/1.dat");
};

TEST_F(StateFileTest, FirstStartCreatesAnEmptyFileThatReadsAsNothing)
{
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(bytes(), QByteArray());
    EXPECT_TRUE(sf::EnsureExists(path));
    const sf::Contents contents = sf::Read(path);
    EXPECT_EQ(contents.profilePath, QString());
    EXPECT_EQ(contents.languageIndex, 0);
    EXPECT_FALSE(contents.autoConnect);
}

TEST_F(StateFileTest, ProfilePathIsItsLengthAndItsBytes)
{
    sf::SaveProfilePath(path, "C:\\Work\\Batch7.hex1");
    EXPECT_EQ(bytes(), QByteArray("\x13\x00\x00\x00", 4) + "C:\\Work\\Batch7.hex1");
    EXPECT_EQ(sf::Read(path).profilePath, "C:\\Work\\Batch7.hex1");

    sf::SaveProfilePath(path, "/home/Иван/Партия.hex1");
    EXPECT_EQ(sf::Read(path).profilePath, "/home/Иван/Партия.hex1");
}

TEST_F(StateFileTest, EachWriterWritesItsOwnField)
{
    sf::SaveAutoConnect(path, true);
    EXPECT_EQ(bytes(), QByteArray(204, '\0') + '\1');
    sf::SaveProfilePath(path, "/p/a.hex1");
    sf::SaveLanguageIndex(path, 3);
    const sf::Contents contents = sf::Read(path);
    EXPECT_EQ(contents.profilePath, "/p/a.hex1");
    EXPECT_EQ(contents.languageIndex, 3);
    EXPECT_TRUE(contents.autoConnect);
    EXPECT_EQ(bytes().size(), 205);
}

TEST_F(StateFileTest, APathTooLongForItsFieldLeavesTheFileUntouched)
{
    sf::SaveLanguageIndex(path, 2);
    sf::SaveAutoConnect(path, true);
    sf::SaveProfilePath(path, "/p/a.hex1");
    const QByteArray before = bytes();

    const QString longest = '/' + QString(195, 'x');
    EXPECT_THROW(sf::SaveProfilePath(path, longest + 'y'), FileError);
    EXPECT_EQ(bytes(), before);
    // A character the code page lacks would come back as "?", naming another file.
    EXPECT_THROW(sf::SaveProfilePath(path, QStringLiteral("/home/Prüfung/a.hex1")), FileError);
    EXPECT_EQ(bytes(), before);
    sf::SaveProfilePath(path, QStringLiteral("/home/Профили/a.hex1"));
    EXPECT_EQ(sf::Read(path).profilePath, QStringLiteral("/home/Профили/a.hex1"));
    sf::SaveProfilePath(path, "/p/a.hex1");

    sf::SaveProfilePath(path, longest);
    const sf::Contents contents = sf::Read(path);
    EXPECT_EQ(contents.profilePath, longest);
    EXPECT_EQ(contents.languageIndex, 2);
    EXPECT_TRUE(contents.autoConnect);
}

// Lengths the file does not hold: beyond the field (a foreign file), or beyond the end of a
// file cut short, whose path would name the file "/p/pa" instead of "/p/parts.hex1".
TEST_F(StateFileTest, ALengthTheFileDoesNotHoldReadsAsNoPath)
{
    const QByteArray files[] = {
        QByteArray("\xE8\x03\x00\x00", 4) + QByteArray(300, 'x'),
        QByteArray("\x0D\x00\x00\x00", 4) + "/p/pa",
    };
    for (const QByteArray& content : files) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        EXPECT_EQ(sf::Read(path).profilePath, QString()) << content.toStdString();
    }
}

} // namespace
