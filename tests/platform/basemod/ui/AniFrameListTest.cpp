#include "AniFrameList.h"

#include <gtest/gtest.h>

TEST(AniFrameList, ReadsFramesInOrderSkippingBlanksCommentsAndNamesThatLeaveTheFolder)
{
    const QByteArray text = "\xEF\xBB\xBF# welcome animation\r\n"
                            "  f_000.png  \r\n"
                            "\r\n"
                            "sub/f_001.png\r\n"
                            "..\\..\\png\\secret.png\n"
                            "\\root.png\n"
                            "c:\\abs.png\n"
                            "Sound: hello.mp3\n"
                            "f_002.png";
    const TAniFrameList list = ParseAniFrameList(text);
    EXPECT_EQ(list.frames, (QStringList{"f_000.png", "sub\\f_001.png", "f_002.png"}));
    EXPECT_EQ(list.sound, QStringLiteral("hello.mp3"));
}

TEST(AniFrameList, FormattedListReadsBackTheSame)
{
    const TAniFrameList list{{"a.png", "b.png", "帧3.png"}, "s.mp3"};
    const TAniFrameList back = ParseAniFrameList(FormatAniFrameList(list));
    EXPECT_EQ(back.frames, list.frames);
    EXPECT_EQ(back.sound, list.sound);
    EXPECT_TRUE(ParseAniFrameList(FormatAniFrameList({{"x.png"}, {}})).sound.isEmpty());
}

TEST(AniFrameList, EntryNamesLieInTheListsFolder)
{
    EXPECT_EQ(AniEntryName(QStringLiteral("ani\\ExpEffect\\filelist.txt"), QStringLiteral("e_1.png")),
              QStringLiteral("ani\\ExpEffect\\e_1.png"));
    EXPECT_EQ(AniEntryName(QStringLiteral("ani/Exp/filelist.txt"), QStringLiteral("sub/e.png")),
              QStringLiteral("ani\\Exp\\sub\\e.png"));
    EXPECT_EQ(AniEntryName(QStringLiteral("filelist.txt"), QStringLiteral("e.png")), QStringLiteral("e.png"));
    EXPECT_EQ(AniListName(QStringLiteral("WelcomeToStudy")), QStringLiteral("ani\\WelcomeToStudy\\filelist.txt"));
}
