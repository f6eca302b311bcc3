#include "sales/SalesPanel.h"

#include "data/Dm.h"
#include "data/Mylib.h"
#include "data/Pinyin.h"
#include "platform/Icons.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "sales/SaleMath.h"
#include "sales/UpDownButtons.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <algorithm>

namespace tolvi {
namespace {

const QString kPriceHint = QStringLiteral("利用回车Enter键和Tab键进行切换");

QLabel* valueLabel(QWidget* parent, const QString& caption, int x, int y) {
    auto* value = new QLabel(parent);
    // The highlight colour reads well on every skin, light or dark.
    value->setStyleSheet(QStringLiteral("color: palette(highlight);"));
    placeField(parent, caption, value, x, y, 190);
    return value;
}

// The fixed goods picture: a parcel with its tape.
QPixmap goodsPicture() {
    QPixmap pm(76, 76);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 80, 30), 2));
    p.setBrush(QColor(222, 178, 110));
    p.drawRect(10, 22, 56, 46);
    p.setBrush(QColor(240, 205, 140));
    const QPointF lid[] = {{10, 22}, {22, 8}, {78 - 12, 8}, {66, 22}};
    p.drawPolygon(lid, 4);
    p.setPen(QPen(QColor(170, 40, 40), 5));
    p.drawLine(38, 8, 38, 68);
    return pm;
}

