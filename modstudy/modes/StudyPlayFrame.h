#pragma once
// TStudyPlayFrame: the view of role play ("智能对话").
//
// Created on a switch to role play with the UI archive and the sound engine;
// the main frame wires the role slots and buttons to its own handlers and
// fills the role selection from the lesson. The view holds the role
// selection panel (up to eight roles, in order of their first sentence), the
// dialogue area and the buttons to end the dialogue, choose again and answer.

#include "HostServices.h"

#include "TFrame.h"

#include <QList>

class TCornerButton;
class TLabel;
class TRectangle;
class TText;
class TVertScrollBox;

class TStudyPlayFrame : public TFrame
{
    Q_OBJECT
public:
    static constexpr int kMaxRoles = 8;

    explicit TStudyPlayFrame(QWidget *parent);

    void SetUIArchive(const IArchivePtr &value) { FUIArchive = value; }
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }

    // Empties every role slot.
    void ClearRoleImage();
    // Whether a slot shows this speaker.
    bool FindRole(const QString &speakerName) const;
    // Shows the picture (a name in the UI archive) and the speaker in the next
    // free slot; false when all eight are taken.
    bool LoadRoleImage(const QString &picture, const QString &speakerName);
    // Speakers of the filled slots, in slot order.
    QStringList Roles() const;

    TRectangle *Rectangle_SelectRoleBack = nullptr; // the role selection panel
    QList<TRectangle *> Rectangle_Role;             // "Rectangle_Role0" ... "Rectangle_Role7"
    TCornerButton *CornerButton_Confirm = nullptr;
    TVertScrollBox *VertScrollBox_Content = nullptr; // the dialogue bubbles
    TRectangle *Rectangle_UserPhoto = nullptr;
    TLabel *Label_PlayRoleName = nullptr;
    TRectangle *Rectangle_EndPlay = nullptr;
    TRectangle *Rectangle_ReselectRole = nullptr;
    TRectangle *Rectangle_Start = nullptr;

private:
    IArchivePtr FUIArchive;
    ISoundEnginePtr FSoundEngine;
    int m_roleCount = 0;
};
