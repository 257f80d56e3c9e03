#include "ArchiveWriter.h"

#include "AniFrameList.h"
#include "FigurePainter.h"
#include "Mp3Encoder.h"
#include "PicturePainter.h"
#include "TFolderArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

// The file that marks a folder as this generator's output.
constexpr const char *OutputMark = ".uiarchive-output";

// Maps archive names to paths under the output folder, giving folders that
// differ only in case one spelling.
class PathMapper
{
public:
    explicit PathMapper(QString root) : m_root(std::move(root)) {}

    QString Map(const QString &name)
    {
        const QStringList segments = ArchiveRelativePath(name).value_or(QString()).split(QLatin1Char('/'));
        QString path;
        for (int i = 0; i < segments.size(); ++i) {
            const QString spelled = path.isEmpty() ? segments[i] : path + QLatin1Char('/') + segments[i];
            if (i + 1 < segments.size()) {
                path = m_folders.value(spelled.toLower(), spelled);
                m_folders.insert(spelled.toLower(), path);
            } else {
                path = spelled;
            }
        }
        return m_root + QLatin1Char('/') + path;
    }

private:
    QString m_root;
    QHash<QString, QString> m_folders;
};

bool WriteBytes(const QString &path, const QByteArray &bytes, QString &error)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

bool WriteImage(const QString &path, const QImage &image, QString &error)
{
    QDir().mkpath(QFileInfo(path).path());
    if (image.isNull() || !image.save(path, "PNG")) {
        error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

bool WriteSpeech(const QString &text, const QString &mp3Path, QString &error)
{
    QTemporaryDir temp;
    if (!temp.isValid()) {
        error = QStringLiteral("no temporary folder");
        return false;
    }
    const QString wav = temp.filePath(QStringLiteral("speech.wav"));
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-s"),
                                               QStringLiteral("150"), QStringLiteral("-w"), wav, text});
    if (!espeak.waitForFinished(60000) || espeak.exitStatus() != QProcess::NormalExit || espeak.exitCode() != 0) {
        error = QStringLiteral("espeak-ng failed for \"") + text + QStringLiteral("\": ")
                + QString::fromLocal8Bit(espeak.readAllStandardError()) + espeak.errorString();
        return false;
    }
    QDir().mkpath(QFileInfo(mp3Path).path());
    QString reason;
    if (EncodeWaveToMp3(wav, mp3Path, nullptr, &reason) != TMp3Result::Ok) {
        error = QStringLiteral("MP3 encoding failed for ") + mp3Path + QStringLiteral(": ") + reason;
        return false;
    }
    return true;
}

bool ClearOutput(const QString &outDir, QString &error)
{
    QDir dir(outDir);
    // An "index.txt" marks a complete output of a run made before the mark
    // existed.
    if (dir.exists() && !dir.isEmpty() && !dir.exists(QLatin1String(OutputMark))
        && !dir.exists(QStringLiteral("index.txt"))) {
        error = outDir + QStringLiteral(" is not an earlier archive output; not emptied");
        return false;
    }
    if (dir.exists() && !dir.removeRecursively()) {
        error = QStringLiteral("cannot empty ") + outDir;
        return false;
    }
    // The mark comes first, so that a run that fails half-way leaves a folder
    // the next run may empty again.
    if (!QDir().mkpath(outDir)) {
        error = QStringLiteral("cannot create ") + outDir;
        return false;
    }
    return WriteBytes(QDir(outDir).filePath(QLatin1String(OutputMark)), "UI archive output of uiarchive_gen\n", error);
}

} // namespace

bool WriteUIArchive(const QList<TPictureEntry> &entries, const QString &outDir, QString &error)
{
    if (!ClearOutput(outDir, error))
        return false;
    PathMapper mapper(QDir(outDir).absolutePath());
    QStringList names;
    for (const TPictureEntry &e : entries) {
        const QString where = QStringLiteral(" (line %1, look %2)").arg(e.line).arg(e.look);
        switch (e.kind) {
        case TPictureKind::Picture:
        case TPictureKind::Strip: {
            const QImage image = e.kind == TPictureKind::Picture ? PaintPicture(e) : PaintStrip(e);
            if (image.isNull()) {
                error = QStringLiteral("no drawing for ") + e.name + where;
                return false;
            }
            if (!WriteImage(mapper.Map(e.name), image, error))
                return false;
            names.append(e.name);
            break;
        }
        case TPictureKind::Animation: {
            TAniFrameList list;
            for (int i = 0; i < e.frames; ++i) {
                const QString frame = AnimationFrameName(e, i);
                const QImage image = PaintAnimationFrame(e, i);
                if (image.isNull()) {
                    error = QStringLiteral("no drawing for ") + frame + where;
                    return false;
                }
                if (!WriteImage(mapper.Map(frame), image, error))
                    return false;
                list.frames.append(frame.section(QLatin1Char('\\'), -1));
                names.append(frame);
            }
            list.sound = e.sound;
            if (!WriteBytes(mapper.Map(AnimationListName(e)), FormatAniFrameList(list), error))
                return false;
            names.append(AnimationListName(e));
            break;
        }
        case TPictureKind::Sound:
            if (!WriteSpeech(e.text, mapper.Map(e.name), error))
                return false;
            names.append(e.name);
            break;
        }
    }
    // Every sound an animation names must have been made by a "snd" entry.
    TFolderArchive archive(outDir);
    for (const TPictureEntry &e : entries) {
        if (e.kind == TPictureKind::Animation && !e.sound.isEmpty()
            && archive.FilePath(e.name + QLatin1Char('\\') + e.sound).isEmpty()) {
            error = QStringLiteral("line %1: sound %2 of %3 is not in the list").arg(e.line).arg(e.sound, e.name);
            return false;
        }
    }
    names.sort(Qt::CaseInsensitive);
    return WriteBytes(QDir(outDir).filePath(QStringLiteral("index.txt")), names.join(QLatin1Char('\n')).toUtf8() + '\n',
                      error);
}
