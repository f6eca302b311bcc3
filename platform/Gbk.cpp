#include "platform/Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace tolvi::gbk {
namespace {

int utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xE)
        return 3;
    if ((lead >> 3) == 0x1E)
        return 4;
    return 1;
}

// Converts in one pass, replacing what the target cannot hold; iconv stops at
// each such place, so we step over one input unit and go on.
QByteArray convert(const char* to, const char* from, const QByteArray& input, bool fromUtf8,
                   const QByteArray& replacement) {
    QByteArray out;
    if (input.isEmpty())
        return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return out;
    out.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0) {
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG || outLeft < static_cast<size_t>(replacement.size()) + 4) {
            const auto used = outPtr - out.data();
            out.resize(out.size() * 2 + 16);
            outPtr = out.data() + used;
            outLeft = static_cast<size_t>(out.size() - used);
            continue;
        }
        // EILSEQ or EINVAL: replace one unit of input
        size_t skip = 1;
        if (fromUtf8)
            skip = std::min<size_t>(utf8SequenceLength(static_cast<unsigned char>(*in)), inLeft);
        else if (static_cast<unsigned char>(*in) >= 0x81 && inLeft >= 2)
            skip = 2;
        in += skip;
        inLeft -= skip;
        for (char c : replacement) {
            *outPtr++ = c;
            --outLeft;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(outPtr - out.data());
    iconv_close(cd);
    return out;
}

} // namespace

QByteArray encode(const QString& text) {
    return convert("GBK", "UTF-8", text.toUtf8(), true, QByteArray("?"));
}

QString decode(const QByteArray& bytes) {
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes, false, QByteArray("\xEF\xBF\xBD")));
}

bool canEncode(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (utf8.isEmpty())
        return true;
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    QByteArray out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = static_cast<size_t>(utf8.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return r != static_cast<size_t>(-1) && inLeft == 0;
}

} // namespace tolvi::gbk
