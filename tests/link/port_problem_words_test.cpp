// Every port problem in words: the port named, the system's reason where it gave one, and
// nothing of the text's placeholders left over.
#include "link/link_status_lines.h"
#include "link/port_problem.h"
#include "localisation/main_lexicons.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

using dongle::PortProblemKind;

const QString kPort = QStringLiteral("/dev/ttyACM7");
const QString kReason = QStringLiteral("Input/output error");

struct ProblemCase {
    const char* name;
    dongle::PortProblem problem;
    bool reasonSaid;
};

class PortProblemWords : public testing::TestWithParam<ProblemCase> {};

TEST_P(PortProblemWords, NameThePortAndTheReason)
{
    const localisation::MainLexicons lexicons;
    const QString words = dongle::DescribePortProblem(GetParam().problem, lexicons);
    EXPECT_TRUE(words.contains(kPort)) << words.toStdString();
    EXPECT_EQ(words.contains(kReason), GetParam().reasonSaid) << words.toStdString();
    EXPECT_FALSE(words.contains(u'%')) << words.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PortProblemWords,
    testing::Values(ProblemCase{"PermissionDenied", {PortProblemKind::PermissionDenied, kPort, {}, kReason}, false},
                    ProblemCase{"Busy", {PortProblemKind::Busy, kPort, {}, kReason}, false},
                    ProblemCase{"Removed", {PortProblemKind::Removed, kPort, {}, {}}, false},
                    ProblemCase{"CannotOpen", {PortProblemKind::Other, kPort, {}, kReason}, true},
                    ProblemCase{"WriteStalled", {PortProblemKind::WriteStalled, kPort, {}, {}}, false},
                    ProblemCase{"Failed", {PortProblemKind::Failed, kPort, {}, kReason}, true}),
    [](const testing::TestParamInfo<ProblemCase>& test) { return std::string(test.param.name); });

} // namespace
