#include "bins/bin_table_csv.h"

#include "platform/whole_file.h"
#include "recording/file_error.h"
#include "recording/row_numbers.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace bins {
namespace {

const QStringList& headerFields()
{
    static const QStringList fields{QStringLiteral("bin"),           QStringLiteral("mode"),
                                    QStringLiteral("low"),           QStringLiteral("high"),
                                    QStringLiteral("secondary_low"), QStringLiteral("secondary_high")};
    return fields;
}

const QString kAuxWord = QStringLiteral("aux");
const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

struct ModeWord {
    RangeMode mode;
    const char* word;
};
constexpr std::array<ModeWord, 3> kModeWords{{
    {RangeMode::Percent, "%"},
    {RangeMode::Deviation, "dev"},
    {RangeMode::Absolute, "abs"},
}};

// A bad line ends the reading with its reason.
struct LineProblem {
    QString reason;
};

double numberIn(const QString& field, const QString& name)
{
    bool isNumber = false;
    const double value = field.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value))
        throw LineProblem{
            QStringLiteral("the %1 '%2' is no number (write it with '.' as the decimal point)").arg(name, field)};
    return value;
}

std::optional<double> optionalNumberIn(const QString& field, const QString& name)
{
    if (field.isEmpty())
        return std::nullopt;
    return numberIn(field, name);
}

// Why the bin's own fields do not make a bin, or empty; shared by the reader and the writer.
QString rangeProblem(const BinRange& bin)
{
    if (bin.number < kFirstBinNumber || bin.number > kLastBinNumber)
        return QStringLiteral("bin %1 is not one of the bins %2 to %3")
            .arg(bin.number)
            .arg(kFirstBinNumber)
            .arg(kLastBinNumber);
    const auto finite = [](std::optional<double> value) { return !value || std::isfinite(*value); };
    if (!finite(bin.low) || !finite(bin.high) || !finite(bin.secondaryLow) || !finite(bin.secondaryHigh))
        return QStringLiteral("bin %1 has a limit that is no finite number").arg(bin.number);
    if (bin.low > bin.high)
        return QStringLiteral("bin %1: the low limit %2 is above the high limit %3")
            .arg(bin.number)
            .arg(recording::NumberText(bin.low), recording::NumberText(bin.high));
    if (bin.secondaryLow && bin.secondaryHigh && *bin.secondaryLow > *bin.secondaryHigh)
        return QStringLiteral("bin %1: the secondary low limit %2 is above the secondary high limit %3")
            .arg(bin.number)
            .arg(recording::NumberText(*bin.secondaryLow), recording::NumberText(*bin.secondaryHigh));
    return {};
}

BinRange binIn(const QStringList& fields)
{
    if (fields.size() != headerFields().size())
        throw LineProblem{QStringLiteral("a bin takes %1 fields (%2), this line has %3")
                              .arg(headerFields().size())
                              .arg(headerFields().join(u','))
                              .arg(fields.size())};
    BinRange bin;
    bool isNumber = false;
    bin.number = fields[0].toInt(&isNumber);
    if (!isNumber)
        throw LineProblem{QStringLiteral("'%1' is neither a bin number nor \"aux\"").arg(fields[0])};
    const auto mode = RangeModeOfWord(fields[1]);
    if (!mode)
        throw LineProblem{QStringLiteral("the mode '%1' is none of %, dev and abs").arg(fields[1])};
    bin.mode = *mode;
    bin.low = numberIn(fields[2], QStringLiteral("low limit"));
    bin.high = numberIn(fields[3], QStringLiteral("high limit"));
    bin.secondaryLow = optionalNumberIn(fields[4], QStringLiteral("secondary low limit"));
    bin.secondaryHigh = optionalNumberIn(fields[5], QStringLiteral("secondary high limit"));
    if (const QString problem = rangeProblem(bin); !problem.isEmpty())
        throw LineProblem{problem};
    return bin;
}

bool auxIn(const QStringList& fields)
{
    const QString value = fields.value(1);
    if (fields.size() != 2
        || (value.compare(kOn, Qt::CaseInsensitive) != 0 && value.compare(kOff, Qt::CaseInsensitive) != 0))
        throw LineProblem{QStringLiteral("the AUX line is \"aux,on\" or \"aux,off\"")};
    return value.compare(kOn, Qt::CaseInsensitive) == 0;
}

QStringList fieldsOf(const QString& line)
{
    QStringList fields = line.split(u',');
    for (QString& field : fields)
        field = field.trimmed();
    return fields;
}

QString problemForFile(const QString& what, const QString& path, const QString& reason)
{
    return QStringLiteral("cannot %1 the bin table %2: %3").arg(what, QDir::toNativeSeparators(path), reason);
}

} // namespace

