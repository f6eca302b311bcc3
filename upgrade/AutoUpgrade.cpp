#include "upgrade/AutoUpgrade.h"

#include "platform/Platform.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QVersionNumber>

namespace tolvi {
namespace {

const QString kCaption = QStringLiteral("软件自动升级");

QVersionNumber versionOf(const QString& text) {
    QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('V'), Qt::CaseInsensitive))
        t.remove(0, 1);
    static const QRegularExpression plain(QStringLiteral("^\\d+(\\.\\d+)*$"));
    return plain.match(t).hasMatch() ? QVersionNumber::fromString(t) : QVersionNumber();
}

} // namespace

AutoUpgrade::AutoUpgrade(const QUrl& versionUrl, const QString& currentVersion, QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)), versionUrl_(versionUrl),
      currentVersion_(currentVersion) {}

AutoUpgrade::VersionInfo AutoUpgrade::parseVersionText(const QByteArray& text,
                                                       const QUrl& versionUrl) {
    VersionInfo info;
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    if (lines.isEmpty())
        return info;
    const QVersionNumber v = versionOf(lines.first());
    if (v.isNull())
        return info;
    info.version = v.toString();
    if (lines.size() > 1) {
        const QUrl page(lines.at(1), QUrl::StrictMode);
        if (page.isValid() && !page.scheme().isEmpty())
            info.downloadPage = page;
    }
    if (info.downloadPage.isEmpty())
        info.downloadPage = versionUrl.resolved(QUrl(QStringLiteral(".")));
    return info;
}

void AutoUpgrade::checkNow(QWidget* parent) {
    if (reply_)
        return;
    parent_ = parent;
    QNetworkRequest request(versionUrl_);
    request.setTransferTimeout(timeoutSeconds_ * 1000);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::finished, this, &AutoUpgrade::replyFinished);
}

void AutoUpgrade::replyFinished() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    Outcome outcome;
    if (reply->error() != QNetworkReply::NoError) {
        platform().warning(
            parent_,
            QStringLiteral("无法取得升级信息，请检查网络连接后再试。\n地址：%1\n原因：%2")
                .arg(versionUrl_.toDisplayString(), reply->errorString()),
            kCaption);
        outcome = Outcome::Unreachable;
    } else {
        outcome = answer(parseVersionText(reply->readAll(), versionUrl_));
    }
    Q_EMIT finished(outcome);
}

AutoUpgrade::Outcome AutoUpgrade::answer(const VersionInfo& info) {
    if (info.version.isEmpty()) {
        platform().warning(parent_, QStringLiteral("升级信息无法识别，暂时不能检查新版本。"),
                           kCaption);
        return Outcome::Unreadable;
    }
    // Normalised, so that "2.1" and "2.1.0" count as the same version.
    const QVersionNumber newest = QVersionNumber::fromString(info.version).normalized();
    const QVersionNumber current = versionOf(currentVersion_).normalized();
    if (QVersionNumber::compare(newest, current) <= 0) {
        platform().information(
            parent_, QStringLiteral("当前已是最新版本（V%1），不需要升级。").arg(currentVersion_),
            kCaption);
        return Outcome::UpToDate;
    }
    const MsgButton go =
        platform().question(parent_,
                            QStringLiteral("发现新版本 V%1（当前版本 V%2）。\n是否打开下载页面？")
                                .arg(info.version, currentVersion_),
                            kCaption, MsgButtons::YesNo, MsgButton::Yes);
    if (go == MsgButton::Yes)
        platform().openUrl(info.downloadPage);
    return Outcome::NewerVersion;
}

} // namespace tolvi
