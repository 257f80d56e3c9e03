#pragma once
// Reading the envelope of a message from the host.
//
// A message is one JSON object as text. Its "apiCode" says what it is,
// "errorCode" greater than 0 marks a failure described by "errorText". None
// of these functions throws: text that is not a JSON object gives a failed
// parse result, and members that are missing or of the wrong kind read as 0
// or empty.

#include <QString>

#include <nlohmann/json.hpp>

#include <optional>

struct TParsedMessage
{
    bool ok = false;             // the text is one JSON object
    nlohmann::ordered_json body; // the object when ok, null otherwise
    QString failure;             // why the text was refused, when not ok
};

// Parses a message text. Anything but a JSON object (a syntax error, an empty
// text, a bare number or array) gives ok = false with a reason in `failure`.
TParsedMessage ParseMessage(const QString &text);

// An integer member as 64 bits: JSON integers, numbers with no fractional
// part that fit, and whole-number text ("1001"), as hosts send ids and codes
// either way. Missing members, other kinds, other text and values outside the
// 64-bit range give nullopt. A non-object `body` has no members.
std::optional<qint64> ReadInt64Member(const nlohmann::ordered_json &body, const char *key);
// A number member: JSON numbers and decimal text ("85.5"); nullopt otherwise.
std::optional<double> ReadDoubleMember(const nlohmann::ordered_json &body, const char *key);

// "apiCode" as the frame keeps it (32 bits). Missing, not an integer, or
// outside the 32-bit range: 0, so that such a message matches no handler
// instead of wrapping round to another code.
int ReadApiCode(const nlohmann::ordered_json &body);

// "errorCode"; 0 when missing or not an integer.
qint64 ReadErrorCode(const nlohmann::ordered_json &body);

// "errorText"; empty when missing; a non-text value gives its JSON text.
QString ReadErrorText(const nlohmann::ordered_json &body);

// A message from the host after the common first steps of dispatch.
struct TIncomingMessage
{
    bool ok = false; // parsed; dispatch may go on
    nlohmann::ordered_json body;
    int apiCode = 0;
    qint64 errorCode = 0;
    QString errorText;
};

// The common first steps for every incoming message: parse; when that fails,
// log "error:contest Getmsg :" followed by the text and return ok = false.
// Otherwise read the code, and when "errorCode" is greater than 0 log the
// failure with its "errorText" (for every code, known or not, before any
// handler runs). Never throws.
TIncomingMessage OpenIncomingMessage(const QString &text);
