#include "import/Texcell.h"

#include "data/Schema.h"
#include "data/db/DbError.h"
#include "import/ImportPicture.h"
#include "import/WorkbookLoader.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace tolvi {
namespace {

const QString kCaption = QStringLiteral("警告");

QLabel* instructionLine(const QString& text, QWidget* parent) {
    auto* line = new QLabel(text, parent);
    line->setWordWrap(true);
    return line;
}

} // namespace

Texcell::Texcell(std::function<void()> showAllRecords, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      showAllRecords_(std::move(showAllRecords)) {
    setWindowTitle(QStringLiteral("Excel导入数据库"));
    setAccessibleName(windowTitle());
    setModal(true);
    setFixedSize(419, 366);

    warningLabel = new QLabel(QStringLiteral("警告：导入前请您务必先备份数据库"), this);
    warningLabel->setGeometry(12, 10, 395, 24);
    warningLabel->setAlignment(Qt::AlignCenter);
    warningLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));

    workbookLabel = new QLabel(QStringLiteral("Execl路径："), this);
    workbookLabel->setGeometry(12, 46, 80, 24);
    workbookPath = new QLineEdit(this);
    workbookPath->setGeometry(92, 46, 200, 24);
    workbookLabel->setBuddy(workbookPath);
    workbookPath->setAccessibleName(workbookLabel->text());
    openWorkbookButton = new QPushButton(QStringLiteral("打开Excel文件"), this);
    openWorkbookButton->setGeometry(298, 45, 109, 26);
    openWorkbookButton->setAccessibleName(openWorkbookButton->text());

    databaseLabel = new QLabel(QStringLiteral("数据库路径："), this);
    databaseLabel->setGeometry(12, 82, 80, 24);
    databasePath = new QLineEdit(this);
    databasePath->setGeometry(92, 82, 200, 24);
    databaseLabel->setBuddy(databasePath);
    databasePath->setAccessibleName(databaseLabel->text());
    chooseDatabaseButton = new QPushButton(QStringLiteral("选择数据库"), this);
    chooseDatabaseButton->setGeometry(298, 81, 109, 26);
    chooseDatabaseButton->setAccessibleName(chooseDatabaseButton->text());

    importButton = new QPushButton(this);
    importButton->setGeometry(92, 120, 170, 52);
    const QPixmap picture = importPicture(QSize(160, 42));
    importButton->setIcon(QIcon(picture));
    importButton->setIconSize(picture.size());
    importButton->setAccessibleName(importPictureText());
    importButton->setToolTip(importPictureText());

    helpLink = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color:blue; "
                                         "text-decoration:underline;\">详细使用说明</a>")
                              .arg(kImportHelpUrl),
                          this);
    helpLink->setGeometry(290, 134, 110, 24);
    helpLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    helpLink->setFocusPolicy(Qt::StrongFocus);
    helpLink->setCursor(Qt::PointingHandCursor);
    helpLink->setAccessibleName(QStringLiteral("详细使用说明"));
    // Through the platform layer rather than Qt's own link opening.
    helpLink->setOpenExternalLinks(false);
    connect(helpLink, &QLabel::linkActivated, this,
            [](const QString& url) { platform().openUrl(QUrl(url)); });

    instructions = new QGroupBox(QStringLiteral("导入使用说明"), this);
    instructions->setGeometry(10, 186, 399, 170);
    auto* lines = new QVBoxLayout(instructions);
    lines->addWidget(instructionLine(
        QStringLiteral("1、将淘宝中成功付款等待发货打印的订单生成报表保存到电脑上，文件为CSV格式"),
        instructions));
    lines->addWidget(instructionLine(
        QStringLiteral(
            "2、将文件用EXCEL打开，右键左下角的工作表重命名为brimvale，然后另存为普通的xls格式。"),
        instructions));
    lines->addWidget(instructionLine(
        QStringLiteral("3、导入成功后，到主界面点“全部记录”进行查看，然后分别点批量导入下面的按钮进"
                       "行优化。"),
        instructions));
    lines->addStretch();

    ADOConnection1 = new db::Connection(this);

    connect(openWorkbookButton, &QPushButton::clicked, this, &Texcell::openWorkbookButtonClick);
    connect(chooseDatabaseButton, &QPushButton::clicked, this, &Texcell::chooseDatabaseButtonClick);
    connect(importButton, &QPushButton::clicked, this, &Texcell::importOrders);

    setTabOrder(workbookPath, openWorkbookButton);
    setTabOrder(openWorkbookButton, databasePath);
    setTabOrder(databasePath, chooseDatabaseButton);
    setTabOrder(chooseDatabaseButton, importButton);
    setTabOrder(importButton, helpLink);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

Texcell::~Texcell() = default;

void Texcell::setShowAllRecords(std::function<void()> showAllRecords) {
    showAllRecords_ = std::move(showAllRecords);
}

void Texcell::warn(const QString& text) {
    QWidget* owner = QApplication::activeWindow();
    platform().warning(owner ? owner : this, text, kCaption);
}

void Texcell::openWorkbookButtonClick() {
    const QString file = platform().openFileName(
        this, QStringLiteral("请选择相应的Excel文件"), QString(),
        QStringLiteral("Excel或CSV(*.xls *.csv);;Excel(*.xls);;CSV(*.csv)"));
    if (!file.isEmpty())
        workbookPath->setText(file);
}

void Texcell::chooseDatabaseButtonClick() {
    const QString file = platform().openFileName(this, QStringLiteral("请选择相应的MDB文件"),
                                                 QString(), QStringLiteral("access (*.mdb)"));
    if (!file.isEmpty())
        databasePath->setText(file);
}

void Texcell::importOrders() {
    const QString workbook = workbookPath->text().trimmed();
    const QString database = databasePath->text().trimmed();
    if (workbook.isEmpty() || database.isEmpty()) {
        warn(QStringLiteral("请正确选择相关路径！"));
        return;
    }
    installWorkbookLoader();
    ADOConnection1->close();
    try {
        ADOConnection1->open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                             database +
                             QStringLiteral(";Persist Security Info=false;Jet OLEDB:Database "
                                            "Password=") +
                             kDatabasePassword);
    } catch (const std::exception&) {
        warn(QStringLiteral("连接ACCESS失败！请联系技术客服QQ:") + kSupportQq);
        return;
    }
    // One statement, so SQLite stores every row or, when one row fails, none.
    try {
        ADOConnection1->exec(
            QStringLiteral("INSERT INTO  data ([a], [b], [c], [d], [g], [1], "
                           "[2],[h],[i],[j],[k],[day1],[z]) SELECT "
                           "收货人姓名,联系手机,收货地址,运送方式,订单状态,宝贝总数量,"
                           "买家实际支付金额,宝贝标题,买家会员名,订单编号,买家留言,订单付款时间,"
                           "订单状态 FROM [excel 8.0;database=") +
            workbook + QStringLiteral("].[brimvale$]"));
    } catch (const std::exception&) {
        warn(QStringLiteral("批量EXCEL导入失败！请联系官网技术QQ客服"));
        return;
    }
    warn(QStringLiteral("批量EXCEL导入成功！请退出在主界面中点全部记录查看"));
    if (showAllRecords_)
        showAllRecords_();
}

void Texcell::hideEvent(QHideEvent* event) {
    ADOConnection1->close();
    QDialog::hideEvent(event);
}

} // namespace tolvi
