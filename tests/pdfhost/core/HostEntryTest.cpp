#include <gtest/gtest.h>

#include "pdfhost/core/FaultInjector.h"
#include "pdfhost/core/HostEntry.h"
#include "pdfhost/core/HostTableSet.h"

namespace pdfhost {
namespace {

int Half(int v) {
    if (v % 2)
        Raise(kErrBadParameter, "odd value " + std::to_string(v));
    return v / 2;
}

void Boom() {
    throw std::runtime_error("boom");
}

TEST(HostEntryTest, ConvertsOutcomesToCodesWithoutThrowing) {
    auto half = HOST_ENTRY(Half, Half);
    ASErrorCode err = 123;
    EXPECT_EQ(half(&err, 8), 4);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(half(&err, 3), 0);
    EXPECT_EQ(err, kErrBadParameter);
    EXPECT_EQ(ErrorTexts::For(kErrBadParameter), "odd value 3");

    auto boom = HOST_ENTRY(Boom, Boom);
    boom(&err);
    EXPECT_EQ(err, kErrUnknown);
}

TEST(HostEntryTest, FaultInjectionFailsTheNthCallAndCounts) {
    FaultInjector::Reset();
    FaultInjector::Arm("Half", kErrFileRead, 2);
    auto half = HOST_ENTRY(Half, Half);
    ASErrorCode err = 0;
    EXPECT_EQ(half(&err, 2), 1);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(half(&err, 2), 0);
    EXPECT_EQ(err, kErrFileRead);
    EXPECT_EQ(half(&err, 2), 1);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(FaultInjector::CallCount("Half"), 3);
    FaultInjector::Reset();
}

TEST(HostEntryTest, StubbedSlotsFailWithTheirName) {
    HostTableSet set;
    HostTableSet::FillWithStubs(set);
    ASErrorCode err = 0;
    EXPECT_EQ(set.pdModel.PDDocGetNumPages(&err, nullptr), 0);
    EXPECT_EQ(err, kErrNotImplemented);
    EXPECT_EQ(ErrorTexts::For(kErrNotImplemented),
              "PDDocGetNumPages is not implemented by this host.");
    EXPECT_EQ(set.acroView.size, sizeof(AcroViewHFT));
}

} // namespace
} // namespace pdfhost
