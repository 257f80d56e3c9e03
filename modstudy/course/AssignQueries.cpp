#include "AssignQueries.h"

#include "JsonModel.h"
#include "TeduAssignDetail.h"
#include "TeduLastAssignMent.h"

#include <algorithm>

namespace assignq {

namespace {

// True when an entry of the pushed assignment names the unit (or lesson),
// comparing as 32-bit ids.
bool PushedNamesUnit(const TeduLastAssignMent &pushed, int unitId)
{
    return std::any_of(pushed.Items.begin(), pushed.Items.end(),
                       [unitId](const TeduLastAssignItem &item) { return static_cast<int>(item.unitId) == unitId; });
}

bool PushedNamesLesson(const TeduLastAssignMent &pushed, int lessonId)
{
    return std::any_of(pushed.Items.begin(), pushed.Items.end(), [lessonId](const TeduLastAssignItem &item) {
        return static_cast<int>(item.lessonId) == lessonId;
    });
}

// Counts distinct ids and keeps the smallest.
class TDistinct
{
public:
    void Add(int id)
    {
        if (std::find(m_ids.begin(), m_ids.end(), id) != m_ids.end())
            return;
        m_ids.push_back(id);
    }
    TUnFinishedInfo Info() const
    {
        if (m_ids.empty())
            return {};
        return {*std::min_element(m_ids.begin(), m_ids.end()), static_cast<int>(m_ids.size())};
    }

private:
    std::vector<int> m_ids;
};

} // namespace

void Decode(const QString &text, TAssignDetails &details, TNoFinishWordLists &words)
{
    details.clear();
    words.clear();
    TJson reply;
    if (!TrySO(text, reply) || !reply.is_object())
        return;
    const auto detailList = reply.find("assignDetails");
    if (detailList != reply.end() && detailList->is_array()) {
        for (const TJson &item : *detailList) {
            if (!item.is_object())
                continue;
            auto detail = std::make_unique<TeduAssignDetail>();
            detail->LoadFromJson(item);
            details.push_back(std::move(detail));
        }
    }
    const auto wordLists = reply.find("assignWordss");
    if (wordLists != reply.end() && wordLists->is_array()) {
        for (const TJson &item : *wordLists) {
            if (!item.is_object())
                continue;
            auto list = std::make_unique<TNoFinishWordList>();
            list->Setassignmentid(I(item, "assignmentid"));
            QList<int> ids;
            const auto unfinished = item.find("unFinishWords");
            if (unfinished != item.end() && unfinished->is_array()) {
                for (const TJson &word : *unfinished) {
                    if (word.is_object())
                        ids.append(I(word, "wordsid"));
                }
            }
            list->SetunFinishWords(ids);
            words.push_back(std::move(list));
        }
    }
}

bool IsUnit(const TAssignDetails &details, int unitId, bool &finished, QString &content)
{
    finished = true;
    content.clear();
    bool result = false;
    for (auto it = details.rbegin(); it != details.rend(); ++it) {
        const TeduAssignDetail &d = **it;
        if (d.unitid != unitId)
            continue;
        result = true;
        content = d.finishwords;
        if (d.finishcount == 0) {
            finished = false;
            break;
        }
    }
    return result;
}

bool IsLesson(const TAssignDetails &details, int lessonId, bool &finished)
{
    finished = true;
    bool result = false;
    for (const auto &d : details) {
        if (d->lessonid != lessonId)
            continue;
        result = true;
        if (d->finishcount == 0) {
            finished = false;
            break;
        }
    }
    return result;
}

int AssignmentId(const TAssignDetails &details, int unitId, int lessonId)
{
    for (const auto &d : details) {
        if (d->unitid == unitId && d->lessonid == lessonId)
            return d->assignmentid;
    }
    return 0;
}

int AssignmentIdBy(const TAssignDetails &details, int unitId)
{
    for (auto it = details.rbegin(); it != details.rend(); ++it) {
        if ((*it)->unitid == unitId)
            return (*it)->assignmentid;
    }
    return 0;
}

TUnFinishedInfo UnfinishedUnits(const TAssignDetails &details, const TeduLastAssignMent *pushed)
{
    TDistinct units;
    for (const auto &d : details) {
        if (d->finishcount != 0)
            continue;
        if (pushed && !PushedNamesUnit(*pushed, d->unitid))
            continue;
        units.Add(d->unitid);
    }
    return units.Info();
}

TUnFinishedInfo UnfinishedLessons(const TAssignDetails &details, int unitId, const TeduLastAssignMent *pushed)
{
    TDistinct lessons;
    if (!pushed)
        return lessons.Info();
    for (const auto &d : details) {
        if (d->unitid == unitId && d->finishcount == 0 && PushedNamesLesson(*pushed, d->lessonid))
            lessons.Add(d->lessonid);
    }
    return lessons.Info();
}

std::unique_ptr<TNoFinishWordList> NoFinishWords(const TNoFinishWordLists &lists, int assignmentId)
{
    auto result = std::make_unique<TNoFinishWordList>();
    if (assignmentId <= 0)
        return result;
    QList<int> words;
    for (const auto &list : lists) {
        if (list->Fassignmentid != assignmentId)
            continue;
        result->Setassignmentid(assignmentId);
        words.append(list->FunFinishWords);
    }
    result->SetunFinishWords(words);
    return result;
}

bool RemindShows(bool bookOpen, bool isWordBook, int userType)
{
    return bookOpen && !isWordBook && userType == 1;
}

} // namespace assignq
