#include "ScoreSounds.h"

#include <cmath>

QString ScoreLevelName(double score)
{
    if (std::isnan(score) || score < 65)
        return QStringLiteral("ScoreBackBad");
    if (score < 75)
        return QStringLiteral("ScoreBackCopper");
    if (score < 85)
        return QStringLiteral("ScoreBackSilver");
    return QStringLiteral("ScoreBackGold");
}

QString ScoreSoundName(const QString &level)
{
    return QStringLiteral("ani\\") % level % QStringLiteral("\\") % level % QStringLiteral(".mp3");
}

std::function<std::optional<QByteArray>(int kind, double score)> ArchiveScoreSounds(IArchivePtr archive)
{
    return [archive = std::move(archive)](int, double score) -> std::optional<QByteArray> {
        if (!archive)
            return std::nullopt;
        return archive->GetResource(ScoreSoundName(ScoreLevelName(score)));
    };
}
