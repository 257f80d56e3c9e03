#pragma once
// TStudyFrame: the study module's one main frame.
//
// Every page, shelf, study mode and result view lives on this frame or in a
// frame it creates, and every subsystem reads and writes its shared fields,
// which is why they are public. The frame is 1024 x 635 logical pixels and
// fills its parent. Its content is TabControl_Home with four pages: 0 the
// course shelf, 1 the open book, 2 a lesson or word study, 3 a result.
//
// Everything runs on the user-interface thread. Long steps (request waits,
// playback, recording, modal transfers) keep dispatching events, so incoming
// messages, timer ticks and clicks run in the middle of them; WorkState and
// the flags below keep that orderly.
//
// Lifetime: TStudyMod creates the frame with the host's parent as owner and
// destroys it through DestroyWhenIdle, which defers the destruction while a
// handler of the frame is still running (see TFrameEntry).
//
// Where the members live: this header is in sections, and each section names
// the file that defines its members. The pages' controls and the shared
// fields are declared in two bases that hold only data, StudyFramePages.h
// and StudyFrameFields.h. Files named Frame*.cpp define members of
// TStudyFrame and nothing else; StudyFrame.cpp holds construction,
// destruction and the handler guard. Every other file of the module holds
// plain functions or classes of its own.

#include "HostServices.h"
#include "StudyFrameFields.h"
#include "StudyFramePages.h"
#include "StudyTypes.h"
#include "WorkState.h"

#include "TFrame.h"

#include <nlohmann/json.hpp>

#include <QList>
#include <QPointer>

#include <functional>
#include <QString>

#include <memory>
#include <vector>

class TLabel;
class TProgressBar;
class TRectangle;
class TTimer;
class TLessonDisplayFrame;
class TStudyDisplayFrame;
class TeduPack_Lesson;
class TeduPack_Sentence;
class TMyLabelFrame;
struct TPassageTake;

class TBookIconFrame;
class TPngAni;
class TResourcePackageInfo;
class TResultStore;
class TNoFinishWordList;
struct TUnFinishedInfo;

// Course shelves (the enumerations are defined in ShelfLayout.h).
enum TCouserType : int;
enum TBookType : int;
enum TMaterialsType : int;

class TStudyFrame : public TFrame, public TStudyFramePages, public TStudyFrameFields
{
    Q_OBJECT
public:
    // ---- Construction, destruction, the handler guard (frame/StudyFrame.cpp) ----
    // Design size of the frame.
    static constexpr int kDesignWidth = 1024;
    static constexpr int kDesignHeight = 635;

    // Builds the frame, its pages and timers and opens the local result store
    // under the main path (the folder of the running executable).
    explicit TStudyFrame(QWidget *owner);
    ~TStudyFrame() override;

    // Folder of the running executable, with a trailing separator.
    static QString ExecutableFolder();

    // Stops all work (bStop, bCloseForm, every timer, playback, recording)
    // and destroys the frame: at once when none of its handlers is running,
    // otherwise as soon as the outermost running one returns. Returns true
    // when the frame was destroyed at once.
    bool DestroyWhenIdle();
    // True once DestroyWhenIdle was called.
    bool IsDestroyRequested() const { return m_destroyRequested; }
    // Number of the frame's handlers running right now (nested waits count
    // each handler they let run).
    int RunningHandlers() const { return m_entryDepth; }

    // Every timer of the frame, for tests.
    QList<TTimer *> Timers() const;

    // Runs one handler of the frame (a timer tick, a click, a press): counts
    // it as running, like TFrameEntry, and keeps any exception inside it: the
    // exception is logged as "error:" + name + ":" + its message and the
    // handler returns. State changed before the exception stays changed.
    template<class Fn>
    void RunHandler(const QString &name, Fn &&fn)
    {
        TFrameEntry entry(this);
        try {
            fn();
        } catch (const std::exception &e) {
            LogHandlerError(name, e.what());
        } catch (...) {
            LogHandlerError(name, nullptr);
        }
    }
    static void LogHandlerError(const QString &name, const char *what);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void SizeChanged() override;

    // Counts a running handler of the frame for as long as it lives; the last
    // one to end carries out a deferred destruction.
    class TFrameEntry
    {
    public:
        explicit TFrameEntry(TStudyFrame *frame);
        ~TFrameEntry();
        TFrameEntry(const TFrameEntry &) = delete;
        TFrameEntry &operator=(const TFrameEntry &) = delete;

