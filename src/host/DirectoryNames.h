#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "runtime/StringKeys.h"

namespace zarvelin::host {

// The names in host directories, kept by their lower-cased spelling, so that finding a name
// without regard to letter case costs one stat of the directory instead of a read of all of it.
// A listing is trusted while the directory keeps the device, inode and change times it had when
// the listing was taken; this process's own changes, told through Added and Removed, keep it
// current. (On kernels with coarse time stamps a stranger's change within the same clock tick as
// the listing can go unseen; kernels that hand out fine-grained stamps once one was read do not
// have that gap.)
class DirectoryNames {
 public:
  // What a directory looked like at one moment; an unreadable directory has no stamp.
  struct Stamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long modifiedSeconds = 0;
    long long modifiedNanoseconds = 0;
    long long changedSeconds = 0;
    long long changedNanoseconds = 0;
    bool operator==(const Stamp&) const = default;
  };
  static std::optional<Stamp> StampOf(const std::string& hostDirectory);

  // While held (holds nest), a listing once read is trusted without looking at the directory
  // again, and this process's changes go into it without looking either: one operation that owns
  // its directories for a while (a copy) pays for each directory once. A listing read before the
  // hold began is trusted only after its stamp is found to be the directory's own.
  void Hold();
  void Release();
  bool Trusted() const { return holds_ > 0; }
  // Whether, under a hold, hostDirectory's names are known (read now if they were not).
  bool Lists(const std::string& hostDirectory);
  // What a held listing tells of one entry without a look at the disk: that no entry has exactly
  // this name, that it is a regular file (not a link to one), or nothing to go by.
  enum class Known { kNothing, kAbsent, kFile };

  // Under a hold, from hostDirectory's names (read now if they were not known): the host path of
  // name in hostDirectory, spelled as Find spells it where an entry has it and as given where none
  // does, and what the listing tells of the entry at that path; nothing when there is no hold or
  // the directory cannot be read.
  std::optional<std::string> HeldPath(const std::string& hostDirectory, std::string_view name,
                                      Known& known);

  // Under a hold, from hostDirectory's listing if one was read; kNothing otherwise.
  Known Entry(std::string_view hostDirectory, std::string_view name);

  // The entry of hostDirectory whose name equals the wanted one without regard to ASCII letter
  // case; of several, the first in byte order, so that the choice does not depend on the disk.
  std::optional<std::string> Find(const std::string& hostDirectory, std::string_view name);

  // This process made or removed an entry of hostDirectory, whose stamp was `before` just
  // before. A listing that was current then takes the change and stays current; any other is
  // dropped.
  void Added(std::string_view hostDirectory, std::string_view name,
             const std::optional<Stamp>& before);
  void Removed(std::string_view hostDirectory, std::string_view name,
               const std::optional<Stamp>& before);
  // Under a hold, after Added: the entry is a regular file this process wrote whole, `length`
  // bytes long. Until the entry changes again, the listing answers for it as for a file it read.
  void Wrote(std::string_view hostDirectory, std::string_view name, unsigned long long length);
  // Under a hold, the length of the file this process wrote at name, as Wrote told it; nothing
  // where no such write is known.
  std::optional<unsigned long long> WrittenLength(std::string_view hostDirectory,
                                                  std::string_view name);

 private:
  // What a listing knows of one entry: whether it was a regular file when read (an entry this
  // process adds is not taken for one, unless it wrote the file whole) and then its length.
  struct Facts {
    bool regularFile = false;
    std::optional<unsigned long long> writtenLength;
  };
  struct Listing {
    Stamp stamp;
    // Each name -> its facts. Names that differ only in letter case are found together.
    std::unordered_multimap<std::string, Facts, NoCaseHash, NoCaseEqual> names;
    // Read before the hold in force began: checked against the directory once before it is
    // trusted.
    bool unchecked = false;
  };

  // The entry that name finds: the one spelled so if there is one, else the first in byte order
  // of those spelled so letter case aside; null where there is none.
  static const std::pair<const std::string, Facts>* Spelled(const Listing& listing,
                                                            std::string_view name);
  static std::optional<Listing> Read(const std::string& hostDirectory);
  // Under a hold, hostDirectory's listing, read now if it was not; the caller holds the mutex.
  const Listing* HeldListing(const std::string& hostDirectory);
  // The listing of hostDirectory, moved on to the directory's stamp now, if it was current at
  // `before` (or already is now); otherwise drops it.
  Listing* CurrentAcross(std::string_view hostDirectory, const std::optional<Stamp>& before);
  // hostDirectory's listing if one was read and checked; the caller holds the mutex.
  Listing* CheckedListing(std::string_view hostDirectory);

  // Few directories are looked into by case; a bound keeps a scan of a huge one from staying.
  static constexpr size_t kMostListings = 32;

  std::atomic<int> holds_ = 0;
  std::mutex mutex_;
  StringMap<Listing> listings_;
};

}  // namespace zarvelin::host
