#include "FileTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString withSlashes(QString s)
{
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s;
}

QString markKey(const QString &path)
{
    return QDir::cleanPath(QFileInfo(withSlashes(path)).absoluteFilePath());
}

struct MarkRegistry
{
    QMutex mutex;
    QHash<QString, int> counts;
};

MarkRegistry &marks()
{
    static MarkRegistry r;
    return r;
}

bool isMarked(const QString &key)
{
    QMutexLocker lock(&marks().mutex);
    return marks().counts.value(key) > 0;
}

// Another open file description holds a flock on the file.
bool isLockedElsewhere(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false; // unreadable files are not "in use"; reading them fails plainly
    bool locked = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        locked = errno == EWOULDBLOCK;
    else
        ::flock(fd, LOCK_UN);
    ::close(fd);
    return locked;
}

// Access mode of an open descriptor from /proc/<pid>/fdinfo/<fd>.
int accessMode(const std::string &pid, const std::string &fd)
{
    const std::string path = "/proc/" + pid + "/fdinfo/" + fd;
    FILE *f = std::fopen(path.c_str(), "re");
    if (!f)
        return O_RDONLY;
    char line[128];
    int mode = O_RDONLY;
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, "flags:", 6) == 0) {
            mode = static_cast<int>(std::strtol(line + 6, nullptr, 8)) & O_ACCMODE;
            break;
        }
    }
    std::fclose(f);
    return mode;
}

bool isNumeric(const char *s)
{
    if (!*s)
        return false;
    for (; *s; ++s)
        if (*s < '0' || *s > '9')
            return false;
    return true;
}

// A process of this user has the file (same device and inode) open for
// writing. Processes whose descriptors cannot be read are skipped.
bool isOpenForWriting(const struct stat &target)
{
    DIR *proc = ::opendir("/proc");
    if (!proc)
        return false;
    bool found = false;
    while (!found) {
        const dirent *p = ::readdir(proc);
        if (!p)
            break;
        if (!isNumeric(p->d_name))
            continue;
        const std::string pid = p->d_name;
        const std::string fdDir = "/proc/" + pid + "/fd";
        DIR *fds = ::opendir(fdDir.c_str());
        if (!fds)
            continue;
        while (const dirent *e = ::readdir(fds)) {
            if (!isNumeric(e->d_name))
                continue;
            const std::string fd = e->d_name;
            const std::string link = fdDir + "/" + fd;
            struct stat st;
            if (::stat(link.c_str(), &st) != 0 || st.st_dev != target.st_dev || st.st_ino != target.st_ino)
                continue;
            if (accessMode(pid, fd) != O_RDONLY) {
                found = true;
                break;
            }
        }
        ::closedir(fds);
    }
    ::closedir(proc);
    return found;
}

} // namespace

bool ForceDirectories(const QString &path)
{
    const QString p = withSlashes(path);
    if (p.isEmpty())
        return false;
    QDir().mkpath(p);
    return QFileInfo(p).isDir();
}

bool DeleteAllFile(const QString &folder)
{
    const QDir dir(withSlashes(folder));
    if (!dir.exists())
        return true;
    bool all = true;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &e : entries) {
        if (e.isDir() && !e.isSymLink())
            continue;
        if (!QFile::remove(e.absoluteFilePath()))
            all = false;
    }
    return all;
}

bool IsFileInUse(const QString &path)
{
    const QString p = withSlashes(path);
    if (p.isEmpty())
        return false;
    if (isMarked(markKey(p)))
        return true;
    const QByteArray native = QFile::encodeName(p);
    struct stat target;
    if (::stat(native.constData(), &target) != 0 || !S_ISREG(target.st_mode))
        return false;
    return isLockedElsewhere(native) || isOpenForWriting(target);
}

TFileWriteMark::TFileWriteMark(const QString &path) : FKey(markKey(path))
{
    QMutexLocker lock(&marks().mutex);
    int &count = marks().counts[FKey];
    FAlreadyMarked = count > 0;
    ++count;
}

TFileWriteMark::~TFileWriteMark()
{
    QMutexLocker lock(&marks().mutex);
    auto it = marks().counts.find(FKey);
    if (it != marks().counts.end() && --it.value() <= 0)
        marks().counts.erase(it);
}