    private:
        TStudyFrame *m_frame;
    };

public:
    // ---- Services, setters, outgoing channels, the result store (frame/FrameServices.cpp) ----
    // Setters of the injected services and values (they only store).
    void SetUIArchive(const IArchivePtr &value) { FUIArchive = value; }
    void SetSendInfo(const TGetStrProc &value) { FSendInfo = value; }
    void SetDoJobs(const TGetStrProc &value) { FDoJobs = value; }
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }
    void SetGradeEngine(const IAudioEnginePtr &value) { FGradeEngine = value; }
    void SetLoginInfos(const ILoginInfoPtr &value) { FLoginInfos = value; }
    void SetCustomHint(const ICustomHintPtr &value) { FCustomHint = value; }
    void SetCustomMsg(const ICustomMessagePtr &value) { FCustomMsg = value; }
    void SetMainPath(const QString &value) { FMainPath = value; }
    void SetResourcePackageInfo(const std::shared_ptr<TResourcePackageInfo> &value) { FResourcePackageInfo = value; }
    void SetLessonQueryType(const QString &value) { FLessonQueryType = value; }
    // Takes the user's profile, announces the module (acMainUpdated on the
    // job channel) and starts the course shelf request (Timer_QueryAllBook).
    void SetUserInfos(const IUserInfoPtr &value);

    // Read access for tests and for the module entry.
    const IArchivePtr &UIArchive() const { return FUIArchive; }
    const ISoundEnginePtr &SoundEngine() const { return FSoundEngine; }
    const IAudioEnginePtr &GradeEngine() const { return FGradeEngine; }
    const ILoginInfoPtr &LoginInfos() const { return FLoginInfos; }
    const IUserInfoPtr &UserInfos() const { return FUserInfos; }
    const ICustomHintPtr &CustomHint() const { return FCustomHint; }
    const ICustomMessagePtr &CustomMsg() const { return FCustomMsg; }
    const QString &MainPath() const { return FMainPath; }
    const QString &LessonQueryType() const { return FLessonQueryType; }

    // Sets the main path to the folder of the running executable and loads
    // the fixed pictures of the home page from the UI archive.
    void LoadUI();

    // A request on the request channel (dropped when none is installed).
    void SendRequest(const QString &text);
    // A notice on the job channel (dropped when none is installed).
    void SendJob(const QString &text);
    // acMainUpdated on the job channel.
    void SendMainUpdated();
    // acGetDownloadUrl: HideHint, bFllowDownload := true, then the
    // request. The caller sets NowLoadType first.
    void GetDownLoadURLResource(const QString &skey);
    // acGetUploadUrl: bFllowUpload := true, then the request.
    void GetUpLoadURLResource(const QString &skey);
    // acPackageVersion with its synchronous wait (resends every 10 polls).
    void QueryPackageVersion(qint64 paramId, const QString &sCourseType, bool bAssignment);
    // Shows an information message through the host (nothing without one).
    void ShowInfo(const QString &text);
    // Stops playback (and a waiting PlayFile) through the sound engine.
    void StopPlay();

    // The local result store (forwarded under the same names).
    bool InsertPartResult(const QString &Json);
    QString SelectPartResult(const QString &Json);
    void DeletePartResult(const QString &Json);
    bool InsertWordResult(const QString &Json);
    QString SelectWordResult(const QString &Json);
    void DeleteWordResult(const QString &Json);
    TResultStore *ResultStore() const { return FDConnection1.get(); }

private:
    // Loads a picture of the UI archive into a rectangle; false when absent.
    bool LoadPicture(TRectangle *target, const QString &name);
    // Identity of the user for requests.
    qint64 Uid() const;
    qint64 SchoolUserId() const;

    // Injected services and setter-backed values.
    IArchivePtr FUIArchive;
    TGetStrProc FSendInfo;
    TGetStrProc FDoJobs;
    ISoundEnginePtr FSoundEngine;
    IAudioEnginePtr FGradeEngine;
    ILoginInfoPtr FLoginInfos;
    IUserInfoPtr FUserInfos;
    ICustomHintPtr FCustomHint;
    ICustomMessagePtr FCustomMsg;
    QString FMainPath;
    // The local result store.
    std::unique_ptr<TResultStore> FDConnection1;

public:
    // ---- Incoming messages (protocol/FrameDispatch.cpp) ----
    // The single entry for every message from the host: parses it and routes
    // its code (ApiCodes.h) to one Msg_ member. The Msg_ members below are
    // defined in FrameDispatch.cpp; those whose work belongs to a subsystem
    // are declared, and defined, with that subsystem further down.
    void GetMsg(const QString &msg);

private:
    void Dispatch(int code, const nlohmann::ordered_json &body, const QString &msg);
    void Msg_AllBooksShelf(const QString &msg);                                          // acAllBooksShelf
    void Msg_StopRecordAni();                                                            // acStopRecordAni
    void Msg_WordResultAccepted(const nlohmann::ordered_json &body, const QString &msg); // acWordResultAccepted
    void Msg_ScoreAccepted(const nlohmann::ordered_json &body);                          // acScoreAccepted
    void Msg_ScoreHistory(const nlohmann::ordered_json &body, const QString &msg);       // acScoreHistoryPage
    void Msg_CloseOrSwitch(int code);                              // acCloseRequest, acSwitchRequest
    void Msg_DownloadAddress(const nlohmann::ordered_json &body);  // acDownloadUrl
    void Msg_UploadAddress(const QString &msg);                    // acUploadUrl
    void Msg_ShareAudioAccepted();                                 // acShareAudioAccepted
    void Msg_PackageRecord(const QString &msg);                    // acPackageRecord
    void Msg_NetworkFailure();                                     // acNetworkFailure
    void Msg_AddCourseResult(const nlohmann::ordered_json &body);  // acAddMyCourseResult
    void Msg_OpenRecentLesson(const nlohmann::ordered_json &body); // acOpenRecentLesson
    void Msg_Assignment(const nlohmann::ordered_json &body);       // acAssignmentPush
    void Msg_Unhandled(int code, const QString &msg);              // acNone and codes without a handler

