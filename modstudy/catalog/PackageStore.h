#pragma once
// Decisions of the local resource package store, kept apart from the frame so
// that they can be checked without a window: where a package or a downloaded
// file goes, whether the package on disk can be opened as it is, which files
// go before the learner is asked, and the texts the learner sees.
//
// A downloaded file is named by the last segment of its address ("a/b/c.7z"
// and "a\b\c.7z" give "c.7z"). An address whose last segment cannot be a file
// name (empty, ".", "..", blanks only, a control character or ":") gives no
// target at all: nothing is downloaded for it and nothing is written.

#include "StudyTypes.h"

#include <QString>

namespace PackageStore {

// The working folders, relative to the main path.
inline constexpr char kPackageFolder[] = "data\\";
inline constexpr char kMaterialFolder[] = "Data\\";
inline constexpr char kBookPictureFolder[] = "pics\\book\\";

// The local file for a download into one of the working folders above; empty
// when the address has no usable file name or the folder cannot be resolved.
QString DownloadTarget(const QString &mainPath, const char *folder, const QString &address);

// The package file of a book, found by the book's "url"; empty when the
// address has no usable file name.
QString PackageFile(const QString &mainPath, const QString &bookUrl);

// Whether an address reply's "key" names the same package address as the
// key it was asked with: compared after trimming, with a backslash read as "/",
// without leading separators and with percent-escapes decoded, as services
// echo keys in either spelling.
bool SamePackageKey(const QString &replyKey, const QString &askedKey);

// The kind of download a book's package is: word books ("W") and lesson books.
TLoadType PackageLoadType(const QString &courseType);

// What the package file on disk is worth.
enum class TPackageState {
    Current,    // readable and of the version of the package record: open it
    Missing,    // no package file: ask whether to download
    Outdated,   // readable but another version, or without "data.json": ask, keep the file until Yes
    Unreadable, // the file is damaged, not a package or locked with another password: delete it, then ask
    Unchecked,  // the check itself could not run (no reader program, time-out): ask, keep the file until Yes
};

struct TPackageCheck
{
    TPackageState state = TPackageState::Missing;
    QString version; // the "version" of "data.json" when it could be read
    QString reason;  // why the package is not current, for the log
};

// Reads the package's "data.json" and compares its "version" with
// `expectedVersion` (the package record's). Only reads the file.
TPackageCheck CheckPackage(const QString &packageFile, const QString &expectedVersion);

// True when the package file goes before the learner is asked.
bool DeleteBeforeAsking(TPackageState state);

// The question for a package that is not current ("Missing" has its own text,
// every other state asks whether to download the latest version).
QString DownloadQuestion(TPackageState state, const QString &bookName);

// The message after a failed package or material download, or after a
// downloaded lesson package could not be decoded.
QString DownloadFailedText(const QString &name);

// The message for an address that has no usable file name.
QString RefusedAddressText(const QString &address);

} // namespace PackageStore
