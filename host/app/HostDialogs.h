#pragma once
// The host's message boxes and tooltips, shown with Qt's own dialogs.

#include "HostServices.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QMessageBox;

// Questions and information boxes over the host window. A box is not modal
// to the window: a window blocked by a modal box never receives the
// learner's close, so the host could not carry the close out. Instead, the
// module's area takes no mouse, wheel or key input while a box is open, and
// the module's call waits for the box as it would for a modal one.
class TQtCustomMessage : public ICustomMessage
{
public:
    // `owner`: the window the boxes belong to; `moduleArea`: the widget the
    // module lives in (no input while a box is open; none when null).
    explicit TQtCustomMessage(QWidget *owner = nullptr, QWidget *moduleArea = nullptr)
        : m_owner(owner),
          m_moduleArea(moduleArea)
    {
    }

    // Yes and No, captioned with the texts set before (then forgotten, so
    // that every question starts from the default captions). Returns 6 for
    // Yes and 7 for No or a closed box.
    int AskQuestion(const QString &text, int buttons) override;
    void SetOkCaption(const QString &caption) override { m_okCaption = caption; }
    void SetCancelCaption(const QString &caption) override { m_cancelCaption = caption; }
    void ShowInfo(const QString &text) override;

    // A box is open: the module is inside AskQuestion or ShowInfo.
    bool IsOpen() const { return !m_open.isEmpty(); }
    // The open boxes, innermost last.
    QList<QMessageBox *> OpenBoxes() const;
    // Ends every open box as closed by the learner: a question is answered
    // No, a message is acknowledged. Each call returns to the module as its
    // box's wait ends.
    void EndOpenBoxes();
    // Called after a box has closed, just before its call returns to the
    // module (IsOpen tells whether an outer box is still open).
    void SetOnBoxClosed(std::function<void()> onClosed) { m_onClosed = std::move(onClosed); }

private:
    // Shows the box and waits for it; its result (a standard button).
    int Run(QMessageBox &box);

    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_moduleArea;
    QString m_okCaption;
    QString m_cancelCaption;
    QList<QPointer<QMessageBox>> m_open;
    std::function<void()> m_onClosed;
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
