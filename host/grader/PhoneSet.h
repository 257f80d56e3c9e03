#pragma once
// The acoustic model's phone set and the conversions into and out of it.
//
// The model knows 39 phones, written as upper-case ARPAbet names without
// stress ("AH", "TH"). Dictionary entries carry stress digits ("AH0"), the
// espeak-ng synthesiser writes its own mnemonics ("T", "'i:", "aI@"), and the
// module shows lower-case ARPAbet names ("ah", "th") as phonetic symbols.

#include <string>
#include <string_view>
#include <vector>

namespace grader {

// The model's phones in a fixed order (the loop search's vocabulary).
const std::vector<std::string> &ModelPhones();

// True for one of the 39 model phones (exact, upper case, no stress).
bool IsModelPhone(std::string_view phone);

// "AH0" → "AH", "ih1" → "IH"; anything that is not a model phone after the
// digit is dropped gives an empty text.
std::string NormalizePhone(std::string_view phone);

// The module's notation of a model phone: "AH" → "ah".
std::string ModulePhone(std::string_view modelPhone);

// espeak-ng mnemonics, one phoneme per blank-separated token, stress and
// length marks allowed ("h @ l 'oU"), turned into model phones. Unknown
// tokens are dropped.
std::vector<std::string> EspeakToModelPhones(std::string_view mnemonics);

} // namespace grader
