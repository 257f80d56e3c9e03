// The archive the build generates: every picture, frame list and sound the
// module and the base package ask for is there and usable.
#include "AniFrameList.h"
#include "TFolderArchive.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <QImage>

namespace {

TFolderArchive &Archive()
{
    static TFolderArchive archive{QStringLiteral(STUDY_UIARCHIVE_DIR)};
    return archive;
}

// Pictures whose names the views put together at run time, so that the scan
// of the sources below does not find them whole; the role pictures are the
// first frames of the talking animations.
const char *const BuiltNames[] = {
    "png\\study\\Word\\vox.png",
    "png\\study\\play\\BlueDialog.png",
    "png\\study\\play\\RoBotGood.png",
    "png\\study\\play\\RobotBig.png",
    "png\\study\\play\\RobotExcellent.png",
    "png\\study\\play\\RobotYouCanDoBetter.png",
    "png\\study\\play\\VoiceGray.png",
    "png\\study\\play\\VoiceWhite.png",
    "png\\study\\play\\WhiteDialog.png",
    "png\\study\\public\\StartDown.png",
    "png\\ScoreBackGold.png",
    "png\\ScoreBackSilver.png",
    "png\\ScoreBackCopper.png",
    "png\\ScoreBackBad.png",
    "ani\\robot\\0001.png",
    "ani\\mantalk\\0001.png",
    "ani\\womantalk\\0001.png",
    "ani\\boytalk\\0001.png",
    "ani\\girltalk\\0001.png",
};

const char *const ScoreLevels[] = {"ScoreBackGold", "ScoreBackSilver", "ScoreBackCopper", "ScoreBackBad"};

// Animation folders under "ani\" in the spellings the callers use.
QStringList AnimationNames()
{
    // The lookup is case-insensitive: one spelling of each.
    QStringList names = {
        QStringLiteral("ExpEffect"),   QStringLiteral("WelcomeToStudy"), QStringLiteral("CoinEffect"),
        QStringLiteral("MedalEffect"), QStringLiteral("cartoon"),        QStringLiteral("cartoonIdle"),
        QStringLiteral("robot"),       QStringLiteral("manRecorder"),    QStringLiteral("manRecorderidle"),
    };
    // The speakers of the sample books: reading, idle and talking.
    for (const char *who : {"man", "woman", "boy", "girl"}) {
        const QString name = QString::fromLatin1(who);
        names << name << name + QStringLiteral("Idle") << name + QStringLiteral("talk");
    }
    for (const char *level : ScoreLevels)
        names << QString::fromLatin1(level);
    // The grading engine's phoneme symbols.
    for (const char *phoneme : {"aa", "ae", "ah", "ao", "aw", "ay", "b",  "ch", "d", "dh", "eh", "er", "ey",
                                "f",  "g",  "hh", "ih", "iy", "jh", "k",  "l",  "m", "n",  "ng", "ow", "oy",
                                "p",  "r",  "s",  "sh", "t",  "th", "uh", "uw", "v", "w",  "y",  "z",  "zh"})
        names << QString::fromLatin1(phoneme);
    return names;
}

// A decoded picture with something drawn on it.
void ExpectDrawnPicture(const QString &name)
{
    const auto bytes = Archive().GetResource(name);
    ASSERT_TRUE(bytes.has_value()) << "not in the archive: " << name.toStdString();
    ASSERT_TRUE(bytes->startsWith("\x89PNG")) << name.toStdString();
    const QImage image = QImage::fromData(*bytes, "PNG").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(image.isNull()) << name.toStdString();
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(opaque, image.width() * image.height() / 20) << "almost empty: " << name.toStdString();
}

// Every picture name the module and the base package spell out in a string
// literal is served, so a screen never falls back to an empty control because
// the archive lacks a picture someone added to the code.
TEST(UIArchiveContentTest, ServesEveryPictureTheModuleNames)
{
    const QRegularExpression literal(QStringLiteral(R"re("((?:[Pp]ng)(?:\\\\[^"\\\\]+)+\.png)")re"));
    QStringList names;
    for (const char *folder : {"modstudy", "platform/basemod"}) {
        QDirIterator it(QStringLiteral(STUDY_SOURCE_ROOT "/") + QLatin1String(folder),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            const QString text = QString::fromUtf8(file.readAll());
            for (auto m = literal.globalMatch(text); m.hasNext();)
                names << m.next().captured(1).replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        }
    }
    names.removeDuplicates();
    ASSERT_GT(names.size(), 10) << "the scan found too few picture names to be looking at the sources";
    for (const char *name : BuiltNames)
        names << QString::fromLatin1(name);
    for (const QString &name : names)
        ExpectDrawnPicture(name);
}

TEST(UIArchiveContentTest, EveryFrameListParsesAndItsFramesDecode)
{
    for (const QString &name : AnimationNames()) {
        SCOPED_TRACE(name.toStdString());
        const QString listName = AniListName(name);
        const auto text = Archive().GetResource(listName);
        ASSERT_TRUE(text.has_value()) << "no frame list " << listName.toStdString();
        const TAniFrameList list = ParseAniFrameList(*text);
        ASSERT_GE(list.frames.size(), 2);
        QSize size;
        QSet<QByteArray> distinct;
        for (const QString &frame : list.frames) {
            const auto bytes = Archive().GetResource(AniEntryName(listName, frame));
            ASSERT_TRUE(bytes.has_value()) << "missing frame " << frame.toStdString();
            const QImage image = QImage::fromData(*bytes, "PNG");
            ASSERT_FALSE(image.isNull()) << frame.toStdString();
            if (size.isValid()) {
                EXPECT_EQ(image.size(), size) << "frames of one animation differ in size";
            }
            size = image.size();
            distinct.insert(*bytes);
        }
        // An animation that moves: not every frame the same picture.
        EXPECT_GT(distinct.size(), 1);
        if (!list.sound.isEmpty()) {
            EXPECT_TRUE(Archive().GetResource(AniEntryName(listName, list.sound)).has_value())
                << list.sound.toStdString();
        }
    }
}

} // namespace
