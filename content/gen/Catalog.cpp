#include "Catalog.h"

#include <QFileInfo>

#include <algorithm>
#include <QSet>
#include <QStringList>

#include <nlohmann/json.hpp>

using json = nlohmann::json;

namespace {

struct TReader
{
    const json &object;
    QString where;
    QString &error;

    bool Text(const char *key, QString &out) const
    {
        const auto it = object.find(key);
        if (it == object.end() || !it->is_string()) {
            error = where + QStringLiteral(": \"") + QLatin1String(key) + QStringLiteral("\" is not a text");
            return false;
        }
        out = QString::fromStdString(it->get<std::string>());
        return true;
    }
    bool Integer(const char *key, qint64 &out) const
    {
        const auto it = object.find(key);
        if (it == object.end() || !it->is_number_integer()) {
            error = where + QStringLiteral(": \"") + QLatin1String(key) + QStringLiteral("\" is not an integer");
            return false;
        }
        out = it->get<qint64>();
        return true;
    }
    bool Path(const char *key, QString &out) const
    {
        if (!Text(key, out))
            return false;
        if (!IsSafeServedPath(out)) {
            error =
                where + QStringLiteral(": \"") + QLatin1String(key) + QStringLiteral("\" is not a safe path: ") + out;
            return false;
        }
        return true;
    }
    bool Colour(QColor &out) const
    {
        QString text;
        if (!Text("tileColor", text))
            return false;
        out = QColor::fromString(text);
        if (!out.isValid()) {
            error = where + QStringLiteral(": \"tileColor\" is not a colour");
            return false;
        }
        return true;
    }
};

bool List(const json &root, const char *key, QString &error)
{
    if (!root.contains(key) || !root[key].is_array()) {
        error = QStringLiteral("\"") + QLatin1String(key) + QStringLiteral("\" is not an array");
        return false;
    }
    return true;
}

} // namespace

bool IsSafeServedPath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\'))
        || path.contains(QLatin1Char(':')))
        return false;
    const QStringList segments = path.split(QLatin1Char('/'));
    for (const QString &s : segments) {
        if (s.isEmpty() || s == QLatin1String(".") || s == QLatin1String(".."))
            return false;
    }
    return true;
}

bool ParseCatalog(const QByteArray &text, TCatalog &catalog, QString &error)
{
    catalog = {};
    const json root = json::parse(text.constData(), text.constData() + text.size(), nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        error = QStringLiteral("the catalog is not a JSON object");
        return false;
    }
    if (!List(root, "books", error) || !List(root, "materials", error) || !List(root, "recommended", error))
        return false;
    QSet<qint64> ids;
    QSet<QString> packages;
    for (size_t i = 0; i < root["books"].size(); ++i) {
        TReader r{root["books"][i], QStringLiteral("books[%1]").arg(i), error};
        TCatalogBook b;
        if (!r.Integer("lessonId", b.lessonId) || !r.Text("lessonName", b.lessonName)
            || !r.Text("courseType", b.courseType) || !r.Path("source", b.source) || !r.Path("url", b.url)
            || !r.Text("version", b.version) || !r.Integer("versionNo", b.versionNo)
            || !r.Path("packagePic", b.packagePic) || !r.Colour(b.tileColor))
            return false;
        // The module stores a package under the last segment of its address:
        // two books with the same file name would overwrite each other.
        const QString fileName = QFileInfo(b.url).fileName().toLower();
        if (ids.contains(b.lessonId) || packages.contains(fileName)) {
            error = r.where + QStringLiteral(": id or package file name used twice");
            return false;
        }
        ids.insert(b.lessonId);
        packages.insert(fileName);
        catalog.books.append(b);
    }
    ids.clear();
    for (size_t i = 0; i < root["materials"].size(); ++i) {
        TReader r{root["materials"][i], QStringLiteral("materials[%1]").arg(i), error};
        TCatalogMaterial m;
        if (!r.Integer("materialId", m.materialId) || !r.Text("title", m.title) || !r.Text("text", m.text)
            || !r.Path("picture", m.picture) || !r.Path("contentPicture", m.contentPicture)
            || !r.Path("origiVoice", m.origiVoice) || !r.Colour(m.tileColor))
            return false;
        if (ids.contains(m.materialId) || QFileInfo(m.origiVoice).fileName().size() < 10) {
            error = r.where + QStringLiteral(": id used twice or audio file name shorter than 10 characters");
            return false;
        }
        ids.insert(m.materialId);
        catalog.materials.append(m);
    }
    ids.clear();
    for (size_t i = 0; i < root["recommended"].size(); ++i) {
        TReader r{root["recommended"][i], QStringLiteral("recommended[%1]").arg(i), error};
        TCatalogCourse c;
        if (!r.Integer("goodsId", c.goodsId) || !r.Text("goodsName", c.goodsName) || !r.Text("goodsLevel", c.goodsLevel)
            || !r.Path("goodsPic", c.goodsPic) || !r.Colour(c.tileColor))
            return false;
        if (ids.contains(c.goodsId)) {
            error = r.where + QStringLiteral(": id used twice");
            return false;
        }
        // Adding a course gives the user its books: each must be in the
        // catalog, and a course without books would offer nothing to add.
        const json &item = root["recommended"][i];
        {
            if (!item.contains("includes") || !item["includes"].is_array() || item["includes"].empty()) {
                error = r.where + QStringLiteral(": \"includes\" is not an array of at least one book");
                return false;
            }
            for (const json &id : item["includes"]) {
                const bool known =
                    id.is_number_integer()
                    && std::any_of(catalog.books.cbegin(), catalog.books.cend(),
                                   [&](const TCatalogBook &b) { return b.lessonId == id.get<qint64>(); });
                if (!known) {
                    error = r.where + QStringLiteral(": \"includes\" names a book that is not in the catalog");
                    return false;
                }
                c.includes.append(id.get<qint64>());
            }
        }
        ids.insert(c.goodsId);
        catalog.recommended.append(c);
    }
    return true;
}
