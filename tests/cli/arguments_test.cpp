#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

using Args = std::vector<std::string>;
using Paths = std::vector<std::string>;

Command Parsed(const Args& args) {
  auto command = ParseArguments(args);
  EXPECT_TRUE(command.has_value()) << (command ? "" : command.error());
  return command ? *command : Command{};
}

std::string ErrorOf(const Args& args) {
  auto command = ParseArguments(args);
  return command ? "accepted" : command.error();
}

TEST(ParseArguments, ShowIsTheVerbWhenNoneIsGiven) {
  const Command command = Parsed({"--format", "json", "a.txt", "*.log"});
  EXPECT_EQ(command.verb, Verb::Show);
  EXPECT_EQ(command.format, OutputFormat::Json);
  EXPECT_EQ(command.depth, 0);
  EXPECT_EQ(command.paths, (Paths{"a.txt", "*.log"}));
  EXPECT_EQ(Parsed({"show", "-r", "dir"}).depth, kUnlimitedDepth);
  EXPECT_EQ(Parsed({"--depth=2", "dir"}).depth, 2);
  EXPECT_EQ(Parsed({"show", "--format=csv", "x"}).format, OutputFormat::Csv);
}

TEST(ParseArguments, SetReadsEveryOptionAndAValueBeginningWithDashIsAValue) {
  const Command command = Parsed({"set", "-m", "-1h", "--created=2024-05-01", "-a", "modified", "--attrib", "-R",
                                  "--depth", "1", "--journal", "j.txt", "-q", "a.txt"});
  EXPECT_EQ(command.verb, Verb::Set);
  EXPECT_EQ(command.modification, When{Shift{-kTicksPerHour}});
  EXPECT_EQ(command.creation, (When{LocalTime{{2024, 5, 1}}}));
  EXPECT_EQ(command.access, When{TimeOf{TimeSlot::Modified}});
  EXPECT_EQ(command.attrib, (AttribSpec{false, 0, kReadOnly}));
  EXPECT_EQ(command.depth, 1);
  EXPECT_EQ(command.journal, "j.txt");
  EXPECT_TRUE(command.quiet);
  EXPECT_EQ(command.paths, Paths{"a.txt"});
}

TEST(ParseArguments, AllFillsTheTimesNotGivenAlone) {
  const Command command = Parsed({"set", "--all", "now", "-c", "+1d", "a"});
  EXPECT_EQ(command.creation, When{Shift{kTicksPerDay}});
  EXPECT_EQ(command.modification, When{Now{}});
  EXPECT_EQ(command.access, When{Now{}});
}

TEST(ParseArguments, LikeLeavesTheOtherTimesEmpty) {
  const Command command = Parsed({"set", "--like", "ref.txt", "-m", "now", "a"});
  EXPECT_EQ(command.likeFile, "ref.txt");
  EXPECT_FALSE(command.creation.has_value());
  EXPECT_EQ(command.modification, When{Now{}});
}

TEST(ParseArguments, AttribTakesOneWordAndRAndAStayOptionsWhereverTheyStand) {
  const Command spread = Parsed({"set", "--attrib", "+h", "-r", "-a", "now", "D:\\Docs"});
  EXPECT_EQ(spread.attrib, (AttribSpec{false, kHidden, 0}));
  EXPECT_EQ(spread.depth, kUnlimitedDepth);
  EXPECT_EQ(spread.access, When{Now{}});
  EXPECT_EQ(Parsed({"set", "--attrib", "+R-H-a", "x"}).attrib, (AttribSpec{false, kReadOnly, kHidden | kArchive}));
  EXPECT_EQ(Parsed({"set", "--attrib=-r", "x"}).attrib, (AttribSpec{false, 0, kReadOnly}));
  EXPECT_EQ(Parsed({"set", "--attrib", "+R", "--", "-H"}).paths, Paths{"-H"});
  // A second attribute word, or an option where the SPEC belongs, is refused; the message
  // shows the one-word form.
  for (const Args& args : {Args{"set", "--attrib", "+h", "-s", "x"}, Args{"set", "--attrib", "+h", "x", "+S"},
                           Args{"set", "--attrib=+h", "-r", "=", "x"}}) {
    const std::string error = ErrorOf(args);
    EXPECT_NE(error.find("--attrib +h"), std::string::npos) << error;
  }
  EXPECT_NE(ErrorOf({"set", "--attrib", "-r", "x"}).find("--attrib=-r"), std::string::npos);
  EXPECT_NE(ErrorOf({"set", "--attrib", "+h", "--attrib", "+s", "x"}), "accepted");
}

TEST(ParseArguments, DoubleDashEndsOptions) {
  EXPECT_EQ(Parsed({"--", "-r", "--help", "set"}).paths, (Paths{"-r", "--help", "set"}));
  EXPECT_EQ(Parsed({"set", "-c", "now", "--", "-file"}).paths, Paths{"-file"});
}

TEST(ParseArguments, UndoTakesOneJournal) {
  const Command command = Parsed({"undo", "--dry-run", "j.txt"});
  EXPECT_EQ(command.verb, Verb::Undo);
  EXPECT_TRUE(command.dryRun);
  EXPECT_EQ(command.journal, "j.txt");
  EXPECT_TRUE(command.paths.empty());
}

