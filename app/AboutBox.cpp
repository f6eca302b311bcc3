#include "app/AboutBox.h"

#include "app/LinkLabel.h"
#include "app/Pictures.h"
#include "app/SupportInfo.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace tolvi {
namespace {

template <typename L> L* place(L* label, const QRect& geometry) {
    label->setGeometry(geometry);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      background_(aboutPicture()) {
    setWindowTitle(QStringLiteral("关于软件..."));
    setAccessibleName(windowTitle());
    setModal(true);
    setFixedSize(kAboutPictureSize);

    auto* title =
        place(new QLabel(QStringLiteral("《Tolvi快递单打印软件》"), this), QRect(24, 14, 300, 26));
    QFont big = title->font();
    big.setPixelSize(17);
    big.setBold(true);
    title->setFont(big);
    title->setStyleSheet(QStringLiteral("color: #1d3f73;"));

    place(new QLabel(QStringLiteral("Email："), this), QRect(40, 50, 56, 20));
    mailLabel = place(new LinkLabel(support::kMailAddress, this), QRect(100, 50, 230, 20));
    place(new QLabel(QStringLiteral("网 站："), this), QRect(40, 74, 56, 20));
    webLabel = place(new LinkLabel(support::kWebAddress, this), QRect(100, 74, 230, 20));
    for (LinkLabel* l : {mailLabel, webLabel})
        l->setStyleSheet(QStringLiteral("color: #0000ee;"));
    auto* notice = place(new QLabel(support::kNotice, this), QRect(40, 100, 260, 40));
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    okButton = new QPushButton(QStringLiteral("确 定"), this);
    okButton->setAccessibleName(okButton->text());
    okButton->setGeometry(300, 128, 75, 25);
    okButton->setDefault(true);

    connect(mailLabel, &LinkLabel::clicked, this,
            [] { platform().openUrl(QUrl(QStringLiteral("mailto:") + support::kMailAddress)); });
    connect(webLabel, &LinkLabel::clicked, this,
            [] { platform().openUrl(QUrl(support::kWebAddress)); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), background_);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the desktop, not over the window that opened it.
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace tolvi
