#pragma once
// Path texts of the file and folder items, without the platform: how a found name is
// joined to its folder and how a folder the user typed is written in messages.

#include <bitset>
#include <string>
#include <vector>

// The bytes that begin a double-byte character in the code page a text is in. In a
// double-byte code page (932, say) the byte of "\\" can be the second byte of a
// character, which is no separator. Made empty, it stands for a single-byte page.
class TLeadBytes {
public:
  void AddRange(unsigned char first, unsigned char last);
  bool IsLead(char c) const { return FLead.test(static_cast<unsigned char>(c)); }

private:
  std::bitset<256> FLead;
};

// The folder and the name with exactly one "\" between them. No "\" is added after a
// folder that already ends in "\" or ":" (a drive root, "C:"), and an empty folder
// gives the name alone, so a relative path stays relative instead of becoming a path
// in the root of the current drive.
std::string JoinPath(const std::string& folder, const std::string& name);

// Everything up to and including the last "\" or ":", or empty when there is neither.
std::string FolderPartOf(const std::string& path);

// The folder without its final "\" characters, except where they are all that is
// left of a root ("C:\", "\"), which keeps one.
std::string WithoutFinalSeparator(const std::string& folder);

// A path that names its place whatever the current drive and folder are: a drive
// letter, ":" and "\" ("C:\" included, "C:" not), or "\\server\share" with or
// without a final "\" and what follows it. An item searches and deletes only there.
// A segment of dots alone ("." and "..", which lead elsewhere, and "...") makes it no
// full path, and so do the "\\?\" and "\\.\" namespaces of devices, pipes and raw
// volumes.
bool IsFullPath(const std::string& path, const TLeadBytes& lead = {});

// A mask that holds "\" or "/", or is "." or "..": searched, it would find the files
// of another folder.
bool MaskNamesAnotherFolder(const std::string& mask, const TLeadBytes& lead = {});

// Whether a name from a directory search names an entry of that folder. The ANSI
// search functions make names from Unicode ones by best fit, so that a name may come
// back holding "\", "/" or ":", or as "." or "..": joined to its folder, such a
// name leads elsewhere.
bool IsPlainEntryName(const std::string& name, const TLeadBytes& lead = {});
