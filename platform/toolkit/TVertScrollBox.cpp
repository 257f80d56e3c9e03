#include "TVertScrollBox.h"

#include <QChildEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

TVertScrollBox::TVertScrollBox(QWidget *parent)
    : TControl(parent),
      m_area(new QScrollArea(this)),
      m_content(new TControl)
{
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setWidgetResizable(false);
    m_area->setAutoFillBackground(false);
    m_area->viewport()->setAutoFillBackground(false);
    m_content->setObjectName(QStringLiteral("Content"));
    m_area->setWidget(m_content);
    m_content->setAutoFillBackground(false);
    m_content->installEventFilter(this);
    m_area->setGeometry(rect());
    // Shown on purpose: a box created inside a window that is already on
    // screen would otherwise keep its scroll area and content hidden.
    m_content->show();
    m_area->show();

    QScrollBar *bar = m_area->verticalScrollBar();
    bar->setSingleStep(20);
    connect(bar, &QScrollBar::valueChanged, this, [this](int value) {
        const int old = m_lastValue;
        m_lastValue = value;
        if (old != value)
            Q_EMIT ViewportPositionChange(this, QPointF(0, old), QPointF(0, value));
    });
    syncContent();
}

void TVertScrollBox::AddToContent(QWidget *child)
{
    if (!child || child->parentWidget() == m_content)
        return;
    const QPoint pos = child->pos();
    const bool wanted = !(child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide));
    child->setParent(m_content);
    child->move(pos);
    if (wanted)
        child->show();
    syncContent();
}

void TVertScrollBox::ClearContent()
{
    const auto children = m_content->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        delete child;
    SetViewportY(0);
    syncContent();
}

namespace {
// Bottom of a child as the content counts it: 0 for a child hidden on purpose.
int CountedBottom(const QWidget *child)
{
    if (child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide))
        return 0;
    return std::max(0, child->geometry().bottom() + 1);
}
} // namespace

double TVertScrollBox::ContentHeight() const
{
    if (!m_bottomValid || !m_unwatched.isEmpty())
        const_cast<TVertScrollBox *>(this)->refreshBottoms();
    return m_bottom;
}

void TVertScrollBox::refreshBottoms()
{
    int bottom = 0;
    const auto children = m_content->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (m_unwatched.contains(child)) {
            if (auto *control = qobject_cast<TControl *>(child)) {
                m_unwatched.remove(child);
                connect(control, &TControl::GeometryChanged, this, &TVertScrollBox::childGeometryChanged,
                        Qt::UniqueConnection);
            }
        }
        const int b = CountedBottom(child);
        m_bottoms.insert(child, b);
        bottom = std::max(bottom, b);
    }
    m_bottom = bottom;
    m_bottomValid = true;
}

void TVertScrollBox::noteChild(QWidget *child)
{
    const int now = CountedBottom(child);
    const auto it = m_bottoms.find(child);
    const int before = it == m_bottoms.end() ? 0 : it.value();
    m_bottoms.insert(child, now);
    if (!m_bottomValid)
        return;
    if (now >= m_bottom)
        m_bottom = now;
    else if (before == m_bottom)
        m_bottomValid = false; // the lowest child moved up: look again when asked
}

void TVertScrollBox::forgetChild(const QObject *child)
{
    m_unwatched.remove(child);
    const auto it = m_bottoms.find(child);
    if (it == m_bottoms.end())
        return;
    if (it.value() == m_bottom)
        m_bottomValid = false;
    m_bottoms.erase(it);
}

void TVertScrollBox::childGeometryChanged(TControl *child)
{
    if (child && child->parentWidget() == m_content) {
        noteChild(child);
        syncContent();
    }
}

double TVertScrollBox::ViewportHeight() const
{
    return height();
}

double TVertScrollBox::MaxViewportY() const
{
    return std::max(0.0, ContentHeight() - ViewportHeight());
}

double TVertScrollBox::ViewportY() const
{
    return m_area->verticalScrollBar()->value();
}

void TVertScrollBox::SetViewportY(double y)
{
    syncContent();
    const int value = static_cast<int>(std::lround(std::clamp(y, 0.0, MaxViewportY())));
    m_area->verticalScrollBar()->setValue(value);
}

void TVertScrollBox::ScrollTo(QWidget *child)
{
    if (!child || !m_content->isAncestorOf(child))
        return;
    syncContent();
    const QRect r(child->mapTo(m_content, QPoint(0, 0)), child->size());
    const double top = ViewportY(), view = ViewportHeight();
    if (r.top() < top || r.height() > view)
        SetViewportY(r.top());
    else if (r.bottom() + 1 > top + view)
        SetViewportY(r.bottom() + 1 - view);
}

void TVertScrollBox::SetShowScrollBar(bool on)
{
    m_showBar = on;
    m_area->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    syncContent();
}

void TVertScrollBox::watch(QWidget *child)
{
    child->installEventFilter(this);
    if (auto *control = qobject_cast<TControl *>(child))
        connect(control, &TControl::GeometryChanged, this, &TVertScrollBox::childGeometryChanged, Qt::UniqueConnection);
    else
        m_unwatched.insert(child);
    noteChild(child);
}

bool TVertScrollBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_content) {
        if (event->type() == QEvent::ChildAdded) {
            if (auto *w = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
                watch(w);
            syncContent();
        } else if (event->type() == QEvent::ChildRemoved) {
            forgetChild(static_cast<QChildEvent *>(event)->child());
            syncContent();
        }
    } else {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            if (auto *w = qobject_cast<QWidget *>(watched); w && w->parentWidget() == m_content)
                noteChild(w);
            syncContent();
            break;
        default: break;
        }
    }
    return TControl::eventFilter(watched, event);
}

void TVertScrollBox::syncContent()
{
    if (m_syncing)
        return;
    m_syncing = true;
    // Sizes come from the box itself, not from the scroll area's own layout,
    // which Qt brings up to date only once the box is on screen.
    const int view = std::max(0, height());
    const int content = static_cast<int>(std::ceil(ContentHeight()));
    const int range = std::max(0, content - view);
    QScrollBar *bar = m_area->verticalScrollBar();
    if (bar->maximum() != range)
        bar->setRange(0, range);
    bar->setPageStep(std::max(1, view));
    // The content spans the visible width (less the bar when it shows) and
    // at least the visible height, so rows placed there are always painted.
    const int barWidth = (m_showBar && range > 0) ? bar->sizeHint().width() : 0;
    const int width = std::max(0, this->width() - barWidth);
    const int height = std::max(content, view);
    if (m_content->size() != QSize(width, height))
        m_content->SetSize(width, height);
    m_syncing = false;
}

void TVertScrollBox::resizeEvent(QResizeEvent *event)
{
    TControl::resizeEvent(event);
    m_area->setGeometry(rect());
    syncContent();
}

void TVertScrollBox::SizeChanged()
{
    m_area->setGeometry(rect());
    syncContent();
}
