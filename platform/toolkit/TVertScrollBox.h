#pragma once
// A vertically scrolling box. Children go into its content area (Content(),
// AddToContent); the content is as wide as the visible area and as tall as
// its lowest visible child, so the scroll range follows the rows a screen adds
// or removes. ViewportPositionChange reports every scroll with the old and new
// position of the visible area within the content.

#include "TControl.h"

#include <QHash>
#include <QSet>

class QScrollArea;

class STUDYTOOLKIT_EXPORT TVertScrollBox : public TControl
{
    Q_OBJECT
public:
    explicit TVertScrollBox(QWidget *parent = nullptr);

    // The control that holds the rows; create rows with it as parent or pass
    // them to AddToContent.
    TControl *Content() const { return m_content; }
    // Moves `child` into the content (keeping its position within the content).
    void AddToContent(QWidget *child);
    // Deletes every child of the content and scrolls back to the top.
    void ClearContent();

    // Bottom of the lowest visible child of the content, 0 when there is none.
    double ContentHeight() const;
    // Height of the visible area.
    double ViewportHeight() const;
    // Largest ViewportY allowed by the current content.
    double MaxViewportY() const;

    double ViewportY() const;
    // Scrolls the visible area; the value is kept within 0..MaxViewportY.
    void SetViewportY(double y);
    // Scrolls the least needed to show `child` (a widget inside the content);
    // a child taller than the visible area is shown from its top.
    void ScrollTo(QWidget *child);

    bool ShowScrollBar() const { return m_showBar; }
    void SetShowScrollBar(bool on);

    QScrollArea *Area() const { return m_area; }

Q_SIGNALS:
    void ViewportPositionChange(TVertScrollBox *sender, QPointF oldPosition, QPointF newPosition);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void SizeChanged() override;

private:
    void syncContent();
    void watch(QWidget *child);
    // Keeps the lowest bottom of the content's children up to date after one
    // child changed (added, moved, resized, shown or hidden) or went away.
    // Only a change of the child that held the lowest bottom makes the next
    // ContentHeight look at every child again, so filling a box with n rows
    // costs O(n), not O(n^2).
    void noteChild(QWidget *child);
    void forgetChild(const QObject *child);
    void childGeometryChanged(TControl *child);
    // Looks at every child again: their bottoms, and whether a child that
    // was still being constructed when it was added is a control by now.
    void refreshBottoms();

    QScrollArea *m_area;
    TControl *m_content;
    int m_lastValue = 0;
    bool m_showBar = true;
    bool m_syncing = false;
    QHash<const QObject *, int> m_bottoms; // bottom of each counted child, 0 when hidden
    int m_bottom = 0;                      // lowest bottom while m_bottomValid
    bool m_bottomValid = true;
    // Children that report no geometry changes (plain widgets, or controls
    // added from inside their constructor); while there are any, the bottom
    // is found by looking at every child.
    QSet<const QObject *> m_unwatched;
};
