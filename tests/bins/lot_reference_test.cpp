// The lot statistics against an independent reference: Python's statistics module (Debian's
// /usr/bin/python3) computes the same figures from the same readings, written to a file,
// and every figure must agree to a relative error below 1e-9.
#include "bins/lot_figures_json.h"
#include "bins/lot_statistics.h"
#include "recording/row_numbers.h"

#include <QJsonDocument>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

using namespace bins;

namespace {

constexpr double kRelativeError = 1e-9;
constexpr int kPythonSeconds = 110; // Python's exact fractions take a while for large lots

// A random lot: readings normally spread around a mean, a share of them overloads, each
// with a random verdict (or none) and bin (or none).
struct LotRecipe {
    const char* name;
    int readings;
    double mean, sigma;
    SpecificationLimits limits;
    double overloadShare;
    unsigned seed;
};

struct Lot {
    std::vector<recording::RowNumbers> rows;
    std::vector<std::optional<Bin>> bins;
};

Lot lotOf(const LotRecipe& recipe)
{
    std::mt19937_64 random(recipe.seed);
    std::normal_distribution<double> value(recipe.mean, recipe.sigma);
    std::bernoulli_distribution overload(recipe.overloadShare);
    const std::array<std::optional<recording::VerdictCode>, 5> verdicts{
        std::nullopt, recording::VerdictPass, recording::VerdictPass, recording::VerdictPrimaryOut,
        recording::VerdictBothOut};
    const std::array<std::optional<Bin>, 5> bins{std::nullopt, Bin{1}, Bin{2}, Bin::Aux, Bin::Out};
    std::uniform_int_distribution<std::size_t> pick(0, verdicts.size() - 1);
    Lot lot;
    for (int index = 0; index < recipe.readings; ++index) {
        recording::RowNumbers row;
        row.values.primaryKind = meter::PrimaryParameter::Resistance;
        const bool isOverload = overload(random);
        row.values.primary = recording::MeasuredValue{isOverload ? 2e7 : value(random), isOverload};
        row.verdict = verdicts[pick(random)];
        lot.rows.push_back(row);
        lot.bins.push_back(bins[pick(random)]);
    }
    return lot;
}

QString optionalText(std::optional<double> value)
{
    return value ? recording::NumberText(*value) : QString();
}

// The file the reference reads: the limits, then "value,verdict,bin" a line.
QByteArray lotFile(const Lot& lot, const SpecificationLimits& limits)
{
    QByteArray bytes = (optionalText(limits.lsl) + u',' + optionalText(limits.usl) + u'\n').toUtf8();
    for (std::size_t index = 0; index < lot.rows.size(); ++index) {
        const recording::RowNumbers& row = lot.rows[index];
        const QString value = row.values.primary->overload ? QStringLiteral("overload")
                                                           : recording::NumberText(row.values.primary->value);
        const QString bin = lot.bins[index] ? BinWord(*lot.bins[index]) : QString();
        bytes += (value + u',' + recording::VerdictWord(row.verdict) + u',' + bin + u'\n').toUtf8();
    }
    return bytes;
}

QJsonObject referenceFigures(const QByteArray& lot)
{
    QTemporaryDir folder;
    QSaveFile file(folder.filePath(QStringLiteral("lot.csv")));
    if (!file.open(QIODevice::WriteOnly) || file.write(lot) != lot.size() || !file.commit()) {
        ADD_FAILURE() << "cannot write the lot for the reference: " << file.errorString().toStdString();
        return {};
    }
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(RLC_TEST_SOURCE_DIR "/lot_figures_reference.py"), file.fileName()});
    if (!python.waitForFinished(kPythonSeconds * 1000) || python.exitCode() != 0) {
        ADD_FAILURE() << "the reference failed: " << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

void expectAgreement(const QJsonObject& ours, const QJsonObject& reference, const QString& where = {})
{
    EXPECT_EQ(ours.keys(), reference.keys()) << where.toStdString();
    for (auto it = reference.begin(); it != reference.end(); ++it) {
        const QString key = where + u'/' + it.key();
        const QJsonValue mine = ours.value(it.key());
        if (it->isObject()) {
            expectAgreement(mine.toObject(), it->toObject(), key);
        } else if (it->isNull()) {
            EXPECT_TRUE(mine.isNull()) << key.toStdString() << " is " << mine.toDouble();
        } else {
            ASSERT_TRUE(mine.isDouble()) << key.toStdString();
            const double expected = it->toDouble();
            EXPECT_LE(std::abs(mine.toDouble() - expected), kRelativeError * std::abs(expected))
                << key.toStdString() << ": " << mine.toDouble() << " against " << expected;
        }
    }
}

class AgainstPythonStatistics : public testing::TestWithParam<LotRecipe> {};

TEST_P(AgainstPythonStatistics, EveryFigureAgrees)
{
    const LotRecipe& recipe = GetParam();
    const Lot lot = lotOf(recipe);
    LotStatistics statistics(recipe.limits);
    for (std::size_t index = 0; index < lot.rows.size(); ++index)
        statistics.add(lot.rows[index], lot.bins[index]);
    // Through the JSON text, as a program reading it would see the figures.
    const QJsonObject ours =
        QJsonDocument::fromJson(QJsonDocument(LotFiguresJson(statistics.figures())).toJson()).object();
    expectAgreement(ours, referenceFigures(lotFile(lot, recipe.limits)));
}

const double kFarad = 100e-9;

INSTANTIATE_TEST_SUITE_P(
    Lots, AgainstPythonStatistics,
    testing::Values(LotRecipe{"TwoReadings", 2, 4700, 10, {4653.0, 4747.0}, 0, 1},
                    LotRecipe{"SmallLot", 7, 4700, 10, {4653.0, 4747.0}, 0.1, 2},
                    LotRecipe{"ResistorsWithOverloads", 1000, 4702, 12, {4653.0, 4747.0}, 0.05, 3},
                    // C within 5 % has the limits nominal/(1 + t) and nominal/(1 - t), so asymmetric.
                    LotRecipe{"Capacitors", 10000, 101e-9, 1.5e-9, {kFarad / 1.05, kFarad / 0.95}, 0.01, 4},
                    LotRecipe{"OneSidedBelow", 5000, 1000, 3, {995.0, std::nullopt}, 0, 5},
                    LotRecipe{"OneSidedAbove", 5000, 1000, 3, {std::nullopt, 1010.0}, 0, 6},
                    LotRecipe{"MeanBeyondTheLimit", 3000, 1020, 4, {990.0, 1010.0}, 0, 7},
                    // A spread of 1e-5 of the mean, about the meter's resolution.
                    LotRecipe{"NarrowSpreadFarFromZero", 100000, 4700, 0.047, {4699.8, 4700.2}, 0.001, 8},
                    LotRecipe{"LargeLotWithoutLimits", 100000, 4.7e-3, 2e-5, {}, 0.002, 9}),
    [](const testing::TestParamInfo<LotRecipe>& test) { return std::string(test.param.name); });

} // namespace
