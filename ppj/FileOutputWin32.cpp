#include "ppj/FileOutput.h"

#include "framework/FileReplacement.h"
#include "framework/FileStream.h"
#include "framework/SysError.h"

namespace plugin {

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

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
  const auto size = static_cast<std::int64_t>(bytes.size());
  const DWORD failure =
      ReplaceFileWhole(path, "ppj", size, [&](TStream& stream) { stream.Write(bytes.data(), size); });
  if (failure == ERROR_SUCCESS) return true;
  error = "cannot write " + Quoted(path) + ": " + SysErrorMessage(failure);
  return false;
}

bool MakeFolder(const std::string& path, std::string& error) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD failure = GetLastError();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (failure == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return true;
  error = "cannot make the folder " + Quoted(path) + ": " +
          (failure == ERROR_ALREADY_EXISTS ? std::string("a file has its name") : SysErrorMessage(failure));
  return false;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  const bool separated = folder.empty() || folder.back() == '\\' || folder.back() == '/' || folder.back() == ':';
  return separated ? folder + name : folder + "\\" + name;
}

} // namespace plugin
