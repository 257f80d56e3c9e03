#pragma once
// Every key of a resource package's "data.json". The book decoder reads these
// and whatever writes packages must use them; the layout is described in
// docs/data-json.md.
//
// {
//   "version": "3",                 package version (text)
//   "bookId": 1001, "bookName": "...",
//   "bookType": "lesson" | "word",
//   "Units": [ ... ]                units in book order
// }
// Lesson-book unit: {"unitId", "unitName", "lessons": [{"lessonId",
//   "lessonName", "picture", "parts": [{"partId", "sentences": [{"sentenceId",
//   "text", "speaker", "speakerPicture", "audio"}]}]}]}
// Word-book unit: {"lessonId", "unitName", "orderId", "Count",
//   "wordes": [{"wordsId", "content", "phonetic", "translate", "example1",
//   "picture", "lessonId"}]}

namespace DataJson {

// Book.
inline constexpr char kVersion[] = "version";
inline constexpr char kBookId[] = "bookId";
inline constexpr char kBookName[] = "bookName";
inline constexpr char kBookType[] = "bookType";
inline constexpr char kBookTypeLesson[] = "lesson";
inline constexpr char kBookTypeWord[] = "word";
inline constexpr char kUnits[] = "Units";

// Unit (both kinds).
inline constexpr char kUnitName[] = "unitName";

// Lesson-book unit, lesson, part, sentence.
inline constexpr char kUnitId[] = "unitId";
inline constexpr char kLessons[] = "lessons";
inline constexpr char kLessonId[] = "lessonId";
inline constexpr char kLessonName[] = "lessonName";
inline constexpr char kLessonPicture[] = "picture";
inline constexpr char kParts[] = "parts";
inline constexpr char kPartId[] = "partId";
inline constexpr char kSentences[] = "sentences";
inline constexpr char kSentenceId[] = "sentenceId";
inline constexpr char kText[] = "text";
inline constexpr char kSpeaker[] = "speaker";
inline constexpr char kSpeakerPicture[] = "speakerPicture";
inline constexpr char kAudio[] = "audio";

// Word-book unit ("lessonId" is the unit's id) and word.
inline constexpr char kWordUnitId[] = "lessonId";
inline constexpr char kOrderId[] = "orderId";
inline constexpr char kCount[] = "Count";
inline constexpr char kWords[] = "wordes";
inline constexpr char kWordId[] = "wordsId";
inline constexpr char kWordContent[] = "content";
inline constexpr char kWordPhonetic[] = "phonetic";
inline constexpr char kWordTranslate[] = "translate";
inline constexpr char kWordExample[] = "example1";
inline constexpr char kWordPicture[] = "picture";
inline constexpr char kWordFolder[] = "lessonId";

// The entry that holds the description.
inline constexpr char kEntryName[] = "data.json";

} // namespace DataJson
