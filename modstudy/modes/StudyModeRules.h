#pragma once
// The rules of the lesson study modes that need no window: which mode tab a
// menu label opens, the tabs' names and instruction lines, the character
// names of the figures, the playback speed label, and the reference text and
// time limit of a practised sentence.

#include <QString>

namespace StudyModes {

// The four mode tabs of the study page, in their order on the page.
enum class TModeTab { Sentence, Part, Repeat, Role };

inline constexpr TModeTab kAllTabs[] = {TModeTab::Sentence, TModeTab::Part, TModeTab::Repeat, TModeTab::Role};

// The tab a lesson menu label opens, by the label's name without regard to
// case: "label_sentence", "label_part", "label_repeat"; any other name opens
// role play.
TModeTab TabOfLabel(const QString &labelName);

// Object names of a tab's text ("Text_TabSentence") and of the rectangle
// around it ("Rectangle_Sentence"); the rectangle's name is what a mode
// switch notes in curModeName.
QString TabTextName(TModeTab tab);
QString TabRectName(TModeTab tab);
// The tab's caption ("单句练习", "短文朗读", "短文复诵", "智能对话").
QString TabCaption(TModeTab tab);
// The instruction line shown under the tabs while the mode is chosen (empty
// for role play).
QString TabInstruction(TModeTab tab);
// Whether the sentence counter is shown in the mode (sentence practice only).
bool TabShowsSentenceCount(TModeTab tab);
// The tab whose rectangle has this name; false when the name is none of the
// four.
bool TabOfRectName(const QString &rectName, TModeTab &tab);

// The character name of a speaker picture: the text before its first ".",
// lower-cased ("Man.png" -> "man", "Woman.PNG" -> "woman"); a text without
// "." is only lower-cased. It prefixes the figure animations' names.
QString RoleName(const QString &character);
// The character that stands for the robot.
inline constexpr char kRobotCharacter[] = "cartoon";
// The role picture of a character name in role play: the robot's first frame
// for "cartoon", else the first frame of the character's talking animation.
QString RolePicture(const QString &characterName);

// The three speeds of the model audio, in the order a click on the speed
// label cycles them.
inline constexpr char kSpeedNormal[] = "x1.0";
inline constexpr char kSpeedFast[] = "x1.25";
inline constexpr char kSpeedSlow[] = "x0.75";
// The speed of a label as the change in percent the sound engine takes: the
// label read from its second character as a number (1.0 when it does not
// read); 0.75 gives -25, 1.25 gives 25, any other value 0.
int SpeedPercent(const QString &label);
// The label after a click: x1.0 -> x1.25 -> x0.75 -> x1.0; an unknown label
// counts as x1.0.
QString NextSpeedLabel(const QString &label);

// The text graded against a recording of a sentence: every "..." replaced by
// a blank, so that it counts as no word.
QString ReferenceText(const QString &sentence);
// Seconds allowed to record a sentence: its word count times 0.6, rounded to
// the nearest whole number, plus 2 (5 words -> 5, 1 word -> 3).
int SentenceSeconds(const QString &referenceText);

} // namespace StudyModes
