#include "kit/foundation/ColorArchive.h"
#include "kit/foundation/PropertyListSerialization.h"

#include <gtest/gtest.h>

using namespace kit;

namespace {

std::optional<ArchivedColor> unarchiveXml(std::string_view objects, std::string_view top = "1")
{
    std::string text = std::string(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>$archiver</key><string>NSKeyedArchiver</string>
<key>$version</key><integer>100000</integer>
<key>$top</key><dict><key>root</key><dict><key>CF$UID</key><integer>)") + std::string(top) + R"(</integer></dict></dict>
<key>$objects</key><array><string>$null</string>)" + std::string(objects) + "</array></dict></plist>";
    return unarchiveColor(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

constexpr std::string_view kColourClass
    = "<dict><key>$classname</key><string>UIColor</string><key>$classes</key>"
      "<array><string>UIColor</string><string>NSObject</string></array></dict>";

}

TEST(ColorArchive, RgbaAndGreyRoundTripAndKeepTheirColourSpace)
{
    auto yellow = ArchivedColor::rgba(1.0, 0.8, 0.0, 1.0);
    EXPECT_EQ(unarchiveColor(archiveColor(yellow)), yellow);

    auto grey = ArchivedColor::grey(0.918, 0.5);
    auto decoded = unarchiveColor(archiveColor(grey));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->space, ArchivedColor::Space::Grey);
    EXPECT_EQ(*decoded, grey);
}

TEST(ColorArchive, IsWrittenTheWayThePlatformsKeyedArchiverWritesAUIColor)
{
    auto archive = parsePropertyList(archiveColor(ArchivedColor::rgba(0.918, 0.918, 0.918, 0.5)));
    ASSERT_TRUE(archive && archive->dictionary());
    auto& root = *archive->dictionary();
    EXPECT_EQ(root.at("$archiver"), PropertyList("NSKeyedArchiver"));
    EXPECT_EQ(root.at("$version"), PropertyList(100000));
    EXPECT_EQ(root.at("$top").dictionary()->at("root"), PropertyList(PropertyList::Uid { 1 }));
    auto& objects = *root.at("$objects").array();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0], PropertyList("$null"));
    auto& colour = *objects[1].dictionary();
    EXPECT_EQ(colour.at("UIColorComponentCount"), PropertyList(4));
    EXPECT_EQ(colour.at("NSColorSpace"), PropertyList(2));
    auto& rgb = *colour.at("NSRGB").data();
    EXPECT_EQ(std::string(rgb.begin(), rgb.end()), std::string("0.918 0.918 0.918 0.5") + '\0');
    EXPECT_EQ(colour.at("$class"), PropertyList(PropertyList::Uid { 2 }));
    EXPECT_EQ(objects[2].dictionary()->at("$classname"), PropertyList("UIColor"));
}

TEST(ColorArchive, ReadsAPhonesArchiveWithXmlReferencesAndIntegerComponents)
{
    auto colour = unarchiveXml(std::string("<dict><key>UIRed</key><integer>1</integer><key>UIGreen</key><real>0.5</real>"
                                           "<key>UIBlue</key><integer>0</integer><key>UIAlpha</key><integer>1</integer>"
                                           "<key>$class</key><dict><key>CF$UID</key><integer>2</integer></dict></dict>")
        + std::string(kColourClass));
    ASSERT_TRUE(colour);
    EXPECT_EQ(*colour, ArchivedColor::rgba(1, 0.5, 0, 1));
}

TEST(ColorArchive, AnythingElseDecodesToNothing)
{
    auto rgb = std::string("<dict><key>UIRed</key><real>1</real><key>UIGreen</key><real>0</real><key>UIBlue</key>"
                           "<real>0</real><key>$class</key><dict><key>CF$UID</key><integer>2</integer></dict></dict>");
    // A reference out of range, a wrong class, no class, a root that is not a dictionary.
    EXPECT_FALSE(unarchiveXml(rgb + std::string(kColourClass), "9"));
    EXPECT_FALSE(unarchiveXml(rgb + "<dict><key>$classname</key><string>NSString</string></dict>"));
    EXPECT_FALSE(unarchiveXml(rgb));
    EXPECT_FALSE(unarchiveXml("<string>red</string>"));
    // A colour without components.
    EXPECT_FALSE(unarchiveXml(std::string("<dict><key>$class</key><dict><key>CF$UID</key><integer>2</integer></dict>"
                                          "</dict>")
        + std::string(kColourClass)));
    Data garbage { 1, 2, 3 };
    EXPECT_FALSE(unarchiveColor(garbage));
    EXPECT_FALSE(unarchiveColor(serializePropertyListBinary(PropertyList::Dictionary { { "$archiver", 3 } })));
}
