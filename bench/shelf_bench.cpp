// Cost of a course shelf reply (2004): building every tile of the five lists,
// placing them on their grids and starting the picture chain, for a shelf of
// 60 and of 600 tiles. Each round replaces the previous round's shelf, as a
// second reply does, and frees its tiles.
//
// The tiles carry picture keys that are not on disk, so the chain stops at
// the first tile with one request, as on a first start.

#include "StudyFrame.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include <memory>

namespace {

using nlohmann::ordered_json;

// A shelf reply of `tiles` tiles spread like a well-used account: half own
// books (lesson, word and other books), a tenth recent, a tenth outside, a
// tenth materials and the rest recommended courses.
QString ShelfReply(int tiles)
{
    const auto book = [](int id, const char *type) {
        return ordered_json{{"uid", 10001},      {"packagePic", "pics/book/tile_" + std::to_string(id) + ".png"},
                            {"courseCode", "C"}, {"isRecommend", 0},
                            {"lessonId", id},    {"lessonName", "Book number " + std::to_string(id)},
                            {"orderId", id},     {"url", "packages/book_" + std::to_string(id) + ".7z"},
                            {"version", "1"},    {"versionNo", 1},
                            {"courseType", type}};
    };
    ordered_json recent = ordered_json::array(), own = ordered_json::array(), outside = ordered_json::array(),
                 self = ordered_json::array(), goods = ordered_json::array();
    const int tenth = tiles / 10;
    for (int i = 0; i < tenth; ++i)
        recent.push_back(book(i, "L"));
    static const char *const kTypes[] = {"L", "W", "X"};
    for (int i = 0; i < tiles / 2; ++i)
        own.push_back(book(1000 + i, kTypes[i % 3]));
    for (int i = 0; i < tenth; ++i)
        outside.push_back(book(5000 + i, "X"));
    for (int i = 0; i < tenth; ++i)
        self.push_back({{"uid", 10001},
                        {"materialId", 2000 + i},
                        {"origiVoice", "audio/m.mp3"},
                        {"teacherId", 5},
                        {"title", "Material " + std::to_string(i)},
                        {"picture", "pics/m_" + std::to_string(i) + ".png"},
                        {"isNetMate", 0}});
    const int rest = tiles - static_cast<int>(recent.size() + own.size() + outside.size() + self.size());
    for (int i = 0; i < rest; ++i)
        goods.push_back({{"goodsId", 3000 + i},
                         {"goodsName", "Course " + std::to_string(i)},
                         {"description", "A course"},
                         {"goodsLevel", 1},
                         {"price", 0},
                         {"tradePrice", 0},
                         {"rebate", 1},
                         {"wordCount", 100},
                         {"goodsPic", "pics/g_" + std::to_string(i) + ".png"},
                         {"memo", ""},
                         {"isRecomm", 1},
                         {"lessonId", 1000 + i}});
    ordered_json reply{{"apiCode", 2004}, {"errorCode", 0}};
    reply["userBooksRequently"] = recent;
    reply["userBooks"] = own;
    reply["outsideBooks"] = outside;
    reply["userMaterials"] = {{"userOwnMaterialsVox", ordered_json::array()}, {"userOwnMaterialsSelf", self}};
    reply["recommBooks"] = goods;
    return QString::fromStdString(reply.dump());
}

void BM_ShelfReply(benchmark::State &state)
{
    const int tiles = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QWidget parent;
    parent.resize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight);
    auto *frame = new TStudyFrame(&parent);
    frame->SetMainPath(dir.path() + QLatin1Char('/'));
    const QString reply = ShelfReply(tiles);
    for (auto _ : state) {
        frame->bResponse = false;
        frame->GetMsg(reply);
        // A host delivers every reply from its event loop, which handles the
        // events the new tiles posted (and frees replaced ones) before the
        // next reply arrives; without this the posted events of every round
        // pile up and each freed tile pays for searching them all.
        QCoreApplication::sendPostedEvents();
    }
    const auto built = frame->UserBooks.size() + frame->UserBooks_Usually.size() + frame->UserBooks_Outside.size()
                       + frame->Materials.size() + frame->RecommandGoods.size();
    if (built != tiles)
        state.SkipWithError("the shelf did not hold every tile");
    state.counters["tiles"] = static_cast<double>(built);
    state.SetItemsProcessed(state.iterations() * tiles);
    delete frame;
}

BENCHMARK(BM_ShelfReply)->Arg(60)->Arg(600)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
