#pragma once
// The sample catalog (content/catalog.json): every book with its package and
// tile, the teaching materials and the recommended courses. The format is
// described in content/README.md; the learning service simulator reads the
// same file to answer shelf requests.

#include <QColor>
#include <QList>
#include <QString>

struct TCatalogBook
{
    qint64 lessonId = 0;
    QString lessonName;
    QString courseType; // "L" lesson book, "W" word book, other: extracurricular
    QString source;     // book source file, relative to the catalog
    QString url;        // package path below the served folder
    QString version;
    qint64 versionNo = 0;
    QString packagePic; // tile picture path below the served folder
    QColor tileColor;

    bool IsWordBook() const { return courseType == QLatin1String("W"); }
};

struct TCatalogMaterial
{
    qint64 materialId = 0;
    QString title;
    QString text;
    QString picture;        // tile picture
    QString contentPicture; // picture beside the text
    QString origiVoice;     // model audio of the text
    QColor tileColor;
};

struct TCatalogCourse
{
    qint64 goodsId = 0;
    QString goodsName;
    QString goodsLevel;
    QString goodsPic;
    QColor tileColor;
    QList<qint64> includes; // books that adding the course gives the user
};

struct TCatalog
{
    QList<TCatalogBook> books;
    QList<TCatalogMaterial> materials;
    QList<TCatalogCourse> recommended;
};

// Reads and checks the catalog text. Every served path must be relative and
// stay inside the served folder; ids are unique per list; material audio
// names are at least 10 characters long (shorter names are fetched again on
// every opening by the module). False with `error` naming the problem.
bool ParseCatalog(const QByteArray &text, TCatalog &catalog, QString &error);

// True for a relative path without "..", "\" or empty segments.
bool IsSafeServedPath(const QString &path);
