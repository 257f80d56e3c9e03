#include "AudioChoice.h"

#include <QMediaDevices>

std::optional<TAudioMode> ParseAudioMode(const QString &text)
{
    if (text == QStringLiteral("auto"))
        return TAudioMode::Auto;
    if (text == QStringLiteral("devices"))
        return TAudioMode::Devices;
    if (text == QStringLiteral("none"))
        return TAudioMode::None;
    return std::nullopt;
}

TAudioChoice DecideAudio(TAudioMode mode, const QString &outputName, const QString &inputName)
{
    TAudioChoice choice;
    if (mode == TAudioMode::None) {
        choice.line = QStringLiteral("sound: device-free engines (--audio none)");
        return choice;
    }
    QString missing;
    if (outputName.isEmpty() && inputName.isEmpty())
        missing = QStringLiteral("no audio output and no audio input device");
    else if (outputName.isEmpty())
        missing = QStringLiteral("no audio output device");
    else if (inputName.isEmpty())
        missing = QStringLiteral("no audio input device");
    if (missing.isEmpty()) {
        choice.devices = true;
        choice.line = QStringLiteral("sound: audio devices (output \"") % outputName % QStringLiteral("\", input \"")
                      % inputName % QStringLiteral("\"; --audio ")
                      % (mode == TAudioMode::Auto ? QStringLiteral("auto") : QStringLiteral("devices"))
                      % QStringLiteral(")");
        return choice;
    }
    if (mode == TAudioMode::Devices) {
        choice.error = QStringLiteral("--audio devices: ") % missing;
        choice.line = QStringLiteral("sound: cannot use audio devices: ") % missing;
        return choice;
    }
    choice.line = QStringLiteral("sound: device-free engines (--audio auto: ") % missing % QStringLiteral(")");
    return choice;
}

TAudioDevices DefaultAudioDevices()
{
    return {QMediaDevices::defaultAudioOutput(), QMediaDevices::defaultAudioInput()};
}
