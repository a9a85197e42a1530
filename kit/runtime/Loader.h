#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kit {

// The injection framework's loader. For each filter property list in the
// device root's "Library/MobileSubstrate/DynamicLibraries" (in name order)
// whose Filter -> Bundles names the process's bundle identifier, it opens the
// library of the same name ("Vantor2.plist" -> "Vantor2.so") and runs its
// entry, "<LibraryName>Initialize" ("Vantor2Initialize"), once.
//
// The system log says, for each filter, whether its library was loaded into
// the process (once, when its entry runs) or not, and why. A library whose
// filter does not name the process is not opened; one that cannot be opened,
// or has no entry, is skipped. Loaded libraries stay loaded for
// the life of the process, as their method replacements point into them.
class Loader {
public:
    struct Result {
        std::vector<std::string> loaded;  // library names whose entry ran
        std::vector<std::string> skipped; // named by a filter but not loadable
    };

    static Result loadInto(const std::filesystem::path& deviceRoot, const std::string& bundleIdentifier);

    // Whether a filter dictionary's Bundles list names the identifier.
    static bool filterMatches(const std::filesystem::path& filterFile, const std::string& bundleIdentifier);
};

}