public:
    // ---- The pages' controls: TStudyFramePages (frame/StudyFramePages.h); frame/FramePagesHome.cpp builds page 0, frame/FramePagesOther.cpp pages 1 to 3 ----
private:
    void BuildHomePage();       // FramePagesHome.cpp
    void BuildBookPage();       // FramePagesOther.cpp
    void BuildStudyPage();      // FramePagesOther.cpp
    void BuildScorePage();      // FramePagesOther.cpp
    void ApplyFixedFontSizes(); // FramePagesOther.cpp

public:
    // ---- Page changes and the return buttons (frame/FrameNavigation.cpp) ----
    void TabControl_HomeChange();
    void Button_ReturnMouseUp();
    void Button_DisplayReturnMouseUp();
    void Button_Study_LearningReturnMouseUp();
    // Shows the open book's picture and name on the book page.
    void ShowOpenBookHeader();

private:
    // Connects the controls' events to their handlers.
    void ConnectHandlers();

public:
    // ---- Timers (frame/FrameTimers.cpp) ----
    // All disabled at start; interval in ms.
    TTimer *Timer_QueryAllBook = nullptr;     // 400: course shelf request with wait
    TTimer *Timer_MyCourse = nullptr;         // 50: EnterMyCourse
    TTimer *Timer_Assignment = nullptr;       // 50: start the pushed assignment
    TTimer *Timer_Close = nullptr;            // 200: answer close/switch once idle
    TTimer *Timer_Return = nullptr;           // 200: return from a study mode once idle
    TTimer *Timer_ChangeMode = nullptr;       // 200: switch study mode
    TTimer *Timer_PartContinue = nullptr;     // 500: continue a passage reading
    TTimer *Timer_SentencePlay = nullptr;     // 10: start timers of the study modes
    TTimer *Timer_SentenceRecord = nullptr;   // 10
    TTimer *Timer_SentenceReplay = nullptr;   // 10
    TTimer *Timer_PartPlay = nullptr;         // 10
    TTimer *Timer_PartRecord = nullptr;       // 10
    TTimer *Timer_PartReplay = nullptr;       // 10
    TTimer *Timer_RepeatPlay = nullptr;       // 10
    TTimer *Timer_RepeatRecord = nullptr;     // 10
    TTimer *Timer_RepeatReplay = nullptr;     // 10
    TTimer *Timer_RolePlay = nullptr;         // 10
    TTimer *Timer_RolePlayContinue = nullptr; // 10
    TTimer *Timer_PlayRecord = nullptr;       // 10

    // Posts RunShelfFollowUp to the event loop.
    void PostShelfFollowUp();
    // Asks for the pushed assignment's package record, or opens the recent
    // lesson's book, as the last shelf reply left to do.
    void RunShelfFollowUp();

private:
    void CreateTimers();
    TTimer *MakeTimer(const QString &name, int intervalMs, void (TStudyFrame::*handler)());
    TTimer *MakeModeTimer(const QString &name, int intervalMs);
    void Timer_QueryAllBookTimer();
    void Timer_MyCourseTimer();
    void Timer_AssignmentTimer();
    void Timer_CloseTimer();

