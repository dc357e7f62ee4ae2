#pragma once

#include <memory>
#include <string>

#include "runtime/CodePage.h"

namespace zarvelin::host {

// Code pages through iconv. A Windows number names the code page Windows means by it ("932" is
// CP932, whose 0x5C is a backslash, not Shift-JIS's yen sign); any other name is iconv's own.
class IconvCodePages : public CodePages {
 public:
  std::unique_ptr<CodePage> Open(const std::string& name) const override;
};

}  // namespace zarvelin::host
