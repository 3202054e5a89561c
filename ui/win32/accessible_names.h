#pragma once

#include <windows.h>

#include <string_view>

// Declared here, not by <oleacc.h>: its GUIDs must be defined by the one file
// that includes it after <initguid.h>, or the linker takes them from a library
// object that holds hundreds more.
struct IAccPropServices;

namespace dbmconv::win32 {

// Gives controls the accessible name, or the description, that screen readers
// read for them (MSAA, and UI Automation through it), where a control shows no
// text of its own to be named by. One annotation service serves every control.
// Needs COM on the calling thread; without the service the controls keep the
// names Windows gives them.
class AccessibleAnnotations {
public:
    AccessibleAnnotations();
    ~AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    void setName(HWND control, std::u16string_view name) const;
    void setDescription(HWND control, std::u16string_view description) const;

private:
    void annotate(HWND control, const GUID& property, std::u16string_view text) const;

    IAccPropServices* services_ = nullptr;
};

} // namespace dbmconv::win32
