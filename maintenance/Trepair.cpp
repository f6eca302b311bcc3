#include "maintenance/Trepair.h"

#include "data/Dm.h"
#include "data/Mylib.h"
#include "data/Schema.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

namespace tolvi {
namespace {

const QString kSaveValue = QStringLiteral("save");
const QString kDataFile = QStringLiteral("data.mdb");
constexpr int kWidth = 345;
constexpr int kTitleHeight = 33;
constexpr int kBackupHeight = 104;
constexpr int kRestoreHeight = 144;

QPushButton* button(const QString& caption, QWidget* parent, const QRect& geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setAccessibleName(caption);
    b->setAutoDefault(true);
    b->setGeometry(geometry);
    return b;
}

QLabel* label(const QString& text, QWidget* parent, const QRect& geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

void reportCopy(QWidget* parent, bool ok, const QString& success, const QString& failure,
                const QString& why) {
    if (ok)
        platform().information(parent, success);
    else
        platform().warning(parent, why.isEmpty() ? failure : failure + QLatin1Char('\n') + why);
}

} // namespace

Trepair::Trepair(QWidget* parent, std::function<void()> afterReopen)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      afterReopen_(std::move(afterReopen)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("数据库备份"));
    setAccessibleName(windowTitle());

    // The content is taller than the window: the restore section below the
    // backup section is reached with the vertical scroll bar.
    scrollArea = new QScrollArea(this);
    scrollArea->setGeometry(0, 0, kWidth, 137);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setWidgetResizable(true);
    auto* content = new QWidget;
    content->setMinimumHeight(kTitleHeight + kBackupHeight + kRestoreHeight);
    scrollArea->setWidget(content);

    auto* title =
        label(QStringLiteral("数据库维护备份"), content, QRect(0, 0, kWidth, kTitleHeight));
    title->setAlignment(Qt::AlignCenter);
    title->setAutoFillBackground(true);
    title->setStyleSheet(QStringLiteral(
        "background-color: #2f5f9f; color: white; font-weight: bold; font-size: 15px;"));

    auto* backup = new QFrame(content);
    backup->setGeometry(0, kTitleHeight, kWidth, kBackupHeight);
    auto* caption = label(QStringLiteral("备份数据的目录:"), backup, QRect(12, 8, 200, 18));
    defaultButton = button(QStringLiteral("默认"), backup, QRect(270, 6, 40, 20));
    defaultButton->setFlat(true);
    defaultButton->setCursor(Qt::PointingHandCursor);
    defaultButton->setStyleSheet(QStringLiteral(
        "QPushButton { color: #0000ee; text-decoration: underline; border: none; }"));
    backupPathBox = new QLineEdit(defaultBackupPath(), backup);
    backupPathBox->setGeometry(12, 28, 300, 22);
    caption->setBuddy(backupPathBox);
    backupPathBox->setAccessibleName(caption->text());
    backupButton = button(QStringLiteral("备份数据库"), backup, QRect(112, 54, 100, 25));
    label(QStringLiteral("温馨提示：定期备份数据，维护数据安全！"), backup, QRect(12, 82, 300, 18))
        ->setStyleSheet(QStringLiteral("color: #006000;"));

    auto* restore = new QFrame(content);
    restore->setGeometry(0, kTitleHeight + kBackupHeight, kWidth, kRestoreHeight);
    restore->setFrameShape(QFrame::StyledPanel);
    restorePathBox = new QLineEdit(QStringLiteral("beifen.mdb"), restore);
    restorePathBox->setGeometry(12, 10, 204, 22);
    restorePathBox->setAccessibleName(QStringLiteral("备份文件"));
    openBackupButton = button(QStringLiteral("打开备份文件"), restore, QRect(222, 9, 92, 24));
    restoreButton = button(QStringLiteral("恢复数据库"), restore, QRect(112, 40, 100, 25));
    auto* warning =
        label(QStringLiteral("警告：恢复数据库功能，只有当目前使用的数据库损坏或丢失时"
                             "才使用，否则旧数据库会覆盖当前的最新数据库，造成信息丢失。"),
              restore, QRect(12, 72, 302, 64));
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    warning->setStyleSheet(QStringLiteral("color: #c00000;"));

