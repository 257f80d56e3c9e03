// The host window and its own message boxes: a close while the module asks
// a question.

#include "LearningServiceSim.h"
#include "StudyHostWindow.h"
#include "TStudyHost.h"

#include "ClockSpeed.h"
#include "TestMouse.h"
#include "WaitUntil.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The open boxes of the application.
QList<QMessageBox *> OpenBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            boxes << box;
    return boxes;
}

// Runs `act` from the event loop as soon as a box is open (also inside the
// wait of the module's question); after `limitMs` without one it gives up.
void WhenABoxOpens(QObject *context, const std::function<void(QMessageBox *)> &act, int limitMs = 20000)
{
    auto *poll = new QTimer(context);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, context, [poll, act, waited, limitMs] {
        const QList<QMessageBox *> boxes = OpenBoxes();
        *waited += 10;
        if (boxes.isEmpty() && *waited < limitMs)
            return;
        poll->stop();
        poll->deleteLater();
        if (!boxes.isEmpty())
            act(boxes.first());
    });
    poll->start(10);
}

// The learner closes the window while the module asks whether to add a
// course: the question ends as answered No, and only then does the host
// run the close handshake. The window is not blocked by the box (a blocked
// window never receives the learner's close), but the module's area takes
// no input while the box is open.
TEST(HostDialogs, ClosingTheWindowDuringAQuestionAnswersItNoThenClosesWithTheHandshake)
{
    ClockSpeed speed(50);
    QTemporaryDir data;
    TStudyHostOptions o = TStudyHostOptions::Beside(QCoreApplication::applicationDirPath());
    o.pluginFile = QStringLiteral(STUDY_PLUGIN_FILE);
    o.dataFolder = data.path();
    TStudyHost host(o); // the host's own message boxes
    TStudyHostWindow window(&host);
    window.show();
    ASSERT_TRUE(host.Start(window.Client())) << host.Error().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return host.ShelfRepliesDelivered() > 0; }, StatedMs{5000}));
    host.Service()->OverrideReply(
        1131, QStringLiteral(R"({"apiCode":1132,"errorCode":0,"items":[{"packageTitle":"Phonics Fun","hasGoods":0,)"
                             R"("lessonId":1004}]})"));

    bool boxSeen = false;
    bool windowBlocked = true;
    bool closeRefused = false;
    int courseQueries = -1;
    qsizetype eventsWhenBoxClosed = -1;
    WhenABoxOpens(&window, [&](QMessageBox *box) {
        boxSeen = true;
        windowBlocked = QApplication::activeModalWidget() != nullptr;
        QObject::connect(box, &QObject::destroyed, &window, [&] { eventsWhenBoxClosed = host.Events().size(); });
        // A click into the module's area while the box is open does nothing.
        ClickMiddle(window.Client()->findChild<QWidget *>(QStringLiteral("RecommandIcon1")));
        courseQueries = static_cast<int>(host.Events().filter(QStringLiteral(R"("apiCode":1131)")).size());
        closeRefused = !window.close();
        // Should the close not end the question, end it here so that the
        // test does not hang (the checks below fail then).
        QTimer::singleShot(3000, box, [box] { box->done(QMessageBox::Yes); });
    });
    ClickMiddle(window.Client()->findChild<QWidget *>(QStringLiteral("RecommandIcon0")));
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }, RealMs{30000}));

    ASSERT_TRUE(boxSeen);
    EXPECT_FALSE(windowBlocked) << "the box must not block the window";
    EXPECT_EQ(courseQueries, 1) << "the module's area took a click during the question";
    EXPECT_TRUE(closeRefused) << "the window waits for the module";
    const QStringList &events = host.Events();
    EXPECT_TRUE(events.filter(QStringLiteral(R"("apiCode":35)")).isEmpty()) << "the question was answered No";
    const qsizetype closeNotice = events.indexOf(QStringLiteral(R"(notice {"apiCode":10003})"));
    ASSERT_GE(eventsWhenBoxClosed, 0);
    EXPECT_GE(closeNotice, eventsWhenBoxClosed) << "10003 only after the question has ended";
    EXPECT_GT(events.indexOf(QStringLiteral(R"(job {"apiCode":10004})")), closeNotice);
    EXPECT_FALSE(host.IsRunning());
    EXPECT_TRUE(OpenBoxes().isEmpty());
}

} // namespace
