#include "Commonconst.h"

int EngineType = kDefaultEngineType;

const QString FontWQYdzStr = QStringLiteral("WenQuanYi Zen Hei");