BinTableReading ReadBinTable(const QByteArray& bytes)
{
    const QByteArray text =
        bytes.startsWith(kUtf8ByteOrderMark) ? bytes.mid(qsizetype(sizeof kUtf8ByteOrderMark) - 1) : bytes;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    BinTable table;
    bool headerSeen = false;
    int auxLine = 0;
    std::map<int, int> lineOfBin;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const int lineNumber = int(index + 1);
        const QString line = lines[index].trimmed();
        if (line.isEmpty())
            continue;
        try {
            const QStringList fields = fieldsOf(line);
            if (!headerSeen) {
                if (fields != headerFields())
                    throw LineProblem{
                        QStringLiteral("the table must begin with the header %1").arg(headerFields().join(u','))};
                headerSeen = true;
            } else if (fields[0].compare(kAuxWord, Qt::CaseInsensitive) == 0) {
                if (auxLine)
                    throw LineProblem{QStringLiteral("the AUX line was given on line %1 already").arg(auxLine)};
                table.aux = auxIn(fields);
                auxLine = lineNumber;
            } else {
                const BinRange bin = binIn(fields);
                if (const auto given = lineOfBin.find(bin.number); given != lineOfBin.end())
                    throw LineProblem{
                        QStringLiteral("bin %1 was given on line %2 already").arg(bin.number).arg(given->second)};
                lineOfBin[bin.number] = lineNumber;
                table.bins.push_back(bin);
            }
        } catch (const LineProblem& problem) {
            return {std::nullopt, QStringLiteral("line %1: %2").arg(lineNumber).arg(problem.reason)};
        }
    }
    if (!headerSeen)
        return {std::nullopt,
                QStringLiteral("the table is empty: it must begin with the header %1").arg(headerFields().join(u','))};
    if (table.bins.empty())
        return {std::nullopt, QStringLiteral("the table has no bin; give at least one line such as 1,%,-1,1,,")};
    if (!auxLine)
        return {std::nullopt, QStringLiteral("the line \"aux,on\" or \"aux,off\" is missing")};
    std::sort(table.bins.begin(), table.bins.end(),
              [](const BinRange& a, const BinRange& b) { return a.number < b.number; });
    return {table, {}};
}

QString BinTableProblem(const BinTable& table)
{
    if (table.bins.empty())
        return QStringLiteral("the table has no bin");
    for (qsizetype index = 0; index < qsizetype(table.bins.size()); ++index) {
        const BinRange& bin = table.bins[std::size_t(index)];
        if (const QString problem = rangeProblem(bin); !problem.isEmpty())
            return problem;
        if (index > 0 && bin.number <= table.bins[std::size_t(index - 1)].number)
            return QStringLiteral("the bins must be in ascending numbers, each number once; bin %1 follows bin %2")
                .arg(bin.number)
                .arg(table.bins[std::size_t(index - 1)].number);
    }
    return {};
}

QByteArray BinTableBytes(const BinTable& table)
{
    const auto optionalText = [](std::optional<double> value) {
        return value ? recording::NumberText(*value) : QString();
    };
    QStringList lines{headerFields().join(u',')};
    for (const BinRange& bin : table.bins)
        lines << QStringList{QString::number(bin.number),    RangeModeWord(bin.mode),
                             recording::NumberText(bin.low), recording::NumberText(bin.high),
                             optionalText(bin.secondaryLow), optionalText(bin.secondaryHigh)}
                     .join(u',');
    lines << kAuxWord + u',' + (table.aux ? kOn : kOff);
    return (lines.join(u'\n') + u'\n').toUtf8();
}

BinTable LoadBinTable(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw recording::FileError(problemForFile(QStringLiteral("read"), path, file.errorString()));
    const BinTableReading reading = ReadBinTable(file.readAll());
    if (!reading.table)
        throw recording::FileError(problemForFile(QStringLiteral("read"), path, reading.problem));
    return *reading.table;
}

void SaveBinTable(const QString& path, const BinTable& table)
{
    const auto fail = [&path](const QString& reason) {
        throw recording::FileError(problemForFile(QStringLiteral("write"), path, reason));
    };
    if (const QString problem = BinTableProblem(table); !problem.isEmpty())
        fail(problem);
    if (const std::optional<QString> problem = platform::WriteWholeFile(path, BinTableBytes(table)))
        fail(*problem);
}

QString RangeModeWord(RangeMode mode)
{
    for (const ModeWord& known : kModeWords) {
        if (known.mode == mode)
            return QLatin1String(known.word);
    }
    return {};
}

std::optional<RangeMode> RangeModeOfWord(QStringView word)
{
    for (const ModeWord& known : kModeWords) {
        if (word.compare(QLatin1String(known.word), Qt::CaseInsensitive) == 0)
            return known.mode;
    }
    return std::nullopt;
}

} // namespace bins
