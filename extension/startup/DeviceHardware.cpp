#include "extension/startup/DeviceHardware.h"

#include "kit/foundation/ProcessIdentity.h"

#include <map>
#include <vector>

namespace vantor {

std::string DeviceHardware::platform()
{
    // First the length, then the bytes into a buffer of that length.
    size_t size = 0;
    if (kit::sysctlbyname("hw.machine", nullptr, &size, nullptr, 0) != 0 || size == 0)
        return {};
    std::vector<char> machine(size);
    if (kit::sysctlbyname("hw.machine", machine.data(), &size, nullptr, 0) != 0)
        return {};
    return std::string(machine.data());
}

std::string DeviceHardware::platformString() { return platformString(platform()); }

std::string DeviceHardware::platformString(const std::string& platform)
{
    static const std::map<std::string, std::string> names {
        { "iPhone1,1", "iPhone 1G" },
        { "iPhone1,2", "iPhone 3G" },
        { "iPhone2,1", "iPhone 3GS" },
        { "iPhone3,1", "iPhone 4" },
        { "iPhone3,3", "Verizon iPhone 4" },
        { "iPhone4,1", "iPhone 4S" },
        { "iPhone5,1", "iPhone 5 (GSM)" },
        { "iPhone5,2", "iPhone 5 (GSM+CDMA)" },
        { "iPhone5,3", "iPhone 5c (GSM)" },
        { "iPhone5,4", "iPhone 5c (GSM+CDMA)" },
        { "iPhone6,1", "iPhone 5s (GSM)" },
        { "iPhone6,2", "iPhone 5s (GSM+CDMA)" },
        { "iPod1,1", "iPod Touch 1G" },
        { "iPod2,1", "iPod Touch 2G" },
        { "iPod3,1", "iPod Touch 3G" },
        { "iPod4,1", "iPod Touch 4G" },
        { "iPod5,1", "iPod Touch 5G" },
        { "iPad1,1", "iPad" },
        { "iPad2,1", "iPad 2 (WiFi)" },
        { "iPad2,2", "iPad 2 (GSM)" },
        { "iPad2,3", "iPad 2 (CDMA)" },
        { "iPad2,4", "iPad 2 (WiFi)" },
        { "iPad2,5", "iPad Mini (WiFi)" },
        { "iPad2,6", "iPad Mini (GSM)" },
        { "iPad2,7", "iPad Mini (GSM+CDMA)" },
        { "iPad3,1", "iPad 3 (WiFi)" },
        { "iPad3,2", "iPad 3 (GSM+CDMA)" },
        { "iPad3,3", "iPad 3 (GSM)" },
        { "iPad3,4", "iPad 4 (WiFi)" },
        { "iPad3,5", "iPad 4 (GSM)" },
        { "iPad3,6", "iPad 4 (GSM+CDMA)" },
        { "iPad4,1", "iPad Air (WiFi)" },
        { "iPad4,2", "iPad Air (Cellular)" },
        { "iPad4,4", "iPad mini 2G (WiFi)" },
        { "iPad4,5", "iPad mini 2G (Cellular)" },
        { "i386", "Simulator" },
        { "x86_64", "Simulator" },
    };
    auto name = names.find(platform);
    return name == names.end() ? platform : name->second;
}

}
