#include "PackageArchive.h"

#include "ArchiveReader.h"
#include "EntryStream.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>

#include <optional>

namespace {
constexpr qint64 kDefaultMemoryLimit = 64LL * 1024 * 1024;
} // namespace

// Shared by the object and by a call that is waiting on a reader run, so that
// closing or destroying the object from an event handler leaves the waiting
// call with valid state.
struct TPackageArchive::Impl
{
    // Settings, carried over when the package is closed.
    QString program = TArchiveReader::DefaultProgram();
    int stallMs = 30000;
    int totalMs = 600000;
    qint64 memoryLimit = kDefaultMemoryLimit;
    int runs = 0;

    // The open package.
    bool open = false;
    QString path;
    QString password;
    qint64 fileSize = -1;
    QDateTime fileTime;
    QList<TArchiveEntry> entries;
    QHash<QString, int> firstIndex; // lookup key -> first file entry
    std::unique_ptr<TEntryCache> cache;
    bool cached = false;

    TArchiveReader *running = nullptr;
    bool closed = false;
    TArchiveResult last;
};

namespace {

using ImplPtr = std::shared_ptr<TPackageArchive::Impl>;

QStringList commonSwitches()
{
    // -y: never ask a question; -bd: no progress meter; -spd: names are
    // never wildcards; -t7z: only 7z archives are accepted; -sccUTF-8: the
    // console speaks UTF-8.
    return {QStringLiteral("-y"), QStringLiteral("-bd"), QStringLiteral("-spd"), QStringLiteral("-t7z"),
            QStringLiteral("-sccUTF-8")};
}

// Runs the reader with the package's password on its input. `sink` may be
// empty (the output is collected).
TReaderOutcome runReader(const ImplPtr &s, const QStringList &arguments, TArchiveReader::TOutputSink sink)
{
    TArchiveReader reader(s->program);
    reader.SetArguments(arguments);
    reader.SetInputLine(s->password.toUtf8());
    reader.SetOutputSink(std::move(sink));
    reader.SetLimits(s->stallMs, s->totalMs);
    ++s->runs;
    s->running = &reader;
    TReaderOutcome outcome = reader.Run();
    s->running = nullptr;
    return outcome;
}

// The result of a run that did not end with a usable exit.
TArchiveResult failedRun(const ImplPtr &s, const TReaderOutcome &o, const QString &what)
{
    switch (o.kind) {
    case TReaderOutcome::StartFailed:
        return TArchiveResult::Fail(TArchiveError::ReaderMissing, QStringLiteral("cannot start the archive reader \"")
                                                                      + s->program + QStringLiteral("\""));
    case TReaderOutcome::TimedOut:
        return TArchiveResult::Fail(TArchiveError::Timeout,
                                    what + QStringLiteral(": the reader took too long and was stopped"));
    case TReaderOutcome::Aborted:
        return TArchiveResult::Fail(TArchiveError::Closed, what + QStringLiteral(": the package was closed"));
    case TReaderOutcome::Stopped:
    case TReaderOutcome::Finished: break;
    }
    const QString detail = QString::fromUtf8(o.errorText).simplified();
    if (o.crashed)
        return TArchiveResult::Fail(TArchiveError::ReaderFailed, what + QStringLiteral(": the reader crashed"));
    return TArchiveResult::Fail(ClassifyReaderError(o.errorText), what + QStringLiteral(" failed (exit ")
                                                                      + QString::number(o.exitCode)
                                                                      + QStringLiteral("): ") + detail);
}

bool usableExit(const TReaderOutcome &o)
{
    // 1 is the reader's "warning" exit (for instance data after the end of the
    // archive); the content is still checked entry by entry.
    return o.kind == TReaderOutcome::Finished && !o.crashed && (o.exitCode == 0 || o.exitCode == 1);
}

TArchiveResult listPackage(const ImplPtr &s)
{
    const QFileInfo info(s->path);
    if (!info.exists() || !info.isFile())
        return TArchiveResult::Fail(TArchiveError::FileMissing, QStringLiteral("no package file ") + s->path);
    s->fileSize = info.size();
    s->fileTime = info.lastModified();

    QStringList args{QStringLiteral("l"), QStringLiteral("-slt"), QStringLiteral("-ba")};
    args += commonSwitches();
    args << info.absoluteFilePath();
    const TReaderOutcome o = runReader(s, args, {});
    if (s->closed)
        return TArchiveResult::Fail(TArchiveError::Closed, QStringLiteral("listing: the package was closed"));
    if (!usableExit(o))
        return failedRun(s, o, QStringLiteral("listing ") + s->path);
    auto entries = ParseArchiveListing(o.output);
    if (!entries)
        return TArchiveResult::Fail(TArchiveError::Corrupt, QStringLiteral("unreadable listing of ") + s->path);
    s->entries = *entries;
    s->firstIndex.clear();
    for (int i = 0; i < s->entries.size(); ++i) {
        const TArchiveEntry &e = s->entries.at(i);
        if (!e.isDirectory && !s->firstIndex.contains(ArchiveLookupKey(e.name)))
            s->firstIndex.insert(ArchiveLookupKey(e.name), i);
    }
    return TArchiveResult::Ok();
}

// Lists again when the file changed on disk since it was listed, so that the
// content is never split by a stale listing.
TArchiveResult refreshListing(const ImplPtr &s)
{
    const QFileInfo info(s->path);
    if (!info.exists())
        return TArchiveResult::Fail(TArchiveError::FileMissing, QStringLiteral("the package file is gone: ") + s->path);
    if (info.size() == s->fileSize && info.lastModified() == s->fileTime)
        return TArchiveResult::Ok();
    return listPackage(s);
}

// The reader's arguments that stream the package's content ("x -so").
QStringList extractArguments(const ImplPtr &s)
{
    QStringList args{QStringLiteral("x"), QStringLiteral("-so")};
    args += commonSwitches();
    args << QFileInfo(s->path).absoluteFilePath();
    return args;
}

// Every entry of `wanted` has been received completely and checked.
bool allIn(const TEntrySplitter &splitter, const QSet<int> &wanted)
{
    for (int i : wanted)
        if (!splitter.IsDone(i))
            return false;
    return true;
}

// Runs the reader over the whole archive. With `keep` every entry goes into
// the cache; otherwise only the entries of `wanted` are collected into
// `collected` and the reader is stopped once they are all in.
TArchiveResult streamPackage(const ImplPtr &s, bool keep, const QSet<int> &wanted, QHash<int, QByteArray> &collected)
{
    std::unique_ptr<TEntryCache> cache;
    if (keep) {
        cache = std::make_unique<TEntryCache>();
        QString error;
        if (!cache->Begin(s->entries, s->memoryLimit, &error))
            return TArchiveResult::Fail(TArchiveError::CacheFailed, error);
    }
    TEntrySplitter splitter(s->entries, [&](int index, const char *data, qint64 size) {
        if (keep)
            return cache->Append(index, data, size);
        if (wanted.contains(index))
            collected[index].append(data, size);
        return true;
    });
    auto allWantedIn = [&] { return allIn(splitter, wanted); };
    if (!keep && allWantedIn())
        return TArchiveResult::Ok(); // only empty entries were asked for

    const TReaderOutcome o = runReader(s, extractArguments(s), [&](const QByteArray &chunk) {
        // After a mismatch the reader runs on, so that its own verdict (a
        // wrong password, a damaged block) names the failure.
        if (!splitter.Feed(chunk))
            return !splitter.SinkFailed();
        return keep || !allWantedIn();
    });
    if (s->closed)
        return TArchiveResult::Fail(TArchiveError::Closed, QStringLiteral("extraction: the package was closed"));
    if (splitter.SinkFailed())
        return TArchiveResult::Fail(TArchiveError::CacheFailed, QStringLiteral("cannot write the entry cache"));
    if (o.kind == TReaderOutcome::Stopped && !keep && !splitter.Failed())
        return TArchiveResult::Ok();
    if (!usableExit(o))
        return failedRun(s, o, QStringLiteral("extracting ") + s->path);
    if (splitter.Failed() || !splitter.Complete())
        return TArchiveResult::Fail(TArchiveError::Corrupt, QStringLiteral("the content of ") + s->path
                                                                + QStringLiteral(" does not match its listing"));
    if (keep) {
        s->cache = std::move(cache);
        s->cached = true;
    }
    return TArchiveResult::Ok();
}

// The wanted entries alone: their names go to the reader, which then
// decompresses only the blocks that hold them (a book's data.json behind
// megabytes of audio costs a fraction of the whole stream). The reader
// writes every file entry of a given name (names are exact: -spd), in
// archive order. True when every wanted entry came in and matched its
// listing; false when this way gave no usable answer and the whole stream
// must be read instead; a failure of the reader itself (a wrong password, a
// damaged package, a closed package) is `failure`.
bool streamNamedEntries(const ImplPtr &s, const QSet<int> &wanted, QHash<int, QByteArray> &collected,
                        std::optional<TArchiveResult> &failure)
{
    QSet<QString> names;
    for (int i : wanted)
        names.insert(s->entries.at(i).name);
    QStringList args = extractArguments(s);
    args << QStringLiteral("--");
    // Only the named files come through: every other entry is split off as
    // if it held nothing.
    QList<TArchiveEntry> named = s->entries;
    for (TArchiveEntry &e : named)
        if (!e.isDirectory && !names.contains(e.name))
            e.isDirectory = true;
    for (const QString &name : std::as_const(names))
        args << name;

    QHash<int, QByteArray> got;
    TEntrySplitter splitter(named, [&](int index, const char *data, qint64 size) {
        if (wanted.contains(index))
            got[index].append(data, size);
        return true;
    });
    auto allWantedIn = [&] { return allIn(splitter, wanted); };
    const TReaderOutcome o = runReader(s, args, [&](const QByteArray &chunk) {
        if (!splitter.Feed(chunk))
            return true; // let the reader finish: its verdict may name the fault
        return !allWantedIn();
    });
    if (s->closed) {
        failure = TArchiveResult::Fail(TArchiveError::Closed, QStringLiteral("extraction: the package was closed"));
        return false;
    }
    const bool complete = !splitter.Failed() && allWantedIn();
    if (o.kind == TReaderOutcome::Stopped && complete) {
        collected = std::move(got);
        return true;
    }
    if (!usableExit(o)) {
        failure = failedRun(s, o, QStringLiteral("extracting ") + s->path);
        return false;
    }
    if (!complete)
        return false;
    collected = std::move(got);
    return true;
}

TArchiveResult extractNames(const ImplPtr &s, const QStringList &names, bool keep, QHash<QString, QByteArray> &found,
                            QStringList *missing)
{
    if (!s->open)
        return TArchiveResult::Fail(TArchiveError::NotOpen, QStringLiteral("no package is open"));
    if (!s->cached) {
        if (s->running)
            return TArchiveResult::Fail(TArchiveError::Busy, QStringLiteral("the package is being read"));
        if (TArchiveResult r = refreshListing(s); !r)
            return r;
        if (s->closed)
            return TArchiveResult::Fail(TArchiveError::Closed, QStringLiteral("the package was closed"));
    }

    QSet<int> wanted;
    QStringList absent;
    for (const QString &name : names) {
        const int index = s->firstIndex.value(ArchiveLookupKey(name), -1);
        if (index < 0)
            absent << name;
        else
            wanted.insert(index);
    }
    if (missing)
        *missing = absent;
    if (wanted.isEmpty())
        return TArchiveResult::Ok();

    QHash<int, QByteArray> collected;
    if (!s->cached) {
        std::optional<TArchiveResult> failure;
        const bool named = !keep && streamNamedEntries(s, wanted, collected, failure);
        if (failure)
            return *failure;
        if (!named) {
            collected.clear();
            if (TArchiveResult r = streamPackage(s, keep, wanted, collected); !r)
                return r;
        }
        if (!keep) {
            for (const QString &name : names) {
                const int index = s->firstIndex.value(ArchiveLookupKey(name), -1);
                if (index >= 0 && collected.contains(index))
                    found.insert(name, collected.value(index));
                else if (index >= 0 && s->entries.at(index).size == 0)
                    found.insert(name, QByteArray());
            }
            return TArchiveResult::Ok();
        }
    }
    for (const QString &name : names) {
        const int index = s->firstIndex.value(ArchiveLookupKey(name), -1);
        if (index < 0)
            continue;
        std::optional<QByteArray> data = s->cache->Read(index);
        if (!data)
            return TArchiveResult::Fail(TArchiveError::CacheFailed, QStringLiteral("cannot read the entry cache"));
        found.insert(name, *data);
    }
    return TArchiveResult::Ok();
}

} // namespace

