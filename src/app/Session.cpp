#include "app/Session.h"

#include <utility>

namespace zarvelin::app {

Session::Session(Services services)
    : app_(std::move(services.app)),
      files_(services.files),
      clock_(services.clock),
      appService_(app_),
      platform_(services.platform),
      windows_(services.windows),
      reporter_(report_) {}

}  // namespace zarvelin::app
