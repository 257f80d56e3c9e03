// The rules of the study modes, without a frame: the mode tabs, names and
// speeds, the start timers, the sentence score, the passage texts and the
// joining of WAV files.

#include "PassageText.h"
#include "SentenceScore.h"
#include "StartTimerRule.h"
#include "StudyModeRules.h"
#include "WaveMerge.h"

#include "PackBook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace PassageText;
using namespace StudyModes;

namespace {

TEST(ModeRules, MenuLabelsOpenTheirTabAndAnyOtherNameOpensRolePlay)
{
    const std::pair<const char *, const char *> cases[] = {{"Label_Sentence", "Rectangle_Sentence"},
                                                           {"LABEL_PART", "Rectangle_Part"},
                                                           {"label_repeat", "Rectangle_Repeat"},
                                                           {"Label_Word", "Rectangle_Role"}};
    for (const auto &[label, rect] : cases) {
        const TModeTab tab = TabOfLabel(QString::fromLatin1(label));
        EXPECT_EQ(TabRectName(tab), QString::fromLatin1(rect)) << label;
        TModeTab back = TModeTab::Sentence;
        ASSERT_TRUE(TabOfRectName(TabRectName(tab), back));
        EXPECT_EQ(back, tab);
    }
    TModeTab unknown = TModeTab::Part;
    EXPECT_FALSE(TabOfRectName(QStringLiteral("Rectangle_Word"), unknown));
}

TEST(ModeRules, CharacterNamesAndRolePictures)
{
    EXPECT_EQ(RoleName(QStringLiteral("Boy.Cool.PNG")), QStringLiteral("boy"));
    EXPECT_EQ(RoleName(QStringLiteral("Cartoon")), QStringLiteral("cartoon"));
    EXPECT_EQ(RolePicture(QStringLiteral("cartoon")), QStringLiteral("ani\\robot\\0001.png"));
    EXPECT_EQ(RolePicture(QStringLiteral("girl")), QStringLiteral("ani\\girltalk\\0001.png"));
}

TEST(ModeRules, TheSpeedLabelCyclesThroughThreeValuesAndAnUnreadableOneIsNormal)
{
    const struct
    {
        const char *label;
        int percent;
        const char *next;
    } cases[] = {{"x1.0", 0, "x1.25"}, {"x1.25", 25, "x0.75"}, {"x0.75", -25, "x1.0"}, {"fast", 0, "x1.25"}};
    for (const auto &c : cases) {
        EXPECT_EQ(SpeedPercent(QString::fromLatin1(c.label)), c.percent) << c.label;
        EXPECT_EQ(NextSpeedLabel(QString::fromLatin1(c.label)), QString::fromLatin1(c.next)) << c.label;
    }
}

TEST(ModeRules, TimeLimitIsSixTenthsOfASecondPerWordRoundedPlusTwo)
{
    const struct
    {
        const char *sentence;
        const char *reference;
        int seconds;
    } cases[] = {
        {"Hello.", "Hello.", 3},                         // 0.6 rounds to 1
        {"Well... I think so.", "Well  I think so.", 4}, // 2.4 rounds to 2
        {"...", " ", 2},
        {"One two three four five six seven eight.", "One two three four five six seven eight.", 7}, // 4.8 -> 5
    };
    for (const auto &c : cases) {
        const QString reference = ReferenceText(QString::fromLatin1(c.sentence));
        EXPECT_EQ(reference, QString::fromLatin1(c.reference));
        EXPECT_EQ(SentenceSeconds(reference), c.seconds) << c.sentence;
    }
}

TEST(StartTimerRule, RunsWhenReadyDropsWhileLeavingAndOtherwiseStopsTheRunningWork)
{
    using W = TStartWanted;
    using S = TStartStep;
    const TStartFlags none{}, closing{true, false, false}, returning{false, true, false}, switching{false, false, true};
    const struct
    {
        W wanted;
        TWorkState state;
        TStartFlags flags;
        S step;
    } cases[] = {
        {W::Idle, wsIdle, none, S::Run},
        {W::Idle, wsRecording, none, S::StopRunning},
        {W::NotPlaying, wsRecording, none, S::Run}, // a second microphone click
        {W::NotPlaying, wsPlaying, none, S::StopRunning},
        {W::Idle, wsIdle, closing, S::Drop},
        {W::Idle, wsPlaying, returning, S::Drop},
        {W::NotPlaying, wsRecording, switching, S::Drop},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DecideStart(c.wanted, c.state, c.flags), c.step)
            << int(c.wanted) << " " << c.state << " " << c.flags.closing << c.flags.returning << c.flags.switching;
    // The answer timer of role play.
    const struct
    {
        TWorkState state;
        bool stop;
        TStartFlags flags;
        bool turn;
        S step;
    } answers[] = {
        {wsIdle, false, none, true, S::Run},
        {wsIdle, false, none, false, S::StopRunning},
        {wsPlaying, false, none, true, S::StopRunning},
        {wsRecording, false, none, false, S::Run}, // a second click during the answer
        {wsIdle, true, none, true, S::Drop},
        {wsRecording, false, switching, true, S::Drop},
    };
    for (const auto &a : answers)
        EXPECT_EQ(DecideAnswerStart(a.state, a.stop, a.flags, a.turn), a.step) << a.state << a.stop << a.turn;
    EXPECT_TRUE(StopsRecording(W::Idle));
    EXPECT_FALSE(StopsRecording(W::NotPlaying));
}

TEST(SentenceScore, TheRecordCarriesTheSentenceAndIsSentOnlyAboveThirty)
{
    const auto result = [](const char *overall) {
        return QStringLiteral(R"({"result":{%1"accuracy":71.6,"integrity":90,"fluency":{"overall":64.5},)"
                              R"("details":[{"char":"Hello","score":80}]}})")
            .arg(QString::fromLatin1(overall));
    };
    const std::pair<const char *, bool> cases[] = {
        {"\"overall\":30.0,", false}, {"\"overall\":30.5,", true}, {"", false}, {"\"overall\":\"\",", false}};
    for (const auto &[overall, sent] : cases)
        EXPECT_EQ(SentenceScoreIsSent(DecodeGradingResult(result(overall))), sent) << overall;

    // The record's members (their message is TeduPartScore's).
    const QString text = result("\"overall\":30.5,");
    const TeduPartScore record = SentenceScoreRecord(DecodeGradingResult(text), text, 5001, 10001);
    EXPECT_EQ(record.Kind, QStringLiteral("L"));
    EXPECT_EQ(record.PointCaseType, 2);
    EXPECT_EQ(record.SentenceId, 5001);
    EXPECT_EQ(record.UserId, 10001);
    EXPECT_DOUBLE_EQ(record.Score, 30.5);
    EXPECT_EQ(record.ResultText, text);
    EXPECT_EQ(record.Accuracy, 72);
    EXPECT_EQ(record.Integrity, 90);
    EXPECT_EQ(record.Fluency, 64); // halves go to the even neighbour
}

TeduPack_Lesson Lesson(const QList<QStringList> &parts)
{
    TeduPack_Lesson lesson;
    for (const QStringList &texts : parts) {
        TeduPack_Part part;
        for (const QString &t : texts) {
            TeduPack_Sentence s;
            s.Text = t;
            part.Sentences.append(s);
        }
        lesson.Parts.append(part);
    }
    return lesson;
}

QString Words(int n)
{
    QStringList w;
    for (int i = 0; i < n; ++i)
        w << QStringLiteral("word");
    return w.join(QLatin1Char(' ')) + QLatin1Char('.');
}

TEST(PassageText, ReadingRepeatAndTheTwoEngineReferences)
{
    const TeduPack_Lesson lesson =
        Lesson({{QStringLiteral("Yes,I do."), QStringLiteral("Well...")}, {QStringLiteral("  Bye!\r\n")}});
    EXPECT_EQ(ReadingText(lesson), QStringLiteral("Yes, I do. Well... Bye! "));
    EXPECT_EQ(RepeatText(lesson), QStringLiteral("Yes, I do. Well... Bye! "));
    EXPECT_EQ(SentenceLines(lesson), QStringLiteral("Yes,I do.\r\nWell...\r\n  Bye!\r\n\r\n"));
    EXPECT_EQ(MaterialLines(QStringLiteral("Hi!\r\nHow are you? Fine.")),
              QStringLiteral("Hi!\r\n How are you?\r\n Fine.\r\n"));
}

TEST(PassageText, ReadingTimeIsSixTenthsOfASecondPerWordPlusFive)
{
    EXPECT_EQ(PassageSeconds(Words(50)), 35);
    // The count is taken before "..." becomes a blank, and "..." is no word.
    EXPECT_EQ(PassageSeconds(Words(49) + QStringLiteral(" ... end")), 35);
}

quint32 Le32(const QByteArray &b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
           | quint32(quint8(b[at + 3])) << 24;
}

class WaveMerge : public ::testing::Test
{
protected:
    // A file of a 44-byte RIFF/WAVE header (content otherwise unchecked)
    // followed by `body`.
    QString Wave(const QString &name, const QByteArray &body)
    {
        QByteArray header("RIFF\0\0\0\0WAVE", 12);
        header.append(QByteArray(32, 'h'));
        return Write(name, header + body);
    }
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = QDir(dir.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QByteArray Read(const QString &name)
    {
        QFile f(QDir(dir.path()).filePath(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QTemporaryDir dir;
};

TEST_F(WaveMerge, PartsAreJoinedByNumberBehindOneHeader)
{
    Wave(QStringLiteral("part/3.wav"), "CCC");
    Wave(QStringLiteral("part/0.wav"), "AAAA");
    Wave(QStringLiteral("part/1.wav"), "BB");
    Write(QStringLiteral("part/notes.txt"), "x");
    const QStringList order = PartRecordingsInOrder(QDir(dir.path()).filePath(QStringLiteral("part")));
    ASSERT_EQ(order.size(), 3);
    EXPECT_TRUE(order[0].endsWith(QStringLiteral("0.wav")));
    EXPECT_TRUE(order[2].endsWith(QStringLiteral("3.wav")));

    const TWaveMergeResult r = MergeWaveFiles(order, QDir(dir.path()).filePath(QStringLiteral("temp.wav")));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QByteArray out = Read(QStringLiteral("temp.wav"));
    EXPECT_EQ(out.mid(44), QByteArray("AAAABBCCC"));
    EXPECT_EQ(Le32(out, 4), 36u + 9u); // the RIFF and data sizes count the sound only
    EXPECT_EQ(Le32(out, 40), 9u);
}

TEST_F(WaveMerge, ShortOrForeignInputsAreLeftOutAndNamedWithoutHarmingTheOutput)
{
    const QString good = Wave(QStringLiteral("0.wav"), "GOOD");
    const QString tiny = Write(QStringLiteral("1.wav"), "RIFF");
    const QString text = Write(QStringLiteral("2.wav"), QByteArray(60, 't'));
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("9.wav"));
    const TWaveMergeResult r =
        MergeWaveFiles({good, tiny, text, missing}, QDir(dir.path()).filePath(QStringLiteral("out.wav")));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.skipped, (QStringList{tiny, text, missing}));
    EXPECT_EQ(Read(QStringLiteral("out.wav")).mid(44), QByteArray("GOOD"));

    // An output that cannot be written is reported.
    const TWaveMergeResult blocked = MergeWaveFiles({good}, QDir(dir.path()).filePath(QStringLiteral("0.wav/inner")));
    EXPECT_FALSE(blocked.ok);
    EXPECT_FALSE(blocked.error.isEmpty());
}

} // namespace
