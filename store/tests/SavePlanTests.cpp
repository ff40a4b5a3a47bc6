#include <gtest/gtest.h>

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
    plan = PlanSave(old, {Record("a"), Record("b"), Record("c"), Record("d"), Record("e")});
    EXPECT_EQ(plan.writes, Indexes{4});
    EXPECT_EQ(plan.keeps, Indexes{});
    // Twins: removing one leaves the other to be found.
    plan = PlanSave(Stored({Record("a"), Record("a"), Record("b")}), {Record("a"), Record("b")});
    EXPECT_EQ(plan.writes, Indexes{1});
    EXPECT_EQ(plan.keeps, Indexes{});
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
}
