// The theme's XML read through MSXML: what the theme reads from a file, and document types and
// broken files refused. (The shipped theme file is read by the real program in its end-to-end
// tests.)
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "win32/support/WindowsTestSupport.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik::test {
namespace {

class ThemeFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { CoUninitialize(); }
    std::filesystem::path Write(const std::filesystem::path& name, std::string_view text) {
        const std::filesystem::path file = m_folder.Path() / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

    const MsXmlParser m_parser;
    TempFolder m_folder;
};

TEST_F(ThemeFile, ChildrenAndAttributesComeInUtf8FromAFileInAnyFolder) {
    // A folder name MSXML would take for part of an address if it were given the path.
    const auto document =
        m_parser.LoadFile(Write("a#b %20c/t.xml",
                                "<?xml version='1.0' encoding='ISO-8859-1'?>"
                                "<root><?pi?><z><x n='3'/></z><x n='\xe9'/><x n='2'/></root>"));
    ASSERT_NE(document, nullptr);
    const XmlElement* x = document->Root()->Child("x");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Attribute("n"), "\xc3\xa9");  // é, now UTF-8
    EXPECT_EQ(x->Attribute("m"), std::nullopt);
    EXPECT_EQ(document->Root()->Child("y"), nullptr);
    EXPECT_EQ(m_parser.LoadFile(m_folder.Path() / "missing.xml"), nullptr);
}

TEST_F(ThemeFile, DocumentTypesAndBrokenFilesAreRefusedAndNothingExternalIsRead) {
    const std::filesystem::path secret = Write("secret.txt", "TOP-SECRET");
    Write("secret.dtd", "<!ENTITY leak 'TOP-SECRET'>");
    for (const std::string& document : {
             "<!DOCTYPE t [<!ENTITY e SYSTEM 'file:///" + secret.generic_string() +
                 "'>]><t>&e;</t>",
             std::string("<!DOCTYPE t SYSTEM 'secret.dtd'><t>&leak;</t>"),
             std::string("<!DOCTYPE t [<!ENTITY % p SYSTEM 'secret.dtd'> %p;]><t>&leak;</t>"),
             std::string("<!DOCTYPE t [<!ENTITY e 'inner'>]><t a='&e;'/>"),
             std::string("<theme><bar height='40'></theme>"),
             std::string(""),
             std::string("<t a='1' a='2'/>"),
             std::string("<t a='\xff'/>"),
         }) {
        EXPECT_EQ(m_parser.LoadFile(Write("theme.xml", document)), nullptr) << document;
    }
}

}  // namespace
}  // namespace tarvik::test
