// The runner's hands on the module's controls: reading properties for `get`
// (and a clear refusal for a property a control lacks), finding a control by
// name, the mouse commands, and the scripted answers to questions.

#include "ControlProbe.h"
#include "ScenarioMouse.h"
#include "ScenarioServices.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"

#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QString Read(const QWidget *w, const char *property)
{
    QString error;
    const auto value = ReadControlProperty(w, QString::fromLatin1(property), error);
    EXPECT_TRUE(value) << property << ": " << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    return value.value_or(QStringLiteral("<none>"));
}

QString Refusal(const QWidget *w, const char *property)
{
    QString error;
    const auto value = ReadControlProperty(w, QString::fromLatin1(property), error);
    EXPECT_FALSE(value) << property << " gave " << value.value_or(QString()).toStdString();
    EXPECT_FALSE(error.isEmpty());
    return error;
}

// Text, colour and page are read by every end-to-end scenario; the rest here.
TEST(ControlProbe, PropertiesOfALabelAndTheRefusalsOfOtherControls)
{
    QWidget parent;
    auto *label = new TLabel(&parent);
    label->SetTag(3);
    label->SetTagFloat(2.5);
    label->SetTagString(QStringLiteral("apple"));
    label->SetHint(QStringLiteral("标题"));
    label->SetBounds(12.5, 40, 300, 21);
    const std::pair<const char *, const char *> values[] = {
        {"tag", "3"},  {"tagfloat", "2.5"}, {"tagstring", "apple"}, {"hint", "标题"},
        {"x", "12.5"}, {"height", "21"},    {"visible", "true"}};
    for (const auto &[property, value] : values)
        EXPECT_EQ(Read(label, property), QString::fromUtf8(value)) << property;
    Refusal(label, "page");

    label->SetVisible(false);
    EXPECT_EQ(Read(label, "visible"), QStringLiteral("false")) << "the control's own, the parent is never shown";
    parent.setEnabled(false);
    EXPECT_EQ(Read(label, "enabled"), QStringLiteral("false")) << "a disabled parent disables its children";

    auto *rect = new TRectangle(&parent);
    rect->SetFillColor(0x80112233);
    EXPECT_EQ(Read(rect, "color"), QStringLiteral("#80112233"));
    EXPECT_TRUE(Refusal(rect, "text").contains(QStringLiteral("has no text")));
    auto *button = new TButton(&parent);
    button->SetFontColor(0xFFFF0000);
    EXPECT_EQ(Read(button, "color"), QStringLiteral("#FFFF0000")) << "a button's font colour";
    auto *plain = new QWidget(&parent);
    plain->setGeometry(3, 4, 50, 60);
    EXPECT_EQ(Read(plain, "x"), QStringLiteral("3"));
    for (const char *p : {"tag", "tagfloat", "tagstring", "hint", "color", "text", "page"})
        Refusal(plain, p);
    Refusal(nullptr, "text");
    Refusal(plain, "font");
}

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

TEST(ScenarioMouse, CommandsReachTheControlsMouseSignalsWithTheLeftButtonAt5x5)
{
    QWidget root;
    root.resize(200, 200);
    auto *c = new TRectangle(&root);
    c->SetBounds(20, 20, 50, 50);
    root.show();
    QStringList seen;
    const auto button = [&](const char *what) {
        return [&seen, what](TControl *, Qt::MouseButton b, Qt::KeyboardModifiers, QPointF p) {
            seen << QStringLiteral("%1 %2 %3,%4")
                        .arg(QLatin1String(what), b == Qt::LeftButton ? QStringLiteral("left") : QStringLiteral("?"))
                        .arg(p.x())
                        .arg(p.y());
        };
    };
    QObject::connect(c, &TControl::Click, &root, [&](TControl *) { seen << QStringLiteral("click"); });
    QObject::connect(c, &TControl::MouseEnter, &root, [&](TControl *) { seen << QStringLiteral("enter"); });
    QObject::connect(c, &TControl::MouseLeave, &root, [&](TControl *) { seen << QStringLiteral("leave"); });
    QObject::connect(c, &TControl::MouseDown, &root, button("down"));
    QObject::connect(c, &TControl::MouseUp, &root, button("up"));

    EXPECT_TRUE(SendScenarioMouse(c, TScenarioCommand::Enter));
    EXPECT_TRUE(SendScenarioMouse(c, TScenarioCommand::Click));
    EXPECT_TRUE(SendScenarioMouse(c, TScenarioCommand::Down));
    EXPECT_TRUE(SendScenarioMouse(c, TScenarioCommand::Up));
    EXPECT_TRUE(SendScenarioMouse(c, TScenarioCommand::Leave));
    EXPECT_FALSE(SendScenarioMouse(c, TScenarioCommand::Wait));
    const QStringList expected = {QStringLiteral("enter"),         QStringLiteral("down left 5,5"),
                                  QStringLiteral("up left 5,5"),   QStringLiteral("click"),
                                  QStringLiteral("down left 5,5"), QStringLiteral("up left 5,5"),
                                  QStringLiteral("click"),         QStringLiteral("leave")};
    EXPECT_EQ(seen, expected);
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
