#pragma once
// Texts of the notices a host pushes to the module, and the codes it reads
// from the module's job channel.

#include <QString>

#include <nlohmann/json.hpp>

#include <optional>

class TLearningServiceSim;
class TServiceCatalog;

namespace hostnotice {

inline constexpr int kAssignment = 10000;   // open this assignment
inline constexpr int kRecentLesson = 10002; // open this recently used lesson
inline constexpr int kClose = 10003;        // the host is closing
inline constexpr int kClosed = 10004;       // job: the module may be deleted
inline constexpr int kSwitch = 10005;       // the host switches modules
inline constexpr int kSwitched = 10006;     // job: the module may be deleted
inline constexpr int kAnnounce = 10007;     // job: the module is ready
inline constexpr int kNetworkFailure = 99999;
inline constexpr int kShelfRequest = 2003;
inline constexpr int kShelfReply = 2004;

// The "apiCode" of a message text; nullopt when it is not a JSON object with
// an integer code.
std::optional<int> ApiCode(const QString &text);

// A notice that carries nothing but its code.
QString Bare(int code);

// The assignment notice (10000) of the first book the user owns that holds
// an unfinished assignment of the user, as the service keeps them; nullopt
// when there is none.
std::optional<QString> SampleAssignment(TLearningServiceSim &service, qint64 uid);

// The first of the catalog's recently used books; nullopt when none is
// marked recent.
std::optional<QString> RecentLesson(const TServiceCatalog &catalog);

} // namespace hostnotice
