#include "StudyTypes.h"

int PageOfStudyModule(TStudyModule module)
{
    switch (module) {
    case smNone:
    case smHome: return pgHome;
    case smBookUnit:
    case smWordUnit: return pgBook;
    case smBookResult:
    case smWordResult: return pgDisplayScore;
    default: return pgStudy;
    }
}
