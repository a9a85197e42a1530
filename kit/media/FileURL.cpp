#include "kit/media/FileURL.h"

#include <cctype>

namespace kit {

namespace {

int hexValue(char digit)
{
    return std::isdigit(static_cast<unsigned char>(digit)) ? digit - '0'
                                                           : std::tolower(static_cast<unsigned char>(digit)) - 'a' + 10;
}

}

std::string devicePathOfFileURL(std::string_view url)
{
    constexpr std::string_view scheme = "file://";
    constexpr std::string_view localhost = "localhost";
    if (url.substr(0, scheme.size()) != scheme)
        return std::string(url);
    url.remove_prefix(scheme.size());
    if (url.substr(0, localhost.size()) == localhost)
        url.remove_prefix(localhost.size());
    std::string path;
    for (size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size() && std::isxdigit(static_cast<unsigned char>(url[i + 1]))
            && std::isxdigit(static_cast<unsigned char>(url[i + 2]))) {
            path.push_back(char(hexValue(url[i + 1]) * 16 + hexValue(url[i + 2])));
            i += 2;
        } else {
            path.push_back(url[i]);
        }
    }
    return path;
}

}
