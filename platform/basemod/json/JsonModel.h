#pragma once
// The base package's JSON object model.
//
// Every message exchanged with the host and every stored result is an
// ordered JSON object (members keep the order in which they were set) read
// and written by key with forgiving typed access:
//
//  - a missing member (or null) reads as "", 0, 0.0, false, {} or [];
//  - numbers given as strings and strings given as numbers are converted
//    ("12" reads as 12, 12 reads as "12");
//  - an object or array read as text gives its compact JSON, so a member that
//    holds a nested result can be parsed again with SO(S(obj, key)) whether it
//    was sent as an embedded object or as a string holding the object;
//  - O and A also accept a string member holding an object or array.
//
// Text conversion between QString and std::string (UTF-8) lives here and
// nowhere else.

#include "basemod_export.h"

#include <QString>
#include <QStringList>

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

using TJson = nlohmann::ordered_json;

// UTF-8 conversions used for every JSON text.
BASEMOD_EXPORT std::string ToStd(const QString &text);
BASEMOD_EXPORT QString FromStd(std::string_view text);

// Parses a JSON text into `out`. Returns false (and leaves `out` an empty
// object) when the text is not JSON or its top level is neither an object
// nor an array; `error` then receives the parser's reason.
BASEMOD_EXPORT bool TrySO(const QString &text, TJson &out, QString *error = nullptr);

// Parses a JSON text; an empty, unparsable or non-container text gives an
// empty object. SO() is a fresh empty object.
BASEMOD_EXPORT TJson SO(const QString &text = QString());

// A fresh empty array, or the array parsed from `text` (anything that is not
// a JSON array gives an empty array).
BASEMOD_EXPORT TJson SA(const QString &text = QString());

// Compact serialisation: UTF-8, no spaces, non-ASCII characters unescaped.
// Invalid UTF-8 inside strings is replaced rather than thrown on.
BASEMOD_EXPORT QString AsJSon(const TJson &value);

// True when `obj` is an object with a member `key` that is not null.
BASEMOD_EXPORT bool Has(const TJson &obj, std::string_view key);

// Typed readers (see the rules at the top of this file).
BASEMOD_EXPORT QString S(const TJson &obj, std::string_view key);
BASEMOD_EXPORT int I(const TJson &obj, std::string_view key);
BASEMOD_EXPORT qint64 I64(const TJson &obj, std::string_view key);
BASEMOD_EXPORT double D(const TJson &obj, std::string_view key);
BASEMOD_EXPORT bool B(const TJson &obj, std::string_view key);
BASEMOD_EXPORT TJson O(const TJson &obj, std::string_view key);
BASEMOD_EXPORT TJson A(const TJson &obj, std::string_view key);

// The same conversions applied to a value itself (an array element, say).
BASEMOD_EXPORT QString AsText(const TJson &value);
BASEMOD_EXPORT qint64 AsInt64(const TJson &value);
BASEMOD_EXPORT double AsDouble(const TJson &value);
BASEMOD_EXPORT bool AsBool(const TJson &value);

// Strict numeric reading, for members whose value matters (codes, ids,
// scores): a JSON number, or text holding one (whole-number text such as
// "1001" for integers; decimal text such as "85.5" for doubles). Anything
// else (other text, a boolean, null, an object) gives nullopt instead of a
// made-up 0. An integer must be whole and within 64 bits.
BASEMOD_EXPORT std::optional<qint64> TryInt64(const TJson &value);
BASEMOD_EXPORT std::optional<double> TryDouble(const TJson &value);

// Writers. Each sets one member of `obj` (made an object first when it is
// null); a new key is appended after the existing ones, an existing key keeps
// its place and gets the new value. Integers are always stored as 64-bit;
// a double that is not finite is stored as 0 (JSON has no NaN).
BASEMOD_EXPORT void PutS(TJson &obj, std::string_view key, const QString &value);
BASEMOD_EXPORT void PutI(TJson &obj, std::string_view key, qint64 value);
BASEMOD_EXPORT void PutD(TJson &obj, std::string_view key, double value);
BASEMOD_EXPORT void PutB(TJson &obj, std::string_view key, bool value);
BASEMOD_EXPORT void PutO(TJson &obj, std::string_view key, const TJson &value);

// Member names of an object, in order (empty for anything else).
BASEMOD_EXPORT QStringList Keys(const TJson &obj);