QString dateText(const QDate& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

struct SalesPanel::SaleValues {
    double price = 0, quantity = 0, amount = 0, profit = 0, debt = 0, purchase = 0;
    double newSold = 0, newAmount = 0, newStock = 0, newStockAmount = 0;
    QString saleDate;
    QVariant inStockDate; // NULL when the goods record has none
};

SalesPanel::SalesPanel(Tdmfm* dm, QWidget* parent) : FloatingPanel(parent), dm_(dm) {
    setObjectName(QStringLiteral("Panel1"));
    setAccessibleName(QStringLiteral("销售录入"));
    connect(this, &FloatingPanel::closeClicked, this, &SalesPanel::closeSalePanel);
    build();
    setSaleDateToToday();
    hide();
}

void SalesPanel::build() {
    setFixedSize(624, 262);
    const int left = 4, right = 316;

    nameLabel_ = valueLabel(this, QStringLiteral("商品名称："), left, 8);
    modelLabel_ = valueLabel(this, QStringLiteral("规格型号："), left, 32);
    codeLabel_ = valueLabel(this, QStringLiteral("商品编码："), left, 56);
    categoryLabel_ = valueLabel(this, QStringLiteral("类 别："), left, 80);
    suggestedLabel_ = valueLabel(this, QStringLiteral("建议销售价："), left, 104);

    price_ = new QLineEdit;
    price_->setToolTip(kPriceHint);
    placeField(this, QStringLiteral("实际销售价："), price_, left, 132, 80);
    discount_ = new QLineEdit(QStringLiteral("100"), this);
    discount_->setGeometry(left + 84 + 86, 132, 38, 22);
    discount_->setAccessibleName(QStringLiteral("折扣"));
    discountUpDown_ = new UpDownButtons(discount_, 5, 0, 100, this);
    discountUpDown_->setGeometry(left + 84 + 124, 132, 16, 22);
    auto* zhe = new QLabel(QStringLiteral("折"), this);
    zhe->setGeometry(left + 84 + 144, 132, 20, 22);

    quantity_ = new QLineEdit(QStringLiteral("1"));
    placeField(this, QStringLiteral("销售数量："), quantity_, left, 158, 80);
    quantityUpDown_ = new UpDownButtons(quantity_, 1, 0, 1e9, this);
    quantityUpDown_->setGeometry(left + 84 + 80, 158, 16, 22);

    stock_ = new QLineEdit;
    stock_->setReadOnly(true);
    placeField(this, QStringLiteral("库存数量："), stock_, left, 184, 80);
    amount_ = new QLineEdit;
    amount_->setReadOnly(true);
    placeField(this, QStringLiteral("销售金额："), amount_, left, 210, 80);
    debt_ = new QLineEdit(QStringLiteral("0"));
    placeField(this, QStringLiteral("欠款金额："), debt_, left, 236, 80);

    auto* picture = new QLabel(this);
    picture->setPixmap(goodsPicture());
    picture->setGeometry(right + 12, 8, 76, 76);
    picture->setAccessibleName(QStringLiteral("商品图片"));
    save_ = new QToolButton(this);
    save_->setIcon(
        QIcon(captionPicture(QStringLiteral("销售保存"), QColor(0, 128, 128), QSize(150, 44))));
    save_->setIconSize(QSize(150, 44));
    save_->setGeometry(right + 120, 28, 156, 50);
    save_->setText(QStringLiteral("销售保存"));
    save_->setAccessibleName(QStringLiteral("销售保存"));
    save_->setToolTip(QStringLiteral("销售保存"));
    save_->setAutoRaise(true);

    date_ = new QLineEdit;
    date_->setInputMask(QStringLiteral("0000-00-00; "));
    placeField(this, QStringLiteral("销售日期："), date_, right, 106, 96);
    datePick_ = new QToolButton(this);
    datePick_->setArrowType(Qt::DownArrow);
    datePick_->setGeometry(right + 84 + 96, 106, 18, 22);
    datePick_->setAccessibleName(QStringLiteral("选择销售日期"));
    datePick_->setFocusPolicy(Qt::NoFocus);

    customerNumber_ = new QLineEdit;
    placeField(this, QStringLiteral("客户编号："), customerNumber_, right, 132, 110);
    plus_ = new QToolButton(this);
    plus_->setText(QStringLiteral("+"));
    plus_->setAccessibleName(QStringLiteral("+"));
    plus_->setGeometry(right + 84 + 112, 132, 22, 22);
    auto* note = new QLabel(QStringLiteral("销售单打印必填"), this);
    note->setStyleSheet(QStringLiteral("color: red;"));
    note->setGeometry(right + 84 + 138, 132, 90, 22);

    customerName_ = new QComboBox;
    customerName_->setEditable(true);
    customerName_->setInsertPolicy(QComboBox::NoInsert);
    placeField(this, QStringLiteral("客户名称："), customerName_, right, 158, 210);
    customerName_->lineEdit()->setAccessibleName(QStringLiteral("客户名称"));
    address_ = new QLineEdit;
    placeField(this, QStringLiteral("地 址："), address_, right, 184, 210);
    contact_ = new QLineEdit;
    placeField(this, QStringLiteral("联系方式："), contact_, right, 210, 210);
    remark_ = new QLineEdit;
    placeField(this, QStringLiteral("备 注："), remark_, right, 236, 210);

    // The designed buttons that sit below the panel's visible area.
    int x = 4;
    for (const QString& caption :
         {QStringLiteral("计算"), QStringLiteral("销售确认"), QStringLiteral("增加销售"),
          QStringLiteral("清空"), QStringLiteral("客户编号")}) {
        auto* b = new QPushButton(caption, this);
        b->setAccessibleName(caption);
        b->setGeometry(x, height() + 8, 70, 24);
        b->setFocusPolicy(Qt::NoFocus);
        x += 74;
        offPanel_.append(b);
    }
    connect(offPanel_[0], &QPushButton::clicked, this, [this] { run([this] { computeSale(); }); });
    connect(offPanel_[1], &QPushButton::clicked, this, [this] { run([this] { confirmSale(); }); });
    connect(offPanel_[2], &QPushButton::clicked, this,
            [this] { run([this] { appendSalesRecord(); }); });
    connect(offPanel_[3], &QPushButton::clicked, this, [this] { clearSaleInputs(); });
    connect(offPanel_[4], &QPushButton::clicked, this, [this] { newCustomerNumber(); });
    connect(plus_, &QToolButton::clicked, this, [this] { nextCustomerNumber(); });
    connect(save_, &QToolButton::clicked, this, [this] { run([this] { saveSale(); }); });
    connect(datePick_, &QToolButton::clicked, this, &SalesPanel::pickDate);

    // Number boxes: digits and "." only, also when pasted.
    auto* numbers =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), this);
    for (QLineEdit* box : {price_, discount_, quantity_}) {
        box->setValidator(numbers);
        box->installEventFilter(this);
    }
    for (QWidget* w : {static_cast<QWidget*>(date_), static_cast<QWidget*>(customerNumber_),
                       static_cast<QWidget*>(customerName_->lineEdit()),
                       static_cast<QWidget*>(address_), static_cast<QWidget*>(contact_)})
        w->installEventFilter(this);

    connect(price_, &QLineEdit::textChanged, this, &SalesPanel::recomputeAmount);
    connect(quantity_, &QLineEdit::textChanged, this, &SalesPanel::recomputeAmount);
    connect(discount_, &QLineEdit::textChanged, this, &SalesPanel::applyDiscount);
    connect(customerNumber_, &QLineEdit::textChanged, this, [](const QString& text) {
        SettingsStore::write(kKeyKdd, QStringLiteral("ordernumber"), text);
    });

    setTabOrder(price_, discount_);
    setTabOrder(discount_, quantity_);
    setTabOrder(quantity_, debt_);
    setTabOrder(debt_, date_);
    setTabOrder(date_, customerNumber_);
    setTabOrder(customerNumber_, customerName_);
    setTabOrder(customerName_, address_);
    setTabOrder(address_, contact_);
    setTabOrder(contact_, remark_);
    for (QWidget* w : {static_cast<QWidget*>(stock_), static_cast<QWidget*>(amount_)})
        w->setFocusPolicy(Qt::ClickFocus);
}

