#include "PackageStore.h"

#include "LocalPath.h"
#include "PackageFiles.h"

#include <QFileInfo>
#include <QUrl>

namespace PackageStore {

QString DownloadTarget(const QString &mainPath, const char *folder, const QString &address)
{
    const QString name = LocalNameFromUrl(address);
    if (name.isEmpty())
        return {};
    return LocalPath(mainPath, QString::fromLatin1(folder) + name);
}

QString PackageFile(const QString &mainPath, const QString &bookUrl)
{
    return DownloadTarget(mainPath, kPackageFolder, bookUrl);
}

namespace {
QString NormalisedKey(const QString &key)
{
    QString k = QUrl::fromPercentEncoding(key.trimmed().toUtf8());
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (k.startsWith(QLatin1Char('/')))
        k.remove(0, 1);
    return k;
}
} // namespace

bool SamePackageKey(const QString &replyKey, const QString &askedKey)
{
    return NormalisedKey(replyKey) == NormalisedKey(askedKey);
}

TLoadType PackageLoadType(const QString &courseType)
{
    return courseType == QLatin1String("W") ? LTWordPackage : LTLessonPackage;
}

namespace {

// "version" as text; a number written without quotes counts by its digits.
QString VersionText(const nlohmann::ordered_json &book)
{
    const auto it = book.find("version");
    if (it == book.end())
        return {};
    if (it->is_string())
        return QString::fromStdString(it->get<std::string>());
    if (it->is_number_integer())
        return QString::number(it->get<qint64>());
    return {};
}

TPackageState StateOfFailure(TArchiveError error)
{
    switch (error) {
    case TArchiveError::NotFound:
        // An intact package without its description: an old or broken
        // build of the package; the learner decides.
        return TPackageState::Outdated;
    case TArchiveError::NotArchive:
    case TArchiveError::Truncated:
    case TArchiveError::WrongPassword:
    case TArchiveError::Corrupt:
    case TArchiveError::FileMissing: return TPackageState::Unreadable;
    default:
        // The reader could not do its work; nothing is known about the file.
        return TPackageState::Unchecked;
    }
}

} // namespace

TPackageCheck CheckPackage(const QString &packageFile, const QString &expectedVersion)
{
    TPackageCheck check;
    if (packageFile.isEmpty() || !QFileInfo::exists(packageFile)) {
        check.state = TPackageState::Missing;
        check.reason = QStringLiteral("no package file");
        return check;
    }
    TArchiveResult why;
    const std::optional<nlohmann::ordered_json> book = getJBookFromFile(packageFile, &why);
    if (!book) {
        check.state = StateOfFailure(why.error);
        check.reason = ArchiveErrorName(why.error) % QStringLiteral(": ") % why.message;
        return check;
    }
    check.version = VersionText(*book);
    if (check.version == expectedVersion) {
        check.state = TPackageState::Current;
    } else {
        check.state = TPackageState::Outdated;
        check.reason = QStringLiteral("version ") % check.version % QStringLiteral(" instead of ") % expectedVersion;
    }
    return check;
}

bool DeleteBeforeAsking(TPackageState state)
{
    return state == TPackageState::Unreadable;
}

QString DownloadQuestion(TPackageState state, const QString &bookName)
{
    const QString name = bookName.trimmed();
    if (state == TPackageState::Missing)
        return QLatin1Char('\'') % name % QLatin1Char('\'') % QLatin1Char('\n')
               % QStringLiteral("的资源包不存在,是否下载？");
    return QLatin1Char('\'') % name % QStringLiteral("'的资源包不是最新版本,是否下载？");
}

QString DownloadFailedText(const QString &name)
{
    return QStringLiteral("下载") % name.trimmed() % QStringLiteral(" 的资源包失败,请重试");
}

QString RefusedAddressText(const QString &address)
{
    return QStringLiteral("下载地址无效，已拒绝下载：") % address;
}

} // namespace PackageStore
