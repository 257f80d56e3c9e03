#pragma once
// Enumerations of the study frame's state.

// The frame's logical view. Values 0 and 1 are shown on page 0 of
// TabControl_Home, 2 and 3 on page 1, 4 to 10 on page 2, 11 and 12 on page 3.
enum TStudyModule : int {
    smNone = 0,          // nothing shown yet
    smHome = 1,          // the course shelf
    smBookUnit = 2,      // unit list of a lesson book
    smWordUnit = 3,      // unit list of a word book
    smStudySentence = 4, // sentence practice
    smStudyPart = 5,     // passage reading
    smStudyRepeat = 6,   // passage repeat
    smStudyRole = 7,     // role-play dialogue
    smRoleSelect = 8,    // choosing a role
    smWordHome = 9,      // word study start page
    smStudyWord = 10,    // the word drill
    smBookResult = 11,   // lesson score shown
    smWordResult = 12,   // word score shown
};

// The page of TabControl_Home that shows a logical view.
int PageOfStudyModule(TStudyModule module);

// What a pending download-address request (acGetDownloadUrl) is for; the reply acDownloadUrl acts on it.
enum TLoadType : int {
    LTRecommPic = 0,           // picture of a recommended course tile
    LTMaterialsPic = 1,        // picture of a teaching material tile
    LTMyCoursePic = 2,         // picture of an own course tile
    LTWordPackage = 3,         // resource package of a word book
    LTLessonPackage = 4,       // resource package of a lesson book
    LTMaterialVoic = 5,        // audio of a teaching material
    LTShareGoodVoice = 6,      // (upload of a shared recording; the reply does nothing)
    LTMyCourse_OutsidePic = 7, // picture of an outside course tile
    LTMyCourse_Usually = 8,    // picture of a recently used course tile
    LTMaterialContentPic = 9,  // picture inside a teaching material
};

// The role-play state.
enum TStudyRoleState : int {
    rsNone = 0,
    rsManualPlay = 1,   // the learner replays a bubble
    rsAutoPlay = 2,     // the dialogue runs
    rsReSelectRole = 3, // the learner chose to reselect a role
};

// Pages of TabControl_Home.
enum THomePage : int {
    pgHome = 0,
    pgBook = 1,
    pgStudy = 2,
    pgDisplayScore = 3,
};
