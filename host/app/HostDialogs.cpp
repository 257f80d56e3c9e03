#include "HostDialogs.h"

#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QToolTip>

namespace {

const QString kCaption = QStringLiteral("口语学习");

} // namespace

int TQtCustomMessage::AskQuestion(const QString &text, int buttons)
{
    const QString okCaption = std::exchange(m_okCaption, QString());
    const QString cancelCaption = std::exchange(m_cancelCaption, QString());
    Q_UNUSED(buttons); // the module asks Yes/No questions only
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::Yes | QMessageBox::No, m_owner);
    if (!okCaption.isEmpty())
        box.button(QMessageBox::Yes)->setText(okCaption);
    if (!cancelCaption.isEmpty())
        box.button(QMessageBox::No)->setText(cancelCaption);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? mrYes : mrNo;
}

void TQtCustomMessage::ShowInfo(const QString &text)
{
    QMessageBox box(QMessageBox::Information, kCaption, text, QMessageBox::Ok, m_owner);
    box.exec();
}

void TQtCustomHint::ShowHint(const QString &text, int placement)
{
    Q_UNUSED(placement); // Qt places the tip beside the mouse
    QToolTip::showText(QCursor::pos(), text);
}

void TQtCustomHint::HideHint()
{
    QToolTip::hideText();
}
