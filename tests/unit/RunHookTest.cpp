#include "app/RunHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using korimba::hook::holdsHook;
using korimba::hook::withHook;
using korimba::hook::withoutHook;

namespace {

const std::string hook = "C:\\PROGRA~1\\KORIMBA\\Cleaner.exe";

// Counted by hand rather than through the rule under test.
int copiesOfHook(const std::string& run) {
    int count = 0;
    std::string upperHook = hook;
    std::transform(upperHook.begin(), upperHook.end(), upperHook.begin(), ::toupper);
    size_t start = 0;
    while (true) {
        const size_t comma = run.find(',', start);
        std::string element = run.substr(start, comma == std::string::npos ? comma : comma - start);
        std::transform(element.begin(), element.end(), element.begin(), ::toupper);
        count += element == upperHook ? 1 : 0;
        if (comma == std::string::npos)
            return count;
        start = comma + 1;
    }
}

std::string appended(const std::string& list, const std::string& entry) {
    return list.empty() ? entry : list + "," + entry;
}

std::string prepended(const std::string& list, const std::string& entry) {
    return list.empty() ? entry : entry + "," + list;
}

} // namespace

TEST(RunHook, RegistersAfterTheUsersProgramsAndRestoresThem) {
    EXPECT_EQ(withHook("", hook), hook);
    EXPECT_EQ(withoutHook(hook, hook), "");
    // Programs separated by a blank get the comma and the hook, no blank added.
    const std::string two = "C:\\TOOLS\\A.EXE C:\\TOOLS\\B.EXE";
    EXPECT_EQ(withHook(two, hook), two + "," + hook);
    EXPECT_EQ(withoutHook(two + "," + hook, hook), two);
}

TEST(RunHook, RegisteringTwiceKeepsOneCopy) {
    const std::string once = withHook("a.exe", hook);
    EXPECT_EQ(withHook(once, hook), once);
    std::string lower = hook;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    EXPECT_TRUE(holdsHook("a.exe," + lower, hook));
    EXPECT_EQ(withHook("a.exe," + lower, hook), "a.exe," + lower);
    EXPECT_EQ(withoutHook("a.exe," + lower + ",b.exe", hook), "a.exe,b.exe");
}

TEST(RunHook, EntriesAddedAroundOursSurviveRemoval) {
    EXPECT_EQ(withoutHook("a.exe," + hook + ",b.exe", hook), "a.exe,b.exe");
    // Run was empty when we registered and the user added a program afterwards.
    EXPECT_TRUE(holdsHook(hook + ",b.exe", hook));
    EXPECT_EQ(withHook(hook + ",b.exe", hook), hook + ",b.exe");
    EXPECT_EQ(withoutHook(hook + ",b.exe", hook), "b.exe");
    // Empty elements are the user's too.
    EXPECT_EQ(withoutHook("a.exe,," + hook + ",", hook), "a.exe,,");
}

TEST(RunHook, OnlyAWholeElementIsTheHook) {
    for (const std::string& run : {"X" + hook, hook + "X", "a.exe " + hook, hook + " b.exe"}) {
        EXPECT_FALSE(holdsHook(run, hook)) << run;
        EXPECT_EQ(withoutHook(run, hook), run);
        EXPECT_EQ(withHook(run, hook), run + "," + hook);
    }
}

TEST(RunHook, EmptyHookChangesNothing) {
    // The hook entry is empty when Cleaner.exe is missing.
    for (const std::string run : {"", ",", "a.exe", "a.exe,"}) {
        EXPECT_FALSE(holdsHook(run, ""));
        EXPECT_EQ(withHook(run, ""), run);
        EXPECT_EQ(withoutHook(run, ""), run);
    }
}

TEST(RunHook, LeftoverCopiesAreAllRemoved) {
    EXPECT_EQ(withoutHook("a.exe," + hook + ",b.exe," + hook, hook), "a.exe,b.exe");
}

TEST(RunHook, ValueOfSeveralThousandCharacters) {
    std::string user;
    for (int i = 0; i < 400; ++i)
        user = appended(user, "C:\\APPS\\TOOL" + std::to_string(i) + "\\START.EXE");
    ASSERT_GT(user.size(), 8000u);
    std::string run = withHook(user, hook);
    EXPECT_EQ(run, user + "," + hook);
    run = appended(run, "D:\\LATE.EXE");
    EXPECT_TRUE(holdsHook(run, hook));
    EXPECT_EQ(withHook(run, hook), run);
    EXPECT_EQ(withoutHook(run, hook), user + ",D:\\LATE.EXE");
}

