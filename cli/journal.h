#pragma once

#include "cli/path_state.h"
#include "core/journal.h"

namespace cli {

// The undo journal is the core's: both programs record their changes in it.
using core::FormatJournal;
using core::Journal;
using core::JournalEntry;
using core::kJournalHeader;
using core::kJournalHeaderV1;
using core::kJournalVersion;
using core::ParseJournal;

}  // namespace cli
