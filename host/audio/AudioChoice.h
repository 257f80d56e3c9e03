#pragma once
// Which sound engine studyhost uses: `--audio auto|devices|none`.
//
// "none" always takes the device-free engines; "devices" takes the machine's
// default output and input and refuses to start without them; "auto" takes
// the devices when both exist and the device-free engines otherwise. The
// choice is told in one line with its reason.

#include <QAudioDevice>
#include <QString>

#include <optional>

enum class TAudioMode { Auto, Devices, None };

// "auto", "devices" or "none"; nothing for any other text.
std::optional<TAudioMode> ParseAudioMode(const QString &text);

struct TAudioChoice
{
    bool devices = false; // the device engines
    QString error;        // set when the mode cannot be had (devices asked for, none there)
    QString line;         // what was chosen and why
};

// The choice for `mode` on a machine whose default output and input are
// named as given (an empty name: the machine has none).
TAudioChoice DecideAudio(TAudioMode mode, const QString &outputName, const QString &inputName);

// The machine's default output and input devices (null when it has none, for
// example without a sound server).
struct TAudioDevices
{
    QAudioDevice output;
    QAudioDevice input;
};
TAudioDevices DefaultAudioDevices();
