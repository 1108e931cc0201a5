#include "win32/bar/WindowComposition.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/app/Trace.h"
#include "core/bar/AccentPolicy.h"
#include "core/theme/GlassStyle.h"
#include "win32/app/SystemClock.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// What the recording stand-ins for the two system calls last received, and what they answer.
struct Recorder {
    int compositionCalls = 0;
    HWND compositionWindow = nullptr;
    DWORD compositionAttribute = 0;
    SIZE_T compositionSize = 0;
    AccentPolicy accent{};
    BOOL compositionAnswer = TRUE;

    int attributeCalls = 0;
    HWND attributeWindow = nullptr;
    DWORD attribute = 0;
    DWORD attributeSize = 0;
    int32_t attributeValue = 0;
    HRESULT attributeAnswer = S_OK;
};
Recorder g_recorder;

BOOL WINAPI RecordComposition(HWND window, WindowCompositionAttributeData* data) {
    ++g_recorder.compositionCalls;
    g_recorder.compositionWindow = window;
    g_recorder.compositionAttribute = data->attribute;
    g_recorder.compositionSize = data->size;
    if (data->size == sizeof(AccentPolicy)) {
        g_recorder.accent = *static_cast<const AccentPolicy*>(data->data);
    }
    return g_recorder.compositionAnswer;
}

HRESULT WINAPI RecordWindowAttribute(HWND window, DWORD attribute, LPCVOID data, DWORD size) {
    ++g_recorder.attributeCalls;
    g_recorder.attributeWindow = window;
    g_recorder.attribute = attribute;
    g_recorder.attributeSize = size;
    if (size == sizeof(int32_t)) g_recorder.attributeValue = *static_cast<const int32_t*>(data);
    return g_recorder.attributeAnswer;
}

constexpr CompositionCalls kRecordingCalls{RecordComposition, RecordWindowAttribute};
constexpr WindowsVersion kWindows10_1803{10, 17134};
constexpr WindowsVersion kWindows10_1709{10, 17133};

// The window's region, or null when it has none.
UniqueRegion WindowRegion(HWND window) {
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.Get()) == ERROR) return UniqueRegion();
    return region;
}

class WindowCompositionTest : public ::testing::Test {
  protected:
    void SetUp() override { g_recorder = Recorder{}; }
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }
    WindowComposition Recording(WindowsVersion version = kWindows10_1803) {
        return WindowComposition(version, m_trace, kRecordingCalls);
    }

    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    TestWindow m_window{100, 100, 200, 100};
};

// Wine's user32 refuses the accent policy (as a system without it would); nothing breaks.
TEST_F(WindowCompositionTest, TheSystemsAccentCallIsRefusedUnderWine) {
    const WindowComposition composition(kWindows10_1803, m_trace);
    for (const char* style : {"acrylic", "blur", "none"}) {
        EXPECT_FALSE(composition.SetAccent(m_window.Handle(), style, 0x6EFFFFFF)) << style;
    }
    EXPECT_TRUE(IsWindow(m_window.Handle()));

    const WindowComposition without(kWindows10_1803, m_trace, CompositionCalls{});
    EXPECT_FALSE(without.SetAccent(m_window.Handle(), "acrylic", 0x6EFFFFFF));
    EXPECT_FALSE(without.SetCornerPreference(m_window.Handle(), "round"));
}

TEST_F(WindowCompositionTest, AccentGoesToTheSystemAsAttribute19With16Bytes) {
    struct Case {
        WindowsVersion version;
        const char* style;
        BOOL answer;
        uint32_t state;
        bool result;
    };
    const Case cases[] = {
        {kWindows10_1803, "acrylic", TRUE, 4, true},
        {kWindows10_1709, "acrylic", TRUE, 3, true},
        {kWindows10_1803, "Blur", TRUE, 3, true},
        {kWindows10_1803, "acrylic", FALSE, 4, false},
    };
    for (const Case& c : cases) {
        g_recorder = Recorder{};
        g_recorder.compositionAnswer = c.answer;
        const WindowComposition composition = Recording(c.version);
        EXPECT_EQ(composition.SetAccent(m_window.Handle(), c.style, 0x00AABBCC), c.result);
        EXPECT_EQ(g_recorder.compositionCalls, 1);
        EXPECT_EQ(g_recorder.compositionWindow, m_window.Handle());
        EXPECT_EQ(g_recorder.compositionAttribute, 19u);
        EXPECT_EQ(g_recorder.compositionSize, 16u);
        EXPECT_EQ(g_recorder.accent.accentState, c.state) << c.style << " " << c.version.build;
        EXPECT_EQ(g_recorder.accent.gradientColor, 0x01CCBBAAu) << c.style;
    }
}

