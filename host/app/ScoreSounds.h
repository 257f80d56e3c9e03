#pragma once
// The spoken comment the host plays for a score: one of the four score
// levels of the UI archive, each with its sound "ani\<level>\<level>.mp3".

#include "HostServices.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// "ScoreBackGold" from 85, "ScoreBackSilver" from 75, "ScoreBackCopper" from
// 65, "ScoreBackBad" below (and for a score that is not a number).
QString ScoreLevelName(double score);

// The archive name of a level's comment: "ani\<level>\<level>.mp3".
QString ScoreSoundName(const QString &level);

// A provider for the sound engine that reads a score's comment from
// `archive`; nothing when the archive lacks it. The kind of score does not
// change the comment.
std::function<std::optional<QByteArray>(int kind, double score)> ArchiveScoreSounds(IArchivePtr archive);
