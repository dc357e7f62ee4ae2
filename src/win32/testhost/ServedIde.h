#pragma once

#include <windows.h>

#include <memory>

#include "filebacked/FileBackedIde.h"

namespace zarvelin::testhost {

// The file-backed IDE behind IDispatch objects with the IDE's own member names, so that the real
// add-in, which late-binds to the IDE, works on project files on disk. The caller owns the
// reference it is given; the IDE must outlive every object made from it.
IDispatch* ServedVbe(filebacked::FileBackedVBE& vbe);
IDispatch* ServedAddIn(std::shared_ptr<ide::AddIn> addIn);

}  // namespace zarvelin::testhost
