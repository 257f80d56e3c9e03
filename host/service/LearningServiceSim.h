#pragma once
// The learning service simulated inside the host process.
//
// It answers every request code of the host protocol from the sample catalog
// (the served folder's catalog.json and packages) and from its own state in
// a SQLite file, and runs the loopback HTTP server that serves the folder's
// packages, pictures and audio, the synthesised speech, and takes uploads.
// Replies go to the reply sink from the event loop, never inside Request.
//
// For scenarios a request code can be dropped (no reply at all, like a lost
// answer) or its reply replaced by a given text.

#include "ILearningService.h"
#include "ServiceCatalog.h"
#include "ServiceState.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class LocalHttpServer;
struct THttpRequest;
struct THttpResponse;

class TLearningServiceSim : public QObject, public ILearningService
{
    Q_OBJECT
public:
    explicit TLearningServiceSim(QObject *parent = nullptr);
    ~TLearningServiceSim() override;

    // Reads the catalog of `servedFolder`, opens (or creates) the state file
    // and starts the HTTP server on 127.0.0.1. `workFolder` receives the
    // synthesised speech and the uploaded files. False with Error() when any
    // of these fails.
    bool Start(const QString &servedFolder, const QString &stateFile, const QString &workFolder);
    QString Error() const { return m_error; }

    void SetReplySink(TReplyProc sink) override { m_sink = std::move(sink); }
    void Request(const QString &text) override;

    // Which requests of a code a scenario control applies to: all of them
    // when `member` is empty, else those whose text member `member` starts
    // with `prefix` (e.g. the download addresses of pictures: "key", "pics/").
    struct TRequestFilter
    {
        QString member;
        QString prefix;
        bool Matches(const nlohmann::ordered_json &request) const;
    };

    // Scenario controls: a dropped request gets no reply; an overriding text
    // is sent instead of the computed reply (the request is still carried
    // out). The control given last wins when several match a request.
    // Drop(code, false) ends the drops of that code.
    void Drop(int requestCode, bool drop = true, const TRequestFilter &filter = {});
    void OverrideReply(int requestCode, const QString &replyText, const TRequestFilter &filter = {});
    // The computed replies to the requests concerned arrive `ms` of stated
    // time (the study clock) late, as from a slow service.
    void Delay(int requestCode, int ms, const TRequestFilter &filter = {});
    void ClearOverrides();

    // The replies to a request, computed and applied to the state at once
    // (without drops and overrides). Request uses it.
    QStringList Answer(const QString &text);
    // True while an answer is being worked out. Answering may wait on a
    // package reader, which dispatches events; an owner must not free the
    // simulator then (see TStudyHost's retiring of the service).
    bool IsAnswering() const { return m_answering > 0; }

    // The sample account's user id (the host's sample login). Seen for the
    // first time, this user also gets the sample work: best scores in the
    // first units of the textbook, studied words in the word book and
    // assignments with a unit whose one unfinished lesson is still to do.
    static constexpr qint64 kSampleUid = 10001;

    // The notice 10000 that pushes the first unit of a book holding an
    // unfinished assignment of the user: "content" is the JSON text with the
    // book's "courseType" ("W" or "L") and one entry per assignment of that
    // unit ("assignmentId", "unitId", "lessonId", "title"). Nothing when the
    // user has no unfinished assignment in the book.
    std::optional<QString> AssignmentNotice(qint64 uid, qint64 bookId);

    // The time stamped on stored scores; the current time unless set.
    void SetNow(const QDateTime &now) { m_now = now; }

    LocalHttpServer *HttpServer() const { return m_http.get(); }
    TServiceState &State() { return m_state; }
    TServiceCatalog &Catalog() { return m_catalog; }

    // Counts of requests handed to Request, by code (for scenario transcripts).
    int RequestCount(int code) const { return m_requestCounts.value(code); }

private:
    using json = nlohmann::ordered_json;

    json Reply(int code, const json &req);
    void SeedUser(qint64 uid);
    void SeedSampleWork(qint64 uid);
    // Whether an assignment is finished: a word unit when every word was
    // studied, a lesson when it has a stored score.
    bool AssignmentFinished(qint64 uid, const TStoredAssignment &a);
    QString Now() const;
    QString Served(const QString &path) const;

    json Shelf(qint64 uid);
    json PackageRecord(const json &req);
    json DownloadAddress(const json &req);
    json UploadAddress(const json &req);
    json AddCourse(const json &req);
    json CourseContents(const json &req);
    json MaterialContent(const json &req);
    json Lessons(const json &req);
    json LessonProgress(qint64 uid, qint64 bookId);
    json WordProgress(qint64 uid, qint64 bookId);
    json Assignments(const json &req);
    json AssignmentBest(const json &req);
    json Score(const json &req);
    json WordResult(const json &req);
    json Share(const json &req);
    json History(const json &req);
    json Speech(const json &req);

    std::optional<THttpResponse> OnHttp(const THttpRequest &req);

    TServiceCatalog m_catalog;
    TServiceState m_state;
    std::unique_ptr<LocalHttpServer> m_http;
    QString m_workFolder;
    QString m_error;
    TReplyProc m_sink;
    // Scenario controls in the order given; a null reply drops.
    struct TControl
    {
        int code = 0;
        TRequestFilter filter;
        QString reply;
        int delayMs = -1; // 0 or more: a delay, not a drop or a reply
    };
    QList<TControl> m_controls;
    QHash<int, int> m_requestCounts;
    int m_answering = 0;
    QDateTime m_now;
};
