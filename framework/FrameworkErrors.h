#pragma once
// The framework's own errors, free of windows.h. Each derives from std::exception, so a
// command that raises one ends in the application's standard error box with its text.

#include <stdexcept>
#include <string>

// An index outside a list's items: "List index out of bounds (%d)".
class EListError : public std::out_of_range {
public:
  explicit EListError(long long index)
      : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};

// An object asked to copy from one of a kind it does not know: "Cannot assign a %s to a %s".
class EConvertError : public std::runtime_error {
public:
  EConvertError(const std::string& sourceClass, const std::string& targetClass)
      : std::runtime_error("Cannot assign a " + sourceClass + " to a " + targetClass) {}
};
