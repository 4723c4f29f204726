#include <windows.h>

#include "cli/system32_view.h"

TRealSystem32Scope::TRealSystem32Scope(bool Wanted) {
    BOOL wow64 = FALSE;
    if (Wanted && ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64)
        off_ = ::Wow64DisableWow64FsRedirection(&old_) != FALSE;
}

TRealSystem32Scope::~TRealSystem32Scope() {
    if (off_)
        ::Wow64RevertWow64FsRedirection(old_);
}
