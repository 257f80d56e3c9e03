// The simulator's answers about the learner's own work: assignments, scores,
// word results, shares, the score history and synthesised speech.
#include "LearningServiceSim.h"

#include "ServiceErrors.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

using json = nlohmann::ordered_json;

namespace {

json Ok(int replyCode)
{
    json r = json::object();
    r["apiCode"] = replyCode;
    r["errorCode"] = 0;
    r["errorText"] = "";
    return r;
}

std::string S(const QString &s)
{
    return s.toStdString();
}

QString MedalFor(double score)
{
    if (score >= 85)
        return QStringLiteral("金奖章");
    if (score >= 75)
        return QStringLiteral("银奖章");
    if (score >= 65)
        return QStringLiteral("铜奖章");
    return QString();
}

double NeedScore(const json &req, const char *key)
{
    if (!req.contains(key))
        throw TServiceFailure{kErrMissingMember, QStringLiteral("缺少参数：") + QString::fromLatin1(key)};
    if (!req[key].is_number() || req[key].get<double>() < 0 || req[key].get<double>() > 100)
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：") + QString::fromLatin1(key)};
    return req[key].get<double>();
}

} // namespace

json TLearningServiceSim::Assignments(const json &req)
{
    const qint64 uid = NeedInt(req, "uid");
    const qint64 bookId = NeedInt(req, "lessonId");
    std::set<qint64> studied;
    for (const auto &[word, score] : m_state.WordResults(uid)) {
        Q_UNUSED(score);
        studied.insert(word);
    }
    json details = json::array(), words = json::array();
    for (const TStoredAssignment &a : m_state.Assignments(uid, bookId)) {
        json d = json::object();
        d["areaid"] = 1;
        d["assigndetailid"] = a.id;
        d["assignmentid"] = a.id;
        d["assigntype"] = S(a.type);
        d["lessonid"] = a.lessonId;
        d["title"] = S(a.title);
        d["unitid"] = a.unitId;
        if (a.type == QLatin1String("W")) {
            QList<qint64> unitWords;
            for (const TOutlineUnit &u : m_catalog.Outline(bookId).units)
                if (u.id == a.unitId)
                    unitWords = u.wordIds;
            json unfinished = json::array();
            int done = 0;
            for (qint64 w : unitWords) {
                if (studied.count(w))
                    ++done;
                else
                    unfinished.push_back({{"wordsid", w}});
            }
            d["finishcount"] = !unitWords.isEmpty() && done == unitWords.size() ? 1 : 0;
            d["finishwords"] = std::to_string(done) + "/" + std::to_string(unitWords.size());
            words.push_back({{"assignmentid", a.id}, {"unFinishWords", unfinished}});
        } else {
            d["finishcount"] = m_state.BestScore(uid, a.lessonId) ? 1 : 0;
            d["finishwords"] = "";
        }
        details.push_back(d);
    }
    json r = Ok(1146);
    r["assignDetails"] = details;
    r["assignWordss"] = words;
    return r;
}

json TLearningServiceSim::AssignmentBest(const json &req)
{
    const qint64 uid = NeedInt(req, "uid");
    NeedInt(req, "assignmentId");
    const qint64 lessonId = NeedInt(req, "lessonId");
    json items = json::array();
    if (const auto best = m_state.BestScore(uid, lessonId))
        items.push_back({{"score", *best}});
    json r = Ok(1156);
    r["items"] = items;
    return r;
}

json TLearningServiceSim::Score(const json &req)
{
    TStoredScore s;
    s.uid = NeedInt(req, "uid");
    s.pointCaseType = int(NeedInt(req, "pointCaseType"));
    s.lessonId = NeedInt(req, "lessonId");
    s.sentenceId = IntOr(req, "sentenceId", 0);
    s.score = NeedScore(req, "score");
    s.kind = req.contains("type") && req["type"].is_string() ? QString::fromStdString(req["type"].get<std::string>())
                                                             : QStringLiteral("L");
    s.time = Now();
    const qint64 scoreId = m_state.AddScore(s, QString::fromStdString(req.dump()));
    if (scoreId <= 0)
        throw TServiceFailure{kErrInternal, QStringLiteral("成绩保存失败")};
    const QString medal = MedalFor(s.score);
    const qint64 achievement = m_state.AddAchievement(s.uid, scoreId, medal);
    json r = Ok(42);
    r["point"] = qint64(std::lround(s.score / 10.0));
    r["eMoneys"] = medal.isEmpty() ? 0 : s.score >= 85 ? 3 : s.score >= 75 ? 2 : 1;
    r["medalName"] = S(medal);
    r["achivementId"] = achievement;
    return r;
}

