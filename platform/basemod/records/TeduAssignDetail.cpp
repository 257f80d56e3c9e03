#include "TeduAssignDetail.h"

void TeduAssignDetail::LoadFromJson(const TJson &item)
{
    areaid = I(item, "areaid");
    assigndetailid = I(item, "assigndetailid");
    assignmentid = I(item, "assignmentid");
    assigntype = S(item, "assigntype");
    finishcount = I(item, "finishcount");
    lessonid = I(item, "lessonid");
    title = S(item, "title");
    unitid = I(item, "unitid");
    Setfinishwords(S(item, "finishwords"));
}

TJson TeduAssignDetail::AsJson() const
{
    TJson o = TJson::object();
    PutI(o, "areaid", areaid);
    PutI(o, "assigndetailid", assigndetailid);
    PutI(o, "assignmentid", assignmentid);
    PutS(o, "assigntype", assigntype);
    PutI(o, "finishcount", finishcount);
    PutI(o, "lessonid", lessonid);
    PutS(o, "title", title);
    PutI(o, "unitid", unitid);
    PutS(o, "finishwords", finishwords);
    return o;
}
