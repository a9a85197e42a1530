#include "ExtensionTest.h"

#include "extension/startup/Globals.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/RunLoop.h"

#include <algorithm>
#include <random>

namespace fs = std::filesystem;

namespace extensiontest {

void ExtensionTest::SetUp()
{
    kit::RunLoop::main().resetWithVirtualClock();
    std::random_device random;
    m_root = fs::temp_directory_path() / ("vantor-extension-" + std::to_string(random()));
    ASSERT_TRUE(kit::DeviceRoot::prepare(m_root));
    kit::DeviceRoot::set(m_root);
    vantor::resetGlobalsToLoadValues();
}

void ExtensionTest::TearDown()
{
    vantor::resetGlobalsToLoadValues();
    kit::DeviceRoot::clear();
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void ExtensionTest::installExtension()
{
    const fs::path staged = VANTOR_STAGED_ROOT;
    auto libraries = m_root / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(libraries);
    fs::copy_file(staged / "Library/MobileSubstrate/DynamicLibraries/Vantor2.plist", libraries / "Vantor2.plist",
        fs::copy_options::overwrite_existing);
    fs::create_symlink(VANTOR2_LIBRARY, libraries / "Vantor2.so");
    fs::create_directories(m_root / "Library/Application Support");
    fs::create_directory_symlink(
        staged / "Library/Application Support/Vantor2", m_root / "Library/Application Support/Vantor2");
}

std::unique_ptr<host::Phone> ExtensionTest::startPhone(const std::string& model)
{
    installExtension();
    host::PhoneOptions options;
    options.model = model;
    options.deviceRoot = m_root;
    options.loadExtension = true;
    options.eventLog = [log = m_log](const std::string& line) { log->push_back(line); };
    auto started = host::Phone::start(std::move(options));
    if (auto* error = std::get_if<std::string>(&started)) {
        ADD_FAILURE() << *error;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<host::Phone>>(started));
}

fs::path ExtensionTest::settingsFile() const
{
    return m_root / "var/mobile/Library/Preferences/com.quillon.Vantor2.plist";
}

void ExtensionTest::writeSettings(const kit::PropertyList::Dictionary& settings)
{
    fs::create_directories(settingsFile().parent_path());
    ASSERT_TRUE(kit::writePropertyListFile(kit::PropertyList(settings), settingsFile()));
}

std::optional<kit::PropertyList::Dictionary> ExtensionTest::readSettings() const
{
    auto list = kit::readPropertyListFile(settingsFile());
    if (!list || !list->dictionary())
        return std::nullopt;
    return *list->dictionary();
}

std::vector<std::string> ExtensionTest::events() const
{
    std::vector<std::string> lines;
    for (const auto& line : *m_log)
        lines.push_back(line.substr(line.find(' ') + 1));
    return lines;
}

bool ExtensionTest::logged(const std::string& line) const
{
    auto lines = events();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}
