#include "ExtensionTest.h"

#include "extension/startup/Globals.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/ui/CGImage.h"
#include "kit/ui/UIImage.h"

#include <cstring>

namespace fs = std::filesystem;

namespace extensiontest {

void ExtensionTest::SetUp()
{
    HostCameraTest::SetUp();
    ASSERT_TRUE(kit::DeviceRoot::prepare(m_root));
    kit::DeviceRoot::set(m_root);
    vantor::resetGlobalsToLoadValues();
}

void ExtensionTest::TearDown()
{
    vantor::resetGlobalsToLoadValues();
    kit::DeviceRoot::clear();
    HostCameraTest::TearDown();
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
    return HostCameraTest::startPhone(model, true);
}

bool ExtensionTest::showsResource(const std::shared_ptr<kit::UIImage>& image, const std::string& relativePath)
{
    auto expected = kit::UIImage::imageWithContentsOfFile("/Library/Application Support/Vantor2/" + relativePath);
    if (!image || !expected)
        return false;
    const auto& a = image->CGImage();
    const auto& b = expected->CGImage();
    return a && b && a->width() == b->width() && a->byteCount() == b->byteCount()
        && std::memcmp(a->data(), b->data(), a->byteCount()) == 0;
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

}
