#pragma once
// TStudyDisplayFrame: the result view on the result page.
//
// After a passage: a table of the passage's sentences, each with its score
// and an unfold button; a click on a sentence (or its button) unfolds it into
// strips of eight words with their scores and folds any other. After a word
// drill: one row per graded word with its phoneme chips. The total of a
// passage is kept for the page.
//
// The main frame creates a fresh view for every result, hands it its
// services and the word-click handler (which asks the host for the speech of
// the clicked word) and frees it when the next result comes.

#include "HostServices.h"
#include "JsonModel.h"

#include "TFrame.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class TButton;
class TLabel;
class TMyRectangle;
class TRectangle;
class TStudyWordScoreDetailsFrame;
class TVertScrollBox;
class TWordTable;

class TStudyDisplayFrame : public TFrame
{
    Q_OBJECT
public:
    // A view of the given size; the rows take the scroll box's width.
    TStudyDisplayFrame(QWidget *parent, double width, double height);
    ~TStudyDisplayFrame() override;

    // The sentence table of a passage score document ("parts", "partcount").
    // A document without parts leaves the table empty.
    void DisplayPartScore(const QString &doc);
    // The word rows of a word score document ("wordResult"); placeholder
    // entries give no row.
    void DisplayWordScore_New(const QString &doc);

    // A click on sentence label (tag text = row number): unfolds the row, or
    // folds it when it is the unfolded one.
    void SentenceTextClick(TControl *sender);
    // A click on an unfold button: as a click on its row's sentence.
    void SentenctDetailClick(TControl *sender);
    // Moves the rows after row n below the word strips.
    void InsertSentenceDetails(int n);
    // Every row back at its folded place.
    void InitialPosition();
    // Stops every phoneme animation and puts the animation spot beside the
    // pressed phoneme button, inside the visible part of the list.
    void PhonemeButtonPlayMouseDown(TButton *sender);
    // Releases every word row's play button before the pressed one acts.
    void WordButtonPlayMouseDown(TControl *sender);

    void SetJsonContent(const QString &value) { FJsonContent = value; }
    void SetTotalScore(double value) { FTotalScore = value; }
    void SetUIArchive(const IArchivePtr &value);
    void SetSoundEngine(const ISoundEnginePtr &value) { FSoundEngine = value; }
    void SetwordTextClick(std::function<void(TControl *)> handler) { FwordTextClick = std::move(handler); }

    double TotalScore() const { return FTotalScore; }
    QString JsonContent() const { return FJsonContent; }
    // Width of the table rows (the scroll box's width less its bar).
    double TableWidth() const { return m_tableWidth; }

    TRectangle *Rectangle_DisplayScoreContentBackground = nullptr;
    TVertScrollBox *VertScrollBox_DisplayScore = nullptr;
    TRectangle *Rectangle_PartScoreDetailsTitle = nullptr;
    TRectangle *Rectangle_FullWordScoreDetailsTitle = nullptr;
    TRectangle *Rectangle_AnimationBackground = nullptr;

    // Rows, owned: score cells, sentence cells, unfold buttons, word rows,
    // the word strips of the unfolded sentence.
    QList<TMyRectangle *> FSentenceScore;
    QList<TMyRectangle *> FSentenceContent;
    QList<TRectangle *> FSentenceDetailbtn;
    QList<TStudyWordScoreDetailsFrame *> WordDetails;
    QList<TWordTable *> WordTables;

private:
    void ClearSentenceRows();
    void ClearWordTables();
    void ClearWordDetails();
    void AddSentenceRow(const QString &text, double score, const TJson *words);
    QList<double> RowHeights() const;
    void PlaceRows(const QList<double> &ys);

    double FTotalScore = 0;
    QString FJsonContent;
    std::function<void(TControl *)> FwordTextClick;
    IArchivePtr FUIArchive;
    ISoundEnginePtr FSoundEngine;
    QByteArray m_triangle;
    double m_tableWidth = 0;
    double m_fontSize = 13;
};
