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
      text += Label(TimeSlotName(slot)) + FormatInstant(before.Get(slot), offsetAt) + " -> " +
              FormatInstant(*value, offsetAt) + "\n";
    }
  }
  if (change.flags) text += Label("flags") + FlagText(before.attributes) + " -> " + FlagText(*change.flags) + "\n";
  if (change.empty()) text += "  nothing to change\n";
  for (const std::string& source : sources) text += Label("from") + PrintableLine(source) + "\n";
  return text;
}

std::string FormatNotKept(const std::vector<StampPart>& lost, const PlannedChange& change, const PathState& after,
                          const OffsetAt& offsetAt) {
  std::string text = "not kept by the file system: ";
  for (std::size_t i = 0; i < lost.size(); ++i) {
    if (i > 0) text += ", ";
    const StampPart part = lost[i];
    text += std::string(StampPartName(part)) + " (wrote ";
    if (part == StampPart::Flags) {
      text += FlagText(change.flags.value_or(0)) + ", reads " + FlagText(after.attributes) + ")";
      continue;
    }
    const TimeSlot slot = part == StampPart::Created    ? TimeSlot::Created
                          : part == StampPart::Modified ? TimeSlot::Modified
                                                        : TimeSlot::Accessed;
    text += FormatInstant(change.Get(slot).value_or(0), offsetAt) + ", reads " +
            FormatInstant(after.Get(slot), offsetAt) + ")";
  }
  return text;
}

std::string NothingChanged(std::string_view reason) {
  std::string text(reason);
  if (text.empty() || text.back() != '.') text += '.';
  return text + " Nothing was changed.";
}

std::string FormatSummary(std::size_t stamped, std::size_t failed) {
  return std::to_string(stamped) + " stamped, " + std::to_string(failed) + " failed\n";
}

std::string FormatDryRunSummary(std::size_t read, std::size_t wouldChange, std::size_t failed) {
  return "dry run: " + std::to_string(wouldChange) + " of " + std::to_string(read) + " would change, " +
         std::to_string(failed) + " failed; nothing was changed\n";
}

}  // namespace cli
