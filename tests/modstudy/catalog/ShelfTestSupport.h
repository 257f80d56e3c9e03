#pragma once
// Shared pieces of the shelf tests: a frame under the test host whose
// working folder is a fresh temporary folder, and shelf replies made member
// by member.

#include "TestHost.h"
#include "TestMouse.h"

#include "TBookIconFrame.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

using nlohmann::ordered_json;

namespace ShelfTest {

inline ordered_json Book(qint64 id, const std::string &name, const std::string &courseType, const std::string &pic = {})
{
    const std::string n = std::to_string(id);
    return {{"uid", 10001},   {"packagePic", pic},  {"courseCode", "C" + n},   {"isRecommend", 0},
            {"lessonId", id}, {"lessonName", name}, {"orderId", id % 100},     {"url", "packages/a/b/book" + n + ".7z"},
            {"version", "3"}, {"versionNo", 3},     {"courseType", courseType}};
}

inline ordered_json Material(qint64 id, const std::string &title, const std::string &pic = {})
{
    const std::string voice = "audio/material/material_" + std::to_string(id) + ".mp3";
    return {{"uid", 10001},   {"materialId", id}, {"origiVoice", voice}, {"teacherId", 501},
            {"title", title}, {"picture", pic},   {"isNetMate", 0}};
}

inline ordered_json Goods(qint64 id, const std::string &name, const std::string &pic = {})
{
    return {{"goodsId", id}, {"goodsName", name}, {"goodsPic", pic}, {"isRecomm", 1}, {"lessonId", id - 2000}};
}

// A shelf reply; a list left out has no key at all.
struct TShelf
{
    std::optional<ordered_json> recent, own, outside, vox, self, recommended;

    ordered_json Json() const
    {
        ordered_json r = ordered_json::object();
        r["apiCode"] = 2004;
        r["errorCode"] = 0;
        if (recent)
            r["userBooksRequently"] = *recent;
        if (own)
            r["userBooks"] = *own;
        if (outside)
            r["outsideBooks"] = *outside;
        if (vox || self) {
            ordered_json m = ordered_json::object();
            if (vox)
                m["userOwnMaterialsVox"] = *vox;
            if (self)
                m["userOwnMaterialsSelf"] = *self;
            r["userMaterials"] = m;
        }
        if (recommended)
            r["recommBooks"] = *recommended;
        return r;
    }
};

inline QString Text(const ordered_json &j)
{
    return QString::fromStdString(j.dump());
}

inline ordered_json Parse(const QString &text)
{
    return ordered_json::parse(text.toStdString(), nullptr, false);
}

// A frame started without the user information (so no shelf request of its
// own) and working in a temporary folder.
class ShelfFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        host.Start(false);
        F().SetMainPath(dir.path() + QLatin1Char('/'));
    }
    TStudyFrame &F() { return *host.Frame(); }
    // Delivers a shelf reply as the host relays it after a shelf request.
    void Deliver(const TShelf &shelf)
    {
        F().bResponse = false;
        host.mod->ReceiveMsg(Text(shelf.Json()));
    }
    QList<ordered_json> Sent(int code) const
    {
        QList<ordered_json> out;
        for (const TSentText &s : TestHost::WithCode(host.requests, code))
            out.append(Parse(s.text));
        return out;
    }

    QTemporaryDir dir;
    TestHost host;
};

} // namespace ShelfTest
