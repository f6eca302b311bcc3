#include "shipments/ShipmentList.h"

#include "data/Dm.h"
#include "data/Mylib.h"
#include "grid/DataGrid.h"
#include "grid/GridView.h"
#include "platform/SettingsStore.h"
#include "shipments/QuickQueryPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <map>

namespace tolvi {
namespace {

const QColor kTeal(0, 128, 128);
const QColor kSkyBlue(166, 202, 240);
const QString kGoodsFields[] = {QStringLiteral("day1"), QStringLiteral("h"), QStringLiteral("1"),
                                QStringLiteral("2"),    QStringLiteral("i"), QStringLiteral("j"),
                                QStringLiteral("z")};

QList<grid::GridColumn> listColumns() {
    struct Def {
        const char* upper;
        const char* title;
        const char* field;
        Qt::Alignment align;
        int width;
        bool teal;
    };
    const Def defs[] = {
        {"收 货 信 息", "姓 名", "a", Qt::AlignLeft, 66, true},
        {"收 货 信 息", "手 机", "b", Qt::AlignLeft, 85, true},
        {"收 货 信 息", "地 址", "c", Qt::AlignLeft, 240, true},
        {"打 印", " 快 递", "d", Qt::AlignHCenter, 66, true},
        {"打 印", " 状 态", "g", Qt::AlignHCenter, 64, true},
        {"商 品 信 息", "付款日期", "day1", Qt::AlignHCenter, 90, false},
        {"商 品 信 息", "名 称", "h", Qt::AlignLeft, 64, false},
        {"商 品 信 息", "数量", "1", Qt::AlignRight, 44, false},
        {"商 品 信 息", "金额", "2", Qt::AlignRight, 64, false},
        {"商 品 信 息", "会员名", "i", Qt::AlignLeft, 64, false},
        {"商 品 信 息", "订单编号", "j", Qt::AlignLeft, 90, false},
        {"商 品 信 息", "备 注", "z", Qt::AlignLeft, 64, false},
    };
    QList<grid::GridColumn> columns;
    for (const Def& d : defs) {
        grid::GridColumn c;
        c.upperTitle = QString::fromUtf8(d.upper);
        c.title = QString::fromUtf8(d.title);
        c.fieldName = QString::fromLatin1(d.field);
        c.alignment = d.align | Qt::AlignVCenter;
        c.width = d.width;
        c.titleColor = d.teal ? kTeal : kSkyBlue;
        c.titleTextColor = d.teal ? QColor(Qt::white) : QColor(Qt::black);
        columns.append(c);
    }
    columns[0].footerText = QStringLiteral("总计");
    columns[0].footerAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
    columns[2].fieldName = QStringLiteral("c");
    columns[7].footerSum = true;
    columns[7].footerAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
    columns[8].displayFormat = QStringLiteral("#.##");
    columns[8].footerSum = true;
    columns[8].footerAlignment = Qt::AlignRight | Qt::AlignVCenter;
    return columns;
}

// The distinct values of a column of the loaded list, as the texts and in
// the order "select f from data group by f order by f" gives them: NULL,
// numbers, text by its UTF-8 bytes, then blobs. The list holds every row of
// data, so this spares a scan of the whole table per box.
QStringList distinctTexts(const db::Dataset* list, int column) {
    bool null = false;
    std::map<double, QString> numbers;
    QSet<QString> seen; // distinct texts first: a list has few and many rows
    std::map<QByteArray, QString> texts;
    std::map<QByteArray, QString> blobs;
    const int count = list->recordCount();
    for (int r = 0; r < count; ++r) {
        const QVariant v = list->value(r, column);
        if (!v.isValid() || v.isNull()) {
            null = true;
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Double:
            numbers.try_emplace(v.toDouble(), db::Field(QString(), v).asString());
            break;
        case QMetaType::QByteArray:
            blobs.try_emplace(v.toByteArray(), v.toString());
            break;
        default:
            seen.insert(v.toString());
            break;
        }
    }
    for (const QString& text : seen)
        texts.try_emplace(text.toUtf8(), text);
    QStringList items;
    if (null)
        items.append(QString());
    for (const auto& n : numbers)
        items.append(n.second);
    for (const auto& t : texts)
        items.append(t.second);
    for (const auto& b : blobs)
        items.append(b.second);
    return items;
}

// fillComboFromGroupedQuery over the loaded list instead of the table.
void fillComboFromList(db::Dataset* list, const QString& field, QComboBox* box, Tdmfm* dm) {
    const int column = list->fieldIndex(field);
    if (column < 0) {
        fillComboFromGroupedQuery(dm->ADOQuery1, field, QStringLiteral("data"), box);
        return;
    }
    box->clear();
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(QString());
    box->addItems(distinctTexts(list, column));
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(QString());
}

} // namespace

ShipmentList::ShipmentList(Tdmfm* dm, QuickQueryPanel* quickQuery, QWidget* viewParent)
    : QObject(viewParent), dm_(dm), quickQuery_(quickQuery) {
    grid_ = new grid::DataGrid(viewParent);
    grid_->setAccessibleName(QStringLiteral("快递单列表"));
    grid_->setColumns(listColumns());
    grid_->setDataset(dm->ADOQuery15);
    // The address is long text: the export writes it as an empty text cell.
    grid_->setFieldKind(QStringLiteral("c"), grid::FieldKind::Memo);
    grid_->setRowColor([this](int row) {
        db::Dataset* d = dm_->ADOQuery15;
        const int g = d->fieldIndex(QStringLiteral("g"));
        if (g >= 0 && d->value(row, g).toString() == QStringLiteral("已打印"))
            return QColor(Qt::red);
        return QColor();
    });
    connect(grid_, &grid::DataGrid::titleClicked, this,
            [this](const QString& field, int) { sortByTitle(field); });
    connect(grid_, &grid::DataGrid::rowDoubleClicked, this, &ShipmentList::rowDoubleClicked);
    grid_->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_->view(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        Q_EMIT contextMenuRequested(grid_->view()->viewport()->mapToGlobal(pos));
    });
    connect(quickQuery_, &QuickQueryPanel::conditionChanged, this,
            [this] { runCommand(grid_->window(), [this] { runQuickQuery(); }); });
    connect(quickQuery_->clearButton(), &QPushButton::clicked, this,
            [this] { runCommand(grid_->window(), [this] { clearQuickConditions(); }); });
    connect(quickQuery_->allButton(), &QPushButton::clicked, this,
            [this] { runCommand(grid_->window(), [this] { showAllRecords(); }); });
}

