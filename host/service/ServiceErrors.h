#pragma once
// Failure answers of the learning service: every failed request is answered
// with its reply code, an "errorCode" greater than 0 and an "errorText" in
// the user's language.

#include <nlohmann/json.hpp>

#include <QString>

inline constexpr int kErrUnknownCode = 1;   // no such request
inline constexpr int kErrMissingMember = 2; // a required member is absent
inline constexpr int kErrBadMember = 3;     // a member has the wrong type or value
inline constexpr int kErrNotFound = 4;      // no such course, material, resource or score
inline constexpr int kErrNotUploaded = 5;   // a share names a recording never uploaded
inline constexpr int kErrSpeech = 6;        // speech could not be made
inline constexpr int kErrInternal = 9;
inline constexpr int kErrNotFree = 3501; // a course that must be bought first

struct TServiceFailure
{
    int code;
    QString text;
};

nlohmann::ordered_json ServiceError(int replyCode, int errorCode, const QString &text);

// A required integer member; throws TServiceFailure when absent or not an integer.
qint64 NeedInt(const nlohmann::ordered_json &req, const char *key);
// A required text member; throws when absent or not a string.
QString NeedText(const nlohmann::ordered_json &req, const char *key);
// An optional integer member.
qint64 IntOr(const nlohmann::ordered_json &req, const char *key, qint64 fallback);
