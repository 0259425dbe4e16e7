#include "recording/bin.h"

namespace bins {

QString BinWord(Bin bin)
{
    switch (bin) {
    case Bin::Aux: return QStringLiteral("AUX");
    case Bin::Out: return QStringLiteral("OUT");
    }
    return QString::number(int(bin));
}

std::optional<Bin> BinOfWord(QStringView word)
{
    for (const Bin named : {Bin::Aux, Bin::Out}) {
        if (word == BinWord(named))
            return named;
    }
    bool isNumber = false;
    const int number = word.toInt(&isNumber);
    if (!isNumber || number < kFirstBinNumber || number > kLastBinNumber || word != QString::number(number))
        return std::nullopt;
    return NumberedBin(number);
}

} // namespace bins
