#include "TeduUserOwnFreeGoods.h"

void TeduUserOwnFreeGoods::LoadFromJson(const TJson &item)
{
    courseCode = S(item, "courseCode");
    courseType = S(item, "courseType");
    lessonId = I(item, "lessonId");
    packageName = S(item, "packageName");
    packagePic = S(item, "packagePic");
    packageTitle = S(item, "packageTitle");
    version = S(item, "version");
    versionNo = I(item, "versionNo");
    hasGoods = I(item, "hasGoods");
}

TJson TeduUserOwnFreeGoods::AsJson() const
{
    TJson o = TJson::object();
    PutS(o, "courseCode", courseCode);
    PutS(o, "courseType", courseType);
    PutI(o, "lessonId", lessonId);
    PutS(o, "packageName", packageName);
    PutS(o, "packagePic", packagePic);
    PutS(o, "packageTitle", packageTitle);
    PutS(o, "version", version);
    PutI(o, "versionNo", versionNo);
    PutI(o, "hasGoods", hasGoods);
    return o;
}
