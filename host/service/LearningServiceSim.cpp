#include "LearningServiceSim.h"

#include "StudyClock.h"

#include "LocalHttpServer.h"
#include "MultipartForm.h"
#include "ServiceErrors.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>

using json = nlohmann::ordered_json;

TLearningServiceSim::TLearningServiceSim(QObject *parent) : QObject(parent)
{
}

TLearningServiceSim::~TLearningServiceSim() = default;

bool TLearningServiceSim::Start(const QString &servedFolder, const QString &stateFile, const QString &workFolder)
{
    if (!m_catalog.Load(servedFolder)) {
        m_error = m_catalog.Error();
        return false;
    }
    if (!QDir().mkpath(workFolder) || !QDir().mkpath(QFileInfo(stateFile).absolutePath())) {
        m_error = QStringLiteral("cannot create ") + workFolder;
        return false;
    }
    m_workFolder = workFolder;
    if (!m_state.Open(stateFile)) {
        m_error = m_state.Error();
        return false;
    }
    m_http = std::make_unique<LocalHttpServer>();
    m_http->SetRoot(servedFolder);
    m_http->SetHandler([this](const THttpRequest &req) { return OnHttp(req); });
    if (!m_http->Listen()) {
        m_error = QStringLiteral("the HTTP server cannot listen on 127.0.0.1");
        return false;
    }
    return true;
}

void TLearningServiceSim::Request(const QString &text)
{
    const json req = json::parse(text.toStdString(), nullptr, false);
    const int code = req.is_object() && req.contains("apiCode") && req["apiCode"].is_number_integer()
                         ? req["apiCode"].get<int>()
                         : 0;
    ++m_requestCounts[code];
    // The reply is worked out and delivered from the event loop, so that the
    // caller's own send returns first, as with a remote service.
    QTimer::singleShot(0, this, [this, text, code] {
        const QStringList replies = Answer(text);
        if (!m_sink)
            return;
        const json request = json::parse(text.toStdString(), nullptr, false);
        for (auto control = m_controls.crbegin(); control != m_controls.crend(); ++control) {
            if (control->code != code || !control->filter.Matches(request))
                continue;
            if (control->delayMs >= 0) {
                QTimer::singleShot(StudyClock::scaled(control->delayMs), this, [this, replies] {
                    for (const QString &r : replies)
                        if (m_sink)
                            m_sink(r);
                });
            } else if (!control->reply.isNull()) {
                m_sink(control->reply);
            }
            return;
        }
        for (const QString &r : replies)
            m_sink(r);
    });
}

bool TLearningServiceSim::TRequestFilter::Matches(const json &request) const
{
    if (member.isEmpty())
        return true;
    if (!request.is_object())
        return false;
    const auto it = request.find(member.toStdString());
    return it != request.end() && it->is_string() && QString::fromStdString(it->get<std::string>()).startsWith(prefix);
}

void TLearningServiceSim::Drop(int requestCode, bool drop, const TRequestFilter &filter)
{
    if (drop) {
        m_controls.append({requestCode, filter, QString()});
        return;
    }
    m_controls.removeIf(
        [requestCode](const TControl &c) { return c.code == requestCode && c.reply.isNull() && c.delayMs < 0; });
}

void TLearningServiceSim::OverrideReply(int requestCode, const QString &replyText, const TRequestFilter &filter)
{
    // A reply is never null, so that it is told apart from a drop.
    m_controls.append({requestCode, filter, replyText.isNull() ? QStringLiteral("") : replyText});
}

void TLearningServiceSim::Delay(int requestCode, int ms, const TRequestFilter &filter)
{
    m_controls.append({requestCode, filter, QString(), qMax(0, ms)});
}

void TLearningServiceSim::ClearOverrides()
{
    m_controls.clear();
}

QStringList TLearningServiceSim::Answer(const QString &text)
{
    ++m_answering;
    const auto done = qScopeGuard([this] { --m_answering; });
    const json req = json::parse(text.toStdString(), nullptr, false);
    json reply;
    if (!req.is_object()) {
        reply = ServiceError(0, kErrBadMember, QStringLiteral("请求格式错误"));
    } else if (!req.contains("apiCode") || !req["apiCode"].is_number_integer()) {
        reply = ServiceError(0, kErrMissingMember, QStringLiteral("缺少参数：apiCode"));
    } else {
        const int code = req["apiCode"].get<int>();
        // A reply's code is the request's plus one, but never one of the
        // notice codes (10000 and up): an answer to an unknown request must
        // not reach the module as a notice such as an assignment.
        const int replyCode = code >= 0 && code + 1 < 10000 ? code + 1 : 0;
        try {
            reply = Reply(code, req);
        } catch (const TServiceFailure &f) {
            reply = ServiceError(replyCode, f.code, f.text);
        } catch (const std::exception &e) {
            reply =
                ServiceError(replyCode, kErrInternal, QStringLiteral("服务内部错误：") + QString::fromUtf8(e.what()));
        }
    }
    return {QString::fromStdString(reply.dump())};
}

