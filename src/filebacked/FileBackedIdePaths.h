#pragma once

#include "runtime/VbPath.h"

// The file-backed IDE reads the paths of project and component files with the run time's VB-path
// arithmetic, the same that resolves a group file's projects.
namespace zarvelin::filebacked {

using zarvelin::BaseNameOf;
using zarvelin::DirectoryOf;
using zarvelin::ExtensionOf;
using zarvelin::FileNameOf;
using zarvelin::RelativePath;
using zarvelin::ResolvePath;

}  // namespace zarvelin::filebacked
