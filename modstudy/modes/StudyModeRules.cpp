#include "StudyModeRules.h"

#include "ScoreRounding.h"
#include "TextTools.h"

namespace StudyModes {

TModeTab TabOfLabel(const QString &labelName)
{
    const QString name = labelName.toLower();
    if (name == QLatin1String("label_sentence"))
        return TModeTab::Sentence;
    if (name == QLatin1String("label_part"))
        return TModeTab::Part;
    if (name == QLatin1String("label_repeat"))
        return TModeTab::Repeat;
    return TModeTab::Role;
}

namespace {
// The name part shared by a tab's text and rectangle.
QString TabStem(TModeTab tab)
{
    switch (tab) {
    case TModeTab::Sentence: return QStringLiteral("Sentence");
    case TModeTab::Part: return QStringLiteral("Part");
    case TModeTab::Repeat: return QStringLiteral("Repeat");
    case TModeTab::Role: break;
    }
    return QStringLiteral("Role");
}
} // namespace

QString TabTextName(TModeTab tab)
{
    return QStringLiteral("Text_Tab") + TabStem(tab);
}

QString TabRectName(TModeTab tab)
{
    return QStringLiteral("Rectangle_") + TabStem(tab);
}

QString TabCaption(TModeTab tab)
{
    switch (tab) {
    case TModeTab::Sentence: return QStringLiteral("单句练习");
    case TModeTab::Part: return QStringLiteral("短文朗读");
    case TModeTab::Repeat: return QStringLiteral("短文复诵");
    case TModeTab::Role: break;
    }
    return QStringLiteral("智能对话");
}

QString TabInstruction(TModeTab tab)
{
    switch (tab) {
    case TModeTab::Sentence: return QStringLiteral("请点击短文中的单句然后按下话筒开始录音。（单句练习不计成绩）");
    case TModeTab::Part: return QStringLiteral("先全文试听 , 然后点击话筒进行全文朗读。");
    case TModeTab::Repeat: return QStringLiteral("先全文试听 , 然后点击话筒进行复诵。");
    case TModeTab::Role: break;
    }
    return QString();
}

bool TabShowsSentenceCount(TModeTab tab)
{
    return tab == TModeTab::Sentence;
}

bool TabOfRectName(const QString &rectName, TModeTab &tab)
{
    for (TModeTab t : kAllTabs) {
        if (TabRectName(t) == rectName) {
            tab = t;
            return true;
        }
    }
    return false;
}

QString RoleName(const QString &character)
{
    const int dot = character.indexOf(QLatin1Char('.'));
    return (dot < 0 ? character : character.left(dot)).toLower();
}

QString RolePicture(const QString &characterName)
{
    if (characterName == QLatin1String(kRobotCharacter))
        return QStringLiteral("ani\\robot\\0001.png");
    return QStringLiteral("ani\\") + characterName + QStringLiteral("talk\\0001.png");
}

int SpeedPercent(const QString &label)
{
    bool ok = false;
    double speed = label.mid(1).toDouble(&ok);
    if (!ok)
        speed = 1.0;
    if (speed == 0.75)
        return -25;
    if (speed == 1.25)
        return 25;
    return 0;
}

QString NextSpeedLabel(const QString &label)
{
    switch (SpeedPercent(label)) {
    case 25: return QString::fromLatin1(kSpeedSlow);
    case -25: return QString::fromLatin1(kSpeedNormal);
    default: return QString::fromLatin1(kSpeedFast);
    }
}

QString ReferenceText(const QString &sentence)
{
    QString text = sentence;
    return text.replace(QLatin1String("..."), QLatin1String(" "));
}

int SentenceSeconds(const QString &referenceText)
{
    return Nearest(GetWordCount(referenceText) * 0.6) + 2;
}

} // namespace StudyModes
