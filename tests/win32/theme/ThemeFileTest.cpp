// The theme read through MSXML with real GDI+: the shipped theme file, refused document types
// and broken files.
#include <objbase.h>
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/Trace.h"
#include "core/theme/Theme.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"
#include "win32/theme/ThemePixelSupport.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik {
namespace {

using test::TempFolder;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const char kMissingFileLine[] =
    R"(0,"Theme","Initialize","could not read resources\theme.xml - drawing with built-in defaults")";

void WriteText(const std::filesystem::path& file, std::string_view text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << text;
}

class ThemeFile : public test::ThemePixelTest {
  protected:
    void SetUp() override {
        m_com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(m_com);
    }
    void TearDown() override {
        if (m_com) CoUninitialize();
    }

    // Loads the theme of a program folder at the given scale; the records go to the log.
    bool Load(Theme& theme, const std::filesystem::path& programFolder,
              const char* percent = "100") {
        const test::ScaleEnvironment environment(percent);
        const CommandLine commandLine(environment);
        m_dpi = test::DrawingAt(percent);
        return theme.Initialize(m_parser, programFolder, m_trace, commandLine, m_dpi);
    }

    // The records without their timestamps.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream log(test::ReadFile(m_log.Path() / "errors.log"));
        for (std::string line; std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const size_t stamp = line.find("#,");
            lines.push_back(stamp == std::string::npos ? line : line.substr(stamp + 2));
        }
        return lines;
    }

    const MsXmlParser m_parser;
    TempFolder m_log;
    SystemClock m_clock;
    Trace m_trace{m_log.Path() / "errors.log", m_clock};
    Dpi m_dpi;

  private:
    bool m_com = false;
};

TEST_F(ThemeFile, TheShippedThemeGivesTheBuiltInLookWithElevenSkins) {
    Theme theme;
    ASSERT_TRUE(Load(theme, test::ResourcesFolder().parent_path(), "150"));
    // Only a font fallback may be reported (Wine has no Segoe UI).
    EXPECT_THAT(Lines(), Each(StartsWith("\"Theme: font face 'Segoe UI' is not installed")));
    EXPECT_EQ(theme.Layout.BarHeight, 54);
    EXPECT_EQ(theme.Layout.WorkAreaTop, 34);
    EXPECT_EQ(theme.Layout.RowText.X, 45);
    EXPECT_EQ(theme.Glass.Selection, 0xFF2F7CD8u);
    EXPECT_EQ(theme.DisabledTextColour, 0x66000000u);
    EXPECT_EQ(theme.NewsFeedUrl, "http://feeds.bbci.co.uk/news/rss.xml");
    EXPECT_EQ(theme.FontFace, "Segoe UI, Arial, DejaVu Sans");
    ASSERT_TRUE(theme.FontFamily.Exists());
    EXPECT_NE(theme.TextFont.NativeHandle(), nullptr);
    EXPECT_NE(theme.BoldFont.NativeHandle(), nullptr);
    EXPECT_FLOAT_EQ(theme.TextFont.Size(), 22.5f);
    for (std::string_view name : Theme::kSkinNames) {
        const SkinButton& skin = theme.Skin(name);
        ASSERT_FALSE(skin.IsEmpty()) << name;
        const GDIPImage* frames[] = {skin.frame(kButtonStateNormal), skin.frame(kButtonStateHover),
                                     skin.frame(kButtonStatePressed)};
        EXPECT_TRUE(frames[0] != frames[1] && frames[1] != frames[2] && frames[0] != frames[2])
            << name;
        for (const GDIPImage* frame : frames) {
            EXPECT_EQ(frame->width(), 30) << name;  // 20-pixel frames at 150 %
            EXPECT_EQ(frame->Height(), 30) << name;
        }
    }
}

