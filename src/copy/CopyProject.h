#pragma once

#include "copy/CopyObserver.h"
#include "copy/CopyRequest.h"
#include "copy/CopyResult.h"
#include "ide/Vbide.h"

namespace zarvelin::copy {

// One copy of the open project into the request's copy directory, its directories validated by
// the caller: with the source-code-control add-in disconnected, every name planned, the files the
// copy would replace put aside, the IDE saves every component and then the project file there,
// the copied project file's compiled-output path is cleared, and the source project is reopened.
// A copy that stops leaves the copy directory as it was. The observer shows what happens.
CopyResult CopyProject(ide::VBE& vbe, ide::VBProject& project, const CopyRequest& request,
                       CopyObserver& observer);

// The same planning without writing anything: the files the copy would write, the names it would
// change, or where and why it would stop.
CopyResult PlanCopy(ide::VBProject& project, const CopyRequest& request);

}  // namespace zarvelin::copy
