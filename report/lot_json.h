#pragma once
#include "report/lot.h"

#include <QJsonObject>

namespace report {

// The lot's figures as JSON (the keys of bins::LotFiguresJson). A lot of one part, or of
// none, is that part's object; a lot of several parts is {"parts": [...]}, one object per
// part in the order they came, each with its "part" name and "part_number" (null without
// one) besides the figures.
QJsonObject LotJson(const Lot& lot);

} // namespace report
