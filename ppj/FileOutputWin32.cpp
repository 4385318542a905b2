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

} // namespace plugin
