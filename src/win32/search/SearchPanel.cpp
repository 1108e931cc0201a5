#include "win32/search/SearchPanel.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "core/app/Error.h"
#include "core/app/LogException.h"
#include "core/shortcuts/CustomMenus.h"

namespace tarvik {

namespace {

HWND WindowOf(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

}  // namespace

SearchPanel::SearchPanel(const SearchPanelServices& services)
    : BaseWindow(WindowGuard{&services.trace, kSource, "WndProc", true}),
      m_services(services),
      m_recent(services.settings),
      m_search(m_recent),
      m_view(services.theme, services.brushes, services.trace),
      m_surface(services.surfaces, services.composition, services.theme.Glass) {}

SearchPanel::~SearchPanel() {
    DestroyBaseWindow();
}

// Creates the window, hidden.
void SearchPanel::Load() {
    if (!CreateBaseWindow({kClassName, 0}, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"Tarvik Search",
                          WS_POPUP, RECT{0, 0, 1, 1})) {
        throw Error(static_cast<int32_t>(GetLastError()), "the search panel could not be made");
    }
}

void SearchPanel::OpenFor(WindowHandle foreground) {
    RunLogged(m_services.trace, kSource, "OpenFor", true, [&] {
        if (!Handle()) Load();
        m_foreground = WindowOf(foreground) == Handle() ? m_foreground : foreground;
        const std::string program =
            ExecutableKeyFromPath(m_services.windows.ProcessImagePath(m_foreground));
        // The panel takes the keyboard before the menus are read (which can take a while for a
        // program asked through its accessibility interface): what the user types meanwhile
        // waits for the panel instead of reaching the program.
        m_search.Open({}, program);
        m_size = {};
        Repaint();
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        SetFocus(Handle());

        MenuItemList titles;
        m_services.menus.ReadMenuBar(titles, m_foreground);
        // Menus read through the accessibility interface bring their rows only when asked; a
        // program slow to answer is searched only as far as it answered within a second.
        const auto started = std::chrono::steady_clock::now();
        for (const auto& title : titles) {
            if (std::chrono::steady_clock::now() - started > std::chrono::seconds(1)) break;
            m_services.menus.ReadTitleRows(*title);
        }
        if (titles.empty() && m_services.customMenus) {
            m_services.customMenus->AppendMenusFor(titles, m_foreground);
        }
        m_search.Open(titles, program);
        m_size = {};
        Repaint();
    });
}

bool SearchPanel::IsVisible() const {
    return Handle() && IsWindowVisible(Handle());
}

void SearchPanel::Hide() {
    m_search.Close();
    if (IsVisible()) ShowWindow(Handle(), SW_HIDE);
}

void SearchPanel::Close() {
    const bool wasOpen = IsVisible();
    Hide();
    const HWND program = WindowOf(m_foreground);
    if (wasOpen && program && IsWindow(program)) SetForegroundWindow(program);
}

// The panel's size follows the number of results; a new size gets a new surface.
void SearchPanel::Repaint() {
    const ListSize size = m_view.Size(m_search, GetSystemMetrics(SM_CXSCREEN));
    if (size != m_size || !m_surface.Ready()) {
        m_size = size;
        Place();
        m_surface.Create(Handle(), m_size.width, m_size.height);
    }
    m_view.Paint(m_surface.Graphics(), m_search, m_size.width, m_size.height,
                 m_surface.GlassApplied());
    m_surface.Push(Handle());
}

// Centred under the bar, inside the screen.
void SearchPanel::Place() {
    RECT bar{0, 0, GetSystemMetrics(SM_CXSCREEN), m_services.theme.Layout.BarHeight};
    if (m_bar && IsWindow(m_bar)) GetWindowRect(m_bar, &bar);
    const int32_t screen = GetSystemMetrics(SM_CXSCREEN);
    const int32_t centre = bar.left + (bar.right - bar.left) / 2;
    const int32_t left =
        std::clamp(centre - m_size.width / 2, 0, std::max(screen - m_size.width, 0));
    if (!SetWindowPos(Handle(), HWND_TOPMOST, left, bar.bottom, m_size.width, m_size.height,
                      SWP_NOACTIVATE)) {
        throw Error(static_cast<int32_t>(GetLastError()), "the search panel could not be placed");
    }
}

// The panel closes first, so that the program has the keyboard back when its command arrives.
void SearchPanel::RunChosen() {
    const std::shared_ptr<MenuItem> item = m_search.Enter();
    if (!item) return;
    Close();
    m_services.commands.RunCommand(*item);
}

void SearchPanel::OnKeyDown(WPARAM key) {
    switch (key) {
        case VK_UP:
            if (m_search.Move(-1)) Repaint();
            break;
        case VK_DOWN:
            if (m_search.Move(1)) Repaint();
            break;
        case VK_RETURN:
            RunChosen();
            break;
        case VK_ESCAPE:
            Close();
            break;
        default:
            break;
    }
}

void SearchPanel::OnWindowGone() {
    m_surface.Release();
    m_services.surfaces.Forget(Handle());
}

LRESULT SearchPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_CHAR:
            if (IsVisible() && m_search.Type(static_cast<char16_t>(wParam))) Repaint();
            return 0;
        case WM_ACTIVATE:
            // Another window took the keyboard: the panel goes, and leaves the keyboard there.
            if (LOWORD(wParam) == WA_INACTIVE) Hide();
            break;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace tarvik
