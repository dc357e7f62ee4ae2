#pragma once

#include <memory>

#include "ide/Vbide.h"
#include "win32/LateBound.h"

namespace zarvelin::win32 {

// The IDE's add-in object for this add-in, over late binding.
std::shared_ptr<ide::AddIn> LateBoundAddIn(const Dispatch& addIn);

// The IDE object (VBE) over late binding, by the names of the IDE's object model. It holds the
// IDE object for as long as the add-in keeps it.
class LateBoundVbe final : public ide::VBE {
 public:
  explicit LateBoundVbe(const Dispatch& vbe);
  ~LateBoundVbe() override;
  LateBoundVbe(const LateBoundVbe&) = delete;
  LateBoundVbe& operator=(const LateBoundVbe&) = delete;

  std::shared_ptr<ide::VBProject> ActiveVBProject() override;
  void SetActiveVBProject(const std::shared_ptr<ide::VBProject>& project) override;
  ide::VBProjects& Projects() override;
  ide::AddIns& Addins() override;
  ide::CommandBars& Bars() override;
  ide::Events& GetEvents() override;

 private:
  struct Members;
  Dispatch vbe_;
  std::unique_ptr<Members> members_;
};

}  // namespace zarvelin::win32
