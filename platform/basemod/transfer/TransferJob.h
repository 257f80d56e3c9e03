#pragma once
// One HTTP download or upload, without any window.
//
// A download streams the body into a temporary file beside the target and
// moves it over the target only when the whole body arrived with a 2xx
// status and was written; otherwise the temporary file is removed and
// whatever was at the target stays as it was. The target folder is created
// when missing. Redirects are followed to the same or a safer scheme (never
// from https to http), at most 10 in a row.
//
// An upload posts multipart/form-data: the form fields in the order added,
// then the file as the part named "file" with its file name. The reply body
// is kept (up to 1 MiB) for the caller.
//
// Either transfer is given up when no byte moves for kIdleTimeoutMs (stated
// time on the study clock). Progress is read by polling BytesDone and
// BytesTotal; `done` is emitted once at the end of a started transfer.

#include "basemod_export.h"

#include "TransferReport.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;
class QTimer;

class BASEMOD_EXPORT TTransferJob : public QObject
{
    Q_OBJECT
public:
    // Longest stated time without a byte moving before the transfer is given up.
    static constexpr int kIdleTimeoutMs = 30000;
    // Most bytes of an upload's reply that are kept.
    static constexpr qsizetype kMaxResponseBytes = 1024 * 1024;

    explicit TTransferJob(QObject *parent = nullptr);
    ~TTransferJob() override;
    TTransferJob(const TTransferJob &) = delete;
    TTransferJob &operator=(const TTransferJob &) = delete;

    // Starts the transfer. False when it cannot start (bad address, folder or
    // file not usable); the job is then finished and failed and `done` is not
    // emitted. A job runs once.
    bool StartDownload(const QUrl &url, const QString &targetFile);
    bool StartUpload(const QUrl &url, const QList<QPair<QString, QString>> &fields, const QString &file);
    // Ends a running transfer as failed.
    void Cancel();

    TTransferKind Kind() const { return m_kind; }
    bool IsFinished() const { return m_finished; }
    bool Succeeded() const { return m_succeeded; }
    qint64 BytesDone() const { return m_bytes; }
    // -1 while unknown.
    qint64 BytesTotal() const { return m_total; }
    // The server's reply body (UTF-8) of an upload, also when it failed.
    QString ResponseText() const;
    // Why the transfer failed; empty after success.
    QString ErrorText() const { return m_error; }

Q_SIGNALS:
    void done();

private:
    bool Begin(QNetworkReply *reply);
    void OnReadyRead();
    void OnFinished();
    void Touch();
    void Finish(bool ok, const QString &error);
    bool StartFailed(const QString &error);

    QNetworkAccessManager *m_manager;
    QTimer *m_idle;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QSaveFile> m_file;
    TTransferKind m_kind = TTransferKind::Download;
    bool m_started = false;
    bool m_finished = false;
    bool m_succeeded = false;
    bool m_cancelled = false;
    bool m_timedOut = false;
    bool m_writeFailed = false;
    qint64 m_bytes = 0;
    qint64 m_total = -1;
    // Content-Length of the answer whose body is being written (the final
    // answer after redirects); -1 when that answer announced none.
    qint64 m_expectedLength = -1;
    QByteArray m_response;
    QString m_error;
};
