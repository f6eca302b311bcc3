#include "app/Form2.h"

#include "app/CourierSites.h"
#include "app/Pictures.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPushButton>

#if __has_include(<QWebEngineView>)
#include <QWebEngineView>
#define TOLVI_HAS_WEBENGINE 1
#else
#define TOLVI_HAS_WEBENGINE 0
#endif

namespace tolvi {
namespace {

struct ButtonPlace {
    Courier courier;
    int left, top;
};

constexpr ButtonPlace kPlaces[] = {
    {Courier::EMS, 31, 16},    {Courier::STO, 191, 16},     {Courier::YTO, 351, 16},
    {Courier::ZTO, 511, 16},   {Courier::ZJS, 671, 16},     {Courier::SF, 31, 72},
    {Courier::YUNDA, 191, 72}, {Courier::HUITONG, 351, 72}, {Courier::TTK, 511, 72},
};

const QRect kBrowserGeometry(8, 128, 1025, 577);

QString buttonName(Courier courier) {
    const QString listName = courierListName(courier);
    return listName.isEmpty() ? QStringLiteral("宅急送") : listName;
}

} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("网点查询"));
    setAccessibleName(windowTitle());
    setFixedSize(1033, 705);

    for (const ButtonPlace& place : kPlaces) {
        auto* b = new QPushButton(this);
        b->setGeometry(place.left, place.top, kLogoSize.width(), kLogoSize.height());
        b->setIcon(courierLogo(place.courier));
        b->setIconSize(kLogoSize);
        b->setFlat(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setAccessibleName(buttonName(place.courier));
        b->setToolTip(buttonName(place.courier) + QStringLiteral("网点查询"));
        b->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
        buttons_.insert(place.courier, b);
        addresses_.insert(place.courier, courierWebAddress(place.courier));
        const Courier courier = place.courier;
        connect(b, &QPushButton::clicked, this, [this, courier] { navigateTo(courier); });
    }

#if TOLVI_HAS_WEBENGINE
    auto* view = new QWebEngineView(this);
    view->setAccessibleName(QStringLiteral("网页"));
    connect(view, &QWebEngineView::loadFinished, this, &TForm2::pageLoaded);
    browserArea_ = view;
#else
    // Built without the browser component: the area offers the address to
    // the system's browser instead.
    fallback_ = new QLabel(this);
    fallback_->setAlignment(Qt::AlignCenter);
    fallback_->setWordWrap(true);
    fallback_->setFrameShape(QFrame::StyledPanel);
    fallback_->setTextFormat(Qt::RichText);
    fallback_->setAccessibleName(QStringLiteral("网页"));
    connect(fallback_, &QLabel::linkActivated, this,
            [](const QString& link) { platform().openUrl(QUrl(link)); });
    browserArea_ = fallback_;
#endif
    browserArea_->setGeometry(kBrowserGeometry);
}

bool TForm2::hasBrowser() {
    return TOLVI_HAS_WEBENGINE;
}

#if TOLVI_HAS_WEBENGINE
QWebEngineView* TForm2::browser() const {
    return static_cast<QWebEngineView*>(browserArea_);
}
#endif

void TForm2::navigateTo(Courier courier) {
    requested_ = addresses_.value(courier);
#if TOLVI_HAS_WEBENGINE
    browser()->setUrl(requested_);
#else
    const QString shown = requested_.toString().toHtmlEscaped();
    fallback_->setText(QStringLiteral("%1的网站：<br><a href=\"%2\">%2</a><br>"
                                      "（点击后用系统的浏览器打开）")
                           .arg(buttonName(courier).toHtmlEscaped(), shown));
    Q_EMIT pageLoaded(true);
#endif
}

} // namespace tolvi
