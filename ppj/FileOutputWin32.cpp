#include "ppj/FileOutput.h"

#include "framework/FileStream.h"
#include "framework/SysError.h"

namespace plugin {

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Removes the new file unless it was put in place.
struct NewFile {
  std::string Path;
  ~NewFile() {
    if (!Path.empty()) DeleteFileA(Path.c_str());
  }
};

} // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string& error) {
  try {
    TFileStream stream = TFileStream::OpenRead(path);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
    if (stream.Read(bytes.data(), stream.Size()) == stream.Size()) return bytes;
    error = "cannot read " + Quoted(path) + ": " + SysErrorMessage(GetLastError());
  } catch (const ECommandError& failure) {
    error = failure.what();
  }
  return std::nullopt;
}

bool ReplaceFileWith(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error) {
  NewFile file; // goes after the stream, which it outlives
  DWORD failure = ERROR_WRITE_FAULT;
  std::optional<TFileStream> stream =
      TFileStream::CreateBeside(path, "ppj", file.Path, failure);
  if (stream) {
    const auto size = static_cast<std::int64_t>(bytes.size());
    const bool written = stream->Write(bytes.data(), size) == size;
    if (!written) failure = GetLastError() != 0 ? GetLastError() : ERROR_DISK_FULL;
    const bool closed = written && stream->Close();
    if (written && !closed) failure = GetLastError();
    stream.reset();
    if (closed && MoveFileExA(file.Path.c_str(), path.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      file.Path.clear();
      return true;
    }
    if (closed) failure = GetLastError();
  }
  error = "cannot write " + Quoted(path) + ": " + SysErrorMessage(failure);
  return false;
}

} // namespace plugin
