// Choosing what the shelf shows: the shelf buttons with their layout and
// pressed state, the box titles with the five-star mark and the glow, the
// tabs with their pictures, and the activity notice on scrolling.

#include "ShelfTestSupport.h"

#include "TButton.h"
#include "TEffects.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

#include "TTabControl.h"

#include <QEnterEvent>

using namespace ShelfTest;

namespace {

void Enter(QWidget *w)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(w, &e);
}

void Leave(QWidget *w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

void Press(QWidget *w)
{
    SendMouse(w, QEvent::MouseButtonPress, QPointF(5, 5));
}

class ShelfPanels : public ShelfFixture
{
protected:
    void SetUp() override
    {
        ShelfFixture::SetUp();
        Deliver({.recent = ordered_json::array(),
                 .own = ordered_json::array({Book(1, "T", "L"), Book(2, "W", "W"), Book(3, "X", "X")}),
                 .self = ordered_json::array({Material(4, "M")}),
                 .recommended = ordered_json::array({Goods(3001, "G")})});
    }
    // Which of the shelf's boxes can be seen.
    QStringList VisibleBoxes()
    {
        QStringList out;
        for (TVertScrollBox *b : {F().VertScrollBox_Usually, F().VertScrollBox_MyBookText, F().VertScrollBox_MyBookWord,
                                  F().VertScrollBox_MyBookExtracurricular, F().VertScrollBox_MaterialsVox,
                                  F().VertScrollBox_MaterialsTeacher, F().VertScrollBox_Recommand}) {
            bool seen = b->Visible();
            for (QWidget *p = b->parentWidget(); seen && p && p != F().TabItem_Home; p = p->parentWidget())
                seen = !p->isHidden();
            if (seen)
                out << b->Name();
        }
        return out;
    }
};

} // namespace

TEST_F(ShelfPanels, ShelfButtonsSwitchShelvesAndLayTheRowOutWithTheTypeRowOfTheShelfShown)
{
    // The shelf reply opens the own books: recent, own, the own type row, materials.
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_MyBookText"});
    EXPECT_TRUE(F().Button_MyBook->IsPressed());
    EXPECT_EQ(F().Button_MyBook->FontColor(), 0xFFFFFFFFu);
    EXPECT_EQ(F().Button_UsuallyBook->FontColor(), 0xFF000000u);
    EXPECT_FALSE(F().Rectangle_MaterialsTypeSelect->Visible());
    EXPECT_EQ(F().Button_MyBook->X(), F().Button_UsuallyBook->Width());
    EXPECT_EQ(F().Rectangle_MyBookTypeSelect->X(), F().Button_MyBook->X() + F().Button_MyBook->Width());
    EXPECT_EQ(F().Button_MaterialsBook->X(),
              F().Rectangle_MyBookTypeSelect->X() + F().Rectangle_MyBookTypeSelect->Width());
    EXPECT_EQ(F().Text_MyBookText->Tag(), 1);

    ClickMiddle(F().Button_UsuallyBook);
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_Usually"});
    EXPECT_TRUE(F().Rectangle_NotingUsuallyBook->Visible()) << "no recent course yet";
    EXPECT_FALSE(F().Rectangle_MyBookTypeSelect->Visible());
    EXPECT_EQ(F().Button_MaterialsBook->X(), F().Button_UsuallyBook->Width() + F().Button_MyBook->Width());
    EXPECT_FALSE(F().Button_MyBook->IsPressed());

    ClickMiddle(F().Button_MaterialsBook);
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_MaterialsTeacher"});
    EXPECT_FALSE(F().Rectangle_NotingUsuallyBook->Visible());
    EXPECT_EQ(F().Rectangle_MaterialsTypeSelect->X(),
              F().Button_MaterialsBook->X() + F().Button_MaterialsBook->Width());
    EXPECT_EQ(F().Text_MaterialsTeacher->Tag(), 1);
    EXPECT_EQ(F().Label_Title->Text(), QStringLiteral("先全文试听 , 然后点击话筒进行全文朗读。"));

    F().isAddMyCourse = true;
    ClickMiddle(F().Button_ReccommandBook);
    EXPECT_TRUE(F().Rectangle_RecommandRootBackGground->Visible());
    EXPECT_TRUE(F().VertScrollBox_Recommand->Visible());
    EXPECT_FALSE(F().isAddMyCourse);
    ClickMiddle(F().Button_CloseRecommandRoot);
    EXPECT_FALSE(F().Rectangle_RecommandRootBackGground->Visible());
}

