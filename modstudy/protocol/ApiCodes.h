#pragma once
// Every message code exchanged with the host, in one place.
//
// A reply's code is its request's code plus one. Codes from 10000 up, and
// 99999, are notices that answer nothing. "Out" messages are built by the
// module (see Requests.h), "In" messages are handled by the frame's
// incoming dispatcher.

enum ApiCode : int {
    // A message without "apiCode" reads as 0 and matches no handler.
    acNone = 0,

    acGetUploadUrl = 11,           // Out: upload address for a file key
    acUploadUrl = 12,              // In:  upload address ("uploadurl", "fields")
    acGetDownloadUrl = 13,         // Out: download address for a resource key
    acDownloadUrl = 14,            // In:  download address ("key", "url")
    acAddMyCourse = 35,            // Out: add a free recommended course
    acAddMyCourseResult = 36,      // In:  result of adding (3501 = refused)
    acScoreAccepted = 42,          // In:  points, coins, medal of a submitted score
    acWordResult = 75,             // Out: one graded word of the word drill
    acWordResultAccepted = 76,     // In:  word result accepted (or not)
    acTtsAudio = 281,              // Out: synthesised speech of a clicked word
    acTtsAudioUrl = 282,           // In:  address of the speech
    acScoreHistory = 1061,         // Out: one page of the score history
    acScoreHistoryPage = 1062,     // In:  the page
    acShareAudio = 1083,           // Out: register an uploaded recording as shared
    acShareAudioAccepted = 1084,   // In:  share registered
    acFreeGoods = 1131,            // Out: contents and ownership of a recommended course
    acFreeGoodsContents = 1132,    // In:  the contents
    acAssignmentStatus = 1145,     // Out: assignments of a course
    acAssignmentDetails = 1146,    // In:  assignment details
    acAssignmentMaxScore = 1155,   // Out: best score of an assignment's lesson
    acAssignmentBestScore = 1156,  // In:  the best score
    acAllBooks = 2003,             // Out: the user's whole course shelf
    acAllBooksShelf = 2004,        // In:  the course shelf
    acMaterialContent = 2021,      // Out: content of one teaching material
    acMaterialContentItems = 2022, // In:  material content
    acLessonList = 2029,           // Out: lessons of a course or unit
    acLessonListReply = 2030,      // In:  lesson list
    acPackageVersion = 2101,       // Out: resource package record of a course or unit
    acPackageRecord = 2102,        // In:  the package record
    acWordFinish = 2127,           // Out: progress of a book's word units
    acWordFinishProgress = 2128,   // In:  word-unit progress
    acFinishLesson = 2129,         // Out: progress of a book's lesson units
    acFinishLessonProgress = 2130, // In:  lesson-unit progress

    acAssignmentPush = 10000,   // In:  a teacher's assignment to open now
    acOpenRecentLesson = 10002, // In:  open a recently used lesson after the shelf loads
    acCloseRequest = 10003,     // In:  the host wants to close the module
    acCloseReady = 10004,       // Out (job channel): work stopped, closing may proceed
    acSwitchRequest = 10005,    // In:  the host wants to switch to another module
    acSwitchReady = 10006,      // Out (job channel): work stopped, switching may proceed
    acMainUpdated = 10007,      // Out (job channel): main view set up or scrolled
    acStopRecordAni = 10010,    // In:  stop the recording animation
    acNetworkFailure = 99999,   // In:  the host's network request failed
};

// True for every code listed above except acNone.
bool IsKnownApiCode(int code);
