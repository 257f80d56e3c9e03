#pragma once
// One course contained in a recommended (free) course offer: an element of
// the "items" of the course-contents reply.

#include "basemod_export.h"

#include "JsonModel.h"

#include <QString>

class BASEMOD_EXPORT TeduUserOwnFreeGoods
{
public:
    QString courseCode;
    QString courseType;
    int lessonId = 0;
    QString packageName;
    QString packagePic;
    QString packageTitle;
    QString version;
    int versionNo = 0;
    int hasGoods = 0; // 1 when the user already has the course

    // Fills every field from one element (missing members read as 0/"").
    void LoadFromJson(const TJson &item);
    // The element with the nine members, in the order above.
    TJson AsJson() const;
};
