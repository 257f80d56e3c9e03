#pragma once
// The transfer window of the base package: one HTTP download or upload,
// configured by setters, run with or without a window, then read and freed
// by the caller.
//
//   auto *t = new THttpTransfer(owner);
//   t->SetDoSomething(jobs);              // optional progress sink
//   t->SetDownloadURL(url); t->SetSaveFile(path); t->SetDescription(name);
//   t->ShowModal();                       // or DownloadingQuiet()
//   bool ok = t->Succeeded();
//   delete t;
//
// An upload is configured with SetUploadServer, AddField (in order) and
// SetUploadFile instead; ShowModal runs the upload when an upload server is
// set and the download otherwise. What a transfer guarantees (temporary file,
// redirects, idle time-out, form layout) is described in TransferJob.h; the
// notices sent to the progress sink in TransferReport.h.
//
// Both running calls keep dispatching user-interface events (timers, host
// messages) until the transfer ends. If the transfer object is destroyed
// meanwhile — directly or because its owner was — the call returns false at
// once without touching the destroyed object; the caller must then not use
// its pointer either (hold it in a QPointer).

#include "basemod_export.h"

#include "HostServices.h"
#include "TransferReport.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TTransferJob;

class BASEMOD_EXPORT THttpTransfer : public QDialog
{
    Q_OBJECT
public:
    // Real-time period of progress notices and window updates.
    static constexpr int kReportPeriodMs = 250;

    explicit THttpTransfer(QWidget *owner);
    ~THttpTransfer() override;

    // Receives the transfer notices while it runs; an empty function sends none.
    void SetDoSomething(TGetStrProc sink);
    // "\" and "/" are both accepted as separators in the address.
    void SetDownloadURL(const QString &url);
    // "\" and "/" both separate folders; missing folders are created.
    void SetSaveFile(const QString &path);
    // The line the window shows above the progress bar.
    void SetDescription(const QString &text);
    // Downloads without a window; returns Succeeded().
    bool DownloadingQuiet();

    void SetUploadServer(const QString &url);
    // One form field, sent in the order added.
    void AddField(const QString &name, const QString &value);
    void SetUploadFile(const QString &path);

    // Runs the configured upload or download in this modal window, which
    // closes itself at the end; returns Succeeded().
    bool ShowModal();
    // Ends a running transfer; it then counts as failed.
    void Cancel();

    // True only when the last run completed: a 2xx answer, every byte, the
    // file stored (download) or sent (upload).
    bool Succeeded() const { return m_succeeded; }
    // The server's reply body of the last upload (also when it failed).
    QString ResponseText() const { return m_responseText; }
    // Why the last run failed; empty after success.
    QString ErrorText() const { return m_errorText; }
    bool IsRunning() const { return m_running; }

    // Escape or the window's close button cancel a running transfer.
    void reject() override;

private:
    bool Run(bool upload, bool withWindow);
    void Tick();
    void Notify(TTransferKind kind, TTransferState state, qint64 bytes, qint64 total);
    void ShowProgress(qint64 bytes, qint64 total);

    TGetStrProc m_sink;
    QString m_downloadUrl;
    QString m_saveFile;
    QString m_description;
    QString m_uploadServer;
    QList<QPair<QString, QString>> m_fields;
    QString m_uploadFile;

    TTransferJob *m_job = nullptr;
    bool m_jobDone = false;
    bool m_running = false;
    bool m_succeeded = false;
    QString m_responseText;
    QString m_errorText;
    qint64 m_reportedBytes = -1;

    QLabel *m_descriptionLabel;
    QLabel *m_statusLabel;
    QProgressBar *m_progress;
    QPushButton *m_cancelButton;
    QTimer *m_tick;
};
