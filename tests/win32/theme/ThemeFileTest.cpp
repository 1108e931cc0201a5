// The theme's files through MSXML and GDI+: what is read from an XML file; document types, broken
// files and broken images refused. The shipped theme is read by the end-to-end tests.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "win32/support/Screenshot.h"
#include "win32/support/WindowsTestSupport.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik::test {
namespace {

TEST(ThemeFile, Utf8ComesFromAFileInAnyFolderAndDocumentTypesAndBrokenFilesAreRefused) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const MsXmlParser parser;
    const TempFolder folder;
    const auto write = [&](const std::filesystem::path& name, std::string_view text) {
        const std::filesystem::path file = folder.Path() / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file;
    };
    // A folder name MSXML would take for part of an address if it were given the path.
    auto document = parser.LoadFile(write("a#b %20c/t.xml",
                                          "<?xml version='1.0' encoding='ISO-8859-1'?>"
                                          "<root><?pi?><z><x n='3'/></z><x n='\xe9'/></root>"));
    ASSERT_NE(document, nullptr);
    const XmlElement* x = document->Root()->Child("x");
    EXPECT_EQ(x ? x->Attribute("n") : std::nullopt, "\xc3\xa9");  // é, now UTF-8
    document.reset();                                             // before COM ends
    EXPECT_EQ(parser.LoadFile(folder.Path() / "missing.xml"), nullptr);

    // Nothing outside the file is read.
    const std::filesystem::path secret = write("secret.txt", "TOP-SECRET");
    for (const std::string& text : {
             "<!DOCTYPE t [<!ENTITY e SYSTEM 'file:///" + secret.generic_string() +
                 "'>]><t>&e;</t>",
             std::string("<!DOCTYPE t [<!ENTITY e 'inner'>]><t a='&e;'/>"),
             std::string("<theme><bar height='40'></theme>"),
             std::string("<t a='\xff'/>"),
         }) {
        EXPECT_EQ(parser.LoadFile(write("theme.xml", text)), nullptr) << text;
    }
    CoUninitialize();

    // Skin images that are missing or are no pictures do not load.
    StartGdiPlus();
    for (const char* name : {"none.png", "theme.xml"}) {
        const GDIPImage image = GDIPImage::FromFile((folder.Path() / name).string());
        EXPECT_TRUE(!image.IsLoaded() && image.LastStatus() != kGdipStatusOk) << name;
    }
}

}  // namespace
}  // namespace tarvik::test
