#pragma once
// One assigned item of a course: an element of "assignDetails".

#include "basemod_export.h"

#include "JsonModel.h"

#include <QString>

class BASEMOD_EXPORT TeduAssignDetail
{
public:
    int areaid = 0;
    int assigndetailid = 0;
    int assignmentid = 0;
    QString assigntype;
    int finishcount = 0; // 0 while the item is unfinished
    int lessonid = 0;
    QString title;
    int unitid = 0;
    QString finishwords; // word units: done count "/" total

    void Setfinishwords(const QString &value) { finishwords = value; }
    bool IsFinished() const { return finishcount != 0; }

    // Fills every field from one element (missing members read as 0/"").
    void LoadFromJson(const TJson &item);
    // The element with the nine members, in the order above.
    TJson AsJson() const;
};