TEST_F(ThemeFile, DocumentTypesAreRefusedAndNothingExternalIsRead) {
    const TempFolder program;
    const std::filesystem::path resources = program.Path() / "resources";
    WriteText(resources / "secret.txt", "TOP-SECRET");
    WriteText(resources / "secret.dtd", "<!ENTITY leak 'TOP-SECRET'>");
    const std::string secretUrl =
        "file:///" + std::filesystem::absolute(resources / "secret.txt").generic_string();
    const std::string documents[] = {
        "<!DOCTYPE theme [<!ENTITY e SYSTEM '" + secretUrl +
            "'>]><theme><glass corner='x'>&e;</glass></theme>",
        "<!DOCTYPE theme [<!ENTITY e SYSTEM 'secret.txt'>]><theme><glass>&e;</glass></theme>",
        "<!DOCTYPE theme SYSTEM 'secret.dtd'><theme><glass>&leak;</glass></theme>",
        "<!DOCTYPE theme [<!ENTITY % p SYSTEM 'secret.dtd'> %p;]><theme>&leak;</theme>",
        "<!DOCTYPE theme [<!ENTITY e 'inner'>]><theme><glass corner='&e;'/></theme>",
        "<!DOCTYPE theme><theme/>",
    };
    for (const std::string& document : documents) {
        WriteText(resources / "theme.xml", document);
        const auto loaded = m_parser.LoadFile(resources / "theme.xml");
        if (loaded) {
            ADD_FAILURE() << "accepted: " << document;
            EXPECT_THAT(loaded->Root()->Text(), ::testing::Not(HasSubstr("TOP-SECRET")));
        }
        EXPECT_EQ(m_parser.LoadText(document), nullptr) << document;
    }

    Theme theme;
    ASSERT_TRUE(Load(theme, program.Path()));
    EXPECT_EQ(theme.Glass.corner, "round");
    const std::vector<std::string> lines = Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), kMissingFileLine);
}

TEST_F(ThemeFile, ABrokenFileLeavesTheBuiltInValues) {
    for (const char* file : {"<theme><bar height='40'></theme>", "", "<a/><b/>",
                             "<theme><bar height='40' height='41'/></theme>"}) {
        const TempFolder program;
        WriteText(program.Path() / "resources" / "theme.xml", file);
        Theme theme;
        ASSERT_TRUE(Load(theme, program.Path()));
        EXPECT_EQ(theme.Layout.BarHeight, 36) << file;
        ASSERT_FALSE(Lines().empty());
        EXPECT_EQ(Lines().front(), kMissingFileLine) << file;
        std::filesystem::remove(m_log.Path() / "errors.log");
    }
}

TEST_F(ThemeFile, TheParserFindsWhatTheThemeReads) {
    // A folder name MSXML would take for part of an address if it were given the path.
    const TempFolder program;
    const std::filesystem::path file = program.Path() / "a#b %20c" / "t.xml";
    WriteText(file,
              "<?xml version='1.0' encoding='ISO-8859-1'?>"
              "<root><?pi?><x n='\xe9'>a<y>b</y><![CDATA[c]]></x><x n='2'/><z><x n='3'/></z>"
              "</root>");
    const auto document = m_parser.LoadFile(file);
    ASSERT_NE(document, nullptr);
    const XmlElement* root = document->Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Name(), "root");
    const XmlElement* x = root->Child("x");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Attribute("n"), "\xc3\xa9");  // é, now UTF-8
    EXPECT_EQ(x->Attribute("m"), std::nullopt);
    EXPECT_EQ(x->Text(), "abc");
    EXPECT_EQ(root->Child("y"), nullptr);
    std::vector<std::string> numbers;
    for (const XmlElement* each : root->Descendants("x")) numbers.push_back(*each->Attribute("n"));
    EXPECT_THAT(numbers, ElementsAre("\xc3\xa9", "2", "3"));

    EXPECT_EQ(m_parser.LoadText("<t a='\xff'/>"), nullptr);
    const auto text = m_parser.LoadText("<t a='\xe2\x82\xac'/>");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Root()->Attribute("a"), "\xe2\x82\xac");
    EXPECT_EQ(m_parser.LoadFile(program.Path() / "missing.xml"), nullptr);
}

}  // namespace
}  // namespace tarvik
