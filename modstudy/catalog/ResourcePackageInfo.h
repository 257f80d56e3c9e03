#pragma once
// The package record of the course being opened (reply acPackageRecord): which resource
// package holds the course and which version of it is current.

#include <QString>

class TResourcePackageInfo
{
public:
    QString FcourseCode;
    QString FcourseType;  // "W" for a word book, other values for lesson books
    qint64 FlessonId = 0; // the book's id
    QString FpackageName;
    QString FpackagePic;
    QString FpackageTitle;
    QString Fversion; // compared with the package's "data.json"
    qint64 FversionNo = 0;
};
