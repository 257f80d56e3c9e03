// studyhost: the reference host with the study module, a simulated learning
// service and the sample content.
//
//   studyhost                         opens the window
//   studyhost --screenshot FILE [--wait MS]
//                                     starts everything, waits for the course
//                                     shelf, saves the client area as PNG and
//                                     exits (works offscreen)
//   studyhost --scenario FILE         runs a scenario script offscreen and
//                                     prints its transcript (see
//                                     host/scenario/README.md); exit 0 when
//                                     every step passed
//   --audio auto|devices|none         sound on the machine's audio devices
//                                     or without devices (default auto:
//                                     devices when an output and an input
//                                     exist); scenarios never use devices
//   --grader offline|sim              grades recordings with the offline
//                                     grader (default) or the simulated one;
//                                     scenarios use the simulated one unless
//                                     --grader offline is given
//   --microphone FILE[,FILE...]       without audio devices, the recordings
//                                     hold the speech of these WAV files in
//                                     turn instead of a quiet tone
//   --main-path DIR                   the module keeps its files in DIR
//                                     (the host runs from there); by default
//                                     the folder of studyhost, and for
//                                     --scenario a fresh temporary folder
//   --keep-main-path                  a scenario's temporary folder stays

#include "HostFolder.h"
#include "HostTranslations.h"
#include "HostSound.h"
#include "OfflineScorer.h"
#include "RecordingScorer.h"
#include "ScenarioRunner.h"
#include "StudyHostWindow.h"
#include "TSimGradeEngine.h"
#include "TStudyHost.h"

#include "Log.h"
#include "Wait.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>

namespace {

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

bool HasOption(int argc, char **argv, const char *option)
{
    const std::size_t length = std::strlen(option);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0 || (std::strncmp(argv[i], option, length) == 0 && argv[i][length] == '='))
            return true;
    return false;
}

// Starts, waits for the shelf, saves the picture, then closes with the
// module's handshake. 0 when the picture was saved.
int TakeScreenshot(TStudyHost &host, TStudyHostWindow &window, const QString &file, int waitMs)
{
    bool shelf = false;
    QObject::connect(&host, &TStudyHost::ShelfDelivered, &window, [&shelf] { shelf = true; });
    WaitFor(waitMs, &shelf);
    if (!shelf)
        std::fprintf(stderr, "studyhost: no course shelf reply within %d ms; saving the screen as it is\n", waitMs);
    else
        WaitFor(500, nullptr); // let the module draw what the reply brought
    const bool saved = window.Client()->grab().save(file, "PNG");
    if (!saved)
        std::fprintf(stderr, "studyhost: cannot write %s\n", qPrintable(file));
    bool closed = false;
    QObject::connect(&host, &TStudyHost::Closed, &window, [&closed] { closed = true; });
    host.RequestClose();
    WaitFor(20000, &closed);
    return saved ? 0 : 1;
}

// The module's main path is the folder of the running host. When another
// one is asked for (or a scenario's fresh one), the host is prepared in that
// folder and run from there; this process waits for it. Nothing when this
// host already runs where it should.
std::optional<int> RunFromMainPath(const QString &asked, bool scenario, bool keep)
{
    const QString own = QCoreApplication::applicationDirPath();
    if (!asked.isEmpty() && IsSameFolder(asked, own))
        return std::nullopt;
    if (asked.isEmpty() && !scenario)
        return std::nullopt;

    // A scenario's own folder; none is made when a folder was asked for.
    std::optional<QTemporaryDir> fresh;
    QString folder;
    if (!asked.isEmpty()) {
        folder = QDir(asked).absolutePath();
    } else {
        fresh.emplace(QDir::temp().filePath(QStringLiteral("studyhost-XXXXXX")));
        if (!fresh->isValid()) {
            std::fprintf(stderr, "studyhost: cannot create a temporary main path: %s\n",
                         qPrintable(fresh->errorString()));
            return 1;
        }
        fresh->setAutoRemove(!keep);
        folder = fresh->path();
    }
    const QString error = PrepareHostFolder(own, QCoreApplication::applicationFilePath(), folder);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "studyhost: cannot run in %s: %s\n", qPrintable(folder), qPrintable(error));
        return 1;
    }
    if (keep && asked.isEmpty())
        std::fprintf(stderr, "studyhost: the module's main path is kept: %s\n", qPrintable(folder));
    const QString program = QDir(folder).filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    return RunHostIn(program, HostFolderArguments(QCoreApplication::arguments().mid(1), folder));
}

} // namespace

