#include "accessible_names.h"

#include "win32_text.h"

#include <initguid.h>

#include <oleacc.h>

#include <string>

namespace dbmconv::win32 {

namespace {

void annotate(HWND control, const MSAAPROPID& property, std::u16string_view text)
{
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services)))) {
        return;
    }
    const std::wstring value = toWide(text);
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, value.c_str());
    services->Release();
}

} // namespace

void setAccessibleName(HWND control, std::u16string_view name)
{
    annotate(control, PROPID_ACC_NAME, name);
}

void setAccessibleDescription(HWND control, std::u16string_view description)
{
    annotate(control, PROPID_ACC_DESCRIPTION, description);
}

} // namespace dbmconv::win32
