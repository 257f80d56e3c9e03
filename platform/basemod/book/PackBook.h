#pragma once
// The book model of an opened resource package: units, lessons, parts and
// sentences of a lesson book, or the units of a word book.
//
// The book keeps its package open after decoding (shared with every sentence
// of the book), so that a sentence's model audio is one lookup away: the first
// audio read extracts the package once, later ones read the kept entries (see
// PackageArchive.h). A sentence writes its audio below the main path, the host
// program's folder unless SetMainPath gave another.

#include "basemod_export.h"

#include <QList>
#include <QString>

#include <memory>

class TPackageArchive;

// What the sentences of one decoded book share: the open package and the
// folder below which "tmp/temp.mp3" is written.
struct TBookSource
{
    std::shared_ptr<TPackageArchive> package;
    QString mainPath;
};

class BASEMOD_EXPORT TeduPack_Sentence
{
public:
    qint64 Id = 0;
    QString Text;           // the English sentence
    QString SpeakerName;    // shown before the sentence; the role in role play
    QString SpeakerPicture; // picture file name of the speaker ("Man.png")
    QString AudioEntry;     // package entry of the model audio

    // Writes the model audio to <main path>/tmp/temp.mp3 (the folder is made
    // when missing) and returns true. On false (no package, no such entry,
    // unreadable package, unwritable file) no earlier sentence's audio is left
    // in that file to be played in this one's place.
    bool SaveToFile() const;
    // The same into any file.
    bool SaveToFile(const QString &target) const;
    // <main path>/tmp/temp.mp3; empty for a sentence outside a decoded book.
    QString TempAudioPath() const;

    void SetSource(std::shared_ptr<TBookSource> source) { m_source = std::move(source); }

private:
    std::shared_ptr<TBookSource> m_source;
};

class BASEMOD_EXPORT TeduPack_Part
{
public:
    qint64 Id = 0;
    QList<TeduPack_Sentence> Sentences;
};

class BASEMOD_EXPORT TeduPack_Lesson
{
public:
    qint64 Id = 0;
    QString Name;
    QString PictureName; // without extension: the package holds PictureName + ".png" or ".jpg"
    QList<TeduPack_Part> Parts;
};

class BASEMOD_EXPORT TeduPack_Unit
{
public:
    qint64 Id = 0;
    QString Name;
    QList<TeduPack_Lesson> Lessons; // empty in a word book
    qint64 OrderId = 0;             // word book: folder number of the unit's files
    int WordCount = 0;              // word book: number of words

    // Progress for display, 0 to 100: values outside are clamped, a value that
    // is not a number counts as 0.
    float FinishPercent() const { return m_finishPercent; }
    float AverageScore() const { return m_averageScore; }
    void SetFinishPercent(float value);
    void SetAverageScore(float value);

private:
    float m_finishPercent = 0;
    float m_averageScore = 0;
};

class BASEMOD_EXPORT TeduPack_Book
{
public:
    TeduPack_Book();

    bool IsWordBook = false;
    QString Version;
    qint64 BookId = 0;
    QString BookName;
    QList<TeduPack_Unit> Units;

    // Opens the package at `path`, reads its "data.json" and replaces the
    // whole model with it. On false the model is empty, the package closed and
    // DecodeError() says what failed; a half-read book is never left behind.
    bool funcDecodeResourceFile(const QString &path);
    QString DecodeError() const { return m_error; }

    // Folder below which sentences write "tmp/temp.mp3". Applies to the
    // sentences already decoded too.
    void SetMainPath(const QString &path);
    QString MainPath() const;
    // The open package (null before a successful decode).
    std::shared_ptr<TPackageArchive> Package() const;

private:
    std::shared_ptr<TBookSource> m_source;
    QString m_error;
};