int main(int argc, char **argv)
{
    const bool screenshot = HasOption(argc, argv, "--screenshot");
    // A scenario never needs a screen: it always runs offscreen, so that its
    // pictures and timings do not depend on the desktop it is started from.
    if (HasOption(argc, argv, "--scenario")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (!HasDisplay()) {
        if (!screenshot) {
            std::fprintf(stderr,
                         "studyhost: no display (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                         "Run it offscreen and save the start screen instead:\n"
                         "  QT_QPA_PLATFORM=offscreen %s --screenshot start.png [--wait MS]\n"
                         "or drive it with a scenario script (always offscreen):\n"
                         "  %s --scenario FILE\n",
                         argv[0], argv[0]);
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("studyhost"));
    QApplication::setFont(QFont(QStringLiteral("WenQuanYi Zen Hei"), 9));
    if (!InstallQtChineseTranslations(app))
        std::fprintf(stderr, "studyhost: Qt's Chinese translations are not installed (Debian package "
                             "qt6-translations-l10n); standard dialog buttons stay in English\n");

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The study module in a host window."));
    parser.addHelpOption();
    const QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the start screen as PNG to <file> and exit."),
                                        QStringLiteral("file"));
    const QCommandLineOption waitOption(QStringLiteral("wait"),
                                        QStringLiteral("Longest wait for the course shelf before the screenshot (ms)."),
                                        QStringLiteral("ms"), QStringLiteral("3000"));
    const QCommandLineOption scenarioOption(
        QStringLiteral("scenario"),
        QStringLiteral("Run the scenario script <file> offscreen, print its transcript "
                       "and exit (0 when every step passed)."),
        QStringLiteral("file"));
    parser.addOption(shotOption);
    parser.addOption(waitOption);
    const QCommandLineOption audioOption(QStringLiteral("audio"),
                                         QStringLiteral("Sound on the audio devices (devices), without devices (none) "
                                                        "or on devices when an output and an input exist (auto)."),
                                         QStringLiteral("auto|devices|none"), QStringLiteral("auto"));
    parser.addOption(scenarioOption);
    const QCommandLineOption graderOption(QStringLiteral("grader"),
                                          QStringLiteral("Grade recordings with the offline grader (offline, the "
                                                         "default) or the simulated one (sim)."),
                                          QStringLiteral("offline|sim"), QStringLiteral("offline"));
    const QCommandLineOption microphoneOption(
        QStringLiteral("microphone"),
        QStringLiteral("Without audio devices, the recordings hold the speech of these WAV files in turn "
                       "(comma-separated) instead of a quiet tone."),
        QStringLiteral("files"));
    parser.addOption(audioOption);
    parser.addOption(graderOption);
    parser.addOption(microphoneOption);
    const QCommandLineOption mainPathOption(QStringLiteral("main-path"),
                                            QStringLiteral("The module keeps its files (packages, pictures, results, "
                                                           "recordings) in <folder>; the host runs from there. "
                                                           "Default: the folder of studyhost, and a fresh temporary "
                                                           "folder for --scenario."),
                                            QStringLiteral("folder"));
    const QCommandLineOption keepOption(QStringLiteral("keep-main-path"),
                                        QStringLiteral("Keep the temporary folder of a scenario and name it on "
                                                       "standard error."));
    parser.addOption(mainPathOption);
    parser.addOption(keepOption);
    parser.process(app);
    if (parser.isSet(keepOption) && !parser.isSet(scenarioOption)) {
        std::fprintf(stderr, "studyhost: --keep-main-path applies to --scenario\n");
        return 2;
    }
    if (const std::optional<int> code =
            RunFromMainPath(parser.value(mainPathOption), parser.isSet(scenarioOption), parser.isSet(keepOption)))
        return *code;
    const std::optional<TAudioMode> audioMode = ParseAudioMode(parser.value(audioOption));
    if (!audioMode) {
        std::fprintf(stderr, "studyhost: --audio takes auto, devices or none\n");
        return 2;
    }
    const QStringList microphone = parser.value(microphoneOption).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!microphone.isEmpty()) {
        if (*audioMode == TAudioMode::Devices) {
            std::fprintf(stderr, "studyhost: --microphone stands in for a microphone; it does not apply with "
                                 "--audio devices\n");
            return 2;
        }
        if (!TSimGradeEngine(QString()).SetMicrophone(microphone)) {
            std::fprintf(stderr, "studyhost: --microphone: cannot read %s as WAV files\n",
                         qPrintable(microphone.join(QLatin1String(", "))));
            return 2;
        }
    }
    if (parser.isSet(scenarioOption)) {
        if (*audioMode == TAudioMode::Devices) {
            std::fprintf(stderr, "studyhost: scenarios run without audio devices; --audio devices does not apply\n");
            return 2;
        }
        TScenarioSetup setup;
        setup.appFolder = QCoreApplication::applicationDirPath();
        setup.microphone = microphone;
        if (parser.isSet(graderOption) && parser.value(graderOption) == QLatin1String("offline")) {
            try {
                setup.scorer = MakeOfflineScorer();
            } catch (const std::exception &e) {
                std::fprintf(stderr, "studyhost: the offline grader cannot start (%s)\n", e.what());
                return 1;
            }
        }
        return RunScenarioFile(parser.value(scenarioOption), setup, [](const QString &line) {
            std::fputs(line.toUtf8().constData(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        });
    }
    bool waitOk = false;
    const int waitMs = parser.value(waitOption).toInt(&waitOk);
    if (!waitOk || waitMs < 0) {
        std::fprintf(stderr, "studyhost: --wait takes a number of milliseconds\n");
        return 2;
    }

    const QString grader = parser.value(graderOption);
    if (grader != QLatin1String("offline") && grader != QLatin1String("sim")) {
        std::fprintf(stderr, "studyhost: --grader takes offline or sim\n");
        return 2;
    }
    TGradeScorer offline;
    if (grader == QLatin1String("offline")) {
        try {
            offline = MakeOfflineScorer();
        } catch (const std::exception &e) {
            std::fprintf(stderr, "studyhost: the offline grader cannot start (%s); grading is simulated\n", e.what());
        }
    }
    // On devices the grading engine records through the sound engine and
    // hands the finished recording to the scorer chosen here.
    TRecordingScorer recordingScorer = SimScoreRecording;
    if (offline)
        recordingScorer = [offline](TGradeMode mode, const QString &text, const QString &wavPath) {
            const nlohmann::ordered_json result = offline(static_cast<int>(mode), text, wavPath, 0);
            return result.is_null() ? QString()
                                    : QString::fromStdString(nlohmann::ordered_json{{"result", result}}.dump());
        };
    TStudyHostOptions options = TStudyHostOptions::Beside(QCoreApplication::applicationDirPath());
    // A microphone file means no devices: the device-free engines record it.
    const THostSound sound =
        MakeHostSound(microphone.isEmpty() ? *audioMode : TAudioMode::None, options, recordingScorer);
    std::fprintf(stderr, "studyhost: %s\n", qPrintable(sound.line));
    procSaveLog(QStringLiteral("info：studyhost ") % sound.line);
    if (!sound.error.isEmpty())
        return 1;
    options.sound = sound.sound;
    options.grade = sound.grade;
    if (!options.grade && (offline || !microphone.isEmpty())) {
        auto engine = std::make_shared<TSimGradeEngine>(options.mainPath);
        if (offline)
            engine->SetScorer(offline);
        engine->SetMicrophone(microphone);
        options.grade = engine;
    }
    TStudyHost host(std::move(options));
    TStudyHostWindow window(&host);
    window.ShowSoundDevices(sound.outputName, sound.inputName);
    window.show();
    if (!host.Start(window.Client())) {
        std::fprintf(stderr, "studyhost: %s\n", qPrintable(host.Error()));
        return 1;
    }
    if (parser.isSet(shotOption))
        return TakeScreenshot(host, window, parser.value(shotOption), waitMs);
    QObject::connect(&host, &TStudyHost::Closed, &app, &QCoreApplication::quit);
    return app.exec();
}
