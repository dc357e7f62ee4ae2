#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "project/cComponent.h"

namespace zarvelin {

// The component records of a project in the order they were added, as VB's Collection keeps
// them: 1-based positions, optional keys unique without regard to letter case. Failures are the
// Collection's own: 457 for a key already present, 5 for a position or key that is not there.
class cComponents {
 public:
  using Record = std::shared_ptr<cComponent>;
  using const_iterator = std::vector<Record>::const_iterator;

  // An empty key adds the record without a key.
  void Add(Record record, std::string_view key = {});

  const Record& Item(int32_t position) const;
  const Record& Item(std::string_view key) const;

  int32_t Count() const;

  void Remove(int32_t position);
  void Remove(std::string_view key);

  // NewEnum: the records from position 1 to the count.
  const_iterator begin() const { return records_.begin(); }
  const_iterator end() const { return records_.end(); }

 private:
  size_t IndexOf(int32_t position) const;
  static std::string Folded(std::string_view key);

  std::vector<Record> records_;
  // The key each record was added under (empty for none), parallel to records_.
  std::vector<std::string> keys_;
  std::unordered_map<std::string, Record> byKey_;
};

}  // namespace zarvelin
