// The stack protector's canary and its failure for GCC's -fstack-protector, in place of libssp's.
// libssp seeds the canary through CryptAcquireContext, whose provider takes 25 to 40 ms to load
// under Wine before the program's first line; RtlGenRandom reads the same system generator at
// once. This file is compiled without the protector: the seeding changes the canary under it.
#include <windows.h>
// After windows.h, which it needs.
#include <ntsecapi.h>

#include <cstdint>

extern "C" {

// Not zero before the seeding either: a zero canary is what a string's terminator writes.
uintptr_t __stack_chk_guard = static_cast<uintptr_t>(0x5AF0C3E1u);

// As the system's own stack-cookie check ends a process: at once, past every exception handler.
[[noreturn]] void __stack_chk_fail() {
    EXCEPTION_RECORD record{};
    record.ExceptionCode = STATUS_STACK_BUFFER_OVERRUN;
    record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
    ::RaiseFailFastException(&record, nullptr, 0);
    ::TerminateProcess(::GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    for (;;) {
    }
}

}  // extern "C"

namespace {

// Before any protected code of the module runs (with libssp's at the same point of the start-up).
__attribute__((constructor)) void SeedStackGuard() {
    uintptr_t seed = 0;
    if (::RtlGenRandom(&seed, sizeof(seed)) && seed != 0) __stack_chk_guard = seed;
}

}  // namespace
