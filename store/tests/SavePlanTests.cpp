#include <gtest/gtest.h>

#include <algorithm>

#include "store/SavePlan.h"

using namespace tembra;

namespace {

using Indexes = std::vector<std::size_t>;

// A record named by its values; an edit keeps the Id of the record it was made from.
NewRecord Record(const std::string& values, const std::string& id = "") {
    return {values, id.empty() ? values : id};
}

// A stored list holding `records` in slots 0, 1, ...
std::vector<OldSlot> Stored(const std::vector<NewRecord>& records) {
    std::vector<OldSlot> slots;
    for (const NewRecord& r : records) {
        OldSlot slot;
        slot.index = slots.size();
        slot.loads = slot.idStored = true;
        slot.stored = slot.loaded = r.stored;
        slot.id = r.id;
        slots.push_back(slot);
    }
    return slots;
}

}  // namespace

TEST(SavePlan, RemovalsAndAppendsRewriteOnlyWhatMovesAndCopyNothing) {
    const auto old = Stored({Record("a"), Record("b"), Record("c"), Record("d")});
    SavePlan plan = PlanSave(old, {Record("b"), Record("d"), Record("e")});
    EXPECT_EQ(plan.writes, (Indexes{0, 1, 2}));
    EXPECT_EQ(plan.keeps, Indexes{});
    EXPECT_EQ(plan.marks, (Indexes{1, 3}));  // b and d, once written lower down
    plan = PlanSave(old, {Record("a"), Record("b"), Record("c"), Record("d"), Record("e")});
    EXPECT_EQ(plan.writes, Indexes{4});
    EXPECT_EQ(plan.keeps, Indexes{});
    EXPECT_EQ(plan.marks, Indexes{});
    // Twins: removing one leaves the other to be found.
    plan = PlanSave(Stored({Record("a"), Record("a"), Record("b")}), {Record("a"), Record("b")});
    EXPECT_EQ(plan.writes, Indexes{1});
    EXPECT_EQ(plan.keeps, Indexes{});
    EXPECT_EQ(plan.marks, Indexes{2});
}

TEST(SavePlan, AnEditedRecordOrOneMovedLaterIsCopiedBeforeItsSlotIsRewritten) {
    const auto old = Stored({Record("a"), Record("b"), Record("c")});
    SavePlan plan = PlanSave(old, {Record("a"), Record("b edited", "b"), Record("c")});
    EXPECT_EQ(plan.writes, Indexes{1});
    EXPECT_EQ(plan.keeps, Indexes{1});
    // c moves first: a and b would each be missing while their slots hold what comes
    // before them; c is still found in slot 0 when its own slot is rewritten.
    plan = PlanSave(old, {Record("c"), Record("a"), Record("b")});
    EXPECT_EQ(plan.writes, (Indexes{0, 1, 2}));
    EXPECT_EQ(plan.keeps, (Indexes{0, 1}));
    EXPECT_EQ(plan.marks, Indexes{2});
}

// Twins sharing an Id, one edited: the other twin is not its copy.
TEST(SavePlan, EachEditedTwinIsCopiedAndPairedWithTheRecordInItsOwnPlace) {
    const auto old = Stored({Record("a", "x"), Record("a twin", "x"), Record("b")});
    SavePlan plan = PlanSave(old, {Record("a edited", "x"), Record("a twin", "x"), Record("b")});
    EXPECT_EQ(plan.keeps, Indexes{0});
    plan = PlanSave(old, {Record("a edited", "x"), Record("twin edited", "x"), Record("b")});
    EXPECT_EQ(plan.keeps, (Indexes{0, 1}));
    EXPECT_EQ(plan.pairOf, (std::vector<std::optional<std::size_t>>{0, 1, 2}));
}

// A marked key is a duplicate while its event loads from an unmarked key: its source slot
// untouched, or the new version complete; otherwise it is the only version left.
TEST(SavePlan, AMarkedKeyIsRedundantExactlyWhileItsEventLoadsElsewhere) {
    struct Case {
        const char* slot1;  // what slot 1 holds: "" nothing loadable, "*" marked
        const char* slot0;
        bool copyRedundant, standingRedundant;
    } cases[] = {{"b", "a", true, false},   {"", "a", false, false}, {"b*", "a", true, false},
                 {"*b*", "c", false, true}, {"b*", "c", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.slot0) + "|" + c.slot1);
        auto slots = Stored({Record(c.slot0), Record(c.slot1), Record("c"), Record("b")});
        slots[1].loads = *c.slot1 != '\0';
        if (*c.slot1 == '*') {
            slots[1].stored = c.slot1 + 1;
            slots[1].mark = CopyMark{1, 1, "x"};
        }
        slots[2].mark = CopyMark{2, 0, "c"};    // c, marked where it stood, moves to slot 0
        slots[3].mark = CopyMark{1, 1, "b*"};  // b copied aside, edited into b* in slot 1
        const std::string bytes = EncodeCopyMark(*slots[3].mark);
        slots[3].mark = DecodeCopyMark(bytes);
        const auto redundant = RedundantMarked(slots);
        auto has = [&](std::size_t i) { return std::count(redundant.begin(), redundant.end(), i) > 0; };
        EXPECT_EQ(has(3), c.copyRedundant);
        EXPECT_EQ(has(2), c.standingRedundant);
    }
    EXPECT_EQ(DecodeCopyMark("short"), std::nullopt);
    EXPECT_EQ(DecodeCopyMark(EncodeCopyMark({7, std::nullopt, "ignored"}))->pair, std::nullopt);
}

TEST(SavePlan, ARecordWhoseIdWasGivenAtLoadingIsKeptUnlessTheNewListHoldsIt) {
    auto old = Stored({Record("a"), Record("b"), Record("c")});
    old[0].idStored = old[1].idStored = false;
    // Slot 0 loads as "a", which the new list no longer holds: it may be the same event
    // loaded at another moment. Slot 1's "b" is still found in slot 0 when slot 1 is
    // rewritten; slot 2 holds no "Time" and holds nothing to keep.
    old[2].loads = false;
    const SavePlan plan = PlanSave(old, {Record("b"), Record("x"), Record("y")});
    EXPECT_EQ(plan.writes, (Indexes{0, 1, 2}));
    EXPECT_EQ(plan.keeps, Indexes{0});
    EXPECT_EQ(plan.marks, Indexes{1});
}
