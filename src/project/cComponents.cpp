#include "project/cComponents.h"

#include <algorithm>

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

constexpr int32_t kKeyAlreadyAssociated = 457;

}  // namespace

void cComponents::Add(Record record, std::string_view key) {
  std::string folded = Folded(key);
  if (!folded.empty()) {
    if (byKey_.contains(folded)) {
      throw VbError(kKeyAlreadyAssociated,
                    "This key is already associated with an element of this collection");
    }
    byKey_.emplace(folded, record);
  }
  records_.push_back(std::move(record));
  keys_.push_back(std::move(folded));
}

const cComponents::Record& cComponents::Item(int32_t position) const {
  return records_[IndexOf(position)];
}

const cComponents::Record& cComponents::Item(std::string_view key) const {
  const auto found = byKey_.find(Folded(key));
  if (found == byKey_.end()) throw VbError(vberr::kInvalidProcedureCall);
  return found->second;
}

int32_t cComponents::Count() const {
  return static_cast<int32_t>(records_.size());
}

void cComponents::Remove(int32_t position) {
  const size_t index = IndexOf(position);
  if (!keys_[index].empty()) byKey_.erase(keys_[index]);
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
  keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(index));
}

void cComponents::Remove(std::string_view key) {
  const std::string folded = Folded(key);
  const auto found = folded.empty() ? keys_.end() : std::find(keys_.begin(), keys_.end(), folded);
  if (found == keys_.end()) throw VbError(vberr::kInvalidProcedureCall);
  Remove(static_cast<int32_t>(found - keys_.begin()) + 1);
}

size_t cComponents::IndexOf(int32_t position) const {
  if (position < 1 || position > Count()) throw VbError(vberr::kInvalidProcedureCall);
  return static_cast<size_t>(position - 1);
}

std::string cComponents::Folded(std::string_view key) {
  return LowerAscii(key);
}

}  // namespace zarvelin
