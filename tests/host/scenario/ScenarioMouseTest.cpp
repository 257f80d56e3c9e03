// The runner's hands on the module's controls: finding a control by name, a
// click whose press deletes the control, and the scripted answers to
// questions. (Clicks and reading properties for `get` are driven by the
// end-to-end scenarios, a refused property by ScenarioRunTest.)

#include "ScenarioMouse.h"
#include "ScenarioServices.h"

#include "TRectangle.h"

#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(ScenarioMouse, FindPrefersTheControlOnScreen)
{
    QWidget root;
    auto *hidden = new TRectangle(&root);
    hidden->setObjectName(QStringLiteral("LessonDisplays0"));
    hidden->SetVisible(false);
    auto *shown = new TRectangle(&root);
    shown->setObjectName(QStringLiteral("LessonDisplays0"));
    root.show();
    EXPECT_EQ(FindScenarioWidget(&root, QStringLiteral("LessonDisplays0")), shown);
    shown->SetVisible(false);
    EXPECT_EQ(FindScenarioWidget(&root, QStringLiteral("LessonDisplays0")), hidden) << "else the first one";
    EXPECT_EQ(FindScenarioWidget(&root, QStringLiteral("Nothing")), nullptr);
    EXPECT_EQ(FindScenarioWidget(&root, QString()), nullptr);
}

TEST(ScenarioMouse, AControlDeletedByItsPressGetsNoRelease)
{
    QWidget root;
    QPointer<TRectangle> c = new TRectangle(&root);
    root.show();
    int ups = 0;
    QObject::connect(c, &TControl::MouseDown, &root,
                     [&](TControl *sender, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { delete sender; });
    QObject::connect(c, &TControl::MouseUp, &root,
                     [&](TControl *, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { ++ups; });
    EXPECT_TRUE(SendScenarioMouse(c, TScenarioCommand::Click));
    EXPECT_TRUE(c.isNull());
    EXPECT_EQ(ups, 0);
}

TEST(ScriptedMessage, QuestionsTakeTheQueuedAnswersInOrderThenNo)
{
    TScenarioTranscript t;
    TScriptedMessage m(t);
    m.QueueAnswer(true);
    m.QueueAnswer(false);
    m.SetOkCaption(QStringLiteral("继续"));
    m.SetCancelCaption(QStringLiteral("退出"));
    EXPECT_EQ(m.AskQuestion(QStringLiteral("继续学习吗？"), mbYesNo), mrYes);
    EXPECT_EQ(m.AskQuestion(QStringLiteral("保存吗？"), mbYesNo), 7);
    EXPECT_EQ(m.AskQuestion(QStringLiteral("退出吗？"), mbYesNo), 7);
    EXPECT_EQ(m.QueuedAnswers(), 0);
    m.ShowInfo(QStringLiteral("加载课程失败，请检查网络是否正常"));
    const QStringList expected = {QStringLiteral("ask 继续学习吗？ [继续 | 退出] -> yes"),
                                  QStringLiteral("ask 保存吗？ -> no"),
                                  QStringLiteral("ask 退出吗？ -> no (no answer queued)"),
                                  QStringLiteral("info 加载课程失败，请检查网络是否正常")};
    EXPECT_EQ(t.Lines(), expected) << "captions hold for one question only";
}

} // namespace
