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
    VertScrollBox_Content = ScrollBox(this, QStringLiteral("VertScrollBox_Content"), 16, 16, 760, 360);
    Rectangle_UserPhoto = Holder(this, QStringLiteral("Rectangle_UserPhoto"), 800, 200, 90, 90);
    Label_PlayRoleName = Label(this, QStringLiteral("Label_PlayRoleName"), 790, 292, 110, 24, QString(), 12, kGrey);
    Label_PlayRoleName->SetHorzAlign(TTextAlign::Center);
    Rectangle_EndPlay = CaptionButton(this, QStringLiteral("Rectangle_EndPlay"), 160, 400, QStringLiteral("结束对话"));
    Rectangle_Start = Holder(this, QStringLiteral("Rectangle_Start"), 460, 384, 64, 64);
    Rectangle_Start->setCursor(Qt::PointingHandCursor);
    Rectangle_ReselectRole =
        CaptionButton(this, QStringLiteral("Rectangle_ReselectRole"), 714, 400, QStringLiteral("重选角色"));

    // The role selection, over everything until a role is confirmed.
    Rectangle_SelectRoleBack = Rect(this, QStringLiteral("Rectangle_SelectRoleBack"), 0, 0, 984, 456, kWhite);
    Text(Rectangle_SelectRoleBack, QStringLiteral("Text_SelectRoleTitle"), 0, 24, 984, 32,
         QStringLiteral("请选择您要扮演的角色"), 16)
        ->SetFontStyle(fsBold);
    for (int i = 0; i < kMaxRoles; ++i) {
        const double x = 72 + (i % 4) * (kSlotWidth + 120);
        const double y = 76 + (i / 4) * (kSlotHeight + 24);
        TRectangle *slot = Rect(Rectangle_SelectRoleBack, QStringLiteral("Rectangle_Role%1").arg(i), x, y, kSlotWidth,
                                kSlotHeight, kWhite);
        Card(slot);
        slot->setCursor(Qt::PointingHandCursor);
        Holder(slot, QStringLiteral("Rectangle_RolePicture%1").arg(i), 10, 6, 80, 90)->SetHitTest(false);
        TText *name = Text(slot, QStringLiteral("Text_RoleName%1").arg(i), 0, 98, kSlotWidth, 28, QString(), 12);
        name->SetHitTest(false);
        slot->SetVisible(false);
        Rectangle_Role.append(slot);
    }
    CornerButton_Confirm = CornerButton(Rectangle_SelectRoleBack, QStringLiteral("CornerButton_Confirm"), 432, 400, 120,
                                        36, QStringLiteral("确定"));
}

void TStudyPlayFrame::ClearRoleImage()
{
    for (TRectangle *slot : Rectangle_Role) {
        slot->SetVisible(false);
        slot->SetTagString(QString());
        if (auto *picture = slot->findChild<TRectangle *>())
            picture->ClearBitmap();
        if (auto *name = slot->findChild<TText *>())
            name->SetText(QString());
    }
    m_roleCount = 0;
}

bool TStudyPlayFrame::FindRole(const QString &speakerName) const
{
    for (int i = 0; i < m_roleCount; ++i)
        if (Rectangle_Role.at(i)->TagString() == speakerName)
            return true;
    return false;
}

bool TStudyPlayFrame::LoadRoleImage(const QString &picture, const QString &speakerName)
{
    if (m_roleCount >= kMaxRoles)
        return false;
    TRectangle *slot = Rectangle_Role.at(m_roleCount++);
    slot->SetTagString(speakerName);
    if (auto *holder = slot->findChild<TRectangle *>(); holder && FUIArchive)
        LoadPicture_UI(holder, picture, FUIArchive);
    if (auto *name = slot->findChild<TText *>())
        name->SetText(speakerName);
    slot->SetVisible(true);
    return true;
}

QStringList TStudyPlayFrame::Roles() const
{
    QStringList out;
    for (int i = 0; i < m_roleCount; ++i)
        out << Rectangle_Role.at(i)->TagString();
    return out;
}
