#pragma once
// The busy cursor over the whole application for as long as an object of
// this class lives: shown while a course is being opened (package record,
// decoding, the first page), so that the learner sees the click was taken.
// Nested objects stack; each restores what it set, however its scope ends.

#include <QCursor>
#include <QGuiApplication>

class TBusyCursor
{
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};
