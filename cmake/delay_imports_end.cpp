// The zero descriptor that ends the delay-import table. dlltool's descriptors sit in .text$2 and
// the linker sorts .text$ sections by name, so this lands right after the last of them, on their
// own 4-byte alignment; without it, tools that walk the table to its zero entry read on into code.
extern "C" __attribute__((section(".text$3"), used, aligned(4))) const unsigned int nt_delay_imports_end[8] = {};
