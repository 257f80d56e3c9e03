// Builds a 1024 x 635 page with a sample of the toolkit's controls and writes
// it as PNG to the path given on the command line.

#include "Render.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TEffects.h"
#include "TFrame.h"
#include "TLabel.h"
#include "TMemo.h"
#include "TProgressBar.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

QImage gradientImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(0x29, 0x80, 0xB9));
    g.setColorAt(0.5, QColor(0x8E, 0x44, 0xAD));
    g.setColorAt(1, QColor(0xF3, 0x9C, 0x12));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(Qt::white, 3));
    p.drawEllipse(QRect(w / 4, h / 4, w / 2, h / 2));
    return image;
}

template<typename T>
T *make(QWidget *parent, const char *name, double x, double y, double w, double h)
{
    auto *c = new T(parent);
    c->SetName(QString::fromLatin1(name));
    c->SetBounds(x, y, w, h);
    return c;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(DefaultFontFamily(), 10));
    if (argc < 2) {
        std::fprintf(stderr, "usage: toolkit_gallery <output.png>\n");
        return 2;
    }

    TFrame page;
    page.SetBounds(0, 0, 1024, 635);
    auto *background = make<TRectangle>(&page, "Rectangle_Background", 0, 0, 1024, 635);
    background->SetFillColor(0xFFF7F4EE);

    auto *title = make<TText>(&page, "Text_Title", 30, 20, 300, 40);
    title->SetFontSize(26);
    title->SetFontStyle(fsBold);
    title->SetColor(0xFFFF960D);
    title->SetHorzAlign(TTextAlign::Leading);
    title->SetText(QStringLiteral("我的课程"));

    auto *hint = make<TLabel>(&page, "Label_Hint", 30, 66, 10, 10);
    hint->SetFontSize(16);
    hint->SetColor(0xFF333333);
    hint->SetAutoSize(true);
    hint->SetText(QStringLiteral("点击话筒 , 开始录音"));

    // Bitmap-filled rounded picture with a shadow.
    auto *picture = make<TRectangle>(&page, "Rectangle_BookPicture", 40, 120, 220, 160);
    picture->SetBitmap(gradientImage(220, 160));
    picture->SetXRadius(16);
    picture->SetYRadius(16);
    picture->SetStrokeColor(0xFFFFFFFF);
    picture->SetStrokeThickness(2);
    auto *shadow = new TShadowEffect(picture);
    shadow->SetDistance(6);
    shadow->SetSoftness(0.4);

    // A loudspeaker-like circle with a glow.
    auto *trumpet = make<TRectangle>(&page, "SentenceTrumpet0", 320, 140, 60, 60);
    trumpet->SetFillColor(0xFF2E86DE);
    trumpet->SetXRadius(30);
    trumpet->SetYRadius(30);
    auto *glow = new TGlowEffect(trumpet);
    glow->SetSoftness(0.3);
    glow->SetColor(0xFFFFA417);

    // Stroke on chosen sides only.
    auto *sides = make<TRectangle>(&page, "Rectangle_Sides", 420, 130, 120, 80);
    sides->SetFillColor(0xFFFFFFFF);
    sides->SetStrokeColor(0xFFE74C3C);
    sides->SetStrokeThickness(4);
    sides->SetSides(TRectangle::SideTop | TRectangle::SideLeft);
    auto *sidesText = make<TText>(sides, "Text_Sides", 0, 0, 120, 80);
    sidesText->SetText(QStringLiteral("上边和左边"));
    sidesText->SetFontSize(15);

    // Progress with rounded ends.
    auto *progressLabel = make<TLabel>(&page, "Label_FullBookFinishRate", 40, 310, 200, 24);
    progressLabel->SetFontSize(15);
    progressLabel->SetText(QStringLiteral("全书完成率 64%"));
    auto *progress = make<TProgressBar>(&page, "ProgressBar_FullBookFinishRate", 40, 340, 300, 16);
    progress->SetValue(64);
    progress->SetBarColor(0xFFFF960D);
    QObject::connect(progress, &TProgressBar::ApplyStyleLookup, &page,
                     [](TProgressBar *bar) { bar->ApplyRoundedEnds(); });

    // Buttons and a check box.
    auto *b1 = make<TButton>(&page, "Button_UsuallyBook", 40, 390, 110, 36);
    b1->SetText(QStringLiteral("常用课程"));
    auto *b2 = make<TButton>(&page, "Button_MyBook", 160, 390, 110, 36);
    b2->SetText(QStringLiteral("我的课程"));
    b2->SetStyleLookup(QStringLiteral("tabbuttonstyle"));
    b2->SetStaysPressed(true);
    b2->SetIsPressed(true);
    b2->SetFontColor(0xFFFFFFFF);
    auto *b3 = make<TCornerButton>(&page, "CornerButton_SharedAudio", 280, 390, 130, 36);
    b3->SetText(QStringLiteral("上传好声音"));
    b3->SetXRadius(18);
    b3->SetYRadius(18);
    auto *check = make<TCheckBox>(&page, "CheckBox_Auto", 40, 445, 200, 24);
    check->SetText(QStringLiteral("自动播放下一句"));
    check->SetIsChecked(true);
    auto *radioA = make<TRadioButton>(&page, "RadioButton_A", 40, 475, 120, 24);
    radioA->SetText(QStringLiteral("角色 A"));
    radioA->SetIsChecked(true);
    auto *radioB = make<TRadioButton>(&page, "RadioButton_B", 160, 475, 120, 24);
    radioB->SetText(QStringLiteral("角色 B"));

    auto *memo = make<TMemo>(&page, "Memo_Passage", 40, 515, 380, 100);
    memo->SetText(QStringLiteral("Good morning. How are you today? I am fine, thank you. 早上好。"));
    memo->Select(memo->IndexOf(QStringLiteral("How are you today?")), 18);

    // A scroll box with rows.
    auto *box = make<TVertScrollBox>(&page, "VertScrollBox_Unit", 600, 40, 380, 560);
    auto *boxBack = make<TRectangle>(&page, "Rectangle_UnitBack", 596, 36, 388, 568);
    boxBack->SetFillColor(0xFFFFFFFF);
    boxBack->SetStrokeColor(0xFFCCCCCC);
    boxBack->SetStrokeThickness(1);
    boxBack->SetXRadius(8);
    boxBack->SetYRadius(8);
    boxBack->stackUnder(box);
    for (int i = 0; i < 12; ++i) {
        auto *row = make<TRectangle>(box->Content(), "LessonDisplays", 8, 8 + i * 62, 340, 54);
        row->SetName(QStringLiteral("LessonDisplays%1").arg(i));
        row->SetTag(i);
        row->SetFillColor(i % 2 ? 0xFFFDF2E4 : 0xFFEAF4FC);
        row->SetXRadius(6);
        row->SetYRadius(6);
        auto *text = make<TText>(row, "Text_Row", 12, 0, 320, 54);
        text->SetHorzAlign(TTextAlign::Leading);
        text->SetFontSize(15);
        text->SetText(QStringLiteral("第 %1 单元  Unit %1  Hello, nice to meet you.").arg(i + 1));
    }
    box->SetViewportY(62);

    if (!RenderToPng(&page, QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
