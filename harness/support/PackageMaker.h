#pragma once
// Builds 7z packages for tests with the 7z program, in a chosen entry order.
// The password goes to the program on its standard input.

#include <QByteArray>
#include <QList>
#include <QString>

struct TestEntry
{
    QString name;    // path inside the archive, "/" between folders
    QByteArray data; // content of a file entry
    bool isDirectory = false;
};

struct PackageOptions
{
    QString password = QStringLiteral("Hv8pZt3kQm2Xr5W"); // empty: no encryption
    bool encryptHeaders = true;                           // also hide the entry names (-mhe)
    bool singleRun = false; // one program run for all entries (order then up to the program)
};

// Creates `archive` with the entries, each added by its own program run in
// the given order (unless singleRun). Returns an empty text on success, else
// the program's complaint.
QString MakePackage(const QString &archive, const QList<TestEntry> &entries, const PackageOptions &options = {});

// Renames entry `from` to `to` inside the archive (the program allows names
// to repeat this way).
QString RenameEntry(const QString &archive, const QString &from, const QString &to, const PackageOptions &options = {});

// `size` bytes of reproducible noise.
QByteArray NoiseBytes(int size, quint32 seed);