json TLearningServiceSim::WordResult(const json &req)
{
    const qint64 uid = NeedInt(req, "uid");
    const qint64 word = NeedInt(req, "wordsId");
    m_state.AddWordResult(uid, word, NeedScore(req, "score"), Now());
    return Ok(76);
}

json TLearningServiceSim::Share(const json &req)
{
    const qint64 uid = NeedInt(req, "uid");
    const qint64 achievement = NeedInt(req, "achivementId");
    const QString uuid = NeedText(req, "uuid");
    if (!m_state.HasAchievement(uid, achievement))
        throw TServiceFailure{kErrNotFound, QStringLiteral("成绩不存在")};
    if (!m_state.HasUpload(uuid))
        throw TServiceFailure{kErrNotUploaded, QStringLiteral("录音尚未上传")};
    m_state.AddShare(uid, achievement, uuid, Now());
    return Ok(1084);
}

json TLearningServiceSim::History(const json &req)
{
    const qint64 uid = IntOr(req, "studentId", NeedInt(req, "uid"));
    const QString start = NeedText(req, "startTime");
    const QString end = NeedText(req, "endTime");
    const qint64 pageSize = NeedInt(req, "pageSize");
    const qint64 pageNum = NeedInt(req, "pageNum");
    const int type = int(IntOr(req, "pointCaseType", 0));
    const bool bestOnly = IntOr(req, "isMax", 0) == 1;
    if (pageSize <= 0)
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：pageSize")};
    if (pageNum <= 0)
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：pageNum")};

    // Newest first; with "isMax" only the best attempt of each item (the
    // newest among equal bests).
    QList<TStoredScore> rows;
    std::map<std::tuple<qint64, int, qint64>, qsizetype> bestAt;
    for (const TStoredScore &s : m_state.Scores(uid)) {
        if (s.time < start || s.time > end || (type != 0 && s.pointCaseType != type))
            continue;
        if (!bestOnly) {
            rows.append(s);
            continue;
        }
        const auto item = std::make_tuple(s.lessonId, s.pointCaseType, s.sentenceId);
        const auto it = bestAt.find(item);
        if (it == bestAt.end()) {
            bestAt[item] = rows.size();
            rows.append(s);
        } else if (s.score > rows[it->second].score) {
            rows[it->second] = s;
        }
    }
    json items = json::array();
    const qint64 first = (pageNum - 1) * pageSize;
    for (qint64 i = first; i < rows.size() && i < first + pageSize; ++i) {
        const TStoredScore &s = rows[qsizetype(i)];
        const TItemPlace place = m_catalog.Place(s.lessonId);
        json e = json::object();
        e["bookName"] = S(place.bookName);
        e["unitName"] = S(place.unitName);
        e["lessonName"] = S(place.lessonName);
        e["score"] = s.score;
        e["lastTime"] = S(s.time);
        e["pointCaseType"] = s.pointCaseType;
        items.push_back(e);
    }
    json r = Ok(1062);
    r["total"] = rows.size();
    r["items"] = items;
    return r;
}

json TLearningServiceSim::Speech(const json &req)
{
    const QString text = NeedText(req, "text").trimmed();
    if (text.isEmpty())
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：text")};
    const QString name =
        QStringLiteral("tts_")
        + QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex())
        + QStringLiteral(".wav");
    const QString folder = QDir(m_workFolder).filePath(QStringLiteral("speech"));
    const QString file = QDir(folder).filePath(name);
    if (!QFileInfo::exists(file)) {
        QDir().mkpath(folder);
        // The text goes to the speaker as one argument, never through a shell.
        QProcess speaker;
        speaker.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-w"),
                                                    file + QStringLiteral(".part"), text});
        const bool ok = speaker.waitForFinished(20000) && speaker.exitStatus() == QProcess::NormalExit
                        && speaker.exitCode() == 0 && QFileInfo(file + QStringLiteral(".part")).size() > 44;
        if (!ok || !QFile::rename(file + QStringLiteral(".part"), file)) {
            QFile::remove(file + QStringLiteral(".part"));
            throw TServiceFailure{kErrSpeech, QStringLiteral("语音合成失败")};
        }
    }
    json r = Ok(282);
    r["url"] = S(Served(QStringLiteral("/speech/") + name));
    return r;
}
