#include "WaveMerge.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

quint32 Le32(const QByteArray &b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
           | quint32(quint8(b[at + 3])) << 24;
}

class WaveMerge : public ::testing::Test
{
protected:
    // A file of a 44-byte RIFF/WAVE header (content otherwise unchecked)
    // followed by `body`.
    QString Wave(const QString &name, const QByteArray &body)
    {
        QByteArray header("RIFF\0\0\0\0WAVE", 12);
        header.append(QByteArray(32, 'h'));
        return Write(name, header + body);
    }
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = QDir(dir.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QByteArray Read(const QString &name)
    {
        QFile f(QDir(dir.path()).filePath(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QTemporaryDir dir;
};

TEST_F(WaveMerge, PartsAreJoinedByNumberBehindOneHeader)
{
    Wave(QStringLiteral("part/3.wav"), "CCC");
    Wave(QStringLiteral("part/0.wav"), "AAAA");
    Wave(QStringLiteral("part/1.wav"), "BB");
    Write(QStringLiteral("part/notes.txt"), "x");
    const QStringList order = PartRecordingsInOrder(QDir(dir.path()).filePath(QStringLiteral("part")));
    ASSERT_EQ(order.size(), 3);
    EXPECT_TRUE(order[0].endsWith(QStringLiteral("0.wav")));
    EXPECT_TRUE(order[2].endsWith(QStringLiteral("3.wav")));

    const TWaveMergeResult r = MergeWaveFiles(order, QDir(dir.path()).filePath(QStringLiteral("temp.wav")));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QByteArray out = Read(QStringLiteral("temp.wav"));
    EXPECT_EQ(out.mid(44), QByteArray("AAAABBCCC"));
    EXPECT_EQ(Le32(out, 4), 36u + 9u);
    EXPECT_EQ(Le32(out, 24), 16000u); // samples per second
    EXPECT_EQ(Le32(out, 28), 32000u); // bytes per second
    EXPECT_EQ(Le32(out, 40), 9u);
}

TEST_F(WaveMerge, ShortOrForeignInputsAreLeftOutAndNamedWithoutHarmingTheOutput)
{
    const QString good = Wave(QStringLiteral("0.wav"), "GOOD");
    const QString tiny = Write(QStringLiteral("1.wav"), "RIFF");
    const QString text = Write(QStringLiteral("2.wav"), QByteArray(60, 't'));
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("9.wav"));
    const TWaveMergeResult r =
        MergeWaveFiles({good, tiny, text, missing}, QDir(dir.path()).filePath(QStringLiteral("out.wav")));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.skipped, (QStringList{tiny, text, missing}));
    EXPECT_EQ(Read(QStringLiteral("out.wav")).mid(44), QByteArray("GOOD"));

    // An output that cannot be written is reported.
    const TWaveMergeResult blocked = MergeWaveFiles({good}, QDir(dir.path()).filePath(QStringLiteral("0.wav/inner")));
    EXPECT_FALSE(blocked.ok);
    EXPECT_FALSE(blocked.error.isEmpty());
}

} // namespace