public:
    // ---- Animations (frame/FrameAnimations.cpp) ----
    // Owned, created on demand.
    TPngAni *WelcomeAni = nullptr;
    TPngAni *ReadAni = nullptr;
    TPngAni *RecordAni = nullptr;
    TPngAni *ScoreAni = nullptr;
    TPngAni *ExpAni = nullptr;
    TPngAni *CoinAni = nullptr;
    TPngAni *MedalAni = nullptr;
    // Frees one animation field and clears it.
    static void FreeAni(TPngAni *&ani);
    // The looping figure animation "ani\<name>\" shown while model audio
    // plays (ReadAni) or the learner records (RecordAni). Each frees both
    // figure animations first, then does nothing more while bStop is set;
    // otherwise it moves the parent to 817,106 and sizes it.
    void PlayReadAni(const QString &name, TControl *parent);
    void PlayRecordAni(const QString &name, TControl *parent);
    // The one-shot welcome animation over the whole parent (WelcomeAni),
    // hidden when it ends. The overload without a parent plays it on
    // Rectangle_WelcomeAniBackground.
    void PlayWelcomeAni(TControl *parent);
    void PlayWelcomeAni();
    // Shows the score level's picture on the parent and plays its sound
    // ("data\<level>.mp3" under the main path, taken from the UI archive when
    // missing). Silent and without picture while the host closes or switches
    // the module.
    void PlayScoreAni(double score, TRectangle *parent);

    // ---- Shared fields: TStudyFrameFields (frame/StudyFrameFields.h), grouped by concern; every subsystem reads and writes them ----

    // ---- Course shelves: building the tiles (catalog/FrameShelfBuild.cpp) ----
    void BuildUserBooks_UsuallyIcons(const QString &sjson);
    void BuildRecommandIcons(const QString &sjson);
    void BuildUserBooksIcons(const QString &sjson);
    void BuildUserBooks_OutsideIcons(const QString &sjson);
    void BuildMaterialsIcons(const QString &sjson);
    int FindBook(const QList<TBookIconFrame *> &List, const QString &Name, qint64 Id) const;
    void FreeShelfLists();
    // Places the other-books box: own books of other types, then the outside
    // books, on one grid.
    void LayoutOtherBooksBox();
    // A new tile at the end of `list`: named prefix + its index, tagged with
    // the index, with the shelf's font, the hint service and `onClick` as its
    // mouse-up handler. It has no parent yet.
    TBookIconFrame *NewShelfTile(QList<TBookIconFrame *> &list, const QString &prefix,
                                 void (TStudyFrame::*onClick)(TBookIconFrame *, Qt::MouseButton, double, double));

    // ---- Course shelves: tabs, shelf buttons, boxes (catalog/FrameShelfTabs.cpp) ----
    void Button_UsuallyBookClick(TControl *Sender);
    // Shows one shelf, one own-book box or one material box.
    void SetCoursePanel(TCouserType CourseType);
    void SetMyBookPanel(TBookType MyBookType);
    void SetMaterialsPanel(TMaterialsType MaterialType);
    // The box titles, their glow and the three shelf tabs.
    void Text_MyBookTextClick();
    void Text_MyBookWordClick();
    void Text_MyBookExtracurricularClick();
    void Text_MaterialsTeacherClick();
    void Text_MaterialsVoxClick();
    void TypeSelectMouseEnter(TControl *Sender);
    void TypeSelectMouseLeave(TControl *Sender);
    void Rectangle_TabMouseDown(TControl *Sender);
    void Rectangle_TabMouseEnter(TControl *Sender);
    void Rectangle_TabMouseLeave(TControl *Sender);

private:
    // Wiring of the home page's shelf handlers.
    void ConnectShelfHandlers();

