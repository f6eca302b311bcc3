#pragma once
// The auto-upgrade check: fetches the maker's version text, tells the user
// whether a newer version exists and opens its download page on request.
//
// The version text holds the newest version on its first line ("2.2" or
// "V2.2") and, optionally, the download page's address on the next line;
// without one, the folder of the version text is the download page.

#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

class QNetworkAccessManager;

namespace tolvi {

class AutoUpgrade : public QObject {
    Q_OBJECT
public:
    enum class Outcome { NewerVersion, UpToDate, Unreachable, Unreadable };
    Q_ENUM(Outcome)

    AutoUpgrade(const QUrl& versionUrl, const QString& currentVersion, QObject* parent = nullptr);

    QUrl versionUrl() const { return versionUrl_; }
    void setVersionUrl(const QUrl& url) { versionUrl_ = url; }
    QString currentVersion() const { return currentVersion_; }
    bool isChecking() const { return reply_ != nullptr; }
    // Seconds a fetch may take before it counts as unreachable.
    void setTimeoutSeconds(int seconds) { timeoutSeconds_ = seconds; }

    // Starts a check; its answer shows in message boxes over parent, then
    // finished() reports it. A check already running is not started twice.
    void checkNow(QWidget* parent);

    struct VersionInfo {
        QString version; // empty when the text names none
        QUrl downloadPage;
    };
    static VersionInfo parseVersionText(const QByteArray& text, const QUrl& versionUrl);

Q_SIGNALS:
    void finished(tolvi::AutoUpgrade::Outcome outcome);

private:
    void replyFinished();
    Outcome answer(const VersionInfo& info);

    QNetworkAccessManager* network_;
    QUrl versionUrl_;
    QString currentVersion_;
    int timeoutSeconds_ = 15;
    QPointer<QNetworkReply> reply_;
    QPointer<QWidget> parent_;
};

} // namespace tolvi
