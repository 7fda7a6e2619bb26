#include "datafile/RecordNaming.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "TempDir.h"

namespace {
constexpr char kDate[] = "05-MAR-2007";

std::string named(const char* counterAndExtension) {
    return std::string(kDate) + counterAndExtension;
}
}  // namespace

TEST(RecordNamingCounter, NoEarlierFileOfTheDayProposesZero) {
    EXPECT_EQ(RecordNaming::proposedName(kDate, SourceKind::Dsx, {}), "05-MAR-2007-00");
}

TEST(RecordNamingCounter, AscendingListingProposesOnePastTheHighest) {
    const std::vector<std::string> listing = {named("-01.dsx"), named("-05.dsx")};
    EXPECT_EQ(RecordNaming::proposedName(kDate, SourceKind::Dsx, listing), "05-MAR-2007-06");
}

TEST(RecordNamingCounter, ListingOrderDecidesTheCounter) {
    const std::vector<std::string> listing = {named("-05.dsx"), named("-01.dsx")};
    EXPECT_EQ(RecordNaming::proposedName(kDate, SourceKind::Dsx, listing), "05-MAR-2007-07");
}

TEST(RecordNamingCounter, EveryMatchRaisesTheCounterEvenWithoutDigits) {
    // "ab" reads as 0, "7x" as 7, as the C library converts them.
    EXPECT_EQ(
        RecordNaming::counterAfter({named("-ab.dsx"), named("-ab.dsx")}, kDate, SourceKind::Dsx),
        2);
    EXPECT_EQ(RecordNaming::counterAfter({named("-7x.dsx")}, kDate, SourceKind::Dsx), 8);
}

TEST(RecordNamingCounter, OnlyNamesOfTheDateAndFormatCount) {
    const std::vector<std::string> listing = {
        "06-MAR-2007-09.dsx", named("-09.xtf"), named("-009.dsx"), named("-9.dsx"),
        named("-03.dsx.bak"), named("-02.DSX"),  // the extension matches without case
    };
    EXPECT_EQ(RecordNaming::proposedName(kDate, SourceKind::Dsx, listing), "05-MAR-2007-03");
    EXPECT_EQ(RecordNaming::proposedName(kDate, SourceKind::Xtf, listing), "05-MAR-2007-10");
    EXPECT_EQ(RecordNaming::proposedName(kDate, SourceKind::Ss2, listing), "05-MAR-2007-00");
}

TEST(RecordNamingListing, ListsOnlyMatchingNamesOfTheFolder) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    for (const char* name : {"05-MAR-2007-01.dsx", "05-MAR-2007-04.DSX", "05-MAR-2007-02.xtf",
                             "05-MAR-2007-1.dsx", "04-MAR-2007-08.dsx"}) {
        dir.write(name, {});
    }
    std::vector<std::string> names = RecordNaming::listMatching(dir.path(), kDate, SourceKind::Dsx);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"05-MAR-2007-01.dsx", "05-MAR-2007-04.DSX"}));
}

TEST(RecordNamingFormat, EndingChoosesTheFormatWithoutCase) {
    EXPECT_EQ(RecordNaming::recordFormatFor("survey.SS2", SourceKind::Dsx), SourceKind::Ss2);
    EXPECT_EQ(RecordNaming::recordFormatFor("/data/run.Xtf", SourceKind::Dsx), SourceKind::Xtf);
    EXPECT_EQ(RecordNaming::recordFormatFor("run.dsx", SourceKind::Xtf), SourceKind::Dsx);
}

TEST(RecordNamingFormat, UnknownEndingKeepsThePreviousFormat) {
    EXPECT_EQ(RecordNaming::recordFormatFor("survey.txt", SourceKind::Ss2), SourceKind::Ss2);
    EXPECT_EQ(RecordNaming::recordFormatFor("survey.txt", SourceKind::Xtf), SourceKind::Xtf);
    EXPECT_EQ(RecordNaming::recordFormatFor("ss", SourceKind::Xtf), SourceKind::Xtf);
}

TEST(RecordNamingOpen, KindOfFileToOpenIgnoresCaseAndRefusesOthers) {
    EXPECT_EQ(RecordNaming::kindOfName("x.DSX"), SourceKind::Dsx);
    EXPECT_EQ(RecordNaming::kindOfName("x.ss2"), SourceKind::Ss2);
    EXPECT_EQ(RecordNaming::kindOfName("x.xtf"), SourceKind::Xtf);
    EXPECT_EQ(RecordNaming::kindOfName("x.dat"), std::nullopt);
    EXPECT_EQ(RecordNaming::kindOfName(""), std::nullopt);
    // Only the last three characters count, not a dot before them.
    EXPECT_EQ(RecordNaming::kindOfName("surveydsx"), SourceKind::Dsx);
}
