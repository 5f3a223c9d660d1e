#include "spreadsheet/cfb/stream_reader.h"

#include "spreadsheet/cfb/chain.h"
#include "spreadsheet/cfb/message_text.h"

namespace tabrel::cfb {

std::string describe_stream(const DirectoryEntry& entry) {
  return "stream " + quoted(entry.name);
}

bool in_mini_stream(const DirectoryEntry& entry) { return entry.size < kMiniStreamCutoff; }

std::vector<uint32_t> stream_chain(const FileState& state, const DirectoryEntry& entry) {
  const std::string what = describe_stream(entry);
  const bool exact = state.mode == Mode::Strict;
  if (entry.size == 0) return {};
  if (!in_mini_stream(entry))
    return follow_chain(state.fat.next, entry.start_sector,
                        {.what = what, .needed = sectors_for(entry.size, state.file.sector_size()),
                         .exact = exact});
  if (state.mini_error) throw *state.mini_error;
  return follow_chain(state.minifat->next, entry.start_sector,
                      {.what = what, .unit = "mini sector",
                       .needed = sectors_for(entry.size, kMiniSectorSize), .exact = exact});
}

std::vector<uint8_t> read_entry_bytes(const FileState& state, const DirectoryEntry& entry) {
  const std::vector<uint32_t> chain = stream_chain(state, entry);
  const std::string what = describe_stream(entry);
  if (in_mini_stream(entry)) return read_mini_sectors(state.file, *state.mini_stream, chain, entry.size, what);
  return read_sectors(state.file, chain, entry.size, what);
}

}  // namespace tabrel::cfb
