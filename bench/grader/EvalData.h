#pragma once
// The evaluation's items and their synthetic speech.

#include <string>
#include <vector>

struct TEvalItem
{
    std::string id; // "eval07"
    std::string sentence;
    int target = 0; // index of the word replaced
    std::string replacement;
    std::vector<int> omitted; // indices of the words left out of the "omitted" reading
};

// A speech synthesiser voice: `command` reads the text file %T and writes
// the WAV file %W.
struct TVoice
{
    std::string name;
    std::string command;
};

enum class TRendition {
    Correct,
    Replaced,
    Omitted,
    WordCorrect,  // the replaced word alone, read correctly
    WordReplaced, // its minimal-pair neighbour alone
};

// "correct", "replaced", … : the rendition's name in file names and dumps.
const char *RenditionName(TRendition r);

// The items of one set ("fit" or "eval") of the pairs file.
std::vector<TEvalItem> LoadItems(const std::string &path, const std::string &set);

// All voices, or those named in a comma-separated list.
std::vector<TVoice> SelectVoices(const std::string &names);

// The sentence as read in a rendition.
std::string RenditionText(const TEvalItem &item, TRendition r);

// Share of the item's words the omitted reading keeps.
double ReadShare(const TEvalItem &item);

std::string RenditionPath(const std::string &dir, const TVoice &v, const TEvalItem &item, TRendition r);
std::string SilencePath(const std::string &dir);
std::string NoisePath(const std::string &dir);

// Synthesises whatever is missing under `dir` (16 kHz mono WAV); false with
// `error` set when a synthesiser fails.
bool GenerateSpeech(const std::string &dir, const std::vector<TVoice> &voices, const std::vector<TEvalItem> &items,
                    std::string &error);