QPushButton* SalesPanel::button(const QString& caption) const {
    for (QPushButton* b : offPanel_)
        if (b->text() == caption)
            return b;
    return nullptr;
}

void SalesPanel::run(const std::function<void()>& command) {
    runCommand(this, command);
}

bool SalesPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return FloatingPanel::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter) {
        QWidget* next = nullptr;
        if (watched == price_)
            next = discount_;
        else if (watched == discount_)
            next = quantity_;
        else if (watched == quantity_)
            next = debt_;
        else if (watched == date_)
            next = customerNumber_;
        else if (watched == customerNumber_)
            next = customerName_;
        else if (watched == customerName_->lineEdit())
            next = address_;
        else if (watched == address_)
            next = contact_;
        else if (watched == contact_)
            next = remark_;
        if (next) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
        return FloatingPanel::eventFilter(watched, event);
    }
    if (watched == price_ || watched == discount_ || watched == quantity_) {
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit() &&
            text.at(0) != QLatin1Char('.'))
            return true; // digits, ".", Backspace and Enter only
    }
    return FloatingPanel::eventFilter(watched, event);
}

GoodsRecord SalesPanel::goodsRecordOfCurrentRow(Tdmfm* dm) {
    db::Dataset* list = dm->ADOQuery15;
    auto text = [&](const char* f) { return list->fieldByName(QString::fromLatin1(f)).asString(); };
    auto number = [&](const char* f) {
        return list->fieldByName(QString::fromLatin1(f)).asFloat();
    };
    GoodsRecord g;
    g.name = text("a");
    g.model = text("b");
    g.code = text("c");
    g.category = text("d");
    // The suggested price lives in [4], a column neither the shipments nor
    // the other sales statements use.
    g.suggestedPrice = text("4");
    g.purchasePrice =
        generalNumber(purchaseUnitPrice(number("2"), number("3"), number("7"), number("8")));
    // Goods counts never written read as 0 rather than failing the sale.
    g.stockQuantity = generalNumber(number("7"));
    g.quantitySold = generalNumber(number("5"));
    g.salesAmount = generalNumber(number("6"));
    g.inStockDate = text("day1");
    return g;
}

bool SalesPanel::openForGoodsRecord() {
    db::Dataset* list = dm_->ADOQuery15;
    if (!list->isOpen() || list->recNo() < 0) {
        platform().warning(this, QStringLiteral("请先在列表中选择要销售的商品记录！"));
        return false;
    }
    setGoodsValues(goodsRecordOfCurrentRow(dm_), list->rowid(list->recNo()));
    show();
    if (parentWidget())
        raise();
    price_->setFocus();
    return true;
}

