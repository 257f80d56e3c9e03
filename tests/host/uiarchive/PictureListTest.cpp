// The picture list the archive is generated from.
#include "PictureList.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

TEST(PictureListTest, ReadsEveryKind)
{
    const QByteArray text = "# comment\n"
                            "\n"
                            "pic   png\\study\\home\\MyCourseUp.png  150x44  tabUp  我的课程 \r\n"
                            "pic   png\\Blank.png  8x8  plain\n"
                            "strip png\\RecordAnimation.png 384x48 micStrip frames=8\n"
                            "ani   ani\\ScoreBackGold 200x200 scoreGoldAni frames=6 sound=ScoreBackGold.mp3\n"
                            "snd   ani\\ScoreBackGold\\ScoreBackGold.mp3 - - Keep trying!\n";
    QString error;
    const auto entries = ParsePictureList(text, &error);
    ASSERT_TRUE(entries.has_value()) << error.toStdString();
    ASSERT_EQ(entries->size(), 5);
    const TPictureEntry &tab = entries->at(0);
    EXPECT_EQ(tab.kind, TPictureKind::Picture);
    EXPECT_EQ(tab.name, QStringLiteral("png\\study\\home\\MyCourseUp.png"));
    EXPECT_EQ(tab.size, QSize(150, 44));
    EXPECT_EQ(tab.look, QStringLiteral("tabUp"));
    EXPECT_EQ(tab.text, QStringLiteral("我的课程"));
    EXPECT_EQ(tab.line, 3);
    EXPECT_TRUE(entries->at(1).text.isEmpty());
    EXPECT_EQ(entries->at(2).kind, TPictureKind::Strip);
    EXPECT_EQ(entries->at(2).frames, 8);
    const TPictureEntry &ani = entries->at(3);
    EXPECT_EQ(ani.kind, TPictureKind::Animation);
    EXPECT_EQ(ani.frames, 6);
    EXPECT_EQ(ani.sound, QStringLiteral("ScoreBackGold.mp3"));
    EXPECT_EQ(AnimationFrameName(ani, 0), QStringLiteral("ani\\ScoreBackGold\\0001.png"));
    EXPECT_EQ(AnimationFrameName(ani, 11), QStringLiteral("ani\\ScoreBackGold\\0012.png"));
    EXPECT_EQ(AnimationListName(ani), QStringLiteral("ani\\ScoreBackGold\\filelist.txt"));
    const TPictureEntry &sound = entries->at(4);
    EXPECT_EQ(sound.kind, TPictureKind::Sound);
    EXPECT_EQ(sound.text, QStringLiteral("Keep trying!"));
}

TEST(PictureListTest, RejectsMalformedLinesNamingTheLine)
{
    const struct
    {
        const char *text;
        const char *reason;
    } cases[] = {
        {"pic png\\a.png 10x10\n", "line 1: expected"},
        {"icon png\\a.png 10x10 x\n", "line 1: unknown kind"},
        {"# c\npic png\\a.png 10by10 x\n", "line 2: bad size"},
        {"pic png\\a.png 0x10 x\n", "line 1: bad size"},
        {"pic png\\..\\a.png 10x10 x\n", "line 1: name leaves"},
        {"pic C:\\a.png 10x10 x\n", "line 1: name leaves"},
        {"pic png\\a.jpg 10x10 x\n", "line 1: a picture is a .png"},
        {"ani ani\\x 10x10 x\n", "line 1: missing frames"},
        {"ani ani\\x 10x10 x frames=0\n", "line 1: bad frame count"},
        {"ani ani\\x 10x10 x frames=2 speed=3\n", "line 1: unknown option"},
        {"ani ani\\x 10x10 x frames=2 sound=..\\s.mp3\n", "line 1: bad sound"},
        {"strip png\\s.png 10x10 x frames=2 sound=s.mp3\n", "line 1: unknown option"},
        {"snd ani\\x\\s.mp3 10x10 - hello\n", "line 1: a sound has"},
        {"snd ani\\x\\s.mp3 - -\n", "line 1: a sound needs"},
        {"snd ani\\x\\s.wav - - hello\n", "line 1: a sound is an .mp3"},
        {"pic png\\A.png 10x10 x\npic PNG\\a.PNG 10x10 y\n", "line 2: duplicate"},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(ParsePictureList(c.text, &error).has_value()) << c.text;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.reason))) << c.text << " gave " << error.toStdString();
    }
}

} // namespace
