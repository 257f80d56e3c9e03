#pragma once
// The services a host hands to the study module.
//
// The host owns every service object. It passes each one as a shared
// reference (std::shared_ptr) through the module's setters before the module
// is used; the module keeps the reference until its frame is destroyed and
// never frees, replaces or re-enters a service on its own. Every call is made
// on the host's user-interface thread. Calls marked "waiting" keep
// dispatching user-interface events until they return, because the module
// stops them from timer and button handlers that run during the wait.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include <nlohmann/json.hpp>

// A host callback that takes one text (request channel, job channel).
using TGetStrProc = std::function<void(const QString &)>;
// A parameterless notification (playback finished).
using TNotifyProc = std::function<void()>;

// Playback and recording.
class ISoundEngine
{
public:
    virtual ~ISoundEngine() = default;
    // Called when a playback ends; an empty function clears the handler.
    virtual void SetOnPlayFinished(TNotifyProc handler) = 0;
    // Starts playing a file and returns at once (the wait flag is always false).
    virtual void PlayVoice(const QString &fileName, bool wait) = 0;
    // Plays a file at a speed of -25, 0 or +25 percent. With wait = true the
    // call is waiting: it returns when playback ends or StopPlay is called.
    // A missing file makes it return at once.
    virtual void PlayFile(const QString &fileName, bool wait, int speedPercent) = 0;
    // Plays the host's spoken comment for a score; returns at once.
    virtual void PlayScoreSound(int kind, double score) = 0;
    // As PlayScoreSound; with wait = true it is waiting until the comment ends.
    virtual void PlayScoreSoundEx(int kind, bool wait, double score) = 0;
    // Changes the speed of the running playback of fileName.
    virtual void SetPlaySpeed(const QString &fileName, int speedPercent) = 0;
    // Plays audio streamed from an address.
    virtual void PlayUrl(const QString &url, bool wait) = 0;
    // Ends any playback; a waiting PlayFile returns.
    virtual void StopPlay() = 0;
    // Starts writing the microphone to a WAV file.
    virtual void StartRecord(const QString &wavFileName) = 0;
    // Ends recording and closes the file.
    virtual void StopRecord() = 0;
};

// The pronunciation grading engine.
class IAudioEngine
{
public:
    virtual ~IAudioEngine() = default;
    // JSON text of the last evaluation; empty when there is none.
    virtual QString GetLastResult() = 0;
    // False while the engine is still starting.
    virtual bool IsEngineReady() = 0;
    // The engine's live option object; changes made through the reference
    // are the engine's options.
    virtual nlohmann::ordered_json &GetEngineParams() = 0;
    // Replaces the option object.
    virtual void SetEngineParams(const nlohmann::ordered_json &params) = 0;
    // Waiting: records up to `seconds` into wavFileName, grades the speech
    // against `text` and returns when done. Mode 0 word, 1 sentence,
    // 2 sentence of a passage.
    virtual void Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds) = 0;
    // Waiting: as Evaluate, and returns early as soon as `stop` becomes true.
    // Note the argument order (text before file). The returned text is
    // informational only.
    virtual QString EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                                      bool &stop) = 0;
};

// The host's archive of interface pictures and animation frames.
class IArchive
{
public:
    virtual ~IArchive() = default;
    // The bytes stored under a relative name such as "png\study\UnRecorded.png"
    // or "ani\ExpEffect\filelist.txt"; nullopt when the name is absent.
    virtual std::optional<QByteArray> GetResource(const QString &name) = 0;
};

// Modal messages.
class ICustomMessage
{
public:
    virtual ~ICustomMessage() = default;
    // Waiting until answered; buttons is 3 (Yes and No). Returns 6 for Yes.
    virtual int AskQuestion(const QString &text, int buttons) = 0;
    // Caption of the first button of the next question.
    virtual void SetOkCaption(const QString &caption) = 0;
    // Caption of the second button of the next question.
    virtual void SetCancelCaption(const QString &caption) = 0;
    // Shows an information message; returns when it is closed.
    virtual void ShowInfo(const QString &text) = 0;
};

// Tooltips.
class ICustomHint
{
public:
    virtual ~ICustomHint() = default;
    virtual void ShowHint(const QString &text, int placement) = 0;
    virtual void HideHint() = 0;
};

// The logged-in account.
class ILoginInfo
{
public:
    virtual ~ILoginInfo() = default;
    virtual qint64 GetUid() = 0;
    // 1 switches on the assignment checks.
    virtual int GetUserType() = 0;
    // 0 when the account has no school user id.
    virtual qint64 GetSchoolUserId() = 0;
};

// The user's profile.
class IUserInfo
{
public:
    virtual ~IUserInfo() = default;
    // Path of the user's picture.
    virtual QString GetUserPhoto() = 0;
};

// Reference-counted handles, as the module stores them.
using ISoundEnginePtr = std::shared_ptr<ISoundEngine>;
using IAudioEnginePtr = std::shared_ptr<IAudioEngine>;
using IArchivePtr = std::shared_ptr<IArchive>;
using ICustomMessagePtr = std::shared_ptr<ICustomMessage>;
using ICustomHintPtr = std::shared_ptr<ICustomHint>;
using ILoginInfoPtr = std::shared_ptr<ILoginInfo>;
using IUserInfoPtr = std::shared_ptr<IUserInfo>;

// Modal result of AskQuestion meaning "Yes".
inline constexpr int mrYes = 6;
// Buttons argument of AskQuestion: Yes and No.
inline constexpr int mbYesNo = 3;
