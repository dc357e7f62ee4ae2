#pragma once

#include "runtime/VbError.h"

namespace zarvelin {

template <class T>
class ScopedService;

// One process-wide service of type T (the file system, the platform, the window backend ...),
// installed by the program or a test for a scope. Reaching a service that nobody installed is the
// run time's "Object variable not set" (91), never a null dereference.
template <class T>
class Service {
 public:
  static T& Get() {
    if (current_ == nullptr) throw VbError(vberr::kObjectVariableNotSet);
    return *current_;
  }
  static T* Installed() { return current_; }

 private:
  friend class ScopedService<T>;
  inline static T* current_ = nullptr;
};

// Installs a service for the life of this object and puts back whatever was installed before, so
// nested scopes (a quiet run inside a session, a test inside a fixture) unwind in order.
template <class T>
class ScopedService {
 public:
  explicit ScopedService(T& service) : previous_(Service<T>::current_) {
    Service<T>::current_ = &service;
  }
  ~ScopedService() { Service<T>::current_ = previous_; }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  T* previous_;
};

}  // namespace zarvelin
