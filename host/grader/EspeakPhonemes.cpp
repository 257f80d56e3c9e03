#include "EspeakPhonemes.h"

#include "PhoneSet.h"

#include <espeak-ng/speak_lib.h>

#include <mutex>

namespace grader {

namespace {

bool startEspeak()
{
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        ok = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) > 0
             && espeak_SetVoiceByName("en-us") == EE_OK;
    });
    return ok;
}

} // namespace

std::vector<std::string> EspeakPronounce(const std::string &word)
{
    if (word.empty() || !startEspeak())
        return {};
    std::string mnemonics;
    const void *text = word.c_str();
    // Phonemes separated by blanks (separator in bits 8-23), ASCII names.
    const int mode = espeakPHONEMES_SHOW | (' ' << 8);
    while (text != nullptr) {
        const char *clause = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, mode);
        if (clause == nullptr)
            break;
        mnemonics += clause;
        mnemonics += ' ';
    }
    return EspeakToModelPhones(mnemonics);
}

} // namespace grader
