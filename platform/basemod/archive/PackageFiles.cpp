#include "PackageFiles.h"

#include "PackageArchive.h"

#include <QStringDecoder>

namespace {
const QString kBookEntry = QStringLiteral("data.json");
} // namespace

std::optional<nlohmann::ordered_json> ParsePackageJson(const QByteArray &text)
{
    // Strings that are not UTF-8 would make every later serialisation throw.
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8.decode(text);
    if (utf8.hasError())
        return std::nullopt;
    nlohmann::ordered_json json = nlohmann::ordered_json::parse(text.constBegin(), text.constEnd(), nullptr, false);
    if (json.is_discarded() || !json.is_object())
        return std::nullopt;
    return json;
}

std::optional<nlohmann::ordered_json> getJBookFromFile(const QString &path, TArchiveResult *why)
{
    TArchiveResult ignored;
    TArchiveResult &result = why ? *why : ignored;
    TPackageArchive package;
    result = package.Open(path);
    if (!result)
        return std::nullopt;
    QHash<QString, QByteArray> found;
    result = package.ExtractUncached({kBookEntry}, found);
    if (!result)
        return std::nullopt;
    if (!found.contains(kBookEntry)) {
        result = TArchiveResult::Fail(TArchiveError::NotFound, QStringLiteral("no data.json in ") + path);
        return std::nullopt;
    }
    auto json = ParsePackageJson(found.value(kBookEntry));
    if (!json)
        result = TArchiveResult::Fail(TArchiveError::Corrupt,
                                      QStringLiteral("data.json of ") + path + QStringLiteral(" is not a JSON object"));
    return json;
}

QByteArray GetLessonPicture(const QString &fileName, const QString &packFileName)
{
    TPackageArchive package;
    if (!package.Open(packFileName))
        return {};
    const QString png = fileName + QStringLiteral(".png");
    const QString jpg = fileName + QStringLiteral(".jpg");
    const int a = package.IndexOf(png);
    const int b = package.IndexOf(jpg);
    if (a < 0 && b < 0)
        return {};
    const QString first = (b < 0 || (a >= 0 && a < b)) ? png : jpg;
    QHash<QString, QByteArray> found;
    if (!package.ExtractUncached({first}, found))
        return {};
    return found.value(first);
}
