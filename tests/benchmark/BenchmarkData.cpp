#include "tests/benchmark/BenchmarkData.h"

#include "framework/SysError.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

#include <stdexcept>

namespace {

// A fixed linear congruential sequence: the same tree on every run and machine.
class Sequence {
public:
  std::uint32_t Next(std::uint32_t bound) {
    FState = FState * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(FState >> 33) % bound;
  }

private:
  std::uint64_t FState = 0x5EED;
};

// Mostly small files, some of tens of kilobytes, a few of megabytes, as a cache holds.
std::int64_t FileSize(Sequence& sequence) {
  const std::uint32_t kind = sequence.Next(100);
  if (kind < 70) return sequence.Next(4096);
  if (kind < 97) return 4096 + sequence.Next(96 * 1024);
  return 1024 * 1024 + sequence.Next(8 * 1024 * 1024);
}

void MakeFile(const std::string& path, std::int64_t size) {
  unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("Cannot create " + path);
  // The size is set, not written: the scan reads directory entries only.
  LARGE_INTEGER end{};
  end.QuadPart = size;
  if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get()))
    throw std::runtime_error("Cannot size " + path);
}

const char* const kExtensions[] = {".tmp", ".log", ".dat", ".txt", ".cache", ""};

} // namespace

BenchmarkTree MakeBenchmarkTree(const std::string& root, int folders, int files) {
  Sequence sequence;
  BenchmarkTree tree;
  tree.Folders.push_back({root, {}});
  for (int index = 1; index < folders; ++index) {
    // Each folder goes under a random earlier one: a few deep chains, many shallow
    // folders, as real caches and profiles look.
    const BenchmarkFolder& parent = tree.Folders[sequence.Next(static_cast<std::uint32_t>(index))];
    std::string path = parent.Path + "\\folder " + std::to_string(index);
    if (!CreateDirectoryA(path.c_str(), nullptr))
      throw std::runtime_error("Cannot create " + path + ": " + SysErrorMessage(GetLastError()));
    tree.Folders.push_back({std::move(path), {}});
  }
  for (int index = 0; index < files; ++index) {
    BenchmarkFolder& folder = tree.Folders[sequence.Next(static_cast<std::uint32_t>(folders))];
    const std::int64_t size = FileSize(sequence);
    MakeFile(folder.Path + "\\file" + std::to_string(index) + kExtensions[index % 6], size);
    folder.FileSizes.push_back(size);
    ++tree.FileCount;
    tree.FileBytes += size;
  }
  return tree;
}

BenchmarkBranch MakeBenchmarkBranch(const std::string& branch, int keys, int values) {
  Sequence sequence;
  BenchmarkBranch result;
  result.Keys.push_back({branch, {}});
  for (int index = 1; index < keys; ++index) {
    const BenchmarkKey& parent = result.Keys[sequence.Next(static_cast<std::uint32_t>(index))];
    std::string path = parent.Path + "\\Key " + std::to_string(index);
    unique_hkey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS) {
      key.release(); // not a handle after a failure
      throw std::runtime_error("Cannot create key " + path);
    }
    result.Keys.push_back({std::move(path), {}});
  }
  const std::string text(2048, 'v');
  const std::vector<BYTE> bytes(4096, 0xA5);
  for (int index = 0; index < values; ++index) {
    BenchmarkKey& target = result.Keys[sequence.Next(static_cast<std::uint32_t>(keys))];
    unique_hkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, target.Path.c_str(), 0, KEY_SET_VALUE, key.put()) !=
        ERROR_SUCCESS) {
      key.release();
      throw std::runtime_error("Cannot open key " + target.Path);
    }
    const std::string name = "Value " + std::to_string(index);
    DWORD type = REG_DWORD;
    DWORD size = sizeof(DWORD);
    const BYTE* data = bytes.data();
    switch (index % 3) {
    case 0: // a string with its terminating zero
      type = REG_SZ;
      size = 1 + sequence.Next(static_cast<std::uint32_t>(text.size()));
      data = reinterpret_cast<const BYTE*>(text.c_str() + text.size() - (size - 1));
      break;
    case 1:
      type = REG_BINARY;
      size = sequence.Next(static_cast<std::uint32_t>(bytes.size()));
      break;
    }
    if (RegSetValueExA(key.get(), name.c_str(), 0, type, data, size) != ERROR_SUCCESS)
      throw std::runtime_error("Cannot set " + target.Path + "\\" + name);
    target.ValueSizes.push_back(size);
    ++result.ValueCount;
    result.ValueBytes += size;
  }
  return result;
}
