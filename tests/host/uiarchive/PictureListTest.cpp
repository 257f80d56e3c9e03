// The picture list the archive is generated from: the lines it refuses.
// (Every kind of line read: the build's archive, UIArchiveContentTest.)
#include "PictureList.h"

#include <gtest/gtest.h>

namespace {

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
        {"pic png\\a.jpg 10x10 x\n", "line 1: a picture is a .png"},
        {"ani ani\\x 10x10 x\n", "line 1: missing frames"},
        {"ani ani\\x 10x10 x frames=0\n", "line 1: bad frame count"},
        {"ani ani\\x 10x10 x frames=2 speed=3\n", "line 1: unknown option"},
        {"ani ani\\x 10x10 x frames=2 sound=..\\s.mp3\n", "line 1: bad sound"},
        {"strip png\\s.png 10x10 x frames=2 sound=s.mp3\n", "line 1: unknown option"},
        {"snd ani\\x\\s.mp3 10x10 - hello\n", "line 1: a sound has"},
        {"snd ani\\x\\s.mp3 - -\n", "line 1: a sound needs"},
        {"pic png\\A.png 10x10 x\npic PNG\\a.PNG 10x10 y\n", "line 2: duplicate"},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(ParsePictureList(c.text, &error).has_value()) << c.text;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.reason))) << c.text << " gave " << error.toStdString();
    }
}

} // namespace
