// Moving between the frame's pages: the wiring of the form's handlers, the
// page change handler and the three return buttons.

#include "StudyFrame.h"

#include "Log.h"
#include "UIPicture.h"

#include "TBookIconFrame.h"
#include "TButton.h"
#include "TText.h"
#include "TImageControl.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TVertScrollBox.h"

#include <QFileInfo>

namespace {
// Whether a passage result says the reading is not to be continued, so that
// its kept recordings can go.
bool PassageNotContinued(const std::unique_ptr<nlohmann::ordered_json> &result)
{
    if (!result || !result->is_object())
        return false;
    const auto it = result->find("bContinue");
    return it != result->end() && it->is_number() && it->get<double>() == 0;
}
} // namespace

void TStudyFrame::ConnectHandlers()
{
    connect(TabControl_Home, &TTabControl::Change, this, [this](TControl *) {
        RunHandler(QStringLiteral("TabControl_HomeChange"), [this] { TabControl_HomeChange(); });
    });
    const auto onClick = [this](TControl *control, void (TStudyFrame::*handler)()) {
        connect(control, &TControl::Click, this, [this, handler](TControl *sender) {
            RunHandler(sender->objectName() + QStringLiteral("MouseUp"), [this, handler] { (this->*handler)(); });
        });
    };
    onClick(Button_Return, &TStudyFrame::Button_ReturnMouseUp);
    onClick(Button_DisplayReturn, &TStudyFrame::Button_DisplayReturnMouseUp);
    onClick(Button_Study_LearningReturn, &TStudyFrame::Button_Study_LearningReturnMouseUp);
    for (TButton *shelf : {Button_UsuallyBook, Button_MyBook, Button_MaterialsBook, Button_ReccommandBook}) {
        connect(shelf, &TControl::Click, this, [this](TControl *sender) {
            RunHandler(QStringLiteral("Button_UsuallyBookClick"), [this, sender] { Button_UsuallyBookClick(sender); });
        });
    }
    // The result page's share button.
    connect(CornerButton_SharedAudio, &TControl::MouseUp, this,
            [this](TControl *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF at) {
                RunHandler(QStringLiteral("CornerButton_SharedAudioMouseUp"),
                           [&] { CornerButton_SharedAudioMouseUp(sender, button, shift, at.x(), at.y()); });
            });
    // The study page's mode tabs.
    for (TText *tab : {Text_TabSentence, Text_TabPart, Text_TabRepeat, Text_TabRole}) {
        connect(tab, &TControl::MouseDown, this,
                [this](TControl *sender, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                    RunHandler(QStringLiteral("Text_TabSentenceMouseDown"),
                               [this, sender] { Text_TabSentenceMouseDown(sender); });
                });
        connect(tab, &TControl::MouseEnter, this, [this](TControl *sender) {
            RunHandler(QStringLiteral("Text_TabSentenceMouseEnter"),
                       [this, sender] { Text_TabSentenceMouseEnter(sender); });
        });
        connect(tab, &TControl::MouseLeave, this, [this](TControl *sender) {
            RunHandler(QStringLiteral("Text_TabSentenceMouseLeave"),
                       [this, sender] { Text_TabSentenceMouseLeave(sender); });
        });
    }
    // Scrolling a shelf tells the host the main view moved.
    for (TVertScrollBox *box :
         {VertScrollBox_MaterialsTeacher, VertScrollBox_MyBookText, VertScrollBox_Recommand, VertScrollBox_Usually}) {
        connect(box, &TVertScrollBox::ViewportPositionChange, this, [this](TVertScrollBox *, QPointF, QPointF) {
            RunHandler(QStringLiteral("ViewportPositionChange"), [this] { SendMainUpdated(); });
        });
    }
}

void TStudyFrame::TabControl_HomeChange()
{
    const int page = TabControl_Home->TabIndex();
    for (TPngAni **ani : {&RecordAni, &ScoreAni, &ExpAni, &CoinAni, &MedalAni})
        FreeAni(*ani);
    if (page != pgStudy && page != pgDisplayScore)
        FreeAni(ReadAni);
    NotDisplayRemind();

    switch (page) {
    case pgHome:
        curSelectBook = nullptr;
        isAssignmentSkip = false;
        isStudyModeChange = false;
        isStudyModeReturn = false;
        bStopDownloadBookPicture = false;
        curselectUnitButtonIndex = 0;
        curSelectLessonButtonIndex = 0;
        break;
    case pgBook:
        // The two unit-state pictures every unit row copies, loaded once.
        if (Image1->ImageCount() == 0 && FUIArchive) {
            for (const QString &name : {QStringLiteral("png\\study\\book\\UnitFinished.png"),
                                        QStringLiteral("png\\study\\book\\UnitUnFinished.png")}) {
                const std::optional<QByteArray> bytes = ReadUIResource(name, FUIArchive);
                if (!bytes || Image1->AddImageData(*bytes) < 0)
                    procSaveLog(QStringLiteral("info：unit-state picture missing: ") % name);
            }
        }
        ClearUnitDisplay();
        ShowOpenBookHeader();
        QueryOpenBookAssignments();
        if (!isStudyModeReturn)
            PlayWelcomeAni();
        isStudyModeReturn = false;
        isStudyModeChange = false;
        break;
    case pgStudy:
        Rectangle_StudyModeSelectTab->SetVisible(curSelectBookType != QLatin1String("materials"));
        if (!Rectangle_RecordImage->HasBitmap())
            LoadPicture(Rectangle_RecordImage, QStringLiteral("png\\Recording.png"));
        break;
    case pgDisplayScore:
        isStudyModeChange = false;
        CornerButton_SharedAudio->SetVisible(false);
        break;
    default: break;
    }
}

void TStudyFrame::Button_ReturnMouseUp()
{
    TabControl_Home->SetTabIndex(pgHome);
    bStop = false;
    MyCourse_UsuallyIndex = 0;
    FreeAni(WelcomeAni);
    DisplayMyCourse_Usually();
}

void TStudyFrame::Button_DisplayReturnMouseUp()
{
    StopPlay();
    TabControl_Home->SetTabIndex(pgStudy);
    if (PassageNotContinued(PartResultJson))
        DeleteBackupsFile(AudioFileJson);
    PartStartIndex = 0;
    PartResultJson.reset();
}

void TStudyFrame::Button_Study_LearningReturnMouseUp()
{
    ModeFrameReturnUp();
}

void TStudyFrame::ShowOpenBookHeader()
{
    if (!curSelectBook) {
        Text_Description->SetText(QString());
        return;
    }
    // The tile's downloaded picture, else the default book picture.
    const QString local = curSelectBook->LocalIcon();
    if (local.isEmpty() || local == QLatin1String("default") || !QFileInfo::exists(local)
        || !Rectangle_BookPicture->LoadBitmapFromFile(local))
        LoadPicture(Rectangle_BookPicture, QStringLiteral("png\\study\\home\\BookIcon.png"));
    Text_Description->SetText(curSelectBook->GoodsName());
}
