// The runner's hands on the module's controls: reading properties for `get`
// (and a clear refusal for a property a control lacks), finding a control by
// name, the mouse commands, and the scripted answers to questions.

#include "ControlProbe.h"
#include "ScenarioMouse.h"
#include "ScenarioServices.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"

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

TEST(ControlProbe, TextColourTagsAndHintOfALabel)
{
    QWidget parent;
    parent.resize(1024, 635);
    auto *label = new TLabel(&parent);
    label->setObjectName(QStringLiteral("Label_Title"));
    label->SetText(QStringLiteral("系统导读后，请跟读\n第二行"));
    label->SetColor(0xFF0080FF);
    label->SetTag(3);
    label->SetTagFloat(2.5);
    label->SetTagString(QStringLiteral("apple"));
    label->SetHint(QStringLiteral("标题"));
    label->SetBounds(12.5, 40, 300, 21);

    EXPECT_EQ(Read(label, "text"), QStringLiteral("系统导读后，请跟读\n第二行"));
    EXPECT_EQ(Read(label, "color"), QStringLiteral("#FF0080FF"));
    EXPECT_EQ(Read(label, "tag"), QStringLiteral("3"));
    EXPECT_EQ(Read(label, "tagfloat"), QStringLiteral("2.5"));
    EXPECT_EQ(Read(label, "tagstring"), QStringLiteral("apple"));
    EXPECT_EQ(Read(label, "hint"), QStringLiteral("标题"));
    EXPECT_EQ(Read(label, "x"), QStringLiteral("12.5")) << "logical pixels, not Qt's rounded ones";
    EXPECT_EQ(Read(label, "y"), QStringLiteral("40"));
    EXPECT_EQ(Read(label, "width"), QStringLiteral("300"));
    EXPECT_EQ(Read(label, "height"), QStringLiteral("21"));
    EXPECT_EQ(Read(label, "TEXT"), Read(label, "text")) << "property names are not case sensitive";
    Refusal(label, "page");
}

TEST(ControlProbe, VisibleIsTheControlsOwnAndEnabledFollowsQt)
{
    QWidget parent; // never shown: a control's own visibility does not depend on it
    auto *shown = new TRectangle(&parent);
    auto *hidden = new TRectangle(&parent);
    hidden->SetVisible(false);
    EXPECT_EQ(Read(shown, "visible"), QStringLiteral("true"));
    EXPECT_EQ(Read(hidden, "visible"), QStringLiteral("false"));
    EXPECT_EQ(Read(shown, "enabled"), QStringLiteral("true"));
    shown->SetEnabled(false);
    EXPECT_EQ(Read(shown, "enabled"), QStringLiteral("false"));
    parent.setEnabled(false);
    EXPECT_EQ(Read(hidden, "enabled"), QStringLiteral("false")) << "a disabled parent disables its children";
}

TEST(ControlProbe, RectanglesGiveTheirFillButNoTextButtonsTheirFontColour)
{
    QWidget parent;
    auto *rect = new TRectangle(&parent);
    rect->SetFillColor(0x80112233);
    EXPECT_EQ(Read(rect, "color"), QStringLiteral("#80112233"));
    EXPECT_TRUE(Refusal(rect, "text").contains(QStringLiteral("has no text")));

    auto *button = new TButton(&parent);
    button->SetText(QStringLiteral("开始"));
    button->SetFontColor(0xFFFF0000);
    EXPECT_EQ(Read(button, "text"), QStringLiteral("开始"));
    EXPECT_EQ(Read(button, "color"), QStringLiteral("#FFFF0000"));
}

TEST(ControlProbe, PagesOfATabControl)
{
    QWidget parent;
    auto *tabs = new TTabControl(&parent);
    tabs->AddTab(QStringLiteral("TabItem_Home"), QStringLiteral("首页"));
    TTabItem *second = tabs->AddTab(QStringLiteral("TabItem_Study"), QStringLiteral("学习"));
    EXPECT_EQ(Read(tabs, "page"), QStringLiteral("0"));
    tabs->SetTabIndex(1);
    EXPECT_EQ(Read(tabs, "page"), QStringLiteral("1"));
    EXPECT_EQ(Read(second, "page"), QStringLiteral("1"));
    EXPECT_EQ(Read(second, "text"), QStringLiteral("学习"));
}

TEST(ControlProbe, PlainWidgetsHaveGeometryButNoToolkitProperties)
{
    QWidget parent;
    auto *plain = new QWidget(&parent);
    plain->setGeometry(3, 4, 50, 60);
    EXPECT_EQ(Read(plain, "x"), QStringLiteral("3"));
    EXPECT_EQ(Read(plain, "height"), QStringLiteral("60"));
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
    QObject::connect(c, &TControl::Click, &root, [&](TControl *) { seen << QStringLiteral("click"); });
    QObject::connect(c, &TControl::MouseEnter, &root, [&](TControl *) { seen << QStringLiteral("enter"); });
    QObject::connect(c, &TControl::MouseLeave, &root, [&](TControl *) { seen << QStringLiteral("leave"); });
    QObject::connect(c, &TControl::MouseDown, &root,
                     [&](TControl *, Qt::MouseButton b, Qt::KeyboardModifiers, QPointF p) {
                         seen << QStringLiteral("down %1 %2,%3")
                                     .arg(b == Qt::LeftButton ? QStringLiteral("left") : QStringLiteral("?"))
                                     .arg(p.x())
                                     .arg(p.y());
                     });
    QObject::connect(c, &TControl::MouseUp, &root,
                     [&](TControl *, Qt::MouseButton b, Qt::KeyboardModifiers, QPointF p) {
                         seen << QStringLiteral("up %1 %2,%3")
                                     .arg(b == Qt::LeftButton ? QStringLiteral("left") : QStringLiteral("?"))
                                     .arg(p.x())
                                     .arg(p.y());
                     });

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
