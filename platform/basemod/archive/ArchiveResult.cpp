#include "ArchiveResult.h"

QString ArchiveErrorName(TArchiveError error)
{
    switch (error) {
    case TArchiveError::None: return QStringLiteral("None");
    case TArchiveError::NotOpen: return QStringLiteral("NotOpen");
    case TArchiveError::FileMissing: return QStringLiteral("FileMissing");
    case TArchiveError::NotArchive: return QStringLiteral("NotArchive");
    case TArchiveError::Truncated: return QStringLiteral("Truncated");
    case TArchiveError::WrongPassword: return QStringLiteral("WrongPassword");
    case TArchiveError::NotFound: return QStringLiteral("NotFound");
    case TArchiveError::Corrupt: return QStringLiteral("Corrupt");
    case TArchiveError::ReaderMissing: return QStringLiteral("ReaderMissing");
    case TArchiveError::ReaderFailed: return QStringLiteral("ReaderFailed");
    case TArchiveError::Timeout: return QStringLiteral("Timeout");
    case TArchiveError::Busy: return QStringLiteral("Busy");
    case TArchiveError::Closed: return QStringLiteral("Closed");
    case TArchiveError::CacheFailed: return QStringLiteral("CacheFailed");
    }
    return QStringLiteral("Unknown");
}