void SalesPanel::setGoodsValues(const GoodsRecord& goods, qint64 listRowid) {
    goods_ = goods;
    rowid_ = listRowid;
    nameLabel_->setText(goods.name);
    modelLabel_->setText(goods.model);
    codeLabel_->setText(goods.code);
    categoryLabel_->setText(goods.category);
    suggestedLabel_->setText(goods.suggestedPrice);
    stock_->setText(goods.stockQuantity);
    newSold_.clear();
    newAmount_.clear();
    newStock_.clear();
    newStockAmount_.clear();
    profit_.clear();
}

void SalesPanel::recomputeAmount() {
    if (price_->text().isEmpty() || quantity_->text().isEmpty())
        return;
    const auto p = parseSaleNumber(price_->text());
    const auto q = parseSaleNumber(quantity_->text());
    if (p && q) // a half-typed number such as "." waits for the next key
        amount_->setText(generalNumber(*p * *q));
}

void SalesPanel::applyDiscount() {
    if (goods_.suggestedPrice.isEmpty() || discount_->text().isEmpty())
        return;
    const auto d = parseSaleNumber(discount_->text());
    const auto s = parseSaleNumber(goods_.suggestedPrice);
    if (d && s)
        price_->setText(generalNumber(*d * *s / 100));
}

namespace {

// A number of a named field; warns, focuses the box and returns nullopt when
// the text is no number.
std::optional<double> fieldNumber(QWidget* owner, QWidget* box, const QString& text,
                                  const QString& caption) {
    const auto v = parseSaleNumber(text);
    if (!v) {
        platform().warning(owner, caption + QStringLiteral("不是有效的数字：") + text.trimmed());
        if (box)
            box->setFocus();
    }
    return v;
}

} // namespace

bool SalesPanel::computeSale() {
    if (price_->text().isEmpty() || quantity_->text().isEmpty())
        return true;
    const auto p = fieldNumber(this, price_, price_->text(), QStringLiteral("实际销售价"));
    if (!p)
        return false;
    const auto q = fieldNumber(this, quantity_, quantity_->text(), QStringLiteral("销售数量"));
    if (!q)
        return false;
    const auto s = fieldNumber(this, nullptr, goods_.stockQuantity, QStringLiteral("库存数量"));
    const auto q0 = fieldNumber(this, nullptr, goods_.quantitySold, QStringLiteral("已售数量"));
    const auto a0 = fieldNumber(this, nullptr, goods_.salesAmount, QStringLiteral("已售金额"));
    const auto b = fieldNumber(this, nullptr, goods_.purchasePrice, QStringLiteral("进货单价"));
    if (!s || !q0 || !a0 || !b)
        return false;
    const SaleFigures f = computeSaleFigures(*p, *q, *s, *q0, *a0, *b);
    amount_->setText(f.salesAmount);
    newAmount_ = f.newSalesAmount;
    newStock_ = f.newStockQuantity;
    newStockAmount_ = f.newStockAmount;
    newSold_ = f.newQuantitySold;
    profit_ = f.profit;
    return true;
}

bool SalesPanel::quantityPasses() {
    // An empty quantity is reported by the required check further on.
    if (quantity_->text().trimmed().isEmpty())
        return true;
    const auto q = fieldNumber(this, quantity_, quantity_->text(), QStringLiteral("销售数量"));
    if (!q)
        return false;
    if (*q == 0) {
        platform().warning(this, QStringLiteral("销售数量不能为0"));
        return false;
    }
    const auto s = fieldNumber(this, nullptr, stock_->text(), QStringLiteral("库存数量"));
    if (!s)
        return false;
    if (*q > *s) {
        platform().warning(this, QStringLiteral("库存不足"));
        quantity_->setText(stock_->text());
        return false;
    }
    return true;
}

bool SalesPanel::saleDateIsEmpty() const {
    QString digits = date_->text();
    digits.remove(QLatin1Char('-'));
    return digits.trimmed().isEmpty();
}

void SalesPanel::setSaleDate(const QDate& day) {
    date_->setText(dateText(day));
}

void SalesPanel::setSaleDateReadOnly(bool readOnly) {
    date_->setReadOnly(readOnly);
    datePick_->setEnabled(!readOnly);
}

