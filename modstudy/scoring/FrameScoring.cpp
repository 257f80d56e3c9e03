// The study frame's score members, and the result views' entry points
// reached from the dispatcher.
//
// The speech of a clicked word (reply acTtsAudioUrl) is played here.

#include "StudyFrame.h"

#include "ScoreTotals.h"

#include "JsonModel.h"

#include "TButton.h"
#include "TRectangle.h"

#include <QPointer>

double TStudyFrame::GetSingleWordScore(const QString &entryText) const
{
    return SingleWordScore(entryText);
}

void TStudyFrame::Msg_TtsAudioUrl(const QString &sjson)
{
    TJson body;
    if (!TrySO(sjson, body) || !body.is_object())
        return;
    const QPointer<TControl> clicked = LastRectangleClickControl;
    const QString url = S(body, "url");
    if (url.isEmpty() || !FSoundEngine) {
        // No speech (the service failed): the pressed button is released.
        if (auto *button = qobject_cast<TButton *>(clicked.data()))
            button->SetIsPressed(false);
        return;
    }
    // The clicked control may go while its speech plays (a new result).
    if (auto *rect = qobject_cast<TRectangle *>(clicked.data())) {
        StopPlay();
        FSoundEngine->PlayUrl(url, true);
        if (clicked)
            LoadPicture(rect, QStringLiteral("png\\study\\score\\trumpetUp.png"));
    } else if (auto *button = qobject_cast<TButton *>(clicked.data())) {
        StopPlay();
        FSoundEngine->PlayUrl(url, true);
        if (clicked)
            button->SetIsPressed(false);
    } else {
        FSoundEngine->PlayUrl(url, false);
    }
}
