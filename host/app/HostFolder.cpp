#include "HostFolder.h"

#include <QFileInfo>
#include <QProcess>

#include <filesystem>
#include <system_error>

#include <csignal>
#include <sys/prctl.h>

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const QString &s)
{
    return fs::path(s.toStdString());
}

QString Failure(const char *what, const fs::path &path, const std::error_code &ec)
{
    return QString::fromLatin1(what) + QStringLiteral(" ") + QString::fromStdString(path.string())
           + QStringLiteral(": ") + QString::fromStdString(ec.message());
}

// Removes whatever `path` names (a link, a file, not a folder's contents
// behind a link) so that a new link can take its place.
bool Clear(const fs::path &path, std::error_code &ec)
{
    ec.clear();
    const fs::file_status s = fs::symlink_status(path, ec);
    if (ec || !fs::exists(s)) {
        ec.clear();
        return true;
    }
    if (fs::is_directory(s))
        fs::remove_all(path, ec);
    else
        fs::remove(path, ec);
    return !ec;
}

} // namespace

QString PrepareHostFolder(const QString &source, const QString &executable, const QString &target)
{
    std::error_code ec;
    const fs::path from = PathOf(source);
    const fs::path to = PathOf(target);
    fs::create_directories(to, ec);
    if (ec)
        return Failure("cannot create", to, ec);

    // The executable must be a real file in the folder: the program's own
    // path (/proc/self/exe) resolves symbolic links, a hard link it keeps.
    const fs::path exe = PathOf(executable);
    const fs::path exeTarget = to / exe.filename();
    if (!Clear(exeTarget, ec))
        return Failure("cannot replace", exeTarget, ec);
    fs::create_hard_link(exe, exeTarget, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(exe, exeTarget, fs::copy_options::overwrite_existing, ec);
        if (ec)
            return Failure("cannot copy the host program to", exeTarget, ec);
    }

    // The plug-in and its libraries, the service's content and the UI
    // pictures are only read: links.
    for (const fs::directory_entry &entry : fs::directory_iterator(from, ec)) {
        const std::string name = entry.path().filename().string();
        const bool library = name.starts_with("lib") && name.find(".so") != std::string::npos;
        const bool shared = name == "content" || name == "uiarchive";
        if (!library && !shared)
            continue;
        const fs::path link = to / name;
        if (!Clear(link, ec))
            return Failure("cannot replace", link, ec);
        fs::create_symlink(fs::absolute(entry.path()), link, ec);
        if (ec)
            return Failure("cannot link", link, ec);
    }
    if (ec)
        return Failure("cannot read", from, ec);

    // The configuration holds the result store, which the module writes:
    // a copy, made once.
    const fs::path config = from / "config";
    if (fs::is_directory(config, ec) && !fs::exists(to / "config", ec)) {
        fs::copy(config, to / "config", fs::copy_options::recursive, ec);
        if (ec)
            return Failure("cannot copy the configuration to", to / "config", ec);
    }
    return {};
}

QStringList HostFolderArguments(const QStringList &arguments, const QString &folder)
{
    QStringList out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--keep-main-path") || a.startsWith(QLatin1String("--main-path=")))
            continue;
        if (a == QLatin1String("--main-path")) {
            ++i; // its value
            continue;
        }
        out << a;
    }
    out << QStringLiteral("--main-path") << folder;
    return out;
}

bool IsSameFolder(const QString &folder, const QString &ownFolder)
{
    const QString a = QFileInfo(folder).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(ownFolder).canonicalFilePath();
}

int RunHostIn(const QString &program, const QStringList &arguments)
{
    QProcess host;
    host.setProgram(program);
    host.setArguments(arguments);
    host.setProcessChannelMode(QProcess::ForwardedChannels);
    host.setInputChannelMode(QProcess::ForwardedInputChannel);
    // A host killed while it waits must not leave the started one running.
    host.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    host.start();
    if (!host.waitForStarted(-1))
        return 1;
    host.waitForFinished(-1);
    return host.exitStatus() == QProcess::NormalExit ? host.exitCode() : 1;
}
