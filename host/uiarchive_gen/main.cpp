// uiarchive_gen: draws the host's UI archive from its readable list.
//
//   uiarchive_gen LIST OUTDIR [--sheet PREFIX]
//
// Writes every picture, frame animation and spoken sound of LIST into the
// folder tree OUTDIR (see ArchiveWriter.h). With --sheet, also renders the
// archive's contact sheets "<PREFIX>1.png", ... read back through the archive.

#include "ArchiveWriter.h"
#include "PictureList.h"
#include "PictureSheet.h"
#include "TFolderArchive.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the UI picture archive."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("list"), QStringLiteral("the picture list"));
    parser.addPositionalArgument(QStringLiteral("outdir"), QStringLiteral("the archive folder to write"));
    const QCommandLineOption sheet(QStringLiteral("sheet"), QStringLiteral("also write contact sheets"),
                                   QStringLiteral("prefix"));
    parser.addOption(sheet);
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: uiarchive_gen LIST OUTDIR [--sheet PREFIX]\n");
        return 2;
    }
    QFile listFile(args[0]);
    if (!listFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "uiarchive_gen: cannot read %s\n", qPrintable(args[0]));
        return 1;
    }
    QString error;
    const std::optional<QList<TPictureEntry>> entries = ParsePictureList(listFile.readAll(), &error);
    if (!entries) {
        std::fprintf(stderr, "uiarchive_gen: %s: %s\n", qPrintable(args[0]), qPrintable(error));
        return 1;
    }
    if (!WriteUIArchive(*entries, args[1], error)) {
        std::fprintf(stderr, "uiarchive_gen: %s\n", qPrintable(error));
        return 1;
    }
    if (parser.isSet(sheet)) {
        TFolderArchive archive(args[1]);
        const QStringList pages = WritePictureSheets(*entries, archive, parser.value(sheet));
        for (const QString &page : pages)
            std::printf("%s\n", qPrintable(page));
        if (pages.isEmpty())
            return 1;
    }
    return 0;
}
