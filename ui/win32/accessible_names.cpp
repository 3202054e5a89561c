#include "accessible_names.h"

#include "win32_text.h"

#include <initguid.h>

#include <oleacc.h>

#include <string>

namespace dbmconv::win32 {

AccessibleAnnotations::AccessibleAnnotations()
{
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
    }
}

AccessibleAnnotations::~AccessibleAnnotations()
{
    if (services_ != nullptr) {
        services_->Release();
    }
}

void AccessibleAnnotations::setName(HWND control, std::u16string_view name) const
{
    annotate(control, PROPID_ACC_NAME, name);
}

void AccessibleAnnotations::setDescription(HWND control, std::u16string_view description) const
{
    annotate(control, PROPID_ACC_DESCRIPTION, description);
}

void AccessibleAnnotations::annotate(HWND control, const GUID& property, std::u16string_view text) const
{
    if (services_ == nullptr) {
        return;
    }
    const std::wstring value = toWide(text);
    services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, value.c_str());
}

} // namespace dbmconv::win32