// Every order of up to three overlapping jobs starting and ending, the user
// adding programs to Run meanwhile and a restart that kills the running jobs
// (Cleaner then restores Run). The caller registers at every start and, by
// default, removes only when no lock file remains.
namespace {

enum class Step { Start, End, UserAppends, UserPrepends, Restart };

struct Event {
    Step step;
    int job;
};

struct World {
    std::string run;
    std::string user;
    // False: every job's end removes the hook, even while another job runs.
    bool removeOnlyWhenLastEnds;
    std::set<int> started;
    std::set<int> locks;
    std::set<int> killed;
};

void apply(World& world, const Event& event) {
    switch (event.step) {
    case Step::Start:
        world.started.insert(event.job);
        world.locks.insert(event.job);
        world.run = withHook(world.run, hook);
        break;
    case Step::End:
        // A job killed by the restart never reaches its end.
        if (world.killed.count(event.job) != 0)
            break;
        world.locks.erase(event.job);
        if (world.locks.empty() || !world.removeOnlyWhenLastEnds)
            world.run = withoutHook(world.run, hook);
        break;
    case Step::UserAppends:
        world.run = appended(world.run, "U:\\LATE.EXE");
        world.user = appended(world.user, "U:\\LATE.EXE");
        break;
    case Step::UserPrepends:
        world.run = prepended(world.run, "U:\\EARLY.EXE");
        world.user = prepended(world.user, "U:\\EARLY.EXE");
        break;
    case Step::Restart:
        world.killed.insert(world.locks.begin(), world.locks.end());
        world.locks.clear();
        if (holdsHook(world.run, hook))
            world.run = withoutHook(world.run, hook);
        break;
    }
}

// Jobs are interchangeable, so job j starts only after job j-1 has started;
// every other order of the events is tried.
bool mayHappenNext(const World& world, const Event& event) {
    if (event.step == Step::Start)
        return event.job == 1 || world.started.count(event.job - 1) != 0;
    if (event.step == Step::End)
        return world.started.count(event.job) != 0;
    return true;
}

// Walks every order depth first, checking the invariant after each step;
// returns the number of complete sequences.
int exploreAllOrders(const World& world, const std::vector<Event>& remaining) {
    if (remaining.empty()) {
        EXPECT_EQ(world.run, world.user);
        return 1;
    }
    int sequences = 0;
    for (size_t i = 0; i < remaining.size(); ++i) {
        if (!mayHappenNext(world, remaining[i]))
            continue;
        World next = world;
        apply(next, remaining[i]);
        EXPECT_LE(copiesOfHook(next.run), 1) << next.run;
        EXPECT_EQ(withoutHook(next.run, hook), next.user) << next.run;
        // Registered exactly while a job may be left behind.
        if (next.removeOnlyWhenLastEnds) {
            EXPECT_EQ(holdsHook(next.run, hook), !next.locks.empty()) << next.run;
        }
        if (::testing::Test::HasFailure())
            return sequences;
        std::vector<Event> rest = remaining;
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(i));
        sequences += exploreAllOrders(next, rest);
    }
    return sequences;
}

std::vector<Event> eventsOf(int jobs, bool withRestart) {
    std::vector<Event> events = {{Step::UserAppends, 0}, {Step::UserPrepends, 0}};
    if (withRestart)
        events.push_back({Step::Restart, 0});
    for (int job = 1; job <= jobs; ++job) {
        events.push_back({Step::Start, job});
        events.push_back({Step::End, job});
    }
    return events;
}

} // namespace

TEST(RunHook, EveryInterleavingOfJobsUserEditsAndRestartKeepsTheUsersValue) {
    const std::vector<std::string> userValues = {"", "C:\\TOOLS\\A.EXE C:\\TOOLS\\B.EXE",
                                                 "a.exe,b.exe", "a.exe,"};
    int sequences = 0;
    for (const std::string& initial : userValues) {
        for (int jobs = 1; jobs <= 3; ++jobs) {
            for (bool withRestart : {false, true}) {
                const World start{initial, initial, true, {}, {}, {}};
                sequences += exploreAllOrders(start, eventsOf(jobs, withRestart));
            }
        }
    }
    // n events of which k jobs give n!/(2^k k!) orders: 12 + 60, 90 + 630, 840 + 7560.
    EXPECT_EQ(sequences, 4 * 9192);
}

// Removing at every job's end, even while another still runs, drops the hook
// early but must never cost the user a program either.
TEST(RunHook, RemovalAtEveryEndStillKeepsTheUsersValue) {
    int sequences = 0;
    for (bool withRestart : {false, true}) {
        const World start{"a.exe", "a.exe", false, {}, {}, {}};
        sequences += exploreAllOrders(start, eventsOf(3, withRestart));
    }
    EXPECT_EQ(sequences, 840 + 7560);
}