TEST_F(ShelfPanels, BoxTitlesChooseABoxAndTheVoxTitleOnlyTellsItIsNotOpen)
{
    ClickMiddle(F().Text_MyBookWord);
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_MyBookWord"});
    EXPECT_EQ(F().Text_MyBookWord->Tag(), 1);
    EXPECT_EQ(F().Text_MyBookText->Tag(), 0);
    EXPECT_EQ(F().Text_MyBookWord->Color(), 0xFFFF960Du);
    EXPECT_EQ(F().Text_MyBookText->Color(), 0xFF000000u);
    EXPECT_EQ(F().Rectangle_MyBookFiveStar->X(), F().Text_MyBookWord->X() - F().Rectangle_MyBookFiveStar->Width());

    // A marked own-book title stays marked when the own shelf comes back.
    ClickMiddle(F().Button_UsuallyBook);
    ClickMiddle(F().Button_MyBook);
    EXPECT_EQ(F().Text_MyBookWord->Tag(), 1);
    ClickMiddle(F().Text_MyBookExtracurricular);
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_MyBookExtracurricular"});
    EXPECT_EQ(F().Text_MyBookWord->Tag(), 0);
    // The glow follows the mouse over the titles.
    Enter(F().Text_MyBookExtracurricular);
    EXPECT_EQ(F().GlowEffect_TypeSelect->Target(), F().Text_MyBookExtracurricular);
    EXPECT_TRUE(F().GlowEffect_TypeSelect->Enabled());
    Leave(F().Text_MyBookExtracurricular);
    EXPECT_FALSE(F().GlowEffect_TypeSelect->Enabled());

    ClickMiddle(F().Button_MaterialsBook);
    ClickMiddle(F().Text_MaterialsVox);
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("暂未开通，敬请期待")});
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_MaterialsTeacher"});
    EXPECT_EQ(F().Text_MaterialsVox->Tag(), 0);
}

TEST_F(ShelfPanels, TabsSwitchShelvesAndHoveringShowsTheEnterPictureOnlyOnATabNotChosen)
{
    host.archive->ClearRequests();
    Press(F().Rectangle_TabMaterials);
    EXPECT_TRUE(host.archive->Requests().contains(QStringLiteral("png\\study\\home\\MaterialsDown.png")));
    EXPECT_EQ(F().Rectangle_TabMaterials->Tag(), 1);
    EXPECT_EQ(F().Rectangle_TabMyCourse->Tag(), 0);
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_MaterialsTeacher"});

    host.archive->ClearRequests();
    Enter(F().Rectangle_TabMaterials);
    Enter(F().Rectangle_TabRecommand);
    EXPECT_EQ(host.archive->Requests(), QStringList{QStringLiteral("png\\study\\home\\RecommendEnter.png")});
    Leave(F().Rectangle_TabRecommand);
    EXPECT_EQ(host.archive->Requests().last(), QStringLiteral("png\\study\\home\\RecommendUp.png"));

    Press(F().Rectangle_TabRecommand);
    EXPECT_TRUE(F().Rectangle_RecommandRootBackGground->Visible());
    Press(F().Rectangle_TabMyCourse);
    EXPECT_FALSE(F().Rectangle_RecommandRootBackGground->Visible());
    EXPECT_EQ(VisibleBoxes(), QStringList{"VertScrollBox_MyBookText"});
}

TEST_F(ShelfPanels, ScrollingAShelfTellsTheHost)
{
    ordered_json own = ordered_json::array();
    for (int i = 0; i < 30; ++i)
        own.push_back(Book(100 + i, "Book", "L"));
    Deliver({.own = own});
    F().VertScrollBox_MyBookText->SetBounds(0, 0, 1024, 300);
    ASSERT_GT(F().VertScrollBox_MyBookText->MaxViewportY(), 0);
    const int before = TestHost::WithCode(host.jobs, 10007).size();
    F().VertScrollBox_MyBookText->SetViewportY(120);
    EXPECT_GT(TestHost::WithCode(host.jobs, 10007).size(), before);
}
