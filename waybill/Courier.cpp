#include "waybill/Courier.h"

namespace tolvi {

QString courierCaption(Courier courier) {
    switch (courier) {
    case Courier::STO:
        return QStringLiteral("申通快递打印 (STO)");
    case Courier::YTO:
        return QStringLiteral("圆通速递打印 (YTO)");
    case Courier::ZTO:
        return QStringLiteral("中通速递打印 (ZTO)");
    case Courier::SF:
        return QStringLiteral("顺丰速运打印 (SF)");
    case Courier::YUNDA:
        return QStringLiteral("韵达快运打印 (YUNDA)");
    case Courier::TTK:
        return QStringLiteral("天天快递打印 (TTK)");
    case Courier::ZJS:
        return QStringLiteral("宅急送打印 (ZJS)");
    case Courier::HUITONG:
        return QStringLiteral("汇通快运打印");
    case Courier::EMS:
        return QStringLiteral("邮政特快专递 (EMS)");
    }
    return {};
}

QString courierListName(Courier courier) {
    switch (courier) {
    case Courier::STO:
        return QStringLiteral("申通快递");
    case Courier::YTO:
        return QStringLiteral("圆通速递");
    case Courier::ZTO:
        return QStringLiteral("中通速递");
    case Courier::SF:
        return QStringLiteral("顺丰速运");
    case Courier::YUNDA:
        return QStringLiteral("韵达快运");
    case Courier::TTK:
        return QStringLiteral("天天快递");
    case Courier::ZJS:
        return {};
    case Courier::HUITONG:
        return QStringLiteral("汇通快运");
    case Courier::EMS:
        return QStringLiteral("EMS邮政快递");
    }
    return {};
}

QStringList courierListNames() {
    return {QStringLiteral("EMS邮政快递"), QStringLiteral("申通快递"), QStringLiteral("圆通速递"),
            QStringLiteral("顺丰速运"),    QStringLiteral("韵达快运"), QStringLiteral("汇通快运"),
            QStringLiteral("中通速递"),    QStringLiteral("天天快递")};
}

bool separatorAfterInMenu(Courier courier) {
    // One after ZTO and one before EMS, which follows HUITONG.
    return courier == Courier::ZTO || courier == Courier::HUITONG;
}

} // namespace tolvi
