#pragma once
// Byte streams for readers and writers of binary files. Read and Write return the number
// of bytes actually moved, which may be fewer than asked for at the end of a stream.

#include <cstdint>
#include <vector>

class TStream {
public:
  virtual ~TStream() = default;
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Size() const = 0;
  virtual std::int64_t Position() const = 0;

  std::int64_t Remaining() const { return Size() - Position(); }
};

// A stream over bytes held in memory; writing past the end grows it.
class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : FBytes(std::move(bytes)) {}

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(FBytes.size()); }
  std::int64_t Position() const override { return static_cast<std::int64_t>(FPosition); }

  void Rewind() { FPosition = 0; }
  const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

private:
  std::vector<std::uint8_t> FBytes;
  std::size_t FPosition = 0;
};