public:
    // ---- Course shelves: the picture chain (catalog/FrameShelfPictures.cpp) ----
    // One step of the picture chain of each list; each runs on into the next
    // list at its end.
    void DisplayMyCourse_Usually();
    void DisplayMyCoursePicture();
    void DisplayMyCourse_OutsidePicture();
    void DisplayMaterialsPicture();
    void DisplayRecommandPicture();
    // Picture-chain runner shared by the five Display... steps; `list` is a
    // Shelf::TShelfList.
    void RunPictureChain(int list);
    // Reply acDownloadUrl for a shelf picture: download, show (or the default
    // picture), advance the list's cursor and request the next picture.
    void ContinuePictureChain(const QString &url, const QString &key);
    // Whether a download address of that kind is for a shelf tile's picture.
    static bool IsShelfPictureLoad(TLoadType kind);
    // Reply acDownloadUrl refused the address of a shelf picture: the tile
    // keeps its default picture and the chain goes on.
    void PictureAddressFailed();
    // True when `key` is the picture address of a shelf tile (the answer to an
    // earlier picture request rather than to a package request).
    bool IsShelfPictureKey(const QString &key) const;

    // ---- Course shelves: opening a tile (catalog/FrameShelfOpen.cpp) ----
    // Tile clicks of the recent, own, outside and material lists.
    void StudyMyCourse_UsuallyMouseUp(TBookIconFrame *Sender, Qt::MouseButton Button, double X, double Y);
    void StudyMyCourseMouseUp(TBookIconFrame *Sender, Qt::MouseButton Button, double X, double Y);
    void StudyMyCourse_OutsideMouseUp(TBookIconFrame *Sender, Qt::MouseButton Button, double X, double Y);
    void StudyMaterialsMouseUp(TBookIconFrame *Sender, Qt::MouseButton Button, double X, double Y);
    // acMaterialContentItems: the material's passage and its audio.
    void Msg_MaterialContentItems(const QString &sjson);
    // A teaching material's spaced-out text into the passage view (and
    // MaterialPassageText).
    void CreateMaterialPassage(const QString &content, bool isMaterial);

    // ---- Course shelves: recommended courses (catalog/FrameRecommendation.cpp) ----
    void StudyRecommendMouseUp(TBookIconFrame *Sender, Qt::MouseButton Button, double X, double Y);
    // Contents (acFreeGoods), adding (acAddMyCourse), the reply's
    // decoder and the panel's close buttons.
    void QueryFreeGoods(qint64 userId, qint64 goodsId);
    void AddMyCourse(qint64 userId, qint64 goodsId);
    void DecodeOwnFreeGoods(const QString &sjson);
    void Msg_FreeGoodsContents(const QString &sjson); // acFreeGoodsContents
    void Button_CloseRecommandContentClick();
    void CornerButton_MessageCloseClick();
    void Button_CloseRecommandRootClick();

    // ---- Package store: the package record and opening a course (catalog/FramePackageRecord.cpp) ----
    void DecodePackageInfo(const QString &sjson);
    bool FindMyCourse(qint64 lessonId) const;
    // Opens the selected tile's course (curSelectBook): OpenCoursePackage with
    // the tile's "url" and name. Does nothing while another opening holds
    // isAllowOperate (Timer_MyCourse tries again then).
    void EnterMyCourse();
    // Checks the course package named by packageKey (the book's "url", or a
    // package record's "packageName") against the package record and opens
    // it, or asks (with `title` in the question) whether to download it; on
    // Yes the address is asked for with packageKey as key.
    void OpenCoursePackage(const QString &packageKey, const QString &title, TLoadType kind);
    // How decoding a package into a new book ended.
    enum class TBookOpenEnd { Shown, Failed, Superseded };
    // Decodes the package into a fresh book and, unless another course was
    // asked for (or the module is closing) meanwhile, makes it PackBook and
    // shows the book page. Failed is logged under `member`; the caller tells
    // the learner.
    TBookOpenEnd OpenDecodedBook(const QString &packageFile, const QString &member);

    // ---- Package store: downloads (catalog/FramePackageDownload.cpp) ----
    // Reply acDownloadUrl: hands the address to the download it is for.
    void ActOnDownloadAddress(const QString &url, const QString &key);
    // Reply acDownloadUrl for the awaited course package: download it in the
    // transfer window, then decode and show it (or tell the learner it failed).
    void ActOnPackageAddress(const QString &url, const QString &key);
    // Downloads a book's package into "data\" in the modal transfer window,
    // named by the last segment of sURL; sDescription (the book's name) is
    // the window's line. True when the whole package arrived.
    bool DownLoadBookPackage(const QString &sURL, const QString &sKey, const QString &sDescription);
    // Downloads a shelf tile's picture into "pics\book\" without a window;
    // true on success.
    bool DownloadBookPicture(const QString &sURL, const QString &sKey);
    // Downloads a teaching material's audio or picture into "Data\" without
    // a window; true on success.
    bool DownLoadMaterialVoice(const QString &sURL, const QString &sKey);
    bool DownLoadMaterialContentPic(const QString &sURL, const QString &sKey);

    // ---- Package store: pictures of a material (catalog/FrameMaterialPictures.cpp) ----
    // Fills the rectangle with a picture file; a missing or unreadable file
    // leaves the rectangle as it was (false).
    bool LoadPictureFile(TRectangle *PictureControl, const QString &PictureName);
    // Fills the rectangle with a picture of the UI archive; false (rectangle
    // unchanged) when the archive has no such picture.
    bool LoadPictureFromPackage(TRectangle *PictureControl, const QString &PictureName);
    // Shows the open material's "contentPicture" in the passage frame's
    // picture area, downloading it first (waiting at most 8 seconds); the
    // default lesson picture when there is none.
    void LoadMaterialContentPic();
    // The passage frame's picture area ("Rectangle_PartPicture"), if any.
    TRectangle *MaterialPictureArea() const;

    // ---- Units and lessons: the unit list and its pager (course/FrameCourseUnits.cpp) ----
    // Row `index` of LessonDisplays as a unit row; null when out of range.
    TLessonDisplayFrame *UnitRow(int index) const;
    void ClearUnitDisplay();
    // Frees every unit row (both names do the same).
    void FreeUnitComponent();
    // Shows page `Page` with the builder of the open book's kind.
    void ShowUnitPage(int Page);
    // Builds the rows of page `Page` (1-based) for a textbook / a word book
    // and writes the page number into Label_CurrentUnitPage.
    void DoUpdateLV_Units(int Page);
    void DoUpdateLv_WordUnits(int Page);
    // Page buttons: nothing happens beyond the first and the last page.
    void Button_UnitNexPageClick();
    void Button_UnitPreviousPageClick();
    // Index in PackBook's units of the unit with that id; 0 when none.
    int GetUnitLabelIndex(qint64 UnitId) const;
    // Index in Units[UnitIndex]'s lessons of the lesson with that id; 0 when none.
    int GetLessonLabelIndex(int UnitIndex, qint64 LessonId) const;
    void UnitTitleMouseEnter(TControl *Sender);
    void UnitTitleMouseLeave(TControl *Sender);
    void UnitButtonMouseEnter(TControl *Sender);
    void UnitButtonMouseLeave(TControl *Sender);
    void Msg_LessonList(const QString &sjson); // acLessonListReply

    // ---- Units and lessons: a unit's lesson panel (course/FrameLessonPanel.cpp) ----
    // A unit button was pressed; Sender is a row's CornerButton_Unit.
    void UnitButtonMouseDown(TControl *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X, double Y);
    // Fills row RowIndex's lesson panel with the lessons of Units[UnitIndex] /
    // closes it.
    void DisplayLesson(int RowIndex, int UnitIndex);
    void NotDisplayLesson(int RowIndex);
    // A lesson title (a row's FTextLesson[k]) was pressed, entered or left.
    void LessonButtonMouseDown(TControl *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X,
                               double Y);
    void LessonButtonMouseEnter(TControl *Sender);
    void LessonButtonMouseLeave(TControl *Sender);

    // ---- Units and lessons: progress (course/FrameUnitProgress.cpp) ----
    void Msg_UnitProgress(const QString &sjson); // acWordFinishProgress, acFinishLessonProgress
    // Stores the finished percent and average score on the first unit of
    // PackBook whose id is unitId; no other unit changes.
    void DisplayProgressBar(qint64 unitId, int percent, double averageScore);
    // Style lookup handler of ProgressBar_FullBookFinishRate (connect it to
    // TProgressBar::ApplyStyleLookup): rounds the ends of its style parts.
    void ProgressBar_FullBookFinishRateApplyStyleLookup(TProgressBar *sender);

    // ---- Units and lessons: the word unit's menu (course/FrameModeMenu.cpp) ----
    // The menu's hand-over to the word study: a word unit's Label_Word. (A
    // lesson's mode labels go to StudyModeButtonUp, with the study modes.)
    void WordStudyModeButtonUp(TControl *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X,
                               double Y);

    // ---- Assignments (course/FrameAssignments.cpp) ----
    // The user type of the login (1 for a learner with assignments); 0
    // without a login service.
    int GetUserType() const;
    // Reply acAssignmentDetails: replaces AssignDetails and NoFinishWordList.
    void DecodeAssignDetails(const QString &Text);
    // Queries over AssignDetails (see AssignQueries.h for the walking order).
    bool IsAssignmentUnit(int UnitId, bool &Finished, QString &Content) const;
    bool IsAssignmentLesson(int LessonId, bool &Finished) const;
    int GetAssignmentId(int UnitId, int LessonId) const;
    int GetAssignmentIdBy(int UnitId) const;
    void GetUnFinishedInfo(TUnFinishedInfo &Info) const;
    void GetUnFinishedInfo_Single(TUnFinishedInfo &Info) const;
    void GetLessonUnFinishedInfo_Single(int UnitId, TUnFinishedInfo &Info) const;
    // A new list owned by the caller.
    std::unique_ptr<TNoFinishWordList> GetNoFinishWordList(int AssignmentId) const;
    // The reminder banner of the book page: shown with its fixed text only
    // for an open textbook and user type 1, otherwise hidden as by
    // NotDisplayRemind. The text argument is not shown.
    void DisplayRemind(const QString &Text = QString());
    // Hides the reminder banner of the book page.
    void NotDisplayRemind();
    // Asks for the open book's assignments (acAssignmentStatus).
    void QueryOpenBookAssignments();
    // acAssignmentMaxScore for the best score of an assignment's lesson.
    void QueryAssignmentMaxScore(int AssignmentId, int LessonId);
    void Msg_AssignmentBestScore(const nlohmann::ordered_json &body); // acAssignmentBestScore
    void Msg_AssignmentDetails(const QString &sjson);                 // acAssignmentDetails
    // Opens the course of the assignment the host pushed.
    void StartAssignment();

    // ---- Assignments: the automatic walk (course/FrameAssignWalk.cpp) ----
    // The automatic walk to a pushed assignment (isAssignmentSkip). The course
    // page calls each step at its place and does nothing of it itself:
    //  - the unit progress step calls AssignmentWalk_UnitPage() instead of
    //    its own page choice when isAssignmentSkip is set: reminder, the page
    //    of the first unfinished unit and, for one unit, the unit press after
    //    300 ms;
    //  - the unit press calls AssignmentWalk_Lesson(RowIndex, UnitIndex) as
    //    its last step: reminder and, for one unfinished lesson, the lesson
    //    press (textbook) or the word mode (word book) after 100 ms;
    //  - the lesson press calls AssignmentWalk_Mode(RowIndex, k) as its last
    //    step: passage reading of an unfinished lesson after 300 ms.
    // Each returns at once when isAssignmentSkip is not set.
    void AssignmentWalk_UnitPage();
    void AssignmentWalk_Lesson(int RowIndex, int UnitIndex);
    void AssignmentWalk_Mode(int RowIndex, int LessonIndex);

    // ---- Study modes: tabs, switching and returning (modes/FrameModeSwitch.cpp) ----
    // A lesson's mode label (Label_Sentence, Label_Part, Label_Repeat; any
    // other name opens role play): shows the study page and chooses the tab.
    void StudyModeButtonUp(TControl *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X, double Y);
    // A tab text pressed: marks the tab, sets the instruction line and asks
    // for the switch to its mode.
    void Text_TabSentenceMouseDown(TControl *Sender);
    void Text_TabSentenceMouseEnter(TControl *Sender);
    void Text_TabSentenceMouseLeave(TControl *Sender);
    // Stops every running action and asks for the switch to the mode named by
    // Sender (a tab rectangle); Timer_ChangeMode carries it out once idle.
    void StudyModeChangeUp(TControl *Sender);
    // Leaves the study page (also from Button_Study_LearningReturn);
    // Timer_Return carries it out once idle.
    void ModeFrameReturnUp();
    void DisplaySentenceCount(bool Visible);
    // The character name of a speaker picture ("Man.png" -> "man").
    static QString GetRoleName(const QString &Character);
    // The speed of a speed label in percent (-25, 0, 25).
    static int GetSpeedPlay(const TLabel *Label);
    // Cycles the label x1.0 -> x1.25 -> x0.75 and applies the new speed to
    // the audio playing now.
    void Label_SpeedPlayOnClick(TControl *Sender);
    // The microphone animation on Target while recording; off with false.
    void PlayRecordAnimation(bool On, TControl *Target = nullptr);

