#include "host/KxRxAbort.h"

#include "host/KxString.h"

#include <cstdlib>
#include <iostream>

void kxrx_abort(const wchar_t* message) {
    std::cerr << "host: fatal: " << KxString(message).toUtf8() << std::endl;
    std::abort();
}
