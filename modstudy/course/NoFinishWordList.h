#pragma once
// The unfinished words of one word assignment: the assignment's id and the
// ids of the words still to be done, in the order the service listed them.

#include <QList>

class TNoFinishWordList
{
public:
    int Fassignmentid = 0;
    QList<int> FunFinishWords;

    void Setassignmentid(int value) { Fassignmentid = value; }
    void SetunFinishWords(const QList<int> &list) { FunFinishWords = list; }
    // True when the word id is one of the unfinished words.
    bool isContain(int wordId) const { return FunFinishWords.contains(wordId); }
};
