// taken and name: the WHEN forms, planning from a path's own dates, and where show and the dry
// run put them.
#include "cli/path_dates.h"

#include <gtest/gtest.h>

#include "cli/change_report.h"
#include "cli/show_output.h"
#include "cli/stamp_plan.h"

namespace cli {
namespace {

const Ticks kNoon = TicksFromCivil({2024, 5, 1, 12, 0, 0});
const LocalToUtc kPlusTwo = [](const CivilTime& local) -> Result<Ticks> {
  return TicksFromCivil(local) - 2 * kTicksPerHour;
};
const LocalToUtc kNoInstant = [](const CivilTime&) -> Result<Ticks> { return Error{"in the gap"}; };
const PathState kBefore{1, 2, 3, 0};

TEST(ParseWhen, TakenAndNameWithAnOptionalShift) {
  const struct {
    const char* text;
    DateOf date;
  } cases[] = {
      {"taken", {DateOrigin::Taken, 0}},
      {"TAKEN+2h", {DateOrigin::Taken, 2 * kTicksPerHour}},
      {"taken-1d30m", {DateOrigin::Taken, -(kTicksPerDay + 30 * kTicksPerMinute)}},
      {"name", {DateOrigin::Name, 0}},
      {"Name+90s", {DateOrigin::Name, 90 * kTicksPerSecond}},
  };
  for (const auto& c : cases) {
    const auto when = ParseWhen(c.text);
    ASSERT_TRUE(when) << c.text;
    EXPECT_EQ(*when, When{c.date}) << c.text;
  }
  for (const char* text : {"takenx", "taken+", "taken+2x", "name 2h", "names", "taken+1h+1h"}) {
    EXPECT_FALSE(ParseWhen(text)) << text;
  }
}

TEST(MakePathDate, LocalDatesGoThroughTheZoneRuleInstantsStay) {
  const PathDate local =
      MakePathDate(DateOrigin::Taken, FoundDate{LocalTime{{2024, 5, 1, 14, 0, 0}}, "EXIF X"}, kPlusTwo);
  EXPECT_EQ(local.utc, kNoon);
  EXPECT_EQ(local.source, "taken: EXIF X");
  const PathDate exact = MakePathDate(DateOrigin::Name, FoundDate{Instant{kNoon}, "n"}, kNoInstant);
  EXPECT_EQ(exact.utc, kNoon);
  EXPECT_FALSE(
      MakePathDate(DateOrigin::Taken, FoundDate{LocalTime{{2024, 3, 31, 2, 30, 0}}, "EXIF X"}, kNoInstant).utc);
  EXPECT_FALSE(MakePathDate(DateOrigin::Name, std::nullopt, kPlusTwo).utc);
}

SetRequest RequestOf(std::optional<When> creation, std::optional<When> modification) {
  Command command;
  command.verb = Verb::Set;
  command.creation = creation;
  command.modification = modification;
  auto request = MakeSetRequest(command, std::nullopt, kNoon, kPlusTwo);
  EXPECT_TRUE(request);
  return request ? *request : SetRequest{};
}

TEST(PlanSet, TakenAndNameTakeThePathsOwnDatePlusTheShift) {
  PathDates dates;
  dates.taken = {kNoon, "taken: EXIF DateTimeOriginal", ""};
  dates.name = {kNoon + kTicksPerDay, "name: IMG_20240502_120000", ""};
  const SetRequest request = RequestOf(DateOf{DateOrigin::Name}, DateOf{DateOrigin::Taken, 2 * kTicksPerHour});
  const auto change = PlanSet(request, kBefore, dates);
  ASSERT_TRUE(change);
  EXPECT_EQ(change->creation, static_cast<std::uint64_t>(kNoon + kTicksPerDay));
  EXPECT_EQ(change->modification, static_cast<std::uint64_t>(kNoon + 2 * kTicksPerHour));
  EXPECT_FALSE(change->access);
  EXPECT_EQ(DateSources(request, dates), (std::vector<std::string>{dates.taken.source, dates.name.source}));
  EXPECT_TRUE(UsesDate(request, DateOrigin::Name));
  EXPECT_FALSE(UsesDate(RequestOf(DateOf{DateOrigin::Taken}, std::nullopt), DateOrigin::Name));
}

TEST(PlanSet, APathWithoutItsDateFailsWithTheReasonAFolderKeepsItsTime) {
  PathDates dates;
  dates.taken.missing = "no date taken in it";
  const auto change = PlanSet(RequestOf(DateOf{DateOrigin::Taken}, std::nullopt), kBefore, dates);
  ASSERT_FALSE(change);
  EXPECT_EQ(change.error(), dates.taken.missing);
  dates.taken = {std::nullopt, "", "", true};
  const auto kept = PlanSet(RequestOf(DateOf{DateOrigin::Taken}, std::nullopt), kBefore, dates);
  ASSERT_TRUE(kept);
  EXPECT_TRUE(kept->empty());
  dates.taken = {kTicksPerHour, "taken: x", ""};
  EXPECT_FALSE(PlanSet(RequestOf(DateOf{DateOrigin::Taken, -2 * kTicksPerHour}, std::nullopt), kBefore, dates));
}

TEST(NameOfPath, IsTheLastPart) {
  EXPECT_EQ(NameOfPath("D:\\Photos\\IMG_1.jpg"), "IMG_1.jpg");
  EXPECT_EQ(NameOfPath("a/b.jpg"), "b.jpg");
  EXPECT_EQ(NameOfPath("C:b.jpg"), "b.jpg");
  EXPECT_EQ(NameOfPath("b.jpg"), "b.jpg");
}

TEST(FormatDryRun, NamesTheSourceOfThePathsOwnDate) {
  PlannedChange change;
  change.modification = static_cast<std::uint64_t>(kNoon);
  const std::string text = FormatDryRun("a.jpg", kBefore, change, {}, {"taken: EXIF DateTimeOriginal +02:00"});
  EXPECT_NE(text.find("taken: EXIF DateTimeOriginal +02:00\n"), std::string::npos) << text;
  EXPECT_EQ(FormatDryRun("a.jpg", kBefore, change, {}).find("taken"), std::string::npos);
}

TEST(ShowTaken, AddsTheColumnsOnlyWhenAskedEmptyWithoutADate) {
  std::vector<ShowRow> rows(2);
  rows[0].path = "a.jpg";
  rows[0].taken = LocalStamp{kNoon, 2 * kTicksPerHour};
  rows[0].takenSource = "EXIF DateTimeOriginal";
  rows[1].path = "b.txt";
  const std::string csv = FormatCsv(rows, true);
  EXPECT_NE(csv.find(",2024-05-01T12:00:00.0000000+02:00,EXIF DateTimeOriginal,\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("b.txt,,,,,,,,\r\n"), std::string::npos) << csv;
  EXPECT_EQ(FormatCsv(rows).find("EXIF"), std::string::npos);
  const std::string json = FormatJson(rows, true);
  EXPECT_NE(json.find("\"taken\": null, \"taken_from\": null"), std::string::npos) << json;
  EXPECT_NE(json.find("\"taken_from\": \"EXIF DateTimeOriginal\""), std::string::npos) << json;
  const std::string table = FormatTable(rows, true);
  EXPECT_NE(table.find("2024-05-01 12:00:00  EXIF DateTimeOriginal\n"), std::string::npos) << table;
  EXPECT_EQ(FormatTable(rows).find("EXIF"), std::string::npos);
}

}  // namespace
}  // namespace cli
