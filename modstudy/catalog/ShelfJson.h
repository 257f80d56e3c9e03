#pragma once
// Lenient reading of shelf reply members: the service writes some ids and
// counts as numbers and others as texts, so a member is read whatever JSON
// kind it arrives in; missing or unreadable members give 0 or "".

#include <QString>
#include <QtGlobal>

#include <nlohmann/json.hpp>

namespace Shelf {

// A text member; a number or boolean gives its JSON text, null or missing "".
QString MemberText(const nlohmann::ordered_json &item, const char *key);
// An integer member; a number (fraction dropped), a numeric text or a
// boolean; anything else 0.
qint64 MemberInt(const nlohmann::ordered_json &item, const char *key);
// A number member; a number or numeric text; anything else 0.
double MemberNumber(const nlohmann::ordered_json &item, const char *key);
// The array member `key` of `body`, or an empty array.
const nlohmann::ordered_json &MemberArray(const nlohmann::ordered_json &body, const char *key);

} // namespace Shelf