private:
    void Timer_ChangeModeTimer();
    void Timer_ReturnTimer();

public:
    // Frees every mode view.
    void FreeModeFrames();

    // ---- Study modes: filling a mode view from the lesson (modes/FrameModeContent.cpp) ----
    void DoUpdateLV_Sentences(int UnitIndex, int LessonIndex);
    void DoUpdateLV_Part(int UnitIndex, int LessonIndex);
    void DoUpdateLV_Play(int UnitIndex, int LessonIndex);
    void DoUpdateLV_Role(int UnitIndex, int LessonIndex);
    // The lesson at these indexes of PackBook; null when there is none.
    const TeduPack_Lesson *LessonAt(int UnitIndex, int LessonIndex) const;
    // The chosen sentence (curselectUnitButtonIndex, curSelectLessonButtonIndex,
    // curSelectPartIndex, curSelectSentenceIndex); null when there is none.
    const TeduPack_Sentence *SelectedSentence() const;
    // The lesson's picture into a mode view's picture area, the default
    // lesson picture when the package has none.
    void LoadLessonPicture(TRectangle *target, const TeduPack_Lesson *lesson);
    // The character of the first sentence of the book's first lesson ("" when
    // the book has none), whose idle figure the passage modes show.
    QString FirstCharacterOfBook() const;

    // ---- Study modes: the start timers (modes/FrameStartTimers.cpp) ----
    // Every tick of a study-mode timer comes here: the switch and return
    // timers, and the start timers of play, record and replay, which start
    // their action only when the frame is ready for it (StartTimerRule.h).
    void StudyModeTimerTick(TTimer *sender);
    // Role play's answer timer, with its own rule (DecideAnswerStart).
    void Timer_PlayRecordTimer();

    // ---- Sentence practice (modes/FrameSentencePractice.cpp) ----
    void SentenceContentMouseUp(TControl *Sender);
    void SentenceContentMouseEnter(TControl *Sender);
    void SentenceContentMouseLeave(TControl *Sender);
    void SentenceTrumpetMouseUp(TControl *Sender);
    void SentenceTrumpetMouseEnter(TControl *Sender);
    void SentenceTrumpetMouseLeave(TControl *Sender);
    void Button_ListenOnClick();
    void Button_RecordOnClick();
    void Button_ReplayOnClick();
    // Run by the start timers.
    void SentencePlayMethod();
    void SentenceRecordMethod();
    void SentenceReplayMethod();

    // ---- Passage modes: listening, recording and replaying (modes/FramePassageSteps.cpp) ----
    // The steps passage reading and passage repeat share. Listening plays
    // every sentence of the open lesson, in a loop while `loopOn` says so,
    // colouring each in `highlight` (when given) while it plays.
    void ListenToLesson(TLabel *speedLabel, const std::function<bool()> &loopOn, TMyLabelFrame *highlight);
    // Plays the learner's "tmp\part\<n>.wav" recordings in order.
    void ReplayPassageRecordings();
    // The microphone's toggle: true when a recording starts (the part
    // recordings emptied, WorkState recording); false when this click ended
    // the running one.
    bool BeginPassageRecording(TPassageTake &take);
    // Records "tmp\part\0.wav" and grades it (mode 2) against `reference`
    // for at most `seconds`; the grading result text. `take.gone` tells
    // that the frame went during the recording.
    QString RecordPassage(TPassageTake &take, const QString &reference, int seconds, const QString &wavForEngine,
                          bool gradeOnlyUnlessStopped);
    // The figure of a lesson's first sentence ("cartoon" without one).
    static QString FirstFigureOfLesson(const TeduPack_Lesson &lesson);

    // ---- Passage reading (modes/FramePassageReading.cpp) ----
    void PartButton_ListenOnClick();
    void PartButton_RecordOnClick();
    void PartButton_ReplayOnClick();
    void PartPlayMethod();
    void PartRecordMethod();
    void PartReplayMethod();

    // ---- Passage repeat (modes/FramePassageRepeat.cpp) ----
    void RepeatButton_ListenOnClick();
    void RepeatButton_RecordOnClick();
    void RepeatButton_ReplayOnClick();
    void RepeatPlayMethod();
    void RepeatRecordMethod();
    void RepeatReplayMethod();

    // ---- Role play, not built yet (modes/FrameModesPending.cpp) ----
    // Its buttons are wired and its timers run; each action logs that it is
    // not available yet.
    void RolePlayMethod(TControl *Sender);
    void PlayRecordMethod();
    void Rectangle_SelectRoleMouseDown(TControl *Sender);
    void RectangleConfirmOnClick();
    void RectangleEndPlayMouseUp();
    void RectangleReselectRoleMouseUp();
    void PlayStartRecordOnClick();
    // The sound engine's play-finished handler while role play is on show.
    void SoundPlayFinished();
    void Timer_PartContinueTimer();
    void Timer_RolePlayContinueTimer();

    // ---- Passage recordings: joining and backups (modes/FramePassageRecordings.cpp) ----
    // Joins the part recordings "tmp\part\<n>.wav" into "tmp\temp.wav".
    bool MergeWavePart();
    // Joins the backups listed in AudioFileJson's "audios" into "tmp\temp.wav".
    bool MergeWaveBackups();
    // Deletes the backups listed in the "audios" array of the JSON.
    void DeleteBackupsFile(const nlohmann::ordered_json &audioFiles);

    // ---- Scoring and results (scoring/FrameScoring.cpp) ----
    // Score of one "wordResult" entry given as JSON text: "overall" of its
    // "result" parsed again; 0 for the placeholder entry {"result": ""}.
    double GetSingleWordScore(const QString &entryText) const;
    void Msg_TtsAudioUrl(const QString &sjson); // acTtsAudioUrl

    // ---- Result views: the result page and the speech of a clicked word (scoring/FrameResultViews.cpp) ----
    // Shows a graded passage on the result page (a fresh result view with
    // its sentence table and total) and submits it. pointType: 5 passage
    // reading, 7 passage repeat.
    void DisplayScore(int pointType, const QString &doc);
    // Shows a word drill's result (one row per graded word), submits it and
    // puts the word card back on its home page.
    void DisplayWordScore(int pointType, const QString &doc);
    // A word's play button on the result page (or a word strip's): asks the
    // host for the word's speech (acTtsAudio); the reply plays it.
    void WordResultTextClick(TControl *sender);

