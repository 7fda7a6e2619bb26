#include <gtest/gtest.h>

#include "common/RecentFileList.h"

namespace {
using Entries = RecentFileList::Entries;

RecentFileList fullList() {
    return RecentFileList(Entries{"/d/a.dsx", "/d/b.dsx", "/d/c.xtf", "/d/e.dsx"});
}

TEST(RecentFileList, OpeningTheThirdMakesItFirstAndMovesTheEarlierOnesDown) {
    RecentFileList list = fullList();
    EXPECT_EQ(list.takeForOpen(3), "/d/c.xtf");
    EXPECT_EQ(list.entries(), (Entries{"/d/c.xtf", "/d/a.dsx", "/d/b.dsx", "/d/e.dsx"}));
}

TEST(RecentFileList, OpeningTheFirstOrLastKeepsTheOthersInOrder) {
    RecentFileList list = fullList();
    EXPECT_EQ(list.takeForOpen(1), "/d/a.dsx");
    EXPECT_EQ(list.entries(), fullList().entries());
    EXPECT_EQ(list.takeForOpen(4), "/d/e.dsx");
    EXPECT_EQ(list.entries(), (Entries{"/d/e.dsx", "/d/a.dsx", "/d/b.dsx", "/d/c.xtf"}));
}

TEST(RecentFileList, EmptyOrInvalidEntryOpensNothingAndKeepsTheList) {
    RecentFileList list(Entries{"/d/a.dsx", "", "", ""});
    EXPECT_EQ(list.takeForOpen(2), "");
    EXPECT_EQ(list.takeForOpen(0), "");
    EXPECT_EQ(list.takeForOpen(5), "");
    EXPECT_EQ(list.entries(), (Entries{"/d/a.dsx", "", "", ""}));
    EXPECT_EQ(list.entry(-1), "");
    EXPECT_EQ(list.entry(1), "/d/a.dsx");
}

TEST(RecentFileList, NewFileGoesFirstAndTheFourthDropsOut) {
    RecentFileList list = fullList();
    list.add("/d/new.dsx");
    EXPECT_EQ(list.entries(), (Entries{"/d/new.dsx", "/d/a.dsx", "/d/b.dsx", "/d/c.xtf"}));
}

TEST(RecentFileList, KnownFileMovesFirstWithoutDuplicate) {
    RecentFileList list = fullList();
    list.add("/d/b.dsx");
    EXPECT_EQ(list.entries(), (Entries{"/d/b.dsx", "/d/a.dsx", "/d/c.xtf", "/d/e.dsx"}));
}

TEST(RecentFileList, ListFillsFromTheFront) {
    RecentFileList list;
    list.add("/d/a.dsx");
    list.add("/d/b.dsx");
    list.add("");
    EXPECT_EQ(list.entries(), (Entries{"/d/b.dsx", "/d/a.dsx", "", ""}));
    EXPECT_EQ(list.takeForOpen(2), "/d/a.dsx");
    EXPECT_EQ(list.entries(), (Entries{"/d/a.dsx", "/d/b.dsx", "", ""}));
}

TEST(RecentFileList, RemovedFileLeavesAGapAtTheEnd) {
    RecentFileList list = fullList();
    list.remove("/d/b.dsx");
    EXPECT_EQ(list.entries(), (Entries{"/d/a.dsx", "/d/c.xtf", "/d/e.dsx", ""}));
    list.remove("/d/unknown.dsx");
    list.remove("");
    EXPECT_EQ(list.entries(), (Entries{"/d/a.dsx", "/d/c.xtf", "/d/e.dsx", ""}));
}
}  // namespace
