#pragma once
// Base of the objects that can copy their content from another object with Assign.
// A class overrides Assign for the sources it knows and hands every other source to
// the base, which refuses it with EConvertError.

class TPersistent {
public:
  TPersistent() = default;
  virtual ~TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;

  virtual void Assign(const TPersistent& source);
  // The class's name as the error texts show it, for example "TSysFolder".
  virtual const char* ClassName() const = 0;
};
