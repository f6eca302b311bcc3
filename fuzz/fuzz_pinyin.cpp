// Pinyin initials of goods names, from text and from raw GBK bytes.

#include "FuzzText.h"
#include "data/Pinyin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = tolvi::fuzz::bytesOf(data, size);
    if (tolvi::pinyinInitialsOfGbk(bytes).size() > bytes.size())
        __builtin_trap();
    (void)tolvi::gb2312Initial(bytes.left(2));
    const QString text = tolvi::fuzz::textOf(data, size);
    (void)tolvi::pinyinInitials(text);
    return 0;
}
