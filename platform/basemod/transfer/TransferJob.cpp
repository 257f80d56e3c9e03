#include "TransferJob.h"

#include "StudyClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QMimeDatabase>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

namespace {

constexpr int kMaxRedirects = 10;

QNetworkRequest MakeRequest(const QUrl &url)
{
    QNetworkRequest req(url);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    req.setMaximumRedirectsAllowed(kMaxRedirects);
    // The body is stored as sent: no transparent decompression, so the
    // announced length is the length written.
    req.setRawHeader("Accept-Encoding", "identity");
    return req;
}

// A name or file name inside a quoted Content-Disposition parameter: quote
// and line breaks are percent-encoded the way browsers send form data.
QByteArray DispositionValue(const QString &text)
{
    QByteArray v = text.toUtf8();
    v.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
    return v;
}

bool IsSuccessStatus(int status)
{
    return status >= 200 && status < 300;
}

QString Describe(const QUrl &url)
{
    return url.toString(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
}

} // namespace

TTransferJob::TTransferJob(QObject *parent)
    : QObject(parent),
      m_manager(new QNetworkAccessManager(this)),
      m_idle(new QTimer(this))
{
    m_idle->setSingleShot(true);
    connect(m_idle, &QTimer::timeout, this, [this] {
        if (!m_reply || m_finished)
            return;
        m_timedOut = true;
        m_reply->abort();
    });
}

TTransferJob::~TTransferJob()
{
    if (m_reply) {
        // Going away mid-transfer: stop the network quietly; the temporary
        // download file is removed with m_file.
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
}

QString TTransferJob::ResponseText() const
{
    return QString::fromUtf8(m_response);
}

bool TTransferJob::StartFailed(const QString &error)
{
    m_started = true;
    m_finished = true;
    m_succeeded = false;
    m_error = error;
    return false;
}

bool TTransferJob::StartDownload(const QUrl &url, const QString &targetFile)
{
    if (m_started)
        return false;
    m_kind = TTransferKind::Download;
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || url.host().isEmpty())
        return StartFailed(QStringLiteral("invalid address ") + url.toString());
    if (targetFile.isEmpty())
        return StartFailed(QStringLiteral("no target file"));
    const QFileInfo target(targetFile);
    if (target.isDir())
        return StartFailed(QStringLiteral("target is a folder: ") + targetFile);
    if (!QDir().mkpath(target.absolutePath()))
        return StartFailed(QStringLiteral("cannot create folder ") + target.absolutePath());
    m_file = std::make_unique<QSaveFile>(target.absoluteFilePath());
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString why = m_file->errorString();
        m_file.reset();
        return StartFailed(QStringLiteral("cannot write ") + targetFile + QStringLiteral(": ") + why);
    }
    return Begin(m_manager->get(MakeRequest(url)));
}

bool TTransferJob::StartUpload(const QUrl &url, const QList<QPair<QString, QString>> &fields, const QString &file)
{
    if (m_started)
        return false;
    m_kind = TTransferKind::Upload;
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || url.host().isEmpty())
        return StartFailed(QStringLiteral("invalid address ") + url.toString());
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile())
        return StartFailed(QStringLiteral("no file to upload: ") + file);

    auto *multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (const auto &field : fields) {
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QByteArray("form-data; name=\"" + DispositionValue(field.first) + '"'));
        part.setBody(field.second.toUtf8());
        multipart->append(part);
    }
    auto *device = new QFile(info.absoluteFilePath(), multipart);
    if (!device->open(QIODevice::ReadOnly)) {
        const QString why = device->errorString();
        delete multipart;
        return StartFailed(QStringLiteral("cannot read ") + file + QStringLiteral(": ") + why);
    }
    QHttpPart filePart;
    filePart.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QByteArray("form-data; name=\"file\"; filename=\"" + DispositionValue(info.fileName()) + '"'));
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    filePart.setHeader(QNetworkRequest::ContentTypeHeader, mime.isValid() && !mime.isDefault()
                                                               ? mime.name().toLatin1()
                                                               : QByteArray("application/octet-stream"));
    filePart.setBodyDevice(device);
    multipart->append(filePart);

    QNetworkReply *reply = m_manager->post(MakeRequest(url), multipart);
    multipart->setParent(reply);
    m_total = device->size();
    return Begin(reply);
}

