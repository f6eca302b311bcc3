// Amounts typed for conversion into Chinese capitals.

#include "FuzzText.h"
#include "sales/AmountInCapitals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString amount = tolvi::fuzz::textOf(data, size);
    const tolvi::CapitalsResult r = tolvi::convertAmountInCapitals(amount);
    if (r.ok != r.messages.isEmpty())
        __builtin_trap();
    if (!r.ok && !r.text.isEmpty())
        __builtin_trap();
    return 0;
}
