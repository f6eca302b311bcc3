#pragma once
// The network-point window: nine courier logo buttons above an embedded web
// browser that shows the chosen courier's public site.

#include "waybill/Courier.h"

#include <QHash>
#include <QUrl>
#include <QWidget>

class QLabel;
class QPushButton;
class QWebEngineView;

namespace tolvi {

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QPushButton* button(Courier courier) const { return buttons_.value(courier); }
    // The address a logo button opens (tests point one at a local page).
    QUrl address(Courier courier) const { return addresses_.value(courier); }
    void setAddress(Courier courier, const QUrl& url) { addresses_[courier] = url; }

    // Shows the courier's site in the browser area.
    void navigateTo(Courier courier);
    // The address last asked for; empty until a button was pressed.
    QUrl requestedUrl() const { return requested_; }

    // True when the program was built with the embedded browser.
    static bool hasBrowser();
    // The browser area (a QWebEngineView, or a label without one).
    QWidget* browserArea() const { return browserArea_; }
#if __has_include(<QWebEngineView>)
    QWebEngineView* browser() const;
#endif

Q_SIGNALS:
    // The browser finished loading a page (always true without a browser).
    void pageLoaded(bool ok);

private:
    QHash<Courier, QPushButton*> buttons_;
    QHash<Courier, QUrl> addresses_;
    QWidget* browserArea_ = nullptr;
    QLabel* fallback_ = nullptr;
    QUrl requested_;
};

} // namespace tolvi