TPackageArchive::TPackageArchive() : d(std::make_shared<Impl>())
{
}

TPackageArchive::~TPackageArchive()
{
    Close();
}

void TPackageArchive::Close()
{
    // A call waiting on the reader keeps the old state alive and learns from
    // `closed` that it must give up.
    auto fresh = std::make_shared<Impl>();
    fresh->program = d->program;
    fresh->stallMs = d->stallMs;
    fresh->totalMs = d->totalMs;
    fresh->memoryLimit = d->memoryLimit;
    fresh->runs = d->runs;
    d->closed = true;
    if (d->running)
        d->running->Abort();
    d = std::move(fresh);
}

TArchiveResult TPackageArchive::Open(const QString &path, const QString &password)
{
    if (d->running)
        return d->last = TArchiveResult::Fail(TArchiveError::Busy, QStringLiteral("the package is being read"));
    Close();
    ImplPtr s = d;
    s->path = path;
    s->password = password;
    TArchiveResult r = listPackage(s);
    if (r)
        s->open = true;
    else
        s->entries.clear();
    // `this` may be gone after a reader run: only shared state is touched.
    s->last = r;
    return r;
}

bool TPackageArchive::IsOpen() const
{
    return d->open;
}
QString TPackageArchive::FileName() const
{
    return d->open ? d->path : QString();
}
QList<TArchiveEntry> TPackageArchive::Entries() const
{
    return d->open ? d->entries : QList<TArchiveEntry>();
}

