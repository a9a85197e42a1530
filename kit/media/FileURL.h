#pragma once

#include <string>
#include <string_view>

namespace kit {

// The device path a file URL names: "file:///a%20b" and "file://localhost/a"
// give "/a b" and "/a". Anything that is not a file URL is taken as a path.
std::string devicePathOfFileURL(std::string_view url);

}
