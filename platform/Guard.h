#pragma once
// Every entry from the window system into component code runs inside this
// guard: an exception that escapes goes to the application's standard
// exception report, and the program runs on.

#include <exception>
#include <utility>

void ReportException(std::exception_ptr error);

template <class F>
void Guarded(F&& f) {
  try {
    std::forward<F>(f)();
  } catch (...) {
    ReportException(std::current_exception());
  }
}
