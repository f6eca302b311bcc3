#include "shipments/EntryPanel.h"

#include "data/Mylib.h"
#include "data/db/Dataset.h"
#include "platform/Platform.h"

#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace tolvi {
namespace {

constexpr int kCollapsedHeight = 175;
constexpr int kExpandedHeight = 320;

bool isEnter(const QKeyEvent* k) {
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}

} // namespace

double textToFloat(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok)
        throw db::DbError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

QString textToDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,4})-(\d{1,2})-(\d{1,2})\s*$)"));
    const auto m = re.match(text);
    const QDate d = m.hasMatch()
                        ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt())
                        : QDate();
    if (!d.isValid())
        throw db::DbError(QStringLiteral("'%1' is not a valid date").arg(text));
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

EntryPanel::EntryPanel(db::Dataset* list, db::Dataset* appender, Hooks hooks, QWidget* parent)
    : FloatingPanel(parent), list_(list), appender_(appender), hooks_(std::move(hooks)) {
    setAccessibleName(QStringLiteral("记录编辑"));
    name_ = new QLineEdit;
    mobile_ = new QLineEdit;
    address_ = new QLineEdit;
    date_ = new QLineEdit;
    date_->setInputMask(QStringLiteral("0000-00-00; "));
    courier_ = new QComboBox;
    courier_->setEditable(true);
    courier_->setInsertPolicy(QComboBox::NoInsert);
    status_ = new QComboBox;
    status_->setEditable(true);
    status_->setInsertPolicy(QComboBox::NoInsert);
    status_->addItems({QStringLiteral("未打印"), QStringLiteral("已打印")});
    status_->setCurrentIndex(0);
    goods_ = new QLineEdit;
    amount_ = new QLineEdit(QStringLiteral("0"));
    member_ = new QLineEdit;
    quantity_ = new QLineEdit(QStringLiteral("1"));
    order_ = new QLineEdit;
    remarks_ = new QLineEdit;

    placeField(this, QStringLiteral("收件人姓名："), name_, 8, 24, 96);
    placeField(this, QStringLiteral("收件人手机："), mobile_, 196, 24, 96);
    placeField(this, QStringLiteral("收件地址："), address_, 8, 54, 316);
    placeField(this, QStringLiteral("付款日期："), date_, 8, 84, 96);
    placeField(this, QStringLiteral("快递方式："), courier_, 196, 84, 116);
    placeField(this, QStringLiteral("打印状态："), status_, 8, 114, 96);
    placeField(this, QStringLiteral("商品名称："), goods_, 8, 184, 160);
    placeField(this, QStringLiteral("销售金额："), amount_, 264, 184, 80);
    placeField(this, QStringLiteral("买家会员名："), member_, 8, 214, 160);
    placeField(this, QStringLiteral(" 数 量："), quantity_, 264, 214, 80);
    placeField(this, QStringLiteral("订单编号："), order_, 8, 244, 160);
    placeField(this, QStringLiteral("备 注："), remarks_, 264, 244, 160);

    newButton_ = new QPushButton(QStringLiteral("新 建"), this);
    newButton_->setGeometry(470, 30, 84, 40);
    modifyButton_ = new QPushButton(QStringLiteral("修 改"), this);
    modifyButton_->setGeometry(470, 80, 84, 40);
    more_ = new QPushButton(QStringLiteral("更多.."), this);
    more_->setGeometry(196, 114, 70, 24);
    clearAll_ = new QPushButton(QStringLiteral("全部清空"), this);
    clearAll_->setGeometry(470, 280, 84, 28);
    for (QPushButton* b : {newButton_, modifyButton_, more_, clearAll_}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
    }
    newButton_->hide();
    modifyButton_->hide();

    resize(569, kCollapsedHeight);
    move(192, 91);

    connect(newButton_, &QPushButton::clicked, this, &EntryPanel::saveNew);
    connect(modifyButton_, &QPushButton::clicked, this, &EntryPanel::saveModified);
    connect(more_, &QPushButton::clicked, this, &EntryPanel::toggleExpanded);
    connect(clearAll_, &QPushButton::clicked, this, &EntryPanel::clearPanel);
    connect(this, &FloatingPanel::closeClicked, this, &EntryPanel::closePanel);

    for (QWidget* w : {static_cast<QWidget*>(name_), static_cast<QWidget*>(mobile_),
                       static_cast<QWidget*>(address_), static_cast<QWidget*>(date_),
                       static_cast<QWidget*>(courier_->lineEdit()),
                       static_cast<QWidget*>(status_->lineEdit()), static_cast<QWidget*>(quantity_),
                       static_cast<QWidget*>(amount_), static_cast<QWidget*>(remarks_)})
        w->installEventFilter(this);
    setTabOrder(name_, mobile_);
    setTabOrder(mobile_, address_);
    setTabOrder(address_, date_);
    setTabOrder(date_, courier_);
    setTabOrder(courier_, status_);
    setTabOrder(status_, goods_);
    setTabOrder(goods_, amount_);
    setTabOrder(amount_, member_);
    setTabOrder(member_, quantity_);
    setTabOrder(quantity_, order_);
    setTabOrder(order_, remarks_);
    setDateToNow();
    hide(); // shown only when called
}

