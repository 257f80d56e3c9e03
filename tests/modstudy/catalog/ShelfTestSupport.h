#pragma once
// Shared pieces of the shelf tests: a frame under the test host whose
// working folder is a fresh temporary folder, shelf replies made member by
// member, and a left click as the mouse gives it.

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
    ordered_json b = ordered_json::object();
    b["uid"] = 10001;
    b["packagePic"] = pic;
    b["courseCode"] = "C" + std::to_string(id);
    b["isRecommend"] = 0;
    b["lessonId"] = id;
    b["lessonName"] = name;
    b["orderId"] = id % 100;
    b["url"] = "packages/a/b/book" + std::to_string(id) + ".7z";
    b["version"] = "3";
    b["versionNo"] = 3;
    b["courseType"] = courseType;
    return b;
}

inline ordered_json Material(qint64 id, const std::string &title, const std::string &pic = {})
{
    ordered_json m = ordered_json::object();
    m["uid"] = 10001;
    m["materialId"] = id;
    m["origiVoice"] = "audio/material/material_" + std::to_string(id) + ".mp3";
    m["teacherId"] = 501;
    m["title"] = title;
    m["picture"] = pic;
    m["isNetMate"] = 0;
    return m;
}

inline ordered_json Goods(qint64 id, const std::string &name, const std::string &pic = {})
{
    ordered_json g = ordered_json::object();
    g["goodsId"] = id;
    g["goodsName"] = name;
    g["description"] = "About " + name;
    g["goodsLevel"] = "2";
    g["price"] = 12.5;
    g["tradePrice"] = 9.5;
    g["rebate"] = 0.8;
    g["wordCount"] = 420;
    g["goodsPic"] = pic;
    g["memo"] = "memo " + name;
    g["isRecomm"] = 1;
    g["lessonId"] = id - 2000;
    return g;
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

// A left click in the middle of a control.
inline void Click(QWidget *w)
{
    ClickMiddle(w);
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