TEST_F(WindowCompositionTest, CornerPreferenceGoesToTheSystemAsAttribute33With4Bytes) {
    struct Case {
        const char* word;
        HRESULT answer;
        int32_t value;
        bool result;
    };
    const Case cases[] = {
        {"round", S_OK, 2, true},
        {" Small ", S_OK, 3, true},
        {"square", S_OK, 1, true},
        {"none", E_INVALIDARG, 1, false},
    };
    const WindowComposition composition = Recording();
    for (const Case& c : cases) {
        g_recorder.attributeAnswer = c.answer;
        EXPECT_EQ(composition.SetCornerPreference(m_window.Handle(), c.word), c.result) << c.word;
        EXPECT_EQ(g_recorder.attributeWindow, m_window.Handle());
        EXPECT_EQ(g_recorder.attribute, 33u);
        EXPECT_EQ(g_recorder.attributeSize, 4u);
        EXPECT_EQ(g_recorder.attributeValue, c.value) << c.word;
    }
}

// Windows 10 refuses the corner preference, so a popup is clipped to a round region instead.
TEST_F(WindowCompositionTest, GlassWithoutSystemCornersGetsARoundRegionOfTheGlassRadius) {
    g_recorder.attributeAnswer = E_INVALIDARG;
    GlassStyle glass;
    glass.Radius = 12;
    glass.Tint = 0xB8FFFFFF;
    EXPECT_TRUE(Recording().ApplyGlass(m_window.Handle(), 200, 100, &glass));
    EXPECT_EQ(g_recorder.accent.accentState, 4u);
    EXPECT_EQ(g_recorder.accent.gradientColor, 0xB8FFFFFFu);

    const UniqueRegion region = WindowRegion(m_window.Handle());
    ASSERT_TRUE(region);
    struct Point {
        int x;
        int y;
        bool inside;
    };
    const Point points[] = {
        {100, 50, true},  {0, 50, true},   {199, 50, true},  {100, 0, true},    {100, 99, true},
        {12, 12, true},   {187, 87, true}, {1, 1, false},    {198, 1, false},   {1, 98, false},
        {198, 98, false}, {3, 3, false},   {200, 50, false}, {100, 100, false},
    };
    for (const Point& p : points) {
        EXPECT_EQ(PtInRegion(region.Get(), p.x, p.y) != FALSE, p.inside) << p.x << "," << p.y;
    }
    EXPECT_EQ(Log(), "");
}

// Windows 11 rounds the corners itself: no region is set.
TEST_F(WindowCompositionTest, GlassWithSystemCornersGetsNoRegion) {
    g_recorder.attributeAnswer = S_OK;
    g_recorder.compositionAnswer = FALSE;
    GlassStyle glass;
    glass.corner = "small";
    EXPECT_FALSE(Recording().ApplyGlass(m_window.Handle(), 200, 100, &glass));
    EXPECT_EQ(g_recorder.attributeValue, 3);
    EXPECT_FALSE(WindowRegion(m_window.Handle()));
}

TEST_F(WindowCompositionTest, NothingIsDoneWithoutGlassSizeOrRadius) {
    g_recorder.attributeAnswer = E_INVALIDARG;
    const WindowComposition composition = Recording();
    GlassStyle glass;
    EXPECT_FALSE(composition.ApplyGlass(m_window.Handle(), 200, 100, nullptr));
    EXPECT_FALSE(composition.ApplyGlass(m_window.Handle(), 0, 100, &glass));
    EXPECT_FALSE(composition.ApplyGlass(m_window.Handle(), 200, -1, &glass));
    EXPECT_EQ(g_recorder.compositionCalls + g_recorder.attributeCalls, 0);
    composition.SetRoundRegion(m_window.Handle(), 200, 100, 0);
    EXPECT_FALSE(WindowRegion(m_window.Handle()));

    glass.Radius = 0;
    composition.ApplyGlass(m_window.Handle(), 200, 100, &glass);
    EXPECT_FALSE(WindowRegion(m_window.Handle()));
}

}  // namespace
}  // namespace tarvik::test
