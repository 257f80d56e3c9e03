#pragma once
// A page control without a visible tab strip: its pages (TTabItem) fill the
// control and exactly one, the active page, is shown. Pages change only
// through SetTabIndex; Change is emitted when the index really changes.

#include "TControl.h"

#include <QList>

class TTabControl;

class STUDYTOOLKIT_EXPORT TTabItem : public TControl
{
    Q_OBJECT
public:
    explicit TTabItem(TTabControl *owner = nullptr);

    QString Text() const { return m_text; }
    void SetText(const QString &text) { m_text = text; }
    // Position among the pages of its tab control, -1 when it has none.
    int Index() const;
    TTabControl *TabControl() const { return m_owner; }

private:
    friend class TTabControl;
    TTabControl *m_owner = nullptr;
    QString m_text;
};

class STUDYTOOLKIT_EXPORT TTabControl : public TControl
{
    Q_OBJECT
public:
    explicit TTabControl(QWidget *parent = nullptr);
    ~TTabControl() override;

    // Appends a new page named `name`; the first page added becomes active.
    TTabItem *AddTab(const QString &name = QString(), const QString &text = QString());
    int TabCount() const { return static_cast<int>(m_tabs.size()); }
    // The page at `index`, null outside 0..TabCount()-1.
    TTabItem *Tabs(int index) const;
    int TabIndex() const { return m_index; }
    // Shows page `index`; an index outside the pages is ignored.
    void SetTabIndex(int index);
    TTabItem *ActiveTab() const { return Tabs(m_index); }
    void SetActiveTab(TTabItem *tab);

Q_SIGNALS:
    void Change(TControl *sender);

protected:
    void SizeChanged() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TTabItem;
    void removeTab(TTabItem *tab);
    void layoutPages();

    QList<TTabItem *> m_tabs;
    int m_index = -1;
};
