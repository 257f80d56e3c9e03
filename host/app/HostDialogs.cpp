#include "HostDialogs.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QToolTip>

namespace {

const QString kCaption = QStringLiteral("口语学习");

// Swallows the learner's input to one widget and everything inside it for
// as long as it lives.
class TInputBlock : public QObject
{
public:
    explicit TInputBlock(QWidget *area) : m_area(area)
    {
        if (m_area)
            qApp->installEventFilter(this);
    }
    ~TInputBlock() override
    {
        if (m_area)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::ContextMenu: break;
        default: return false;
        }
        auto *w = qobject_cast<QWidget *>(watched);
        return w && m_area && (w == m_area || m_area->isAncestorOf(w));
    }

private:
    QPointer<QWidget> m_area;
};

} // namespace

int TQtCustomMessage::Run(QMessageBox &box)
{
    box.setWindowModality(Qt::NonModal);
    TInputBlock block(m_moduleArea);
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    m_open.append(&box);
    box.show();
    loop.exec();
    m_open.removeAll(&box);
    m_open.removeAll(nullptr);
    if (m_onClosed)
        m_onClosed();
    return box.result();
}

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
    box.setEscapeButton(QMessageBox::No);
    return Run(box) == QMessageBox::Yes ? mrYes : mrNo;
}

void TQtCustomMessage::ShowInfo(const QString &text)
{
    QMessageBox box(QMessageBox::Information, kCaption, text, QMessageBox::Ok, m_owner);
    Run(box);
}

QList<QMessageBox *> TQtCustomMessage::OpenBoxes() const
{
    QList<QMessageBox *> boxes;
    for (const QPointer<QMessageBox> &box : m_open)
        if (box)
            boxes << box.data();
    return boxes;
}

void TQtCustomMessage::EndOpenBoxes()
{
    for (QMessageBox *box : OpenBoxes()) {
        const bool question = box->button(QMessageBox::No) != nullptr;
        box->done(question ? QMessageBox::No : QMessageBox::Ok);
    }
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
