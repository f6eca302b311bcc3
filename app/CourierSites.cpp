#include "app/CourierSites.h"

namespace tolvi {
namespace {

struct Site {
    const char* address;
    const char16_t* shortName;
    QRgb colour;
};

Site siteOf(Courier courier) {
    switch (courier) {
    case Courier::STO:
        return {"https://www.sto.cn/", u"申通", 0xe8581c};
    case Courier::YTO:
        return {"https://www.yto.net.cn/", u"圆通", 0x5b2a86};
    case Courier::ZTO:
        return {"https://www.zto.com/", u"中通", 0x1f4e9c};
    case Courier::SF:
        return {"https://www.sf-express.com/", u"顺丰", 0x222222};
    case Courier::YUNDA:
        return {"https://www.yundaex.com/", u"韵达", 0xd9a400};
    case Courier::TTK:
        return {"https://www.ttkdex.com/", u"天天", 0xc8102e};
    case Courier::ZJS:
        return {"https://www.zjs.com.cn/", u"宅急送", 0xb22222};
    case Courier::HUITONG:
        return {"https://www.800best.com/", u"汇通", 0x00853e};
    case Courier::EMS:
        break;
    }
    return {"https://www.ems.com.cn/", u"EMS", 0x006b3c};
}

} // namespace

QUrl courierWebAddress(Courier courier) {
    return QUrl(QString::fromLatin1(siteOf(courier).address));
}

QString courierShortName(Courier courier) {
    return QString::fromUtf16(siteOf(courier).shortName);
}

QColor courierColour(Courier courier) {
    return QColor(siteOf(courier).colour);
}

} // namespace tolvi
