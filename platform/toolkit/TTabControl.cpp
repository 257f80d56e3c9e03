#include "TTabControl.h"

TTabItem::TTabItem(TTabControl *owner) : TControl(owner), m_owner(owner)
{
}

int TTabItem::Index() const
{
    return m_owner ? static_cast<int>(m_owner->m_tabs.indexOf(const_cast<TTabItem *>(this))) : -1;
}

TTabControl::TTabControl(QWidget *parent) : TControl(parent)
{
}

TTabControl::~TTabControl()
{
    // Pages are children and die with the control; they must not call back.
    for (TTabItem *tab : std::as_const(m_tabs)) {
        disconnect(tab, nullptr, this, nullptr);
        tab->m_owner = nullptr;
    }
}

TTabItem *TTabControl::AddTab(const QString &name, const QString &text)
{
    auto *tab = new TTabItem(this);
    tab->setObjectName(name);
    tab->SetText(text);
    m_tabs.append(tab);
    connect(tab, &QObject::destroyed, this, [this, tab] { removeTab(tab); });
    tab->SetBounds(0, 0, Width(), Height());
    if (m_index < 0) {
        m_index = 0;
        tab->show();
    } else {
        tab->hide();
    }
    return tab;
}

TTabItem *TTabControl::Tabs(int index) const
{
    return index >= 0 && index < m_tabs.size() ? m_tabs.at(index) : nullptr;
}

void TTabControl::SetTabIndex(int index)
{
    if (index < 0 || index >= m_tabs.size() || index == m_index)
        return;
    m_index = index;
    for (int i = 0; i < m_tabs.size(); ++i)
        m_tabs.at(i)->setVisible(i == index);
    Q_EMIT Change(this);
}

void TTabControl::SetActiveTab(TTabItem *tab)
{
    SetTabIndex(static_cast<int>(m_tabs.indexOf(tab)));
}

void TTabControl::removeTab(TTabItem *tab)
{
    const int at = static_cast<int>(m_tabs.indexOf(tab));
    if (at < 0)
        return;
    m_tabs.removeAt(at);
    if (m_tabs.isEmpty()) {
        m_index = -1;
        return;
    }
    if (at < m_index) {
        --m_index; // the same page stays active
    } else if (at == m_index) {
        m_index = std::min(m_index, static_cast<int>(m_tabs.size()) - 1);
        m_tabs.at(m_index)->show();
        Q_EMIT Change(this);
    }
}

void TTabControl::layoutPages()
{
    for (TTabItem *tab : std::as_const(m_tabs))
        tab->SetBounds(0, 0, Width(), Height());
}

void TTabControl::SizeChanged()
{
    layoutPages();
}

void TTabControl::resizeEvent(QResizeEvent *event)
{
    TControl::resizeEvent(event);
    layoutPages();
}