TEST(ParseArguments, UndoTakesTheNewestHistoryEntryAndHistoryMayClearIt) {
  const Command last = Parsed({"undo", "--last", "--force"});
  EXPECT_TRUE(last.last);
  EXPECT_TRUE(last.force);
  EXPECT_EQ(last.journal, "");
  EXPECT_EQ(Parsed({"history"}).verb, Verb::History);
  EXPECT_FALSE(Parsed({"history"}).clear);
  EXPECT_TRUE(Parsed({"history", "--clear"}).clear);
  EXPECT_TRUE(Parsed({"set", "-m", "now", "--no-history", "a"}).noHistory);
}

TEST(ParseArguments, SendToTakesInstallOrRemove) {
  EXPECT_EQ(Parsed({"sendto", "install"}).sendTo, SendToAction::Install);
  EXPECT_EQ(Parsed({"sendto", "remove"}).verb, Verb::SendTo);
  EXPECT_EQ(Parsed({"sendto", "remove"}).sendTo, SendToAction::Remove);
}

TEST(ParseArguments, HelpAndVersionWinOverTheRest) {
  EXPECT_EQ(Parsed({"--help"}).verb, Verb::Help);
  EXPECT_EQ(Parsed({"set", "a", "--version", "--bogus"}).verb, Verb::Version);
}

TEST(ParseArguments, WrongCommandLinesSayWhatIsWrong) {
  const struct {
    Args args;
    const char* message;
  } cases[] = {
      {{}, "no PATH given"},
      {{"set", "-m", "now"}, "no PATH given"},
      {{"--bogus", "a"}, "unknown option '--bogus' (a PATH that begins with '-' goes after --)"},
      {{"-x", "a"}, "unknown option '-x' (a PATH that begins with '-' goes after --)"},
      {{"set", "a", "-m"}, "-m needs a value: WHEN"},
      {{"set", "-m", "2024-13-01", "a"}, "-m '2024-13-01': month 13 is out of range (01-12)"},
      {{"set", "--modified=+5x", "a"}, "--modified '+5x': unknown unit 'x' (use d, h, m or s)"},
      {{"set", "-c", "1600-01-01", "a"}, "-c '1600-01-01': year 1600 is before 1601"},
      {{"-r", "--depth", "2", "a"}, "-r and --depth cannot be used together"},
      {{"--depth", "-1", "a"}, "--depth '-1': expected a whole number, 0 or more"},
      {{"--depth", "x", "a"}, "--depth 'x': expected a whole number, 0 or more"},
      {{"--format", "xml", "a"}, "--format 'xml': expected table, csv or json"},
      {{"-m", "now", "a"}, "-m is not an option of show"},
      {{"set", "--format", "csv", "a"}, "--format is not an option of set"},
      {{"set", "-m", "now", "-m", "now", "a"}, "-m is given more than once"},
      {{"set", "--dry-run=yes", "a"}, "--dry-run takes no value"},
      {{"set", "a"}, "set has nothing to change: give -c, -m, -a, --all, --like or --attrib"},
      {{"set", "--all", "now", "--like", "f", "a"}, "--all and --like cannot be used together"},
      {{"set", "-c", "now", "-m", "now", "-a", "now", "--like", "f", "a"},
       "--like has no time left to give: -c, -m and -a set all three"},
      {{"set", "--like=", "a"}, "--like needs a FILE, not an empty value"},
      {{"set", "-m", "now", "--journal", "j", "--dry-run", "a"},
       "--journal cannot be used with --dry-run (a dry run changes nothing to undo)"},
      {{"set", "--attrib", "+R-R", "a"}, "--attrib: the flag R is both set and cleared"},
      {{"set", "-m", "2024-05-01", "12:00", "a"},
       "'12:00' after the date of -m looks like a time of day: write date and time as one argument, joined by T "
       "or quoted with the blank"},
      {{"undo"}, "undo needs a JOURNAL, an ID or --last"},
      {{"undo", "a", "b"}, "undo takes one JOURNAL or ID, not 2 arguments"},
      {{"undo", "--last", "j"}, "undo --last takes no JOURNAL or ID"},
      {{"history", "a"}, "history takes no PATH"},
      {{"history", "-r"}, "-r is not an option of history"},
      {{"undo", "--no-history", "j"}, "--no-history is not an option of undo"},
      {{"undo", "-r", "j"}, "-r is not an option of undo"},
      {{"a", ""}, "a PATH is empty"},
      {{"sendto"}, "sendto takes one word: install or remove"},
      {{"sendto", "install", "x"}, "sendto takes one word: install or remove"},
      {{"sendto", "add"}, "sendto takes one word: install or remove"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.args), c.message);
}

TEST(FormatUsageError, ShowsTheMessageAndTheUsageLines) {
  const std::string text = FormatUsageError("no PATH given");
  EXPECT_EQ(text.rfind("fstamp: no PATH given\nusage: fstamp [show]", 0), 0u) << text;
  EXPECT_NE(text.find("fstamp undo [--dry-run] [--force] JOURNAL | ID | --last\n"), std::string::npos);
}

}  // namespace
}  // namespace cli
