// The window tests' lookup of the window's objects by name: anything but one object of the
// asked type fails the asking test with the name and ends it, so no test goes on with a
// wrong or missing object.
#include "window_fixture.h"

#include <gtest/gtest-spi.h>

#include <utility>

TEST_F(WindowTest, ChildLookupFailsTheTestUnlessTheNameLeadsToOneObjectOfTheAskedType)
{
    form = std::make_unique<TForm1>();
    EXPECT_EQ(child<dongle::ComPort>("ComPort")->objectName(), QStringLiteral("ComPort")) << "objects too";
    EXPECT_EQ(child<QTimer>("Timer_TX")->objectName(), QStringLiteral("Timer_TX"));
    EXPECT_EQ(child<QLabel>("L_freq_RLC")->objectName(), QStringLiteral("L_freq_RLC")) << "by a base class";

    QObject twin(child("P5"));
    twin.setObjectName(QStringLiteral("SP4"));
    const std::pair<std::function<void()>, const char*> faults[] = {
        {[&] { child("NoSuchControl"); }, "the window has 0 objects named \"NoSuchControl\", not one"},
        {[&] { child<QTimer>("B2"); }, "the window has a QPushButton named \"B2\", not a QTimer"},
        {[&] { child("SP4"); }, "the window has 2 objects named \"SP4\", not one"},
    };
    for (const auto& [lookUp, report] : faults) {
        bool ended = false;
        EXPECT_NONFATAL_FAILURE(
            try { lookUp(); } catch (const std::runtime_error&) { ended = true; }, report);
        EXPECT_TRUE(ended) << report;
    }
}