void EntryPanel::setCourierNames(const QStringList& names) {
    const QString text = courier_->currentText();
    courier_->clear();
    courier_->addItems(names);
    courier_->setCurrentIndex(-1);
    courier_->setEditText(text);
}

bool EntryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return FloatingPanel::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == quantity_ || watched == amount_) {
        const QString t = key->text();
        const bool allowed = isEnter(key) || key->key() == Qt::Key_Backspace ||
                             key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                             (t.size() == 1 && (t.at(0).isDigit() || t.at(0) == QLatin1Char('.')) &&
                              t.at(0).unicode() < 128);
        if (!allowed)
            return true;
    }
    if (!isEnter(key))
        return FloatingPanel::eventFilter(watched, event);
    QWidget* next = nullptr;
    if (watched == name_)
        next = mobile_;
    else if (watched == mobile_)
        next = address_;
    else if (watched == address_)
        next = date_;
    else if (watched == date_)
        next = courier_;
    else if (watched == courier_->lineEdit())
        next = status_;
    else if (watched == quantity_)
        next = amount_;
    else if (watched == amount_)
        next = remarks_;
    else if (watched == remarks_)
        next = newButton_->isVisible() ? newButton_ : modifyButton_;
    if (next) {
        next->setFocus();
        return true;
    }
    return FloatingPanel::eventFilter(watched, event);
}

bool EntryPanel::dateIsEmpty() const {
    QString digits = date_->text();
    digits.remove(QLatin1Char('-'));
    return digits.trimmed().isEmpty();
}