private:
    // Frees the shown result view and makes a fresh one on the result page.
    TStudyDisplayFrame *NewDisplayFrame();

public:
    // ---- Score submission (results/FrameScoreSubmission.cpp) ----
    // Turns a shown passage or word-unit result into the score record and
    // submits it (point type 5 passage reading, 7 passage repeat, 1 word
    // unit): plays the score's level, keeps the record (and a passage's
    // recording as MP3) under "Fail\Study\" until the service accepts it,
    // sends it and waits for the acceptance, asking whether to try again
    // when none comes. Only scores above 30 are sent and kept.
    void SendPartScore(qint64 LessonId, int Count, const QString &Doc, int PointType);
    // Sends a score record and waits for acceptance (bSendSuccess_Score);
    // true when accepted.
    bool SendStudyPartResult(const QString &Text);
    // Uploads the file with the address of reply acUploadUrl; false (and the
    // learner told) when the transfer failed.
    bool UpLoadDataFile(const QString &Reply, const QString &FileName);
    // Uploads the recording named by ShareAudioGuid and registers it as
    // shared for the achievement.
    void ShareAudio(qint64 AchievementId);
    // Sends the share registration and waits for acceptance; deletes the
    // share record file once accepted.
    bool SendShareRequest(const QString &Text, const QString &MatchFile);
    // Writes the share record file (user id, achievement id, upload key).
    bool SaveMatchFile(const nlohmann::ordered_json &Msg, const QString &FileName);
    // The share button of the result page.
    void CornerButton_SharedAudioMouseUp(TControl *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                         double X, double Y);
    // Reply acUploadUrl, once Msg_UploadAddress let it through: uploads the
    // shared recording.
    void UploadAddressArrived(const QString &sjson);

private:
    // Waits for a confirmation flag in 100 ms steps, at most 8 seconds;
    // false when none came (or bStop ended the wait).
    bool WaitForConfirmation(const bool &flag);
    // Waits in 300 ms steps until the file is no longer being written.
    void WaitWhileFileInUse(const QString &file);

public:
    // ---- Score history (history/FrameHistory.cpp) ----
    // Reply acScoreHistoryPage without an error, from Msg_ScoreHistory.
    void ScoreHistoryArrived(const QString &sjson);

private:
    int m_entryDepth = 0;
    bool m_destroyRequested = false;
};
