#include "tests/support/PeImage.h"

#include "tests/support/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

// The file's bytes with bounds-checked access by relative virtual address.
class Image {
public:
  explicit Image(std::string bytes) : FBytes(std::move(bytes)) {}

  bool Parse() {
    IMAGE_DOS_HEADER dos;
    if (!Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return false;
    if (!Read(static_cast<std::size_t>(dos.e_lfanew), FNt)) return false;
    if (FNt.Signature != IMAGE_NT_SIGNATURE ||
        FNt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
      return false;
    std::size_t at = static_cast<std::size_t>(dos.e_lfanew) +
                     offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                     FNt.FileHeader.SizeOfOptionalHeader;
    for (WORD i = 0; i < FNt.FileHeader.NumberOfSections; ++i, at += sizeof(IMAGE_SECTION_HEADER)) {
      IMAGE_SECTION_HEADER section;
      if (!Read(at, section)) return false;
      FSections.push_back(section);
    }
    return true;
  }

  const IMAGE_DATA_DIRECTORY& Directory(int index) const {
    return FNt.OptionalHeader.DataDirectory[index];
  }

  template <typename T> bool ReadRva(DWORD rva, T& out) const {
    std::size_t offset;
    return Offset(rva, offset) && Read(offset, out);
  }

  std::string TextAt(DWORD rva) const {
    std::size_t offset;
    if (!Offset(rva, offset)) return {};
    const std::size_t end = FBytes.find('\0', offset);
    return end == std::string::npos ? std::string() : FBytes.substr(offset, end - offset);
  }

private:
  template <typename T> bool Read(std::size_t offset, T& out) const {
    if (offset > FBytes.size() || FBytes.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, FBytes.data() + offset, sizeof(T));
    return true;
  }

  bool Offset(DWORD rva, std::size_t& offset) const {
    for (const IMAGE_SECTION_HEADER& section : FSections) {
      const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
      if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
        offset = section.PointerToRawData + (rva - section.VirtualAddress);
        return offset < FBytes.size();
      }
    }
    return false;
  }

  std::string FBytes;
  IMAGE_NT_HEADERS64 FNt{};
  std::vector<IMAGE_SECTION_HEADER> FSections;
};

void ReadImports(const Image& image, PeNames& names) {
  const DWORD start = image.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress;
  if (start == 0) return;
  for (DWORD at = start;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR descriptor;
    if (!image.ReadRva(at, descriptor) || descriptor.Name == 0) break;
    std::vector<std::string>& functions = names.Imports[image.TextAt(descriptor.Name)];
    // The lookup table, or the address table before binding when there is none.
    DWORD thunk = descriptor.OriginalFirstThunk ? descriptor.OriginalFirstThunk
                                                : descriptor.FirstThunk;
    for (;; thunk += sizeof(ULONGLONG)) {
      ULONGLONG entry;
      if (!image.ReadRva(thunk, entry) || entry == 0) break;
      if (entry & IMAGE_ORDINAL_FLAG64)
        functions.push_back("#" + std::to_string(entry & 0xFFFF));
      else // past the two-byte hint of IMAGE_IMPORT_BY_NAME
        functions.push_back(image.TextAt(static_cast<DWORD>(entry) + sizeof(WORD)));
    }
  }
}

void ReadExports(const Image& image, PeNames& names) {
  IMAGE_EXPORT_DIRECTORY directory;
  const DWORD start = image.Directory(IMAGE_DIRECTORY_ENTRY_EXPORT).VirtualAddress;
  if (start == 0 || !image.ReadRva(start, directory)) return;
  for (DWORD i = 0; i < directory.NumberOfNames; ++i) {
    DWORD nameRva;
    if (!image.ReadRva(directory.AddressOfNames + i * sizeof(DWORD), nameRva)) break;
    names.Exports.push_back(image.TextAt(nameRva));
  }
}

} // namespace

PeNames ReadPeNames(const std::string& path) {
  PeNames names;
  Image image(ReadWholeFile(path));
  if (!image.Parse()) return names;
  names.Valid = true;
  ReadImports(image, names);
  ReadExports(image, names);
  return names;
}
