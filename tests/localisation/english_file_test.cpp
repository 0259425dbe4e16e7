// The English language file as the build makes it from its UTF-8 template: UTF-16 LE with
// one byte-order mark and CRLF line ends, as the engine and the files' other readers take
// them, and a title that carries the project's version.
#include "qt_printers.h"
#include "rlc_version.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(BuiltEnglishFile, IsUtf16LeWithMarkAndCrlfLinesAndCarriesTheVersion)
{
    QFile file(QStringLiteral(RLC_BIN_DIR "/lang/eng.lng"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE")) << "byte-order mark, little end first";
    ASSERT_EQ(bytes.size() % 2, 0);
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()) + 1, bytes.size() / 2 - 1);

    EXPECT_TRUE(text.startsWith(QStringLiteral("[LANGUAGE_FILE]\r\n"))) << "one mark only";
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(text.count(u'\n'), text.count(QStringLiteral("\r\n"))) << "every line ends in CR LF";
    EXPECT_EQ(text.count(u'\r'), text.count(QStringLiteral("\r\n")));
    EXPECT_FALSE(text.contains(u'@')) << "nothing left to configure";
    EXPECT_TRUE(text.contains(QStringLiteral("0\t\"Data logger for the ZR48 RLC meter, version " RLC_VERSION
                                             "\"\t%COMPONENT=Form1;\t%OWNER=;\r\n")));
}
