#pragma once
// Registry key paths as texts, without the registry: the paths below a root key that
// the items and the pickers compose, and that a plug-in's checks read.

#include <string>

// `path` without the one leading "\" that the key selector puts before it.
std::string KeyPathFromRoot(const std::string& path);

// True for a path that names the root key itself: empty, or nothing but "\".
bool NamesRootKey(const std::string& path);

// The path of the subkey `name` of `parent`; no "\" is doubled when the parent ends
// in one, and a parent naming the root key gives the name alone.
std::string SubKeyPath(const std::string& parent, const std::string& name);
