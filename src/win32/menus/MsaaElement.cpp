#include "win32/menus/MsaaElement.h"

#include <algorithm>

#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

// Names longer than this are cut: no menu caption comes near it.
constexpr UINT kMaxNameUnits = 1024;

int32_t IntegerOf(const VARIANT& value) {
    return value.vt == VT_I4 ? static_cast<int32_t>(value.lVal) : 0;
}

// The text of a string another program allocated, held to a sane length and never ending in
// half a character.
std::string TextOf(BSTR text) {
    if (text == nullptr) return {};
    UINT units = std::min(SysStringLen(text), kMaxNameUnits);
    if (units > 0 && text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF) --units;
    std::string out = Narrow(std::wstring_view(text, units));
    SysFreeString(text);
    return out;
}

}  // namespace

MsaaElement::MsaaElement(Microsoft::WRL::ComPtr<IAccessible> object, long childId, Keeper* keeper)
    : m_object(std::move(object)), m_childId(childId), m_keeper(keeper) {
    if (m_keeper != nullptr && m_childId == CHILDID_SELF && m_keeper->size() < kMaxKept) {
        m_keeper->push_back(m_object);
    }
}

std::unique_ptr<MsaaElement> MsaaElement::FromWindow(HWND window, Keeper* keeper) {
    Microsoft::WRL::ComPtr<IAccessible> object;
    // The interface is named by __uuidof: MinGW's oleacc import library turns the
    // IID_IAccessible symbol into a code thunk, whose bytes are not the interface's GUID.
    const HRESULT result =
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(object.GetAddressOf()));
    if (FAILED(result) || !object) return nullptr;
    return std::make_unique<MsaaElement>(std::move(object), CHILDID_SELF, keeper);
}

VARIANT MsaaElement::Self() const {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = m_childId;
    return self;
}

int32_t MsaaElement::Role() const {
    VARIANT role;
    VariantInit(&role);
    if (m_object->get_accRole(Self(), &role) != S_OK) return 0;
    const int32_t value = IntegerOf(role);
    VariantClear(&role);
    return value;
}

uint32_t MsaaElement::State() const {
    VARIANT state;
    VariantInit(&state);
    if (m_object->get_accState(Self(), &state) != S_OK) return 0;
    const auto value = static_cast<uint32_t>(IntegerOf(state));
    VariantClear(&state);
    return value;
}

std::string MsaaElement::Name() const {
    BSTR name = nullptr;
    if (FAILED(m_object->get_accName(Self(), &name))) return {};
    return TextOf(name);
}

int32_t MsaaElement::ChildCount() const {
    if (m_childId != CHILDID_SELF) return 0;
    long count = 0;
    if (m_object->get_accChildCount(&count) != S_OK || count < 0) return 0;
    return static_cast<int32_t>(count);
}

std::unique_ptr<IAccessibleElement> MsaaElement::Child(int32_t number) const {
    if (m_childId != CHILDID_SELF || number < 1) return nullptr;
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = number;
    Microsoft::WRL::ComPtr<IDispatch> dispatch;
    const HRESULT result = m_object->get_accChild(id, dispatch.GetAddressOf());
    if (result == S_OK && dispatch) {
        Microsoft::WRL::ComPtr<IAccessible> child;
        if (FAILED(dispatch->QueryInterface(__uuidof(IAccessible),
                                            reinterpret_cast<void**>(child.GetAddressOf())))) {
            return nullptr;
        }
        return std::make_unique<MsaaElement>(std::move(child), CHILDID_SELF, m_keeper);
    }
    // S_FALSE: a simple child, answered by this object under its number.
    if (result == S_FALSE) return std::make_unique<MsaaElement>(m_object, number, m_keeper);
    return nullptr;
}

bool MsaaElement::DoDefaultAction() {
    return m_object->accDoDefaultAction(Self()) == S_OK;
}

}  // namespace tarvik
