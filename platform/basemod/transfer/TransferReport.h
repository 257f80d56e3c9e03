#pragma once
// What a running transfer tells about itself: the notice it sends to the host
// through its progress sink, and the status line of the transfer window.
//
// The notice is one compact JSON object on the host's job channel:
//   {"apiCode":10020,"transfer":"download","state":"running",
//    "bytes":40960,"total":163840,"percent":25}
//  - "transfer": "download" or "upload";
//  - "state": "started" once when the transfer begins, "running" while
//    bytes move (at most four a second, only when the count changed),
//    then exactly one of "succeeded" or "failed" (a transfer that cannot
//    even start, such as one without a file to upload, sends only "failed");
//  - "bytes": bytes received (download) or sent (upload) so far;
//  - "total": the expected size, -1 while unknown;
//  - "percent": 0..100 from bytes and total, -1 while the total is unknown.

#include "basemod_export.h"

#include <QString>

// The code of a transfer notice (notices to the host use 10000 and up).
inline constexpr int kTransferNoticeCode = 10020;

enum class TTransferKind { Download, Upload };
enum class TTransferState { Started, Running, Succeeded, Failed };

// 0..100, or -1 when the total is not known (total <= 0).
BASEMOD_EXPORT int TransferPercent(qint64 bytes, qint64 total);

// The notice text described above.
BASEMOD_EXPORT QString TransferNoticeText(TTransferKind kind, TTransferState state, qint64 bytes, qint64 total);

// A size for people: "512 B", "12.5 KB", "3.4 MB", "1.2 GB" (1 KB = 1024 B).
BASEMOD_EXPORT QString TransferSizeText(qint64 bytes);

// The status line of the transfer window, e.g. "已下载 1.2 MB / 3.4 MB" or
// "已上传 512 B" while the total is unknown.
BASEMOD_EXPORT QString TransferStatusText(TTransferKind kind, qint64 bytes, qint64 total);
