// The theme's XML read through MSXML: refused document types and broken files, and what the
// parser gives the theme. (The shipped theme file is read by the real program in its
// end-to-end tests.)
#include <objbase.h>
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "win32/support/WindowsTestSupport.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik::test {
namespace {

void WriteText(const std::filesystem::path& file, std::string_view text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class ThemeFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { CoUninitialize(); }

    const MsXmlParser m_parser;
    TempFolder m_folder;
};

TEST_F(ThemeFile, DocumentTypesAndBrokenFilesAreRefusedAndNothingExternalIsRead) {
    const std::filesystem::path secret = m_folder.Path() / "secret.txt";
    WriteText(secret, "TOP-SECRET");
    WriteText(m_folder.Path() / "secret.dtd", "<!ENTITY leak 'TOP-SECRET'>");
    const std::string documents[] = {
        "<!DOCTYPE t [<!ENTITY e SYSTEM 'file:///" + secret.generic_string() + "'>]><t>&e;</t>",
        "<!DOCTYPE t [<!ENTITY e SYSTEM 'secret.txt'>]><t>&e;</t>",
        "<!DOCTYPE t SYSTEM 'secret.dtd'><t>&leak;</t>",
        "<!DOCTYPE t [<!ENTITY % p SYSTEM 'secret.dtd'> %p;]><t>&leak;</t>",
        "<!DOCTYPE t [<!ENTITY e 'inner'>]><t a='&e;'/>",
        "<!DOCTYPE t><t/>",
        "<theme><bar height='40'></theme>",
        "",
        "<a/><b/>",
        "<t a='1' a='2'/>",
        "<t a='\xff'/>",
    };
    for (const std::string& document : documents) {
        WriteText(m_folder.Path() / "theme.xml", document);
        const auto loaded = m_parser.LoadFile(m_folder.Path() / "theme.xml");
        EXPECT_EQ(loaded, nullptr) << document;
        if (loaded) {
            EXPECT_THAT(loaded->Root()->Text(), ::testing::Not(::testing::HasSubstr("TOP")));
        }
        EXPECT_EQ(m_parser.LoadText(document), nullptr) << document;
    }
}

TEST_F(ThemeFile, TheParserFindsWhatTheThemeReads) {
    // A folder name MSXML would take for part of an address if it were given the path.
    const std::filesystem::path file = m_folder.Path() / "a#b %20c" / "t.xml";
    WriteText(file,
              "<?xml version='1.0' encoding='ISO-8859-1'?>"
              "<root><?pi?><x n='\xe9'>a<y>b</y><![CDATA[c]]></x><x n='2'/><z><x n='3'/></z>"
              "</root>");
    const auto document = m_parser.LoadFile(file);
    ASSERT_NE(document, nullptr);
    const XmlElement* root = document->Root();
    EXPECT_EQ(root->Name(), "root");
    const XmlElement* x = root->Child("x");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Attribute("n"), "\xc3\xa9");  // é, now UTF-8
    EXPECT_EQ(x->Attribute("m"), std::nullopt);
    EXPECT_EQ(x->Text(), "abc");
    EXPECT_EQ(root->Child("y"), nullptr);
    std::vector<std::string> numbers;
    for (const XmlElement* each : root->Descendants("x")) numbers.push_back(*each->Attribute("n"));
    EXPECT_THAT(numbers, ::testing::ElementsAre("\xc3\xa9", "2", "3"));
    EXPECT_EQ(m_parser.LoadText("<t a='\xe2\x82\xac'/>")->Root()->Attribute("a"), "\xe2\x82\xac");
    EXPECT_EQ(m_parser.LoadFile(m_folder.Path() / "missing.xml"), nullptr);
}

}  // namespace
}  // namespace tarvik::test