    setFixedSize(kWidth, 137);

    connect(backupPathBox, &QLineEdit::textChanged, this,
            [](const QString& text) { SettingsStore::write(kKeyNembraJxc, kSaveValue, text); });
    connect(defaultButton, &QPushButton::clicked, this,
            [this] { backupPathBox->setText(defaultBackupPath()); });
    connect(backupButton, &QPushButton::clicked, this, &Trepair::backupButtonClick);
    connect(openBackupButton, &QPushButton::clicked, this, &Trepair::openBackupButtonClick);
    connect(restoreButton, &QPushButton::clicked, this, &Trepair::restoreButtonClick);
}

QString Trepair::defaultBackupPath() {
    return QStringLiteral("D:\\beifen.mdb");
}

QString Trepair::databaseFileProblem(const QString& path) {
    try {
        db::Connection c;
        c.openFile(path, kDatabasePassword);
        const QStringList missing = missingTables(c);
        if (!missing.isEmpty())
            return QStringLiteral("文件缺少数据表：%1").arg(missing.join(QStringLiteral("、")));
        return {};
    } catch (const db::DbError& e) {
        return e.message();
    }
}

void Trepair::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (connectionClosed_)
        return;
    connectionClosed_ = true;
    if (Tdmfm* dm = Tdmfm::instance()) {
        dm->ADOConnection1->close();
        // Rows read through the closed connection are no longer current.
        for (db::Dataset* d : dm->findChildren<db::Dataset*>())
            d->close();
    }
    const QString saved = SettingsStore::read(kKeyNembraJxc, kSaveValue);
    if (!saved.isEmpty())
        backupPathBox->setText(saved);
}

void Trepair::closeEvent(QCloseEvent* event) {
    if (!runCommand(this, [this] { reopenDatabase(); })) {
        // Without a database the main window cannot work: stay, so that a
        // valid copy can be restored.
        event->ignore();
        return;
    }
    connectionClosed_ = false;
    if (afterReopen_)
        runCommand(this, afterReopen_);
    QWidget::closeEvent(event);
}

void Trepair::reopenDatabase() {
    Tdmfm* dm = Tdmfm::instance();
    if (!dm)
        return;
    if (!dm->ADOConnection1->isOpen()) {
        dm->reopen();
        const QStringList missing = missingTables(*dm->ADOConnection1);
        if (!missing.isEmpty()) {
            dm->ADOConnection1->close();
            throw db::DbError(
                QStringLiteral("数据库文件缺少数据表：%1").arg(missing.join(QStringLiteral("、"))));
        }
    }
    dm->ADOTable5->open();
    dm->ADOTable2->open();
}

void Trepair::backupButtonClick() {
    QString target = backupPathBox->text();
    if (QFileInfo(target).isDir())
        target = QDir(target).filePath(kDataFile);
    QString why;
    const bool ok = platform().copyFile(this, kDataFile, target, &why);
    reportCopy(this, ok, QStringLiteral("数据库备份成功！"), QStringLiteral("数据库备份失败！"),
               why);
}

void Trepair::openBackupButtonClick() {
    const QString chosen =
        platform().openFileName(this, QStringLiteral("打开备份文件"), QString(), QString());
    if (!chosen.isEmpty())
        lastChosenFile_ = chosen;
    restorePathBox->setText(lastChosenFile_);
}

void Trepair::restoreButtonClick() {
    const QString source = restorePathBox->text();
    if (source.isEmpty() || !QFileInfo(source).isFile()) {
        platform().information(this, QStringLiteral("备份数据库没找到!"));
        return;
    }
    // Only a file that opens as this program's database may replace the live
    // one; the copy is written beside data.mdb and renamed over it.
    QString why = databaseFileProblem(source);
    const bool ok = why.isEmpty() && platform().copyFile(this, source, kDataFile, &why);
    reportCopy(this, ok, QStringLiteral("数据库恢复成功！"), QStringLiteral("数据库恢复失败！"),
               why);
}

} // namespace tolvi
