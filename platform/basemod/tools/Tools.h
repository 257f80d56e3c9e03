#pragma once
// The base package's free functions, in one include.

#include "FileTools.h"
#include "LocalPath.h"
#include "Log.h"
#include "Mp3Encoder.h"
#include "Phonetic.h"
#include "TextTools.h"
#include "Wait.h"
#include "WaveFile.h"
