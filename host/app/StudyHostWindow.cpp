#include "StudyHostWindow.h"

#include "HostNotices.h"
#include "TStudyHost.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

namespace {
// The recording of the sound check, under the host's main path.
const QString kSoundCheckFile = QStringLiteral("tmp\\soundcheck.wav");
} // namespace

TStudyHostWindow::TStudyHostWindow(TStudyHost *host, QWidget *parent)
    : QMainWindow(parent),
      m_host(host),
      m_client(new QWidget(this))
{
    setWindowTitle(QStringLiteral("口语学习"));
    m_client->setObjectName(QStringLiteral("StudyHostClient"));
    m_client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(m_client);
    BuildMenu();
    // The module's frame is drawn for exactly 1024 × 635: the window keeps
    // the size that holds it (with its menu and status bars), so resizing
    // or maximising never leaves an empty margin around it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    connect(m_host, &TStudyHost::Closed, this, [this](bool) {
        m_closeDone = true;
        close();
    });
    connect(m_host, &TStudyHost::Switched, this, [this](bool recreated) {
        if (!recreated)
            Tell(QStringLiteral("模块切换后未能重新创建：") % m_host->Error());
    });
}

void TStudyHostWindow::Tell(const QString &text)
{
    QMessageBox::information(this, windowTitle(), text);
}

void TStudyHostWindow::BuildMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("通知"));
    // Both notices are acted on by the module's next course shelf: the host
    // starts the module again with the notice, as on its own start.
    menu->addAction(QStringLiteral("布置作业 (10000)"), this, [this] {
        if (const QString problem = m_host->OpenAssignment(); !problem.isEmpty())
            Tell(problem);
    });
    menu->addAction(QStringLiteral("打开最近学习的课程 (10002)"), this, [this] {
        if (const QString problem = m_host->OpenRecentLesson(); !problem.isEmpty())
            Tell(problem);
    });
    menu->addAction(QStringLiteral("切换模块 (10005)"), this, [this] {
        if (m_host->IsBusy() || !m_host->IsRunning())
            Tell(QStringLiteral("模块正忙或未运行，不能切换。"));
        else
            m_host->RequestSwitch();
    });
    menu->addAction(QStringLiteral("网络故障 (99999)"), this,
                    [this] { m_host->Push(hostnotice::Bare(hostnotice::kNetworkFailure)); });
}

void TStudyHostWindow::ShowSoundDevices(const QString &output, const QString &input)
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("声音"));
    if (output.isEmpty() && input.isEmpty()) {
        menu->addAction(QStringLiteral("无声音设备：播放与录音为模拟"))->setEnabled(false);
        return;
    }
    menu->addAction(QStringLiteral("输出设备：") % output)->setEnabled(false);
    menu->addAction(QStringLiteral("输入设备：") % input)->setEnabled(false);
    menu->addSeparator();
    // Checks of the devices, through the same engine the module uses.
    menu->addAction(QStringLiteral("试听评语"), this, [this] {
        if (const ISoundEnginePtr sound = m_host->SoundEngine())
            sound->PlayScoreSound(0, 100);
    });
    menu->addAction(QStringLiteral("录音 3 秒并回放"), this, [this] {
        const ISoundEnginePtr sound = m_host->SoundEngine();
        if (!sound)
            return;
        sound->StartRecord(kSoundCheckFile);
        statusBar()->showMessage(QStringLiteral("正在录音…"));
        QTimer::singleShot(3000, this, [this, sound] {
            sound->StopRecord();
            statusBar()->showMessage(QStringLiteral("正在回放录音…"), 4000);
            sound->PlayFile(kSoundCheckFile, false, 0);
        });
    });
}

void TStudyHostWindow::closeEvent(QCloseEvent *event)
{
    if (m_closeDone || !m_host->IsRunning()) {
        event->accept();
        return;
    }
    // The module decides when it is done; the window stays until it is.
    event->ignore();
    statusBar()->showMessage(QStringLiteral("正在关闭…"));
    m_host->RequestClose();
}
