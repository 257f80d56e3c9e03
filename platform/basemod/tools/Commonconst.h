#pragma once
// Globals of the base package shared by every study module.

#include "basemod_export.h"

#include <QString>

// Grading engine kind chosen by the host. 2 selects the stoppable evaluation
// call (which returns as soon as the module's stop flag turns true); any
// other value selects the plain one. The default is 2 so that a host that
// never sets it still gets evaluations that a close or leave can end.
BASEMOD_EXPORT extern int EngineType;

// Default value of EngineType.
inline constexpr int kDefaultEngineType = 2;

// The font family of every text the study views draw.
BASEMOD_EXPORT extern const QString FontWQYdzStr;
