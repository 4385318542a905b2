#include "cleanobjs/CleanFile.h"

#include "app/PlugInFormat.h"

#include <array>

TCleanFile::TCleanFile(std::string name, std::string fileName)
    : TCleanObj(std::move(name)), FFileName(std::move(fileName)) {}

std::int64_t TCleanFile::LoadFromStream(TStream& stream) {
  std::int64_t count = TCleanObj::LoadFromStream(stream);
  std::array<std::uint8_t, plugin::kFileBodySize> field{};
  count += stream.Read(field.data(), static_cast<std::int64_t>(field.size()));
  FFileName = plugin::GetTextField(field.data(), field.size());
  return count;
}

std::int64_t TCleanFile::SaveToStream(TStream& stream) {
  std::int64_t count = TCleanObj::SaveToStream(stream);
  std::array<std::uint8_t, plugin::kFileBodySize> field{};
  plugin::PutTextField(field.data(), field.size(), FFileName);
  count += stream.Write(field.data(), static_cast<std::int64_t>(field.size()));
  return count;
}

void TCleanFile::CheckStoredTexts(std::vector<plugin::StoredText>& overlong,
                                  int itemNumber) const {
  TCleanObj::CheckStoredTexts(overlong, itemNumber);
  plugin::CheckStoredText(overlong, itemNumber, "File path", FFileName, plugin::kPathFieldSize);
}
