#include "cleanobjs/CleanFolder.h"

#include "app/PlugInFormat.h"

#include <array>

TCleanFolder::TCleanFolder(std::string name, std::string folder, bool removeEmptyFolder)
    : TCleanObj(std::move(name)), FFolder(std::move(folder)),
      FRemoveEmptyFolder(removeEmptyFolder ? 1 : 0) {}

std::int64_t TCleanFolder::LoadFromStream(TStream& stream) {
  std::int64_t count = TCleanObj::LoadFromStream(stream);

  std::array<std::uint8_t, plugin::kFolderPathPartSize> pathPart{};
  count += stream.Read(pathPart.data(), static_cast<std::int64_t>(pathPart.size()));
  plugin::FolderPathPart part = plugin::DecodeFolderPathPart(pathPart);
  FFolder = std::move(part.Folder);
  // Kept as read (a file may say yes with 2), so saving an unedited item writes it back.
  FRemoveEmptyFolder = part.RemoveEmptyFolder;

  std::array<std::uint8_t, plugin::kPathFieldSize> maskField{};
  count += stream.Read(maskField.data(), static_cast<std::int64_t>(maskField.size()));
  FMasks = plugin::SplitMasks(plugin::GetTextField(maskField.data(), maskField.size()));
  return count;
}

std::int64_t TCleanFolder::SaveToStream(TStream& stream) {
  std::int64_t count = TCleanObj::SaveToStream(stream);

  const auto pathPart = plugin::EncodeFolderPathPart({FFolder, FRemoveEmptyFolder});
  count += stream.Write(pathPart.data(), static_cast<std::int64_t>(pathPart.size()));

  std::array<std::uint8_t, plugin::kPathFieldSize> maskField{};
  plugin::PutTextField(maskField.data(), maskField.size(), plugin::JoinMasks(FMasks));
  count += stream.Write(maskField.data(), static_cast<std::int64_t>(maskField.size()));
  return count;
}

void TCleanFolder::CheckStoredTexts(std::vector<plugin::StoredText>& overlong,
                                    int itemNumber) const {
  TCleanObj::CheckStoredTexts(overlong, itemNumber);
  plugin::CheckStoredText(overlong, itemNumber, "Folder path", FFolder, plugin::kPathFieldSize);
  plugin::CheckStoredText(overlong, itemNumber, "Masks", plugin::JoinMasks(FMasks),
                          plugin::kPathFieldSize);
}
