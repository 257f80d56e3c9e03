#pragma once
// Writing record files: one place for the folder creation and the atomic
// replacement every record file needs.

#include <QByteArray>
#include <QString>

// Writes `bytes` to `path` ("\" accepted as separator), creating the folder;
// an existing file is replaced only when the new content is complete.
bool WriteRecordFile(const QString &path, const QByteArray &bytes);
// Reads the whole file; false when it cannot be read.
bool ReadRecordFile(const QString &path, QByteArray &bytes);