QString TLearningServiceSim::Now() const
{
    const QDateTime t = m_now.isValid() ? m_now : QDateTime::currentDateTime();
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString TLearningServiceSim::Served(const QString &path) const
{
    return m_http ? m_http->Url(path).toString() : QString();
}

json TLearningServiceSim::Reply(int code, const json &req)
{
    // Every request but the speech request names its user.
    qint64 uid = 0;
    if (code != 281) {
        uid = NeedInt(req, "uid");
        SeedUser(uid);
    }
    switch (code) {
    case 2003: return Shelf(uid);
    case 2101: return PackageRecord(req);
    case 13: return DownloadAddress(req);
    case 11: return UploadAddress(req);
    case 41: return Score(req);
    case 2029: return Lessons(req);
    case 2127: return WordProgress(uid, NeedInt(req, "bookId"));
    case 2129: return LessonProgress(uid, NeedInt(req, "bookId"));
    case 1145: return Assignments(req);
    case 1155: return AssignmentBest(req);
    case 35: return AddCourse(req);
    case 1131: return CourseContents(req);
    case 2021: return MaterialContent(req);
    case 75: return WordResult(req);
    case 1083: return Share(req);
    case 1061: return History(req);
    case 281: return Speech(req);
    default: throw TServiceFailure{kErrUnknownCode, QStringLiteral("不支持的请求：") + QString::number(code)};
    }
}

void TLearningServiceSim::SeedUser(qint64 uid)
{
    if (m_state.IsKnownUser(uid))
        return;
    m_state.MarkUserKnown(uid);
    QList<qint64> recent;
    for (const json &b : m_catalog.Books()) {
        const qint64 id = b.value("lessonId", qint64(0));
        if (b.value("owned", false))
            m_state.AddOwned(uid, id, false);
        if (b.value("recent", false))
            recent.prepend(id);
    }
    // Touched oldest first, so the catalog's first recent book is the newest.
    for (qint64 id : recent)
        m_state.TouchRecent(uid, id, Now());
    // One teacher assignment per owned book: its first unit (and the unit's
    // first lesson in a textbook).
    for (const auto &[bookId, fromGoods] : m_state.Owned(uid)) {
        Q_UNUSED(fromGoods);
        const TBookOutline &outline = m_catalog.Outline(bookId);
        if (!outline.valid || outline.units.isEmpty())
            continue;
        const TOutlineUnit &unit = outline.units.first();
        const bool words = !unit.wordIds.isEmpty();
        TStoredAssignment a;
        a.uid = uid;
        a.bookId = bookId;
        a.unitId = unit.id;
        a.lessonId = words || unit.lessons.isEmpty() ? 0 : unit.lessons.first().id;
        a.type = words ? QStringLiteral("W") : QStringLiteral("L");
        a.title = QStringLiteral("作业：") + unit.name;
        m_state.AddAssignment(a);
    }
    if (uid == kSampleUid)
        SeedSampleWork(uid);
}

std::optional<THttpResponse> TLearningServiceSim::OnHttp(const THttpRequest &req)
{
    const QString path = req.Path();
    if ((req.method == "GET" || req.method == "HEAD") && path.startsWith(QLatin1String("/speech/"))) {
        const QString name = path.mid(8);
        static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_]+\\.wav$"));
        QFile f(QDir(m_workFolder).filePath(QStringLiteral("speech/") + name));
        if (!safe.match(name).hasMatch() || !f.open(QIODevice::ReadOnly))
            return THttpResponse::Text(404, "not found");
        THttpResponse r;
        r.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("audio/wav")));
        r.body = f.readAll();
        return r;
    }
    if (req.method != "POST" || path != QLatin1String("/upload"))
        return std::nullopt;

    const auto parts = ParseMultipartForm(req.Header("Content-Type"), req.body);
    auto fail = [](const QString &text) {
        return THttpResponse::Json(400,
                                   QString::fromStdString(ServiceError(0, kErrMissingMember, text).dump()).toUtf8());
    };
    if (!parts)
        return fail(QStringLiteral("上传格式错误"));
    QString key;
    const TFormPart *file = nullptr;
    for (const TFormPart &p : *parts) {
        if (p.hasFileName)
            file = &p;
        else if (p.name == "key")
            key = QString::fromUtf8(p.data);
    }
    if (key.isEmpty())
        return fail(QStringLiteral("缺少参数：key"));
    if (!file)
        return fail(QStringLiteral("缺少上传文件"));
    // Stored under a name made from the key, never from the sender's text.
    const QString stored =
        QDir(m_workFolder)
            .filePath(QStringLiteral("uploads/")
                      + QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex()));
    QDir().mkpath(QFileInfo(stored).absolutePath());
    QFile out(stored);
    if (!out.open(QIODevice::WriteOnly) || out.write(file->data) != file->data.size())
        return THttpResponse::Json(
            500,
            QString::fromStdString(ServiceError(0, kErrInternal, QStringLiteral("保存上传文件失败")).dump()).toUtf8());
    out.close();
    m_state.AddUpload(key, QString::fromUtf8(file->fileName), stored, file->data.size(), Now());
    json ok = json::object();
    ok["errorCode"] = 0;
    ok["key"] = key.toStdString();
    return THttpResponse::Json(200, QByteArray::fromStdString(ok.dump()));
}
