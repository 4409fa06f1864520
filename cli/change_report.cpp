#include "cli/change_report.h"

#include "cli/attrib_spec.h"
#include "cli/path_text.h"

namespace cli {
namespace {

constexpr TimeSlot kSlots[] = {TimeSlot::Created, TimeSlot::Modified, TimeSlot::Accessed};

std::string FlagText(AttributeWord flags) {
  const std::string letters = AttributeLetters(flags & kFlagMask);
  return letters.empty() ? "none" : letters;
}

// "modified" padded so that the arrows of one path line up.
std::string Label(std::string_view name) {
  std::string label = "  " + std::string(name);
  label.resize(12, ' ');
  return label;
}

}  // namespace

std::string FormatInstant(std::uint64_t utc, const OffsetAt& offsetAt) {
  const auto ticks = static_cast<Ticks>(utc);
  const Ticks offset = offsetAt ? offsetAt(ticks) : 0;
  return FormatIso8601(ticks + offset, offset);
}

std::string FormatDryRun(std::string_view path, const PathState& before, const PlannedChange& change,
                         const OffsetAt& offsetAt, const std::vector<std::string>& sources) {
  std::string text = PrintableLine(path) + "\n";
  for (const TimeSlot slot : kSlots) {
    if (const auto value = change.Get(slot)) {
      text += Label(TimeSlotName(slot)) + FormatInstant(TimeIn(before, slot), offsetAt) + " -> " +
              FormatInstant(*value, offsetAt) + "\n";
    }
  }
  if (change.flags) text += Label("flags") + FlagText(before.attributes) + " -> " + FlagText(*change.flags) + "\n";
  if (change.empty()) text += "  nothing to change\n";
  for (const std::string& source : sources) text += Label("from") + PrintableLine(source) + "\n";
  return text;
}

namespace {

// "modified (wrote <time>, <verb> <time>), flags (wrote RA, <verb> A)".
std::string FormatParts(const std::vector<StampPart>& parts, const PlannedChange& change, const PathState& now,
                        std::string_view verb, const OffsetAt& offsetAt) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += ", ";
    const StampPart part = parts[i];
    text += std::string(StampPartName(part)) + " (wrote ";
    if (part == StampPart::Flags) {
      text += FlagText(change.flags.value_or(0)) + ", " + std::string(verb) + " " + FlagText(now.attributes) + ")";
      continue;
    }
    const TimeSlot slot = part == StampPart::Created    ? TimeSlot::Created
                          : part == StampPart::Modified ? TimeSlot::Modified
                                                        : TimeSlot::Accessed;
    text += FormatInstant(change.Get(slot).value_or(0), offsetAt) + ", " + std::string(verb) + " " +
            FormatInstant(TimeIn(now, slot), offsetAt) + ")";
  }
  return text;
}

}  // namespace

std::string FormatNotKept(const std::vector<StampPart>& lost, const PlannedChange& change, const PathState& after,
                          const OffsetAt& offsetAt) {
  return "not kept by the file system: " + FormatParts(lost, change, after, "reads", offsetAt);
}

std::string FormatChangedSince(const std::vector<StampPart>& changed, const PlannedChange& written,
                               const PathState& now, const OffsetAt& offsetAt) {
  return "changed since it was stamped: " + FormatParts(changed, written, now, "now holds", offsetAt) +
         "; left as it is (undo --force puts it back all the same)";
}

std::string NothingChanged(std::string_view reason) {
  std::string text(reason);
  if (text.empty() || text.back() != '.') text += '.';
  return text + " Nothing was changed.";
}

namespace {

std::string LinksNotEntered(std::size_t links) {
  if (links == 0) return "";
  return ", " + std::to_string(links) + (links == 1 ? " link" : " links") + " not entered";
}

}  // namespace

std::string FormatSummary(std::size_t stamped, std::size_t failed, std::size_t linksNotEntered) {
  return std::to_string(stamped) + " stamped, " + std::to_string(failed) + " failed" +
         LinksNotEntered(linksNotEntered) + "\n";
}

std::string FormatStopped(std::size_t notReached) {
  return "stopped on request after the path in hand; " + std::to_string(notReached) +
         (notReached == 1 ? " path was" : " paths were") + " not reached";
}

std::string FormatDryRunSummary(std::size_t read, std::size_t wouldChange, std::size_t failed,
                                std::size_t linksNotEntered) {
  return "dry run: " + std::to_string(wouldChange) + " of " + std::to_string(read) + " would change, " +
         std::to_string(failed) + " failed" + LinksNotEntered(linksNotEntered) + "; nothing was changed\n";
}

}  // namespace cli
