#pragma once

#include <string>

namespace vantor {

// The device's hardware model.
class DeviceHardware {
public:
    // The machine identifier ("iPhone6,1"), from hw.machine.
    static std::string platform();
    // A readable model name for platform(); an identifier the table does not
    // know is returned unchanged.
    static std::string platformString();
    static std::string platformString(const std::string& platform);
};

}
