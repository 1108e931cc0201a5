#include "core/support/PugiXmlParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/support/Fakes.h"

namespace tarvik {
namespace {

using test::PugiXmlParser;
using ::testing::ElementsAre;

TEST(PugiXmlParser, RefusesWhatTheWindowsParserRefuses) {
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {"<t a='1'/>", true},
        {"<?xml version='1.0'?><!-- note --><t/>", true},
        {"", false},
        {"<t>", false},
        {"<a/><b/>", false},
        {"text<t/>", false},
        {"<t a='1' a='2'/>", false},
        {"<!DOCTYPE t><t/>", false},
        {"<!DOCTYPE t SYSTEM 'http://example.org/t.dtd'><t/>", false},
        {"<!DOCTYPE t [<!ENTITY e SYSTEM 'file:///etc/passwd'>]><t>&e;</t>", false},
        {"<t a='\xff'/>", false},
        {"<t>\xc3\x28</t>", false},
    };
    const PugiXmlParser parser;
    for (const Case& c : cases) {
        EXPECT_EQ(parser.LoadText(c.text) != nullptr, c.accepted) << c.text;
    }
}

TEST(PugiXmlParser, FindsFirstChildrenAttributesTextAndDescendants) {
    const PugiXmlParser parser;
    const auto document = parser.LoadText(
        "<root><?x y?><x n='1'>a<y>b</y> <![CDATA[c]]></x><x n='2'/>"
        "<z><x n='3'/></z></root>");
    ASSERT_NE(document, nullptr);
    const XmlElement* root = document->Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Name(), "root");
    const XmlElement* x = root->Child("x");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Attribute("n"), "1");
    EXPECT_EQ(x->Attribute("m"), std::nullopt);
    EXPECT_EQ(x->Text(), "abc");
    EXPECT_EQ(root->Child("y"), nullptr);  // only direct children
    EXPECT_EQ(root->Child("x"), x);        // the same element every time
    std::vector<std::string> numbers;
    for (const XmlElement* each : root->Descendants("x")) numbers.push_back(*each->Attribute("n"));
    EXPECT_THAT(numbers, ElementsAre("1", "2", "3"));
}

TEST(PugiXmlParser, ReadsFilesInTheirDeclaredEncoding) {
    const test::TempFolder folder;
    const auto file = folder.Path() / "t.xml";
    {
        std::ofstream out(file, std::ios::binary);
        out << "<?xml version='1.0' encoding='ISO-8859-1'?><t a='\xe9'/>";
    }
    const PugiXmlParser parser;
    const auto document = parser.LoadFile(file);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Root()->Attribute("a"), "\xc3\xa9");
    EXPECT_EQ(parser.LoadFile(folder.Path() / "missing.xml"), nullptr);
}

}  // namespace
}  // namespace tarvik
