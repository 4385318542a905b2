#pragma once
// A byte stream over a file opened with CreateFileA.

#include "framework/Stream.h"
#include "framework/UniqueHandle.h"

#include <optional>
#include <string>

class TFileStream : public TStream {
public:
  // Opens an existing file for reading; throws ECommandError
  // "Cannot open file "%s". %s" with the full path and the system's reason.
  static TFileStream OpenRead(const std::string& path);
  // Creates or truncates a file for writing; throws "Cannot create file "%s". %s".
  static TFileStream Create(const std::string& path);
  // Creates a new file in the folder of `target` (a path relative to the current
  // folder or drive counts from there), named `prefix`, four hexadecimal
  // digits and ".tmp", trying other digits while a name is taken, and gives its path
  // in `path`. Without a file, `error` holds the system's reason. Written completely
  // and moved over the target, it replaces the target in one step.
  static std::optional<TFileStream> CreateBeside(const std::string& target,
                                                 const std::string& prefix, std::string& path,
                                                 DWORD& error);

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Size() const override;
  std::int64_t Position() const override;

  // Flushes and closes the file, reporting whether everything reached the disk.
  bool Close();

private:
  explicit TFileStream(unique_hfile file) : FFile(std::move(file)) {}
  unique_hfile FFile;
};

// The path made absolute against the current folder, as error texts show it.
std::string ExpandFileName(const std::string& path);