void SalesPanel::pickDate() {
    if (date_->isReadOnly())
        return;
    auto* calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setAccessibleName(QStringLiteral("销售日期"));
    if (const auto d = parseSaleDate(date_->text()))
        calendar->setSelectedDate(*d);
    connect(calendar, &QCalendarWidget::clicked, this, [this, calendar](const QDate& d) {
        setSaleDate(d);
        calendar->close();
    });
    calendar->move(datePick_->mapToGlobal(QPoint(datePick_->width() - 260, datePick_->height())));
    calendar->resize(260, 180);
    calendar->show();
}

bool SalesPanel::collectSaleValues(SaleValues* v) {
    struct Number {
        double* out;
        QWidget* box;
        QString text;
        QString caption;
    };
    const Number numbers[] = {
        {&v->price, price_, price_->text(), QStringLiteral("实际销售价")},
        {&v->quantity, quantity_, quantity_->text(), QStringLiteral("销售数量")},
        {&v->debt, debt_, debt_->text(), QStringLiteral("欠款金额")},
        {&v->amount, amount_, amount_->text(), QStringLiteral("销售金额")},
        {&v->profit, nullptr, profit_, QStringLiteral("净利润")},
        {&v->purchase, nullptr, goods_.purchasePrice, QStringLiteral("进货单价")},
        {&v->newSold, nullptr, newSold_, QStringLiteral("新销售数量")},
        {&v->newAmount, nullptr, newAmount_, QStringLiteral("新销售金额")},
        {&v->newStock, nullptr, newStock_, QStringLiteral("新库存数量")},
        {&v->newStockAmount, nullptr, newStockAmount_, QStringLiteral("新库存金额")},
    };
    for (const Number& n : numbers) {
        const auto value = fieldNumber(this, n.box, n.text, n.caption);
        if (!value)
            return false;
        *n.out = *value;
    }
    const auto sold = parseSaleDate(date_->text());
    if (!sold) {
        platform().warning(this, QStringLiteral("销售日期不是有效的日期：") + date_->text());
        date_->setFocus();
        return false;
    }
    v->saleDate = dateText(*sold);
    if (goods_.inStockDate.trimmed().isEmpty()) {
        v->inStockDate = QVariant();
    } else if (const auto in = parseSaleDate(goods_.inStockDate)) {
        v->inStockDate = dateText(*in);
    } else {
        platform().warning(this,
                           QStringLiteral("商品的入库日期不是有效的日期：") + goods_.inStockDate);
        return false;
    }
    return true;
}

void SalesPanel::writeSalesRecord(const SaleValues& v) {
    db::Dataset* table = dm_->ADOTable2;
    if (!table->isOpen())
        table->open();
    const QString name = goods_.name.trimmed();
    const QString model = goods_.model.trimmed();
    table->append();
    table->setValue(QStringLiteral("a"), name);
    table->setValue(QStringLiteral("b"), model);
    table->setValue(QStringLiteral("c"), goods_.code.trimmed());
    table->setValue(QStringLiteral("d"), goods_.category.trimmed());
    table->setValue(QStringLiteral("z"), customerNumber_->text().trimmed());
    table->setValue(QStringLiteral("1"), v.purchase);
    table->setValue(QStringLiteral("2"), v.price);
    table->setValue(QStringLiteral("3"), v.quantity);
    table->setValue(QStringLiteral("4"), v.amount);
    table->setValue(QStringLiteral("a5"), v.profit);
    table->setValue(QStringLiteral("6"), v.debt);
    table->setValue(QStringLiteral("day1"), v.saleDate);
    table->setValue(QStringLiteral("day2"), v.inStockDate);
    table->setValue(QStringLiteral("e"), pinyinInitials(name));
    table->setValue(QStringLiteral("f"), pinyinInitials(model));
    table->setValue(QStringLiteral("g"), customerName_->currentText().trimmed());
    table->setValue(QStringLiteral("h"), address_->text().trimmed());
    table->setValue(QStringLiteral("i"), contact_->text().trimmed());
    table->setValue(QStringLiteral("j"), remark_->text().trimmed());
    table->post();
}

void SalesPanel::appendSalesRecord() {
    SaleValues v;
    if (!collectSaleValues(&v))
        return;
    db::Dataset* table = dm_->ADOTable2;
    try {
        writeSalesRecord(v);
    } catch (...) {
        table->cancel();
        throw;
    }
}