int TPackageArchive::IndexOf(const QString &name) const
{
    return d->open ? d->firstIndex.value(ArchiveLookupKey(name), -1) : -1;
}

TArchiveResult TPackageArchive::Extract(const QString &name, QByteArray &data)
{
    ImplPtr s = d;
    data.clear();
    QHash<QString, QByteArray> found;
    TArchiveResult r = extractNames(s, {name}, true, found, nullptr);
    if (r && !found.contains(name))
        r = TArchiveResult::Fail(TArchiveError::NotFound, QStringLiteral("no entry ") + name);
    if (r)
        data = found.value(name);
    s->last = r;
    return r;
}

TArchiveResult TPackageArchive::ExtractSet(const QStringList &names, QHash<QString, QByteArray> &found,
                                           QStringList *missing)
{
    ImplPtr s = d;
    TArchiveResult r = extractNames(s, names, true, found, missing);
    s->last = r;
    return r;
}

TArchiveResult TPackageArchive::ExtractUncached(const QStringList &names, QHash<QString, QByteArray> &found,
                                                QStringList *missing)
{
    ImplPtr s = d;
    TArchiveResult r = extractNames(s, names, false, found, missing);
    s->last = r;
    return r;
}

bool TPackageArchive::ContentToMemory(const QString &name, QByteArray &stream)
{
    return Extract(name, stream).ok();
}

TArchiveResult TPackageArchive::LastResult() const
{
    return d->last;
}
bool TPackageArchive::IsCached() const
{
    return d->cached;
}
QString TPackageArchive::CacheFolder() const
{
    return d->cache ? d->cache->Folder() : QString();
}
int TPackageArchive::ReaderRuns() const
{
    return d->runs;
}
void TPackageArchive::SetReaderProgram(const QString &program)
{
    d->program = program;
}

void TPackageArchive::SetReaderLimits(int stallMs, int totalMs)
{
    d->stallMs = stallMs;
    d->totalMs = totalMs;
}

void TPackageArchive::SetMemoryCacheLimit(qint64 bytes)
{
    d->memoryLimit = bytes;
}
