#include "StudyPlayFrame.h"

#include "ControlMakers.h"
#include "Palette.h"

#include "UIPicture.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

using namespace ControlMakers;
using namespace Palette;

namespace {
constexpr double kSlotWidth = 100;
constexpr double kSlotHeight = 130;

// A rounded button made of a rectangle and its caption.
TRectangle *CaptionButton(QWidget *parent, const QString &name, double x, double y, const QString &caption)
{
    TRectangle *r = Rect(parent, name, x, y, 110, 36, kCourseOrange);
    r->SetXRadius(18);
    r->SetYRadius(18);
    r->setCursor(Qt::PointingHandCursor);
    TText *t = Text(r, QString(), 0, 0, 110, 36, caption, 12, kWhite);
    t->SetHitTest(false);
    return r;
}
} // namespace

TStudyPlayFrame::TStudyPlayFrame(QWidget *parent) : TFrame(parent)
{
    setObjectName(QStringLiteral("StudyPlayFrame"));
    SetBounds(0, 0, 984, 456);
    VertScrollBox_Content = ScrollBox(this, QStringLiteral("VertScrollBox_Content"), 16, 16, 600, 360);
    Rectangle_PlayPicture = Holder(this, QStringLiteral("Rectangle_PlayPicture"), 640, 180, 150, 100);
    Rectangle_UserPhoto = Holder(this, QStringLiteral("Rectangle_UserPhoto"), 820, 180, 90, 90);
    Label_PlayRoleName = Label(this, QStringLiteral("Label_PlayRoleName"), 810, 272, 110, 24, QString(), 12, kGrey);
    Label_PlayRoleName->SetHorzAlign(TTextAlign::Center);
    Rectangle_PlayResultPicture = Holder(this, QStringLiteral("Rectangle_PlayResultPicture"), 208, 120, 200, 120);
    Rectangle_PlayResultPicture->SetHitTest(false);

    Rectangle_NoticeBackground =
        Rect(this, QStringLiteral("Rectangle_NoticeBackground"), 664, 300, 280, 36, 0xFFFFF3E0);
    Rectangle_NoticeBackground->SetXRadius(18);
    Rectangle_NoticeBackground->SetYRadius(18);
    Label_Notice = Label(Rectangle_NoticeBackground, QStringLiteral("Label_Notice"), 0, 0, 280, 36,
                         QStringLiteral("Hi , 到你了哦"), 13, kOrange);
    Label_Notice->SetHorzAlign(TTextAlign::Center);
    Rectangle_NoticeBackground->SetVisible(false);

    Rectangle_EndPlay = CaptionButton(this, QStringLiteral("Rectangle_EndPlay"), 660, 360, QStringLiteral("结束对话"));
    Rectangle_Start = Holder(this, QStringLiteral("Rectangle_Start"), 790, 346, 64, 64);
    Rectangle_Start->setCursor(Qt::PointingHandCursor);
    Label_Start =
        Label(this, QStringLiteral("Label_Start"), 742, 414, 160, 22, QStringLiteral("点击话筒 , 开始录音"), 11, kGrey);
    Label_Start->SetHorzAlign(TTextAlign::Center);
    Rectangle_ReselectRole =
        CaptionButton(this, QStringLiteral("Rectangle_ReselectRole"), 864, 360, QStringLiteral("重置角色"));
    Rectangle_ReselectRole->SetWidth(100);

    // The role selection, over everything until the dialogue starts.
    Rectangle_SelectRoleBack = Rect(this, QStringLiteral("Rectangle_SelectRoleBack"), 0, 0, 984, 456, kWhite);
    Button_RoleSelectTabTitle = Text(Rectangle_SelectRoleBack, QStringLiteral("Button_RoleSelectTabTitle"), 0, 20, 984,
                                     32, QStringLiteral("备选角色"), 16);
    Button_RoleSelectTabTitle->SetFontStyle(fsBold);
    Text(Rectangle_SelectRoleBack, QStringLiteral("Text_RoleSelectUsage"), 0, 52, 984, 24,
         QStringLiteral("点击选择您要扮演的角色，然后点击“开 始”"), 11, kGrey);
    for (int i = 0; i < kMaxRoles; ++i) {
        const double x = 112 + (i % 4) * (kSlotWidth + 100);
        const double y = 88 + (i / 4) * (kSlotHeight + 16);
        TRectangle *slot = Rect(Rectangle_SelectRoleBack, QStringLiteral("Rectangle_Role%1").arg(i), x, y, kSlotWidth,
                                kSlotHeight - 30, kWhite);
        Card(slot);
        slot->setCursor(Qt::PointingHandCursor);
        TText *name = Text(Rectangle_SelectRoleBack, QStringLiteral("Text_selectedRoleName%1").arg(i), x,
                           y + kSlotHeight - 28, kSlotWidth, 24, QString(), 12);
        name->SetHitTest(false);
        Rectangle_Role.append(slot);
        Text_selectedRoleName.append(name);
    }
    Text_SelectSentenceCount = Text(Rectangle_SelectRoleBack, QStringLiteral("Text_SelectSentenceCount"), 0, 372, 984,
                                    24, QString(), 12, kGrey);
    CornerButton_Confirm = CornerButton(Rectangle_SelectRoleBack, QStringLiteral("CornerButton_Confirm"), 432, 404, 120,
                                        36, QStringLiteral("开 始"));
    ClearRoleImage();
}

void TStudyPlayFrame::ClearRoleImage()
{
    for (int i = 0; i < kMaxRoles; ++i) {
        Rectangle_Role.at(i)->ClearBitmap();
        Rectangle_Role.at(i)->SetTagString(QString());
        Rectangle_Role.at(i)->SetVisible(false);
        Text_selectedRoleName.at(i)->SetText(QString());
    }
    m_roleCount = 0;
}

bool TStudyPlayFrame::FindRole(const QString &speakerName) const
{
    for (int i = 0; i < m_roleCount; ++i)
        if (Text_selectedRoleName.at(i)->Text() == speakerName)
            return true;
    return false;
}

bool TStudyPlayFrame::LoadRoleImage(const QString &picture, const QString &speakerName)
{
    if (m_roleCount >= kMaxRoles)
        return false;
    const int i = m_roleCount++;
    TRectangle *slot = Rectangle_Role.at(i);
    QString file = picture.section(QLatin1Char('\\'), -1);
    slot->SetTagString(file.left(file.lastIndexOf(QLatin1Char('.'))));
    if (FUIArchive)
        LoadPicture_UI(slot, picture, FUIArchive);
    Text_selectedRoleName.at(i)->SetText(speakerName);
    slot->SetVisible(true);
    return true;
}

QStringList TStudyPlayFrame::Roles() const
{
    QStringList out;
    for (int i = 0; i < m_roleCount; ++i)
        out << Text_selectedRoleName.at(i)->Text();
    return out;
}
