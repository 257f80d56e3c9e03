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
