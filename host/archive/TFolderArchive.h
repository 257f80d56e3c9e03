#pragma once
// The host's UI archive served from a folder tree.
//
// Archive names are relative Windows-style paths ("png\study\UnRecorded.png",
// "ani\ExpEffect\filelist.txt"); they map to files under the root folder with
// "\" read as a folder separator ("/" is accepted too). Names are compared
// without regard to case, like every path of the module. A name that is
// empty, absolute, carries a drive, or has a "." or ".." segment is refused,
// and so is a file whose real location (after links) lies outside the root:
// the archive never serves anything but its own files.

#include "HostServices.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The relative path ("png/study/UnRecorded.png") of an archive name, or
// nullopt when the name would leave the archive's folder or names nothing.
std::optional<QString> ArchiveRelativePath(const QString &name);

class TFolderArchive : public IArchive
{
public:
    // Indexes the files under `root` (which need not exist: the archive is
    // then empty).
    explicit TFolderArchive(const QString &root);

    std::optional<QByteArray> GetResource(const QString &name) override;

    // Reads the folder again, e.g. after files were added.
    void Rescan();
    QString Root() const { return m_root; }
    // Relative paths ("/"-separated, as on disk) of every indexed file, sorted.
    QStringList Files() const;
    // The file that `name` maps to, or an empty text when absent or refused.
    QString FilePath(const QString &name) const;

private:
    QString m_root;                  // absolute, canonical when it exists
    QHash<QString, QString> m_index; // lower-cased relative path -> relative path on disk
};
