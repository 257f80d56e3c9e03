#include "HttpTransfer.h"

#include "Log.h"
#include "TransferJob.h"
#include "Wait.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString WithSlashes(QString text)
{
    return text.trimmed().replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QUrl ToUrl(const QString &text)
{
    return QUrl(WithSlashes(text), QUrl::TolerantMode);
}

} // namespace

THttpTransfer::THttpTransfer(QWidget *owner)
    : QDialog(owner),
      m_descriptionLabel(new QLabel(this)),
      m_statusLabel(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_cancelButton(new QPushButton(QStringLiteral("取消"), this)),
      m_tick(new QTimer(this))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(360);
    m_descriptionLabel->setWordWrap(true);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_descriptionLabel);
    layout->addWidget(m_progress);
    layout->addWidget(m_statusLabel);
    layout->addLayout(buttons);
    connect(m_cancelButton, &QPushButton::clicked, this, &THttpTransfer::Cancel);
    m_tick->setInterval(kReportPeriodMs);
    connect(m_tick, &QTimer::timeout, this, &THttpTransfer::Tick);
}

THttpTransfer::~THttpTransfer() = default;

void THttpTransfer::SetDoSomething(TGetStrProc sink)
{
    m_sink = std::move(sink);
}

void THttpTransfer::SetDownloadURL(const QString &url)
{
    m_downloadUrl = url;
}

void THttpTransfer::SetSaveFile(const QString &path)
{
    m_saveFile = path;
}

void THttpTransfer::SetDescription(const QString &text)
{
    m_description = text;
}

void THttpTransfer::SetUploadServer(const QString &url)
{
    m_uploadServer = url;
}

void THttpTransfer::AddField(const QString &name, const QString &value)
{
    m_fields.append({name, value});
}

void THttpTransfer::SetUploadFile(const QString &path)
{
    m_uploadFile = path;
}

bool THttpTransfer::DownloadingQuiet()
{
    return Run(false, false);
}

bool THttpTransfer::ShowModal()
{
    return Run(!m_uploadServer.isEmpty(), true);
}

void THttpTransfer::Cancel()
{
    if (m_running && m_job)
        m_job->Cancel();
}

void THttpTransfer::reject()
{
    if (m_running)
        Cancel();
    else
        QDialog::reject();
}

bool THttpTransfer::Run(bool upload, bool withWindow)
{
    const QString what = upload ? QStringLiteral("upload") : QStringLiteral("download");
    if (m_running) {
        procSaveLog(QStringLiteral("error:THttpTransfer ") + what
                    + QStringLiteral(": another transfer of this window is running"));
        return false;
    }
    m_running = true;
    m_succeeded = false;
    m_responseText.clear();
    m_errorText.clear();
    m_reportedBytes = -1;
    m_jobDone = false;
    delete m_job;
    m_job = new TTransferJob(this);
    connect(m_job, &TTransferJob::done, this, [this] { m_jobDone = true; });

    const TTransferKind kind = upload ? TTransferKind::Upload : TTransferKind::Download;
    const bool started = upload ? m_job->StartUpload(ToUrl(m_uploadServer), m_fields, WithSlashes(m_uploadFile))
                                : m_job->StartDownload(ToUrl(m_downloadUrl), WithSlashes(m_saveFile));

    QPointer<THttpTransfer> self(this);
    if (started) {
        Notify(kind, TTransferState::Started, 0, m_job->BytesTotal());
        if (!self)
            return false;
        if (withWindow) {
            setWindowTitle(upload ? QStringLiteral("正在上传") : QStringLiteral("正在下载"));
            const QString file = QFileInfo(WithSlashes(upload ? m_uploadFile : m_saveFile)).fileName();
            m_descriptionLabel->setText(m_description.isEmpty() ? file : m_description);
            ShowProgress(0, m_job->BytesTotal());
            setWindowModality(Qt::ApplicationModal);
            show();
        }
        m_tick->start();
        // The local loop: events keep being dispatched until the job ends or
        // this window is destroyed by one of them.
        while (!m_jobDone) {
            if (WaitFor(1000, &m_jobDone, this) == TWaitEnd::Gone)
                return false;
        }
        m_tick->stop();
        if (withWindow)
            hide();
    }

    m_succeeded = m_job->Succeeded();
    m_responseText = m_job->ResponseText();
    m_errorText = m_job->ErrorText();
    const qint64 bytes = m_job->BytesDone();
    const qint64 total = m_job->BytesTotal();
    delete m_job;
    m_job = nullptr;
    m_running = false;
    if (!m_succeeded)
        procSaveLog(QStringLiteral("error:THttpTransfer ") + what + QStringLiteral(": ") + m_errorText);

    const bool ok = m_succeeded;
    // The sink may destroy this window: nothing is touched after it.
    Notify(kind, ok ? TTransferState::Succeeded : TTransferState::Failed, bytes, total);
    return ok;
}

void THttpTransfer::Tick()
{
    if (!m_job || m_job->IsFinished())
        return;
    const qint64 bytes = m_job->BytesDone();
    const qint64 total = m_job->BytesTotal();
    if (bytes == m_reportedBytes)
        return;
    m_reportedBytes = bytes;
    if (isVisible())
        ShowProgress(bytes, total);
    Notify(m_job->Kind(), TTransferState::Running, bytes, total);
}

void THttpTransfer::Notify(TTransferKind kind, TTransferState state, qint64 bytes, qint64 total)
{
    if (!m_sink)
        return;
    // A copy: the call may destroy this window and with it m_sink.
    const TGetStrProc sink = m_sink;
    sink(TransferNoticeText(kind, state, bytes, total));
}

void THttpTransfer::ShowProgress(qint64 bytes, qint64 total)
{
    const TTransferKind kind = m_job ? m_job->Kind() : TTransferKind::Download;
    const int percent = TransferPercent(bytes, total);
    if (percent < 0) {
        m_progress->setRange(0, 0); // busy: size unknown
    } else {
        m_progress->setRange(0, 100);
        m_progress->setValue(percent);
    }
    m_statusLabel->setText(TransferStatusText(kind, bytes, total));
}