QWidget* ShipmentList::view() const {
    return grid_;
}

void ShipmentList::showAllRecords() {
    openQuery(dm_->ADOQuery15, QStringLiteral("select * from data"));
    sortField_.clear();
    {
        // Refilling empties the courier box; that runs no query.
        const QSignalBlocker block(quickQuery_);
        fillComboFromList(dm_->ADOQuery15, QStringLiteral("d"), quickQuery_->courierBox(), dm_);
        // The distinct print states go into a list no box shows.
        QComboBox hidden;
        fillComboFromList(dm_->ADOQuery15, QStringLiteral("g"), &hidden, dm_);
    }
    dm_->ADOQuery15->last();
    grid_->setFooterText(1, QStringLiteral("共") + QString::number(dm_->ADOQuery15->recordCount()) +
                                QStringLiteral("条记录"));
}

QString ShipmentList::countText() const {
    return grid_->footerText(1);
}

void ShipmentList::runQuickQuery() {
    const QString statement = QStringLiteral("select * from data ") +
                              QStringLiteral("where [a]<>''") + quickQuery_->conditions();
    sortField_.clear();
    openQuery(dm_->ADOQuery15, statement);
    Q_EMIT hideEntryPanel();
}

void ShipmentList::clearQuickConditions() {
    for (QLineEdit* box :
         {quickQuery_->nameBox(), quickQuery_->orderBox(), quickQuery_->addressBox(),
          quickQuery_->memberBox(), quickQuery_->mobileBox()}) {
        if (box->text().isEmpty())
            continue;
        box->clear();
        runQuickQuery();
    }
    for (QComboBox* box : {quickQuery_->courierBox(), quickQuery_->statusBox()}) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
}

void ShipmentList::sortByTitle(const QString& field) {
    Q_EMIT hideEntryPanel();
    db::Dataset* d = dm_->ADOQuery15;
    if (!d->isOpen())
        return;
    if (field.compare(sortField_, Qt::CaseInsensitive) != 0) {
        sortField_ = field;
        sortDescending_ = true;
    } else {
        sortDescending_ = !sortDescending_;
    }
    const QString bracketed = QLatin1Char('[') + field + QLatin1Char(']');
    runCommand(grid_->window(),
               [&] { d->sort(sortDescending_ ? bracketed + QStringLiteral(" DESC") : bracketed); });
}

void ShipmentList::applyColumnVisibility() {
    for (const QString& f : kGoodsFields) {
        bool visible = !sevenHidden_;
        if (f == QLatin1String("day1") && dateHidden_)
            visible = false;
        if (operatorHidden_ &&
            (f == QLatin1String("day1") || f == QLatin1String("h") || f == QLatin1String("z")))
            visible = false;
        grid_->setColumnVisible(grid_->columnOfField(f), visible);
    }
}

void ShipmentList::toggleGoodsColumns() {
    goodsHidden_ = !goodsHidden_;
    sevenHidden_ = goodsHidden_;
    dateHidden_ = false;
    applyColumnVisibility();
    SettingsStore::write(kKeyKdd, QStringLiteral("rukuyin1"),
                         goodsHidden_ ? QStringLiteral("yes") : QStringLiteral("no"));
    Q_EMIT goodsHiddenChanged(goodsHidden_);
}

void ShipmentList::restoreColumns() {
    if (!SettingsStore::keyExists(kKeyKdd))
        return;
    const QString value = SettingsStore::read(kKeyKdd, QStringLiteral("rukuyin1"));
    // A restart with the goods hidden hides only "付款日期" but ticks the entry.
    if (value == QLatin1String("yes")) {
        dateHidden_ = true;
        goodsHidden_ = true;
    } else if (value == QLatin1String("no")) {
        dateHidden_ = false;
        goodsHidden_ = false;
    } else {
        return;
    }
    sevenHidden_ = false; // the other goods columns stay shown
    applyColumnVisibility();
    Q_EMIT goodsHiddenChanged(goodsHidden_);
}

void ShipmentList::setOperatorColumnsHidden(bool hidden) {
    operatorHidden_ = hidden;
    applyColumnVisibility();
}

QList<int> ShipmentList::selectedRows() const {
    return grid_->selectedRows();
}

} // namespace tolvi
