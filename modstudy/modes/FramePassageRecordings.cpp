// The learner's passage recordings: joining the part recordings or the
// backups of a continued reading into "tmp\temp.wav" for submission, and
// deleting the backups a finished reading no longer needs.

#include "StudyFrame.h"

#include "WaveMerge.h"

#include "LocalPath.h"
#include "Log.h"

#include <QDir>
#include <QFile>

using nlohmann::ordered_json;

namespace {
// The "audio" names of the "audios" array of a JSON object.
QStringList AudioNames(const ordered_json &json)
{
    QStringList names;
    const auto audios = json.is_object() ? json.find("audios") : json.end();
    if (!json.is_object() || audios == json.end() || !audios->is_array())
        return names;
    for (const ordered_json &entry : *audios) {
        const auto audio = entry.is_object() ? entry.find("audio") : entry.end();
        if (entry.is_object() && audio != entry.end() && audio->is_string())
            names << QString::fromStdString(audio->get<std::string>());
    }
    return names;
}

// A backup named by a document: a plain file name below "backups\" only.
QString BackupPath(const QString &mainPath, const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(".."))
        return QString();
    return LocalPath(mainPath, QStringLiteral("backups\\") + name);
}

bool Join(const QStringList &inputs, const QString &output, const char *what)
{
    const TWaveMergeResult result = MergeWaveFiles(inputs, output);
    for (const QString &skipped : result.skipped)
        procSaveLog(QStringLiteral("error:%1 left out a recording that is not a WAV file: %2")
                        .arg(QLatin1String(what), skipped));
    if (!result.ok)
        procSaveLog(QStringLiteral("error:%1 %2").arg(QLatin1String(what), result.error));
    return result.ok;
}
} // namespace

bool TStudyFrame::MergeWavePart()
{
    const QString folder = LocalPath(FMainPath, QStringLiteral("tmp\\part\\"));
    return Join(PartRecordingsInOrder(folder), LocalPath(FMainPath, QStringLiteral("tmp\\temp.wav")), "MergeWavePart");
}

bool TStudyFrame::MergeWaveBackups()
{
    const QStringList names = AudioNames(AudioFileJson);
    if (names.isEmpty())
        return false;
    QStringList inputs;
    for (const QString &name : names)
        inputs << BackupPath(FMainPath, name);
    return Join(inputs, LocalPath(FMainPath, QStringLiteral("tmp\\temp.wav")), "MergeWaveBackups");
}

void TStudyFrame::DeleteBackupsFile(const ordered_json &audioFiles)
{
    for (const QString &name : AudioNames(audioFiles)) {
        const QString path = BackupPath(FMainPath, name);
        if (path.isEmpty())
            procSaveLog(QStringLiteral("error:DeleteBackupsFile refused a name outside the backups: ") + name);
        else
            QFile::remove(path);
    }
}
