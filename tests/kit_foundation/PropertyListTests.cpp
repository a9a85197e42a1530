#include "kit/foundation/PropertyListFile.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace kit;
namespace fs = std::filesystem;

namespace {

std::optional<PropertyList> parseText(std::string_view text)
{
    return parsePropertyList(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::string xmlDocument(std::string_view body)
{
    return std::string(R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">)") + std::string(body) + "</plist>";
}

PropertyList everyKind()
{
    PropertyList::Dictionary nested { { "inner", PropertyList::Array { 1, "two", 3.5 } } };
    return PropertyList::Dictionary {
        { "flag", true },
        { "off", false },
        { "count", 42 },
        { "negative", -7 },
        { "big", int64_t(1) << 40 },
        { "real", 0.125 },
        { "name", "GillSans-Bold & <friends> é" },
        { "space", " " },
        { "data", Data { 0, 1, 2, 254, 255 } },
        { "date", PropertyList::Date { 420000000 } },
        { "list", PropertyList::Array { "a", PropertyList::Array {}, PropertyList::Dictionary {} } },
        { "nested", nested },
    };
}

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("plist-" + std::to_string(::getpid()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }
    fs::path m_folder;
};

}

TEST(PropertyListForms, BothFormsRoundTripEveryKind)
{
    auto value = everyKind();
    auto xml = serializePropertyListXml(value);
    EXPECT_NE(xml.find("<key>count</key>"), std::string::npos);
    EXPECT_EQ(parseText(xml), value);

    auto binary = serializePropertyListBinary(value);
    ASSERT_GE(binary.size(), 8u);
    EXPECT_EQ(std::string(binary.begin(), binary.begin() + 8), "bplist00");
    EXPECT_EQ(parsePropertyList(binary), value);
}

TEST(PropertyListForms, XmlIntegersAndRealsAreReadAsThePlatformReadsThem)
{
    auto value = parseText(xmlDocument("<array><integer>010</integer><integer>-0</integer><integer> 12 </integer>"
                                       "<real>2.5</real><real>-1e3</real><real>+7</real></array>"));
    ASSERT_TRUE(value && value->array());
    auto& items = *value->array();
    EXPECT_EQ(*items[0].integer(), 10);
    EXPECT_EQ(*items[1].integer(), 0);
    EXPECT_EQ(*items[2].integer(), 12);
    EXPECT_EQ(*items[3].real(), 2.5);
    EXPECT_EQ(*items[4].real(), -1000.0);
    EXPECT_EQ(*items[5].real(), 7.0);

    // Hexadecimal and trailing junk are not integers: the file is malformed.
    EXPECT_FALSE(parseText(xmlDocument("<integer>0x10</integer>")));
    EXPECT_FALSE(parseText(xmlDocument("<integer>12a</integer>")));
    EXPECT_FALSE(parseText(xmlDocument("<real>1,5</real>")));
}

TEST(PropertyListForms, XmlObjectReferencesBecomeUids)
{
    auto value = parseText(xmlDocument("<dict><key>root</key><dict><key>CF$UID</key><integer>1</integer></dict></dict>"));
    ASSERT_TRUE(value && value->dictionary());
    auto& root = value->dictionary()->at("root");
    ASSERT_TRUE(root.uid());
    EXPECT_EQ(root.uid()->value, 1u);
}

TEST(PropertyListForms, MalformedInputGivesNothing)
{
    for (std::string_view bad : { "", "garbage", "<plist>", "<plist><dict><key>a</key></dict></plist>",
             "<plist><dict><string>a</string><true/></dict></plist>", "<plist><true/><false/></plist>",
             "<plist><data>!!!</data></plist>", "<plist><date>yesterday</date></plist>", "<plist><unknown/></plist>",
             "bplist00", "bplist00\x01\x02\x03" }) {
        EXPECT_FALSE(parseText(bad)) << bad;
    }
    // Every cut of a valid binary list is refused, never crashes.
    auto binary = serializePropertyListBinary(everyKind());
    for (size_t length = 0; length < binary.size(); ++length)
        EXPECT_FALSE(parsePropertyList(std::span(binary.data(), length))) << length;
}

TEST(PropertyListForms, DeepNestingIsRefusedQuicklyInBothForms)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<array>";
    for (int i = 0; i < 100000; ++i)
        deep += "</array>";
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(parseText(xmlDocument(deep)));

    // A binary list whose arrays each hold the next: built by hand, since the
    // writer itself would recurse.
    const uint64_t count = 100000;
    Data binary { 'b', 'p', 'l', 'i', 's', 't', '0', '0' };
    std::vector<uint64_t> offsets;
    for (uint64_t i = 0; i < count; ++i) {
        offsets.push_back(binary.size());
        if (i + 1 < count) {
            binary.push_back(0xA1);
            for (int b = 3; b >= 0; --b)
                binary.push_back(uint8_t((i + 1) >> (8 * b)));
        } else {
            binary.push_back(0x08); // false
        }
    }
    uint64_t tableOffset = binary.size();
    for (auto o : offsets)
        for (int b = 3; b >= 0; --b)
            binary.push_back(uint8_t(o >> (8 * b)));
    Data trailer(32, 0);
    trailer[6] = 4;
    trailer[7] = 4;
    for (int b = 0; b < 8; ++b) {
        trailer[8 + 7 - b] = uint8_t(count >> (8 * b));
        trailer[24 + 7 - b] = uint8_t(tableOffset >> (8 * b));
    }
    binary.insert(binary.end(), trailer.begin(), trailer.end());
    EXPECT_FALSE(parsePropertyList(binary));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(PropertyListForms, EntityTricksDoNotExpand)
{
    std::string laughs = R"(<?xml version="1.0"?>
<!DOCTYPE plist [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>
<plist version="1.0"><string>&c;&amp;&#65;&#x42;</string></plist>)";
    auto value = parseText(laughs);
    // Only the predefined and numeric references are read; named entities stay text.
    ASSERT_TRUE(value && value->string());
    EXPECT_EQ(*value->string(), "&c;&AB");
}

TEST_F(TempFolder, DictionaryFilesGiveNothingWhenMissingOrNotADictionary)
{
    EXPECT_FALSE(dictionaryWithContentsOfFile((m_folder / "missing.plist").string()));

    ASSERT_TRUE(writePropertyListFile(PropertyList::Array { 1, 2 }, m_folder / "array.plist"));
    EXPECT_FALSE(dictionaryWithContentsOfFile((m_folder / "array.plist").string()));

    std::ofstream(m_folder / "empty.plist");
    EXPECT_FALSE(dictionaryWithContentsOfFile((m_folder / "empty.plist").string()));

    fs::create_directory(m_folder / "folder.plist");
    EXPECT_FALSE(dictionaryWithContentsOfFile((m_folder / "folder.plist").string()));

    // A huge file is refused before it is read.
    {
        std::ofstream huge(m_folder / "huge.plist");
    }
    fs::resize_file(m_folder / "huge.plist", 100 * 1024 * 1024);
    EXPECT_FALSE(dictionaryWithContentsOfFile((m_folder / "huge.plist").string()));

    PropertyList::Dictionary settings { { "showFPS", 1 }, { "rememberSettings", true } };
    ASSERT_TRUE(writeToFile(settings, (m_folder / "good.plist").string(), true));
    EXPECT_EQ(dictionaryWithContentsOfFile((m_folder / "good.plist").string()), settings);

    // A binary settings file reads the same.
    ASSERT_TRUE(writePropertyListFile(settings, m_folder / "binary.plist", PropertyListFormat::Binary));
    EXPECT_EQ(dictionaryWithContentsOfFile((m_folder / "binary.plist").string()), settings);
}
