#pragma once
// Whose desktop this is: the user of this elevated process and the user of the desktop's shell,
// which differ when someone typed an administrator's password. Windows only (desktop_user_win.cpp);
// which hive follows from the two is AdvancedKeyFor (align_target.h).
#include <string>

namespace taskwing {

// The SID of this process's user and of the user who owns the desktop's shell window; empty when
// there is no shell or the SID cannot be read.
std::wstring ProcessUserSid();
std::wstring ShellUserSid();

}  // namespace taskwing
