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
    // Shows the picture (a name in the UI archive) in the next free slot and
    // the speaker in its Text_selectedRoleName; the slot's string tag is the
    // picture's file name without extension. False when all eight are taken.
    bool LoadRoleImage(const QString &picture, const QString &speakerName);
    // Speakers of the filled slots, in slot order.
    QStringList Roles() const;

    // -- the role selection panel --
    TRectangle *Rectangle_SelectRoleBack = nullptr;
    TText *Button_RoleSelectTabTitle = nullptr; // "备选角色"
    QList<TRectangle *> Rectangle_Role;         // "Rectangle_Role0" ... "Rectangle_Role7"
    QList<TText *> Text_selectedRoleName;       // the speaker under each role
    TText *Text_SelectSentenceCount = nullptr;  // the chosen role's number of sentences
    TCornerButton *CornerButton_Confirm = nullptr;
    // -- the dialogue --
    TVertScrollBox *VertScrollBox_Content = nullptr; // the bubbles
    TRectangle *Rectangle_PlayPicture = nullptr;     // the lesson picture
    TRectangle *Rectangle_UserPhoto = nullptr;       // the speaker now
    TLabel *Label_PlayRoleName = nullptr;
    TRectangle *Rectangle_Start = nullptr; // integer tag 1 while the learner answers
    TLabel *Label_Start = nullptr;
    TRectangle *Rectangle_EndPlay = nullptr;
    TRectangle *Rectangle_ReselectRole = nullptr;
    // Visible exactly while it is the learner's turn.
    TRectangle *Rectangle_NoticeBackground = nullptr;
    TLabel *Label_Notice = nullptr;
    TRectangle *Rectangle_PlayResultPicture = nullptr;

private:
    IArchivePtr FUIArchive;
    ISoundEnginePtr FSoundEngine;
    int m_roleCount = 0;
};
