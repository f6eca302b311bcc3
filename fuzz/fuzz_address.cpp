// Address rebuilding of imported rows: must keep to its byte budget and be
// idempotent.

#include "FuzzText.h"
#include "import/AddressNormaliser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString address = tolvi::fuzz::textOf(data, size);
    const QString once = tolvi::normaliseAddress(address);
    if (tolvi::normaliseAddress(once) != once)
        __builtin_trap();
    return 0;
}
