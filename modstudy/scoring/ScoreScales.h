#pragma once
// The two score scales every score view shares: the text colour of a word,
// phoneme or score, and the score level whose picture and sound reward a
// submitted score.

#include <QString>

// Text colour (#AARRGGBB) of a score on the 0-100 scale:
// 85 or more black, 70 to under 85 amber, 60 to under 70 violet, else red.
// A score that is not a number is red.
inline constexpr unsigned kScoreColorGood = 0xFF000000u; // 85 and more
inline constexpr unsigned kScoreColorFair = 0xFFFFB512u; // 70 to under 85
inline constexpr unsigned kScoreColorWeak = 0xFFC832FAu; // 60 to under 70
inline constexpr unsigned kScoreColorPoor = 0xFFFF0202u; // under 60
unsigned ScoreColor(double score);

enum class TScoreLevel { Gold, Silver, Copper, Bad };

// 85 or more Gold, 75 or more Silver, 65 or more Copper, else (and for a
// score that is not a number) Bad.
TScoreLevel ScoreLevelOf(double score);

// "ScoreBackGold", "ScoreBackSilver", "ScoreBackCopper" or "ScoreBackBad".
QString ScoreLevelName(TScoreLevel level);

// The level's picture in the UI archive: "png\" + name + ".png".
QString ScoreLevelPicture(const QString &levelName);
// The level's sound under the main path: "data\" + name + ".mp3".
QString ScoreLevelSoundFile(const QString &levelName);
// Where the UI archive keeps that sound: "ani\" + name + "\" + name + ".mp3".
QString ScoreLevelSoundEntry(const QString &levelName);
