#include <gtest/gtest.h>

#include <set>

#include "settings/core/EventListChanges.h"

using namespace tembra;

namespace {

// A record by its name and Id (a day number); `key` the page's ListKey; `given` an Id given at
// loading. A record another program changed keeps its Id and gets another name.
struct R {
    const char* name;
    int id;
    std::uint32_t key = 0;
    bool given = false;
};

EventList ListOf(const std::vector<R>& records) {
    EventList list;
    for (const R& r : records) {
        auto e = std::make_unique<EventRecord>();
        e->Name = r.name;
        e->Id = r.id;
        e->ListKey = r.key;
        e->IdGiven = r.given;
        list.push_back(std::move(e));
    }
    return list;
}

}  // namespace

TEST(EventListChanges, ThePagesOwnChangesAreMadeToTheListAsStoredNow) {
    struct Case {
        const char* what;
        std::vector<R> loaded, page, stored;
        std::vector<std::string> expected;
        size_t twins = 0;  // records sharing an Id with an earlier one
    } cases[] = {
        {"untouched: the clock's deletion and another program's event stay",
         {{"A", 1}, {"B", 2}}, {{"A", 1, 1}, {"B", 2, 2}}, {{"B", 2}, {"N", 9}}, {"B", "N"}},
        {"deleted on the page, or already gone", {{"A", 1}, {"B", 2}, {"C", 3}}, {{"A", 1, 1}},
         {{"A", 1}, {"C", 3}}, {"A"}},
        {"edited where it stands; an edit of one gone is a new event",
         {{"A", 1}, {"B", 2}, {"C", 3}}, {{"A*", 1, 1}, {"B*", 2, 2}, {"C", 3, 3}},
         {{"B", 2}, {"C", 3}}, {"B*", "C", "A*"}},
        {"new ones last, in the page's order, under Ids of their own",
         {{"A", 1}}, {{"N", 9}, {"A", 1, 1}, {"M", 9}}, {{"A", 1}, {"X", 9}}, {"A", "X", "N", "M"}},
        {"changed by another program: kept unless the page changed it too",
         {{"A", 1}, {"B", 2}, {"C", 3}}, {{"A", 1, 1}, {"B*", 2, 2}},
         {{"A~", 1}, {"B~", 2}, {"C~", 3}}, {"A~", "B*"}},
        {"twins sharing an Id: each is its own", {{"A", 1}, {"T", 1}, {"U", 1}},
         {{"A", 1, 1}, {"T*", 1, 2}, {"U*", 1, 3}}, {{"A", 1}, {"U", 1}}, {"A", "U*", "T*"}, 1},
        {"Ids given at loading: the other values tell", {{"A", 1, 0, true}, {"B", 2, 0, true}},
         {{"A*", 1, 1, true}}, {{"A", 5, 0, true}, {"B", 6}}, {"A*"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EventList result =
            ApplyPageChanges(ListOf(c.loaded), ListOf(c.page), ListOf(c.stored));
        std::vector<std::string> names;
        std::set<double> ids;
        for (const auto& e : result) {
            names.push_back(e->Name);
            ids.insert(e->Id);
        }
        EXPECT_EQ(names, c.expected);
        EXPECT_EQ(ids.size(), result.size() - c.twins);  // an added record takes an Id of its own
    }
}
