#include "TeduPartScore.h"

#include "RecordFile.h"

TJson TeduPartScore::AsJson() const
{
    TJson o = TJson::object();
    PutI(o, "apiCode", kApiCode);
    PutS(o, "type", Kind);
    PutI(o, "pointCaseType", PointCaseType);
    PutI(o, "lessonId", LessonId);
    PutI(o, "sentenceId", SentenceId);
    PutD(o, "score", Score);
    PutS(o, "result", ResultText);
    PutI(o, "uid", UserId);
    PutI(o, "accuracy", Accuracy);
    PutI(o, "integrity", Integrity);
    PutI(o, "fluency", Fluency);
    PutI(o, "refId", RefId);
    PutS(o, "remark", Remark);
    return o;
}

QString TeduPartScore::AsString() const
{
    return AsJSon(AsJson());
}

bool TeduPartScore::LoadFromString(const QString &text)
{
    TJson o;
    const bool ok = TrySO(text, o) && o.is_object();
    if (!ok)
        o = TJson::object();
    Kind = Has(o, "type") ? S(o, "type") : QStringLiteral("L");
    PointCaseType = I(o, "pointCaseType");
    LessonId = I64(o, "lessonId");
    SentenceId = I64(o, "sentenceId");
    Score = D(o, "score");
    ResultText = S(o, "result");
    UserId = I64(o, "uid");
    Accuracy = I(o, "accuracy");
    Integrity = I(o, "integrity");
    Fluency = I(o, "fluency");
    RefId = I64(o, "refId");
    Remark = S(o, "remark");
    return ok;
}

bool TeduPartScore::SaveToUTF8File(const QString &path) const
{
    return WriteRecordFile(path, AsString().toUtf8());
}

bool TeduPartScore::LoadFromUTF8File(const QString &path)
{
    QByteArray bytes;
    if (!ReadRecordFile(path, bytes))
        return false;
    return LoadFromString(QString::fromUtf8(bytes));
}
