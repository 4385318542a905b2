#include "tests/support/PeImage.h"

#include "tests/support/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <cstring>

namespace {

// The file's bytes with bounds-checked access by relative virtual address.
class Image {
public:
  explicit Image(std::string bytes) : FBytes(std::move(bytes)) {}

  bool Parse() {
    IMAGE_DOS_HEADER dos;
    if (!Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return false;
    const auto nt = static_cast<std::size_t>(dos.e_lfanew);
    // PE32 and PE32+ share the signature, the file header and the optional header's
    // magic; the data directories sit where each kind of optional header has them.
    IMAGE_NT_HEADERS32 headers32;
    IMAGE_NT_HEADERS64 headers64;
    if (!Read(nt, headers32) || headers32.Signature != IMAGE_NT_SIGNATURE) return false;
    FFileHeader = headers32.FileHeader;
    if (headers32.OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
      std::copy(std::begin(headers32.OptionalHeader.DataDirectory),
                std::end(headers32.OptionalHeader.DataDirectory), FDirectories);
      FThunkSize = sizeof(DWORD);
    } else if (headers32.OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC && Read(nt, headers64)) {
      std::copy(std::begin(headers64.OptionalHeader.DataDirectory),
                std::end(headers64.OptionalHeader.DataDirectory), FDirectories);
      FThunkSize = sizeof(ULONGLONG);
    } else {
      return false;
    }
    std::size_t at = nt + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                     FFileHeader.SizeOfOptionalHeader;
    for (WORD i = 0; i < FFileHeader.NumberOfSections; ++i, at += sizeof(IMAGE_SECTION_HEADER)) {
      IMAGE_SECTION_HEADER section;
      if (!Read(at, section)) return false;
      FSections.push_back(section);
    }
    return true;
  }

  const IMAGE_DATA_DIRECTORY& Directory(int index) const { return FDirectories[index]; }
  WORD Machine() const { return FFileHeader.Machine; }

  // An entry of an import lookup table: four bytes in PE32, eight in PE32+, with the
  // ordinal flag in its top bit.
  bool ReadThunk(DWORD rva, ULONGLONG& entry, bool& byOrdinal) const {
    if (FThunkSize == sizeof(DWORD)) {
      DWORD entry32;
      if (!ReadRva(rva, entry32)) return false;
      entry = entry32;
      byOrdinal = (entry32 & IMAGE_ORDINAL_FLAG32) != 0;
      return true;
    }
    if (!ReadRva(rva, entry)) return false;
    byOrdinal = (entry & IMAGE_ORDINAL_FLAG64) != 0;
    return true;
  }
  DWORD ThunkSize() const { return FThunkSize; }

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
  IMAGE_FILE_HEADER FFileHeader{};
  IMAGE_DATA_DIRECTORY FDirectories[IMAGE_NUMBEROF_DIRECTORY_ENTRIES]{};
  DWORD FThunkSize = 0;
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
    for (;; thunk += image.ThunkSize()) {
      ULONGLONG entry;
      bool byOrdinal = false;
      if (!image.ReadThunk(thunk, entry, byOrdinal) || entry == 0) break;
      if (byOrdinal)
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
  names.Machine = image.Machine();
  ReadImports(image, names);
  ReadExports(image, names);
  return names;
}
