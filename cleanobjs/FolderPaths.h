#pragma once
// Path texts of the file and folder items, without the platform: how a found name is
// joined to its folder and how a folder the user typed is written in messages.

#include <string>

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
bool IsFullPath(const std::string& path);
