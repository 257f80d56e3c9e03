// The archive the build generates: every picture, frame list and sound the
// module and the base package ask for is there and usable.
#include "AniFrameList.h"
#include "Mp3Check.h"
#include "TFolderArchive.h"
#include "TPngAni.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace {

TFolderArchive &Archive()
{
    static TFolderArchive archive{QStringLiteral(STUDY_UIARCHIVE_DIR)};
    return archive;
}

// Pictures the study views show: tabs in their three states, the study,
// role-play, word and score views, the score levels.
const char *const NamesOfViews[] = {
    "png\\study\\home\\MyCourseUp.png",
    "png\\study\\home\\MyCourseEnter.png",
    "png\\study\\home\\MaterialsDown.png",
    "png\\study\\home\\MaterialsEnter.png",
    "png\\study\\home\\RecommendDown.png",
    "png\\study\\home\\RecommendEnter.png",
    "png\\study\\home\\MateriaIcon.png",
    "png\\RecordAnimation.png",
    "png\\study\\LessonPictureDefault.png",
    "png\\study\\LoopPlayDown.png",
    "png\\study\\LoopPlayUp.png",
    "png\\study\\Sentence\\ExitDown.png",
    "png\\study\\Sentence\\ExitEnter.png",
    "png\\study\\Sentence\\ExitUp.png",
    "png\\study\\UnRecorded.png",
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
    "png\\study\\repeat\\RepeatCenterPicture.png",
    "png\\study\\score\\triangle.png",
    "png\\study\\score\\trumpetUp.png",
    "png\\study\\sentence\\Accuracy.png",
    "png\\study\\sentence\\Fluency.png",
    "png\\study\\sentence\\Integrity.png",
    "png\\study\\trumpet.png",
    "png\\study\\word\\NoFinish.png",
    "png\\ScoreBackGold.png",
    "png\\ScoreBackSilver.png",
    "png\\ScoreBackCopper.png",
    "png\\ScoreBackBad.png",
};

const char *const ScoreLevels[] = {"ScoreBackGold", "ScoreBackSilver", "ScoreBackCopper", "ScoreBackBad"};

// Animation folders under "ani\" in the spellings the callers use.
QStringList AnimationNames()
{
    QStringList names = {
        QStringLiteral("ExpEffect"),   QStringLiteral("WelcomeToStudy"),  QStringLiteral("CoinEffect"),
        QStringLiteral("MedalEffect"), QStringLiteral("cartoon"),         QStringLiteral("cartoonidle"),
        QStringLiteral("cartoonIdle"), QStringLiteral("robot"),           QStringLiteral("manRecorder"),
        QStringLiteral("manrecorder"), QStringLiteral("manRecorderidle"), QStringLiteral("manrecorderidle"),
    };
    // The speakers of the sample books: reading, idle and talking.
    for (const char *who : {"man", "woman", "boy", "girl"}) {
        const QString name = QString::fromLatin1(who);
        names << name << name + QStringLiteral("Idle") << name + QStringLiteral("idle")
              << name + QStringLiteral("talk");
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

TEST(UIArchiveContentTest, ServesEveryPictureTheViewsUse)
{
    for (const char *name : NamesOfViews)
        ExpectDrawnPicture(QString::fromLatin1(name));
}

// Every picture name the module and the base package spell out in a string
// literal is served, so a screen never falls back to an empty control because
// the archive lacks a picture someone added to the code.
TEST(UIArchiveContentTest, ServesEveryPictureNamedInTheModuleSources)
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

TEST(UIArchiveContentTest, RolePicturesAreTheFirstTalkingFrames)
{
    for (const char *name : {"ani\\robot\\0001.png", "ani\\mantalk\\0001.png", "ani\\womantalk\\0001.png",
                             "ani\\boytalk\\0001.png", "ani\\girltalk\\0001.png"})
        ExpectDrawnPicture(QString::fromLatin1(name));
}

TEST(UIArchiveContentTest, ScoreSoundsAreSpokenMp3s)
{
    for (const char *level : ScoreLevels) {
        const QString name = QStringLiteral("ani\\%1\\%1.mp3").arg(QString::fromLatin1(level));
        SCOPED_TRACE(name.toStdString());
        const auto bytes = Archive().GetResource(name);
        ASSERT_TRUE(bytes.has_value());
        const TMp3Walk walk = WalkMp3(*bytes);
        EXPECT_TRUE(walk.valid);
        // A spoken comment of a few words.
        EXPECT_GT(walk.seconds, 0.3);
        EXPECT_LT(walk.seconds, 5.0);
    }
}

TEST(UIArchiveContentTest, AbsentAndEscapingNamesGiveNothing)
{
    EXPECT_EQ(Archive().GetResource(QStringLiteral("png\\study\\NoSuchPicture.png")), std::nullopt);
    EXPECT_EQ(Archive().GetResource(QStringLiteral("ani\\NoSuchAnimation\\filelist.txt")), std::nullopt);
    EXPECT_EQ(Archive().GetResource(QStringLiteral("png\\..\\..\\CMakeCache.txt")), std::nullopt);
    EXPECT_EQ(Archive().GetResource(QStringLiteral("png")), std::nullopt);
}

TEST(UIArchiveContentTest, TheBasePackagePlayerLoadsArchiveAnimations)
{
    QWidget parent;
    auto archive = std::make_shared<TFolderArchive>(QStringLiteral(STUDY_UIARCHIVE_DIR));
    TPngAni ani(&parent);
    ani.SetAniArchive(archive);
    ani.SetAniSpeed(40);
    ani.SetAniWidth(120);
    ani.SetAniHeight(120);
    // Spelled as a caller does, in another case than on disk.
    ASSERT_TRUE(ani.LoadAniFile(QStringLiteral("ani\\expeffect\\filelist.txt")));
    const auto list = archive->GetResource(QStringLiteral("ani\\ExpEffect\\filelist.txt"));
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(ani.FrameCount(), ParseAniFrameList(*list).frames.size());

    TPngAni level(&parent);
    level.SetAniArchive(archive);
    ASSERT_TRUE(level.LoadAniFile(AniListName(QStringLiteral("ScoreBackGold"))));
    EXPECT_EQ(level.SoundName().toLower(), QStringLiteral("ani\\scorebackgold\\scorebackgold.mp3"));
}

} // namespace
