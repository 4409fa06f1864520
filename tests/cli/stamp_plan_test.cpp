#include "cli/stamp_plan.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

const Ticks kNoon = TicksFromCivil({2024, 5, 1, 12, 0, 0});
const Ticks kNow = TicksFromCivil({2024, 6, 1, 8, 30, 0, 1234});
// A converter that puts every local time two hours ahead of UTC.
const LocalToUtc kPlusTwo = [](const CivilTime& local) -> Result<Ticks> {
  return TicksFromCivil(local) - 2 * kTicksPerHour;
};

const PathState kBefore{static_cast<std::uint64_t>(kNoon), static_cast<std::uint64_t>(kNoon + kTicksPerDay),
                        static_cast<std::uint64_t>(kNoon + 2 * kTicksPerDay), kArchive | 0x10};

Command SetCommand() {
  Command command;
  command.verb = Verb::Set;
  command.paths = {"a"};
  return command;
}

SetRequest Request(const Command& command, const std::optional<PathState>& like = std::nullopt) {
  auto request = MakeSetRequest(command, like, kNow, kPlusTwo);
  EXPECT_TRUE(request.has_value()) << (request ? "" : request.error());
  return request ? *request : SetRequest{};
}

PlannedChange Plan(const SetRequest& request, const PathState& before = kBefore) {
  auto change = PlanSet(request, before);
  EXPECT_TRUE(change.has_value()) << (change ? "" : change.error());
  return change ? *change : PlannedChange{};
}

TEST(MakeSetRequest, FixedTimesAreResolvedOnceShiftsAndCopiesWaitAndLikeFillsTheRest) {
  Command command = SetCommand();
  command.creation = LocalTime{{2024, 5, 1, 14, 0, 0}};
  command.modification = Shift{kTicksPerHour};
  command.likeFile = "ref.jpg";
  const SetRequest withLike = Request(command, PathState{111, 222, 333, kReadOnly});
  EXPECT_EQ(withLike.creation, TimeSource{kNoon});
  EXPECT_EQ(withLike.modification, TimeSource{When{Shift{kTicksPerHour}}});
  EXPECT_EQ(withLike.access, TimeSource{Ticks{333}});

  command.likeFile.clear();
  command.creation = TimeOf{TimeSlot::Modified};
  command.modification = Instant{kNoon};
  command.access = Now{};
  const SetRequest alone = Request(command);
  EXPECT_EQ(alone.creation, TimeSource{When{TimeOf{TimeSlot::Modified}}});
  EXPECT_EQ(alone.modification, TimeSource{kNoon});
  EXPECT_EQ(alone.access, TimeSource{kNow});
}

TEST(MakeSetRequest, ALocalTimeWithoutInstantFailsTheWholeCommandNamingTheTime) {
  Command command = SetCommand();
  command.access = LocalTime{{1601, 1, 1, 0, 0, 0}};
  const auto request =
      MakeSetRequest(command, std::nullopt, kNow, [](const CivilTime&) -> Result<Ticks> { return Error{"no UTC"}; });
  ASSERT_FALSE(request.has_value());
  EXPECT_EQ(request.error(), "the accessed time: no UTC");
}

TEST(PlanSet, OnlyTimesThatDifferFromThePathAreWritten) {
  Command command = SetCommand();
  command.creation = Instant{kNoon};                // what it holds already
  command.modification = Instant{kNoon + kTicksPerDay + 1};
  EXPECT_EQ(Plan(Request(command)), (PlannedChange{std::nullopt, kNoon + kTicksPerDay + 1, std::nullopt, {}}));
}

TEST(PlanSet, AShiftMovesThePathsOwnTimeAndACopyTakesItsOtherTime) {
  Command command = SetCommand();
  command.modification = Shift{-90 * kTicksPerMinute};
  command.creation = TimeOf{TimeSlot::Accessed};
  command.access = TimeOf{TimeSlot::Created};
  const PlannedChange change = Plan(Request(command));
  EXPECT_EQ(change.modification, kBefore.modification - 90 * kTicksPerMinute);
  EXPECT_EQ(change.creation, kBefore.access);
  EXPECT_EQ(change.access, kBefore.creation);  // the value before the command, not the new one
}

TEST(PlanSet, AttributeChangesGiveTheFourFlagsAsAWholeSet) {
  const struct {
    AttribSpec spec;
    std::optional<AttributeWord> flags;
  } cases[] = {
      {{false, kReadOnly | kHidden, 0}, kReadOnly | kHidden | kArchive},
      {{false, 0, kArchive}, AttributeWord{0}},
      {{true, kSystem, kFlagMask & ~kSystem}, kSystem},
      {{false, kArchive, 0}, std::nullopt},  // already so
      {{false, 0, kHidden}, std::nullopt},
  };
  for (const auto& c : cases) {
    Command command = SetCommand();
    command.attrib = c.spec;
    EXPECT_EQ(Plan(Request(command)).flags, c.flags) << c.spec.set << "/" << c.spec.clear;
  }
}

TEST(PlanSet, AValueThatCannotBeWrittenFailsThatPath) {
  const struct {
    When when;
    const char* message;
  } cases[] = {
      {Shift{-kNoon}, "the created time would be 1601-01-01 00:00:00 UTC, which the platform reads as \"leave it\""},
      {Shift{-kNoon - 1}, "the shifted created time falls outside 1601..30827"},
  };
  for (const auto& c : cases) {
    Command command = SetCommand();
    command.creation = c.when;
    const auto change = PlanSet(Request(command), kBefore);
    ASSERT_FALSE(change.has_value());
    EXPECT_EQ(change.error(), c.message);
  }
}

TEST(PlanUndo, PutsBackOnlyRecordedTimesAndFlagsThatDiffer) {
  const JournalEntry entry{"\\\\?\\C:\\a", kBefore.creation, 0, kBefore.modification - 5, kReadOnly | kHidden | 0x2000};
  const PlannedChange change = PlanUndo(entry, kBefore);
  EXPECT_EQ(change.creation, std::nullopt);      // unchanged since
  EXPECT_EQ(change.access, std::nullopt);     // 0: the file system had none
  EXPECT_EQ(change.modification, kBefore.modification - 5);
  EXPECT_EQ(change.flags, kReadOnly | kHidden);  // other bits are the platform's to keep
  EXPECT_TRUE(PlanUndo({"a", kBefore.creation, kBefore.access, kBefore.modification, kBefore.attributes}, kBefore).empty());
}

TEST(FindNotKept, ChecksOnlyWhatWasWrittenAgainstThePrecision) {
  const PlannedChange change{1'000'000, 2'000'000, std::nullopt, kHidden};
  const struct {
    PathState after;
    TimePrecision precision;
    std::vector<StampPart> lost;
  } cases[] = {
      {{1'000'000, 2'000'000, 5, kHidden | 0x10}, {1, 1, 1}, {}},
      {{2'000'000, 2'000'000, 5, kHidden}, {1, 1, 1}, {StampPart::Created}},
      {{1'000'000, 2'000'001, 5, 0}, {1, 1, 1}, {StampPart::Modified, StampPart::Flags}},
      {{1'000'000, 2'000'001, 5, kHidden}, {1, 2, 1}, {}},
      {{1'000'000 - 99'999, 2'000'000, 5, kHidden}, {100'000, 1, 1}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(FindNotKept(change, c.after, c.precision), c.lost);
}

}  // namespace
}  // namespace cli
