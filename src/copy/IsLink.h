#pragma once

#include <string>

namespace zarvelin::copy {

// Whether the entry at path is a link, even one to nothing: the copy's journal moves a link as
// the link, whatever it names.
bool IsLink(const std::string& path);

}  // namespace zarvelin::copy