void EntryPanel::setDateToNow() {
    date_->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

bool EntryPanel::isExpanded() const {
    return height() > kCollapsedHeight;
}

void EntryPanel::toggleExpanded() {
    resize(width(), isExpanded() ? kCollapsedHeight : kExpandedHeight);
}

void EntryPanel::openForNew() {
    show();
    raise();
    if (hooks_.defaultCourier)
        courier_->setEditText(hooks_.defaultCourier());
    clearPanel();
    modifyButton_->hide();
    newButton_->show();
    name_->setFocus();
}

void EntryPanel::openForModify(bool fromPopup) {
    runCommand(window(), [&] {
        if (!list_->isOpen() || list_->recNo() < 0)
            return;
        modifyRowid_ = list_->rowid(list_->recNo());
        if (!list_->fieldByName(QStringLiteral("a")).asString().isEmpty()) {
            show();
            raise();
            auto text = [&](const char* f) {
                return list_->fieldByName(QString::fromLatin1(f)).asString();
            };
            courier_->setEditText(text("d"));
            status_->setEditText(text("g"));
            // A stored payment time shows as its date part in the date field.
            date_->setText(text("day1").left(10));
            name_->setText(text("a"));
            mobile_->setText(text("b"));
            address_->setText(text("c"));
            quantity_->setText(text("1"));
            amount_->setText(text("2"));
            remarks_->setText(text("z"));
            member_->setText(text("i"));
            order_->setText(text("j"));
            goods_->setText(text("h"));
            modifyButton_->show();
            modifyButton_->setEnabled(true);
            if (fromPopup)
                newButton_->hide();
        } else if (!fromPopup) {
            modifyButton_->show();
            modifyButton_->setEnabled(true);
        }
    });
}

bool EntryPanel::checkInputs() {
    if (!requireComboText(courier_, QStringLiteral("默认快递必须输入！")) ||
        !requireComboText(status_, QStringLiteral("打印状态必须输入！")) ||
        !requireEditText(name_, QStringLiteral("收件人姓名必须输入！")) ||
        !requireEditText(mobile_, QStringLiteral("收件人手机必须输入！")) ||
        !requireEditText(address_, QStringLiteral("收件人地址必须输入！")))
        return false;
    if (dateIsEmpty()) {
        platform().information(window(), QStringLiteral("日期必须输入"));
        return false;
    }
    return true;
}

QList<std::pair<QString, QVariant>> EntryPanel::fieldValues() const {
    const double quantity = textToFloat(quantity_->text());
    const double amount = textToFloat(amount_->text());
    const QString day = textToDate(date_->text());
    return {{QStringLiteral("d"), trimBlanksAndControls(courier_->currentText())},
            {QStringLiteral("g"), trimBlanksAndControls(status_->currentText())},
            {QStringLiteral("day1"), day},
            {QStringLiteral("a"), trimBlanksAndControls(name_->text())},
            {QStringLiteral("b"), trimBlanksAndControls(mobile_->text())},
            {QStringLiteral("c"), trimBlanksAndControls(address_->text())},
            {QStringLiteral("1"), quantity},
            {QStringLiteral("2"), amount},
            {QStringLiteral("z"), trimBlanksAndControls(remarks_->text())},
            {QStringLiteral("h"), trimBlanksAndControls(goods_->text())},
            {QStringLiteral("i"), trimBlanksAndControls(member_->text())},
            {QStringLiteral("j"), trimBlanksAndControls(order_->text())}};
}

void EntryPanel::saveNew() {
    if (!checkInputs())
        return;
    runCommand(window(), [&] {
        const auto values = fieldValues();
        if (!appender_->isOpen())
            appender_->open();
        appender_->append();
        try {
            for (const auto& [field, value] : values)
                appender_->setValue(field, value);
            appender_->post();
        } catch (...) {
            appender_->cancel();
            throw;
        }
        if (hooks_.showSuccessTip)
            hooks_.showSuccessTip(QStringLiteral("新建记录成功..."));
        clearPanel();
        if (hooks_.showAllRecords)
            hooks_.showAllRecords();
        modifyButton_->setEnabled(false);
    });
}

void EntryPanel::saveModified() {
    if (!checkInputs())
        return;
    runCommand(window(), [&] {
        const auto values = fieldValues();
        int row = -1;
        for (int i = 0; i < list_->recordCount(); ++i)
            if (list_->rowid(i) == modifyRowid_) {
                row = i;
                break;
            }
        if (row < 0)
            throw db::DbError(QStringLiteral("要修改的记录已不在列表中，请重新选择。"));
        list_->moveTo(row);
        list_->edit();
        try {
            for (const auto& [field, value] : values)
                list_->setValue(field, value);
            list_->post();
        } catch (...) {
            list_->cancel();
            throw;
        }
        if (hooks_.showAllRecords)
            hooks_.showAllRecords();
        hide();
        if (hooks_.showSuccessTip)
            hooks_.showSuccessTip(QStringLiteral("修改记录成功..."));
        clearPanel();
        modifyButton_->setEnabled(false);
    });
}

void EntryPanel::deleteSelected() {
    if (platform().question(window(), QStringLiteral("你真的要删除选中资料吗？"),
                            QStringLiteral("警告！"), MsgButtons::OkCancel,
                            MsgButton::Cancel) != MsgButton::Ok)
        return;
    runCommand(window(), [&] {
        const QList<int> rows = hooks_.selectedRows ? hooks_.selectedRows() : QList<int>{};
        QList<qint64> rowids;
        for (int r : rows)
            if (r >= 0 && r < list_->recordCount())
                rowids.append(list_->rowid(r));
        int deleted = 0;
        for (qint64 id : rowids) {
            for (int i = 0; i < list_->recordCount(); ++i)
                if (list_->rowid(i) == id) {
                    list_->moveTo(i);
                    list_->deleteCurrent();
                    ++deleted;
                    break;
                }
        }
        if (deleted > 0 && hooks_.showSuccessTip)
            hooks_.showSuccessTip(QStringLiteral("删除记录成功..."));
    });
}

void EntryPanel::clearPanel() {
    quantity_->setText(QStringLiteral("1"));
    amount_->setText(QStringLiteral("0"));
    for (QLineEdit* e : {name_, mobile_, address_, goods_, remarks_, member_, order_})
        e->clear();
}

void EntryPanel::closePanel() {
    hide();
    clearPanel();
    modifyButton_->setEnabled(false);
}

} // namespace tolvi
