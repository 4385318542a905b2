#include "framework/Stream.h"

#include <algorithm>
#include <cstring>

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::size_t available = FBytes.size() - FPosition;
  const std::size_t n = std::min(available, static_cast<std::size_t>(count));
  if (n > 0) std::memcpy(buffer, FBytes.data() + FPosition, n);
  FPosition += n;
  return static_cast<std::int64_t>(n);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::size_t n = static_cast<std::size_t>(count);
  if (FPosition + n > FBytes.size()) FBytes.resize(FPosition + n);
  std::memcpy(FBytes.data() + FPosition, buffer, n);
  FPosition += n;
  return count;
}