void SalesPanel::bookSale(const SaleValues& v) {
    db::Dataset* list = dm_->ADOQuery15;
    int at = -1;
    if (list->isOpen() && rowid_ != 0)
        for (int r = 0; r < list->recordCount() && at < 0; ++r)
            if (list->rowid(r) == rowid_)
                at = r;
    if (at < 0)
        throw db::DbError(QStringLiteral("要销售的商品记录已不在列表中，请重新选择商品。"));

    // The stock movement and the sales record are stored together or not at all.
    db::Connection* connection = dm_->ADOConnection1;
    connection->begin();
    try {
        list->moveTo(at);
        list->edit();
        list->setValue(QStringLiteral("5"), v.newSold);
        list->setValue(QStringLiteral("6"), v.newAmount);
        list->setValue(QStringLiteral("7"), v.newStock);
        list->setValue(QStringLiteral("8"), v.newStockAmount);
        list->post();
        writeSalesRecord(v);
        connection->commit();
    } catch (...) {
        list->cancel();
        dm_->ADOTable2->cancel();
        connection->rollback();
        // The list row in memory took the new figures: load what is stored.
        if (hooks_.showAllRecords)
            hooks_.showAllRecords();
        else
            list->open();
        throw;
    }
    if (hooks_.showAllRecords)
        hooks_.showAllRecords();
}

void SalesPanel::saveSale() {
    if (!quantityPasses())
        return;
    if (!computeSale())
        return;
    if (!requireEditText(price_, QStringLiteral("实际销售价必须输入！")) ||
        !requireEditText(quantity_, QStringLiteral("销售数量必须输入！")) ||
        !requireEditText(debt_, QStringLiteral("欠款金额必须输入！")))
        return;
    if (saleDateIsEmpty()) {
        platform().warning(this, QStringLiteral("销售日期必须输入"));
        date_->setFocus();
        return;
    }
    SaleValues v;
    if (!collectSaleValues(&v))
        return;
    bookSale(v);
    hide();
    if (hooks_.showSuccessTip)
        hooks_.showSuccessTip(QStringLiteral("销售数据保存成功..."));
    if (hooks_.addSlipLine)
        hooks_.addSlipLine({nameLabel_->text(), modelLabel_->text(), codeLabel_->text(),
                            quantity_->text(), price_->text(), fixed2(v.amount)});
    if (hooks_.setSlipCustomer)
        hooks_.setSlipCustomer(customerName_->currentText(), customerNumber_->text());
    refillCustomerNames();
    clearSaleInputs();
    if (hooks_.refreshSummary)
        hooks_.refreshSummary();
    if (hooks_.runThisMonth)
        hooks_.runThisMonth();
}

void SalesPanel::confirmSale() {
    if (!computeSale())
        return;
    if (!requireEditText(price_, QStringLiteral("实际销售价必须输入！")) ||
        !requireEditText(quantity_, QStringLiteral("销售数量必须输入！")))
        return;
    SaleValues v;
    if (!collectSaleValues(&v))
        return;
    bookSale(v);
    hide();
    platform().information(this, QStringLiteral("销售数据成功！"));
    clearSaleInputs();
}

void SalesPanel::clearSaleInputs() {
    quantity_->setText(QStringLiteral("1"));
    debt_->setText(QStringLiteral("0"));
    address_->clear();
    contact_->clear();
    remark_->clear();
    price_->clear();
}

void SalesPanel::closeSalePanel() {
    hide();
    clearSaleInputs();
    if (hooks_.disableRecordModify)
        hooks_.disableRecordModify();
}

void SalesPanel::newCustomerNumber() {
    customerNumber_->setText(customerNumberFor(QDate::currentDate(), counter_));
}

void SalesPanel::nextCustomerNumber() {
    ++counter_;
    newCustomerNumber();
}

void SalesPanel::loadCustomerNumber() {
    if (!SettingsStore::keyExists(kKeyKdd))
        return;
    customerNumber_->setText(SettingsStore::read(kKeyKdd, QStringLiteral("ordernumber")));
}

void SalesPanel::refillCustomerNames() {
    fillComboFromGroupedQuery(dm_->ADOQuery1, QStringLiteral("g"), QStringLiteral("data1"),
                              customerName_);
}

} // namespace tolvi
