// `--audio auto|devices|none`: the choice of engines and its one line.

#include "AudioChoice.h"

#include <gtest/gtest.h>

TEST(AudioChoice, DevicesAreUsedOnlyWhenAnOutputAndAnInputExist)
{
    struct Case
    {
        TAudioMode mode;
        const char *output;
        const char *input;
        bool devices;
        bool error;
        const char *why; // part of the line
    };
    const Case cases[] = {
        {TAudioMode::Auto, "Speakers", "Microphone", true, false, "output \"Speakers\", input \"Microphone\""},
        {TAudioMode::Auto, "Speakers", "", false, false, "no audio input device"},
        {TAudioMode::Auto, "", "Microphone", false, false, "no audio output device"},
        {TAudioMode::Auto, "", "", false, false, "no audio output and no audio input device"},
        {TAudioMode::Devices, "Speakers", "Microphone", true, false, "--audio devices"},
        {TAudioMode::Devices, "Speakers", "", false, true, "no audio input device"},
        {TAudioMode::None, "Speakers", "Microphone", false, false, "--audio none"},
    };
    for (const Case &c : cases) {
        const TAudioChoice choice = DecideAudio(c.mode, QString::fromUtf8(c.output), QString::fromUtf8(c.input));
        SCOPED_TRACE(qPrintable(choice.line));
        EXPECT_EQ(choice.devices, c.devices);
        EXPECT_EQ(!choice.error.isEmpty(), c.error);
        EXPECT_TRUE(choice.line.contains(QString::fromUtf8(c.why)));
        EXPECT_TRUE(choice.line.startsWith(c.devices ? QStringLiteral("sound: audio devices")
                                           : c.error ? QStringLiteral("sound: cannot use audio devices")
                                                     : QStringLiteral("sound: device-free engines")));
    }
}
