#include "HostSound.h"

#include "ScoreSounds.h"
#include "TStudyHost.h"

#include "TDeviceSoundEngine.h"
#include "TFolderArchive.h"
#include "TRecordingGradeEngine.h"

THostSound MakeHostSound(TAudioMode mode, const TStudyHostOptions &options, TRecordingScorer scorer)
{
    THostSound result;
    TAudioDevices devices;
    if (mode != TAudioMode::None)
        devices = DefaultAudioDevices();
    const TAudioChoice choice = DecideAudio(mode, devices.output.isNull() ? QString() : devices.output.description(),
                                            devices.input.isNull() ? QString() : devices.input.description());
    result.line = choice.line;
    result.error = choice.error;
    if (!choice.devices)
        return result;
    auto sound = std::make_shared<TDeviceSoundEngine>(options.mainPath, devices.output, devices.input);
    sound->SetScoreSoundProvider(ArchiveScoreSounds(std::make_shared<TFolderArchive>(options.archiveFolder)));
    result.grade = std::make_shared<TRecordingGradeEngine>(options.mainPath, sound, std::move(scorer));
    result.sound = sound;
    result.outputName = devices.output.description();
    result.inputName = devices.input.description();
    return result;
}
