#pragma once

#include "kit/foundation/PropertyListSerialization.h"

#include <filesystem>

namespace kit {

// Files on the host's file system.
std::optional<PropertyList> readPropertyListFile(const std::filesystem::path&);
bool writePropertyListFile(const PropertyList&, const std::filesystem::path&,
    PropertyListFormat = PropertyListFormat::Xml, bool atomically = true);

// The platform's dictionary file operations, on device paths (resolved under
// the device root).
//
// -[NSMutableDictionary initWithContentsOfFile:]: the whole file as a
// dictionary; nothing when it is missing, unreadable, malformed, too large or
// its root is not a dictionary.
std::optional<PropertyList::Dictionary> dictionaryWithContentsOfFile(std::string_view devicePath);

// -[NSDictionary writeToFile:atomically:]: the XML form; answers whether the
// file now holds the dictionary.
bool writeToFile(const PropertyList::Dictionary&, std::string_view devicePath, bool atomically);

}
