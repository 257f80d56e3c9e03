// content_gen: builds the sample content from the readable sources in
// content/ (catalog.json and the book files) into a served folder: one
// password-protected package per book, tile and material pictures, material
// audio and a copy of the catalog. Model audio is cached by content hash.
//
// content_gen --source DIR --out DIR --cache DIR [--jobs N]

#include "AudioMaker.h"
#include "BookSource.h"
#include "Catalog.h"
#include "PackageArchive.h"
#include "PackageWriter.h"
#include "PackagePlan.h"
#include "Pictures.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

QTextStream &Err()
{
    static QTextStream s(stderr);
    return s;
}

QByteArray Png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool ReadFile(const QString &path, QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    data = f.readAll();
    return true;
}

// Writes only when the content differs, so unchanged files keep their time.
bool WriteIfChanged(const QString &path, const QByteArray &data)
{
    QByteArray old;
    if (ReadFile(path, old) && old == data)
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

bool CopyIfChanged(const QString &from, const QString &to)
{
    QByteArray data;
    return ReadFile(from, data) && WriteIfChanged(to, data);
}

QString BadgeFor(const TCatalogBook &book)
{
    if (book.courseType == QLatin1String("L"))
        return QStringLiteral("课本");
    if (book.IsWordBook())
        return QStringLiteral("单词");
    return QStringLiteral("课外");
}

struct TBookJob
{
    TCatalogBook book;
    TPackagePlan plan;
};

bool PlanBooks(const QString &sourceDir, const TCatalog &catalog, QList<TBookJob> &jobs, QString &error)
{
    for (const TCatalogBook &book : catalog.books) {
        QByteArray text;
        if (!ReadFile(sourceDir + QLatin1Char('/') + book.source, text)) {
            error = QStringLiteral("cannot read ") + book.source;
            return false;
        }
        const TBookHeader header{book.lessonId, book.lessonName, book.version};
        TBookJob job{book, {}};
        if (book.IsWordBook()) {
            TWordSource source;
            if (!ParseWordSource(QString::fromUtf8(text), source, error)) {
                error = book.source + QStringLiteral(": ") + error;
                return false;
            }
            job.plan = PlanWordBook(header, source);
        } else {
            TLessonSource source;
            if (!ParseLessonSource(QString::fromUtf8(text), source, error)) {
                error = book.source + QStringLiteral(": ") + error;
                return false;
            }
            job.plan = PlanLessonBook(header, source);
        }
        jobs.append(job);
    }
    return true;
}

// Stages and packs one book unless the package already holds exactly this
// content (recorded as a hash beside the staging folder).
bool BuildPackage(const TBookJob &job, const TAudioMaker &audio, const QString &outDir, const QString &cacheDir,
                  bool &packed, QString &error)
{
    const QString target = outDir + QLatin1Char('/') + job.book.url;
    const QByteArray dataJson = QByteArray::fromStdString(job.plan.data.dump(2));
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(dataJson);
    QList<QPair<QString, QByteArray>> pictures;
    for (const TPictureEntry &p : job.plan.pictures) {
        const QImage image = p.kind == TPictureKind::Lesson ? DrawLessonPicture(p.title, p.caption)
                                                            : DrawWordPicture(p.title, p.caption);
        pictures.append({p.entry, Png(image)});
        hash.addData(p.entry.toUtf8());
        hash.addData(pictures.last().second);
    }
    for (const TAudioEntry &a : job.plan.audio) {
        hash.addData(a.entry.toUtf8());
        hash.addData(audio.CacheFile({a.text, a.voice, a.pitch}).toUtf8());
    }
    const QByteArray digest = hash.result().toHex();
    const QString stage = cacheDir + QStringLiteral("/stage/") + QString::number(job.book.lessonId);
    const QString stamp = stage + QStringLiteral(".hash");
    QByteArray previous;
    if (QFileInfo::exists(target) && ReadFile(stamp, previous) && previous == digest) {
        packed = false;
        return true;
    }
    QDir(stage).removeRecursively();
    bool ok = WriteIfChanged(stage + QStringLiteral("/data.json"), dataJson);
    for (const auto &[entry, png] : pictures)
        ok = ok && WriteIfChanged(stage + QLatin1Char('/') + entry, png);
    for (const TAudioEntry &a : job.plan.audio)
        ok = ok && CopyIfChanged(audio.CacheFile({a.text, a.voice, a.pitch}), stage + QLatin1Char('/') + a.entry);
    if (!ok) {
        error = QStringLiteral("cannot stage ") + job.book.url;
        return false;
    }
    if (!WritePackage(stage, target, QString::fromLatin1(kPackagePassword), error))
        return false;
    QDir(stage).removeRecursively();
    packed = true;
    return WriteIfChanged(stamp, digest);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption sourceOpt(QStringLiteral("source"), QStringLiteral("content source folder"),
                                       QStringLiteral("dir"));
    const QCommandLineOption outOpt(QStringLiteral("out"), QStringLiteral("served folder to write"),
                                    QStringLiteral("dir"));
    const QCommandLineOption cacheOpt(QStringLiteral("cache"), QStringLiteral("audio and staging cache"),
                                      QStringLiteral("dir"));
    const QCommandLineOption jobsOpt(QStringLiteral("jobs"), QStringLiteral("speech programs run at once"),
                                     QStringLiteral("n"), QStringLiteral("2"));
    parser.addOptions({sourceOpt, outOpt, cacheOpt, jobsOpt});
    parser.process(app);
    if (!parser.isSet(sourceOpt) || !parser.isSet(outOpt) || !parser.isSet(cacheOpt)) {
        Err() << "content_gen: --source, --out and --cache are required\n";
        return 2;
    }
    const QString sourceDir = QFileInfo(parser.value(sourceOpt)).absoluteFilePath();
    const QString outDir = QFileInfo(parser.value(outOpt)).absoluteFilePath();
    const QString cacheDir = QFileInfo(parser.value(cacheOpt)).absoluteFilePath();
    QElapsedTimer clock;
    clock.start();
    QString error;
    auto fail = [&](const QString &what) {
        Err() << "content_gen: " << what << "\n";
        return 1;
    };

    QByteArray catalogText;
    TCatalog catalog;
    if (!ReadFile(sourceDir + QStringLiteral("/catalog.json"), catalogText))
        return fail(QStringLiteral("cannot read catalog.json"));
    if (!ParseCatalog(catalogText, catalog, error))
        return fail(QStringLiteral("catalog.json: ") + error);
    QList<TBookJob> jobs;
    if (!PlanBooks(sourceDir, catalog, jobs, error))
        return fail(error);

    // Every speech of every book and material, made (or found) in one batch.
    TAudioMaker audio(cacheDir + QStringLiteral("/audio"), parser.value(jobsOpt).toInt());
    QList<TSpeech> speeches;
    for (const TBookJob &job : jobs) {
        for (const TAudioEntry &a : job.plan.audio)
            speeches.append({a.text, a.voice, a.pitch});
    }
    for (const TCatalogMaterial &m : catalog.materials)
        speeches.append({m.text, QStringLiteral("en-us+f1"), 50});
    if (!audio.Make(speeches, error))
        return fail(error);

    int packed = 0;
    for (const TBookJob &job : jobs) {
        bool didPack = false;
        if (!BuildPackage(job, audio, outDir, cacheDir, didPack, error))
            return fail(error);
        packed += didPack ? 1 : 0;
    }

    bool ok = true;
    for (const TCatalogBook &b : catalog.books)
        ok = ok
             && WriteIfChanged(outDir + QLatin1Char('/') + b.packagePic,
                               Png(DrawTilePicture(b.lessonName, b.tileColor, BadgeFor(b))));
    for (const TCatalogMaterial &m : catalog.materials) {
        ok = ok
             && WriteIfChanged(outDir + QLatin1Char('/') + m.picture,
                               Png(DrawTilePicture(m.title, m.tileColor, QStringLiteral("阅读"))));
        ok = ok
             && WriteIfChanged(outDir + QLatin1Char('/') + m.contentPicture,
                               Png(DrawMaterialPicture(m.title, m.tileColor)));
        ok = ok
             && CopyIfChanged(audio.CacheFile({m.text, QStringLiteral("en-us+f1"), 50}),
                              outDir + QLatin1Char('/') + m.origiVoice);
    }
    for (const TCatalogCourse &c : catalog.recommended)
        ok = ok
             && WriteIfChanged(outDir + QLatin1Char('/') + c.goodsPic,
                               Png(DrawTilePicture(c.goodsName, c.tileColor, c.goodsLevel)));
    ok = ok && WriteIfChanged(outDir + QStringLiteral("/catalog.json"), catalogText);
    if (!ok)
        return fail(QStringLiteral("cannot write into ") + outDir);

    QTextStream(stdout) << "content_gen: " << jobs.size() << " books (" << packed << " packed), " << audio.Spoken()
                        << " audio made, " << audio.Reused() << " reused, " << clock.elapsed() << " ms\n";
    return 0;
}
