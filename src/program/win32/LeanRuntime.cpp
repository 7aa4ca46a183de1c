// The C++ runtime's default handler for an exception nobody catches prints the exception's type, demangled, to a
// console a windowed program does not have, and links the whole demangler (some 50 KB) for it. No exception
// leaves a window procedure here; should one ever escape, the program ends at once, as it does on any failure.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