bool TTransferJob::Begin(QNetworkReply *reply)
{
    m_started = true;
    m_reply = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        Touch();
        // Only a successful answer's length counts. After a redirect the reply
        // may still carry the redirect notice's headers ahead of the final
        // answer's, so the last Content-Length is the one of the body written.
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        m_expectedLength = -1;
        if (!IsSuccessStatus(status))
            return;
        for (const auto &[name, value] : reply->rawHeaderPairs()) {
            bool ok = false;
            const qint64 length = value.trimmed().toLongLong(&ok);
            if (name.compare("Content-Length", Qt::CaseInsensitive) == 0 && ok && length >= 0)
                m_expectedLength = length;
        }
    });
    connect(reply, &QNetworkReply::redirected, this, &TTransferJob::Touch);
    connect(reply, &QNetworkReply::readyRead, this, &TTransferJob::OnReadyRead);
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64, qint64 total) {
        Touch();
        if (m_kind == TTransferKind::Download)
            m_total = total > 0 ? total : -1;
    });
    connect(reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
        Touch();
        // A closing (0, 0) report says nothing about what was sent.
        if (m_kind == TTransferKind::Upload && total > 0) {
            m_bytes = sent;
            m_total = total;
        }
    });
    connect(reply, &QNetworkReply::finished, this, &TTransferJob::OnFinished);
    Touch();
    return true;
}

void TTransferJob::Touch()
{
    if (!m_finished)
        m_idle->start(StudyClock::scaled(kIdleTimeoutMs));
}

void TTransferJob::OnReadyRead()
{
    if (!m_reply || !m_reply->isOpen())
        return;
    Touch();
    const QByteArray data = m_reply->readAll();
    if (data.isEmpty())
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_kind == TTransferKind::Upload) {
        const qsizetype room = kMaxResponseBytes - m_response.size();
        if (room > 0)
            m_response.append(data.left(room));
        return;
    }
    // A download keeps only the body of a successful answer.
    if (!IsSuccessStatus(status) || !m_file || m_writeFailed)
        return;
    if (m_file->write(data) != data.size()) {
        m_writeFailed = true;
        m_reply->abort();
        return;
    }
    m_bytes += data.size();
}

void TTransferJob::OnFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply || m_finished)
        return;
    OnReadyRead();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorString = reply->errorString();
    const QString where = Describe(reply->url());
    m_reply = nullptr;
    reply->deleteLater();

    if (m_writeFailed)
        return Finish(false, QStringLiteral("cannot write the file of ") + where + QStringLiteral(": ")
                                 + (m_file ? m_file->errorString() : QString()));
    if (m_timedOut)
        return Finish(false, QStringLiteral("no data for %1 s from ").arg(kIdleTimeoutMs / 1000) + where);
    if (m_cancelled)
        return Finish(false, QStringLiteral("cancelled: ") + where);
    if (status != 0 && !IsSuccessStatus(status))
        return Finish(false, QStringLiteral("HTTP status %1 from ").arg(status) + where);
    if (error != QNetworkReply::NoError)
        return Finish(false, errorString);
    if (status == 0)
        return Finish(false, QStringLiteral("no HTTP answer from ") + where);
    if (m_kind == TTransferKind::Download) {
        if (m_expectedLength >= 0 && m_expectedLength != m_bytes)
            return Finish(false, QStringLiteral("incomplete body from %1: %2 of %3 bytes")
                                     .arg(where)
                                     .arg(m_bytes)
                                     .arg(m_expectedLength));
        if (!m_file->commit()) {
            const QString why = m_file->errorString();
            m_file.reset();
            return Finish(false, QStringLiteral("cannot store the file of ") + where + QStringLiteral(": ") + why);
        }
        m_file.reset();
        m_total = m_bytes;
    }
    Finish(true, {});
}

void TTransferJob::Finish(bool ok, const QString &error)
{
    m_idle->stop();
    m_finished = true;
    m_succeeded = ok;
    m_error = error;
    if (m_file) {
        // Dropping an uncommitted file removes its temporary; the target is untouched.
        m_file->cancelWriting();
        m_file.reset();
    }
    Q_EMIT done();
}

void TTransferJob::Cancel()
{
    if (!m_reply || m_finished)
        return;
    m_cancelled = true;
    m_reply->abort();
}
