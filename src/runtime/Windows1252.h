#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/CodePage.h"

namespace zarvelin {

// Windows-1252 by its table. The five bytes it leaves undefined stand for the C1 controls of
// their own number, as Windows converts them, so every byte reads and comes back.
class Windows1252CodePage : public CodePage {
 public:
  const std::string& Name() const override { return name_; }
  std::string Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::string_view text) const override;

 private:
  std::string name_ = "1252";
};

}  // namespace zarvelin
