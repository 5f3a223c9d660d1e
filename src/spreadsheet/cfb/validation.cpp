#include "spreadsheet/cfb/validation.h"

#include <string>

#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/message_text.h"
#include "spreadsheet/cfb/stream_reader.h"

namespace tabrel::cfb {
namespace {

// Records which chain uses each sector and refuses a second user.
class Ownership {
 public:
  Ownership(size_t sectors, std::string unit) : owner_(sectors, kUnowned), unit_(std::move(unit)) {}

  void claim(uint32_t sector, const std::string& user) {
    if (sector >= owner_.size())
      throw Error(ErrorCode::BadSectorId, unit_ + " " + std::to_string(sector) + " of " + user +
                                              " lies beyond the " + std::to_string(owner_.size()) +
                                              " entries of its table");
    if (owner_[sector] != kUnowned)
      throw Error(ErrorCode::SectorShared, unit_ + " " + std::to_string(sector) + " is used by both " +
                                               users_[owner_[sector]] + " and " + user);
    if (users_.empty() || users_.back() != user) users_.push_back(user);
    owner_[sector] = users_.size() - 1;
  }

  void claim_all(const std::vector<uint32_t>& sectors, const std::string& user) {
    for (uint32_t sector : sectors) claim(sector, user);
  }

 private:
  static constexpr size_t kUnowned = static_cast<size_t>(-1);
  std::vector<size_t> owner_;
  std::vector<std::string> users_;
  std::string unit_;
};

void check_marks(const FileState& s, const std::vector<uint32_t>& sectors, uint32_t mark,
                 const std::string& kind) {
  for (uint32_t sector : sectors)
    if (s.fat.next[sector] != mark)
      throw Error(ErrorCode::BadSectorId, "FAT entry of " + kind + " sector " + std::to_string(sector) +
                                              " is " + hex(s.fat.next[sector]) + " instead of " + hex(mark));
}

void check_in_file(const FileState& s, const std::vector<uint32_t>& sectors, const std::string& user) {
  for (uint32_t sector : sectors) s.file.sector(sector, user);
}

}  // namespace

void validate_strictly(const FileState& s) {
  if (!s.file.ends_in_whole_sector())
    throw Error(ErrorCode::BadFileSize, "file size " + std::to_string(s.bytes.size()) +
                                            " is not a whole number of " +
                                            std::to_string(s.file.sector_size()) + "-byte sectors");
  if (s.mini_error) throw *s.mini_error;

  Ownership sectors(s.fat.next.size(), "sector");
  sectors.claim_all(s.fat.fat_sectors, "the FAT");
  check_marks(s, s.fat.fat_sectors, kFatSector, "FAT");
  sectors.claim_all(s.fat.difat_sectors, "the DIFAT");
  check_marks(s, s.fat.difat_sectors, kDifatSector, "DIFAT");
  sectors.claim_all(s.directory.sectors, "the directory");
  sectors.claim_all(s.minifat->sectors, "the mini FAT");
  sectors.claim_all(s.mini_stream->sectors, "the mini stream");
  check_in_file(s, s.mini_stream->sectors, "the mini stream");

  Ownership mini_sectors(s.minifat->next.size(), "mini sector");
  for (const DirectoryEntry& entry : s.directory.entries) {
    if (!entry.reachable || entry.type != kTypeStream) continue;
    const std::string user = describe_stream(entry);
    const std::vector<uint32_t> chain = stream_chain(s, entry);
    if (in_mini_stream(entry)) {
      mini_sectors.claim_all(chain, user);
      read_entry_bytes(s, entry);
    } else {
      sectors.claim_all(chain, user);
      check_in_file(s, chain, user);
    }
  }
}

}  // namespace tabrel::cfb
