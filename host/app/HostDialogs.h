#pragma once
// The host's message boxes and tooltips, shown with Qt's own dialogs.

#include "HostServices.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// Modal questions and information boxes over the host window.
class TQtCustomMessage : public ICustomMessage
{
public:
    explicit TQtCustomMessage(QWidget *owner = nullptr) : m_owner(owner) {}

    // Yes and No, captioned with the texts set before (then forgotten, so
    // that every question starts from the default captions). Returns 6 for
    // Yes and 7 for No or a closed box.
    int AskQuestion(const QString &text, int buttons) override;
    void SetOkCaption(const QString &caption) override { m_okCaption = caption; }
    void SetCancelCaption(const QString &caption) override { m_cancelCaption = caption; }
    void ShowInfo(const QString &text) override;

private:
    QPointer<QWidget> m_owner;
    QString m_okCaption;
    QString m_cancelCaption;
};

// Modal result of a question answered with No.
inline constexpr int mrNo = 7;

// Tooltips at the mouse position.
class TQtCustomHint : public ICustomHint
{
public:
    void ShowHint(const QString &text, int placement) override;
    void HideHint() override;
};
