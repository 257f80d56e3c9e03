#include "ScoreScales.h"

unsigned ScoreColor(double score)
{
    // Written as "score >= limit" so that a NaN fails every test and ends red.
    if (score >= 85)
        return kScoreColorGood;
    if (score >= 70)
        return kScoreColorFair;
    if (score >= 60)
        return kScoreColorWeak;
    return kScoreColorPoor;
}

TScoreLevel ScoreLevelOf(double score)
{
    if (score >= 85)
        return TScoreLevel::Gold;
    if (score >= 75)
        return TScoreLevel::Silver;
    if (score >= 65)
        return TScoreLevel::Copper;
    return TScoreLevel::Bad;
}

QString ScoreLevelName(TScoreLevel level)
{
    switch (level) {
    case TScoreLevel::Gold: return QStringLiteral("ScoreBackGold");
    case TScoreLevel::Silver: return QStringLiteral("ScoreBackSilver");
    case TScoreLevel::Copper: return QStringLiteral("ScoreBackCopper");
    case TScoreLevel::Bad: break;
    }
    return QStringLiteral("ScoreBackBad");
}

QString ScoreLevelPicture(const QString &levelName)
{
    return QStringLiteral("png\\") % levelName % QStringLiteral(".png");
}

QString ScoreLevelSoundFile(const QString &levelName)
{
    return QStringLiteral("data\\") % levelName % QStringLiteral(".mp3");
}

QString ScoreLevelSoundEntry(const QString &levelName)
{
    return QStringLiteral("ani\\") % levelName % QLatin1Char('\\') % levelName % QStringLiteral(".mp3");
}
