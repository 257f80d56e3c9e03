#pragma once
// A learning service simulator over the generated sample content, with its
// state and work files in a temporary folder.

#include "LearningServiceSim.h"
#include "Requests.h"
#include "TeduPartScore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace service_test {

using json = nlohmann::ordered_json;

constexpr qint64 kUid = 880001;

inline QString ServedFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("content"));
}

inline TRequestIdentity Learner()
{
    return {kUid, 0};
}

// A score as the module sends it (a passage's unless `type` says otherwise).
inline QString ScoreRequest(qint64 lessonId, double value, qint64 uid = kUid, int type = 5, qint64 sentenceId = 0)
{
    TeduPartScore s;
    s.PointCaseType = type;
    s.LessonId = lessonId;
    s.SentenceId = sentenceId;
    s.Score = value;
    s.UserId = uid;
    return s.AsString();
}

class ServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_sim.Start(ServedFolder(), m_dir.filePath(QStringLiteral("state/service.db")),
                                m_dir.filePath(QStringLiteral("work"))))
            << m_sim.Error().toStdString();
    }

    // The one reply to a request, parsed.
    json Ask(const QString &request)
    {
        const QStringList replies = m_sim.Answer(request);
        EXPECT_EQ(replies.size(), 1);
        if (replies.isEmpty())
            return json();
        json r = json::parse(replies.first().toStdString(), nullptr, false);
        EXPECT_TRUE(r.is_object()) << replies.first().toStdString();
        return r;
    }

    QTemporaryDir m_dir;
    TLearningServiceSim m_sim;
};

} // namespace service_test
