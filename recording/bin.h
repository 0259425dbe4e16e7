#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace bins {

inline constexpr int kFirstBinNumber = 1;
inline constexpr int kLastBinNumber = 9;

// The bin lives beside the row it is written into: every file of the recording layer
// carries a row's bin, while the sorting itself (bins/) builds on this layer.
//
// Where a reading is sorted: one of the numbered bins, Bin{1} to Bin{9}; AUX, for a reading
// whose primary lies in a bin but whose secondary is outside that bin's limits; or OUT.
// The values run in the order a list of counts shows them.
enum class Bin : quint8 { Aux = kLastBinNumber + 1, Out = kLastBinNumber + 2 };

// The bin numbered 1 to 9.
constexpr Bin NumberedBin(int number)
{
    return Bin(number);
}

// "1" to "9", "AUX" or "OUT": the word every file writes for the bin.
QString BinWord(Bin bin);
// The bin a word of BinWord names; none for any other text.
std::optional<Bin> BinOfWord(QStringView word);

} // namespace bins
