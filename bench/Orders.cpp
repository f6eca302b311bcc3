#include "Orders.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTextStream>
#include <random>
#include <sqlcipher/sqlite3.h>
#include <stdexcept>

namespace bench {
namespace {

const char* const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄",   "赵",
                                 "吴", "周", "徐", "孙", "马", "朱", "胡",   "郭",
                                 "何", "高", "林", "罗", "郑", "梁", "谢",   "宋",
                                 "唐", "许", "韩", "冯", "邓", "曹", "欧阳", "司马"};
const char* const kGiven[] = {"伟",   "芳",   "娜",   "秀英", "敏",   "静",   "丽",   "强",  "磊",
                              "军",   "洋",   "勇",   "艳",   "杰",   "娟",   "涛",   "明",  "超",
                              "秀兰", "霞",   "平",   "刚",   "桂英", "建华", "晓东", "文",  "玉兰",
                              "海燕", "志强", "婷婷", "子涵", "浩然", "雨萱", "思远", "佳怡"};
struct Place {
    const char* province;
    const char* city;
    const char* districts[3];
    const char* postcode;
};
const Place kPlaces[] = {
    {"广东省", "广州市", {"越秀区", "天河区", "海珠区"}, "510000"},
    {"广东省", "深圳市", {"南山区", "福田区", "宝安区"}, "518000"},
    {"浙江省", "杭州市", {"西湖区", "拱墅区", "滨江区"}, "310000"},
    {"江苏省", "南京市", {"鼓楼区", "玄武区", "江宁区"}, "210000"},
    {"上海", "上海市", {"浦东新区", "徐汇区", "闵行区"}, "200000"},
    {"北京", "北京市", {"朝阳区", "海淀区", "丰台区"}, "100000"},
    {"四川省", "成都市", {"武侯区", "锦江区", "青羊区"}, "610000"},
    {"湖北省", "武汉市", {"洪山区", "江汉区", "武昌区"}, "430000"},
    {"山东省", "青岛市", {"市南区", "崂山区", "黄岛区"}, "266000"},
    {"福建省", "厦门市", {"思明区", "湖里区", "集美区"}, "361000"},
};
const char* const kStreets[] = {"环市东路", "中山大道", "解放路", "人民路", "建设路",
                                "文化路",   "长江路",   "和平街", "新华路", "科技园路"};
const char* const kCouriers[] = {"申通", "圆通", "中通", "顺丰", "韵达", "EMS"};
const char* const kGoods[] = {"纯棉T恤 白色 XL",   "帆布鞋 经典款",       "真丝围巾 春秋款",
                              "蓝牙耳机 无线降噪", "保温杯 不锈钢 500ml", "儿童绘本 全套10册",
                              "手机壳 磨砂防摔",   "茶叶 西湖龙井 250g",  "羽绒服 加厚 黑色",
                              "瑜伽垫 加宽防滑",   "机械键盘 青轴",       "面膜 补水保湿 10片"};
const char* const kMessages[] = {"",        "", "", "请发顺丰，谢谢", "周末送货", "不要放快递柜",
                                 "尽快发货"};

QString pick(std::mt19937& rng, const char* const* list, size_t size) {
    return QString::fromUtf8(list[std::uniform_int_distribution<size_t>(0, size - 1)(rng)]);
}

template <size_t N> QString pick(std::mt19937& rng, const char* const (&list)[N]) {
    return pick(rng, list, N);
}

int uniform(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

QString csvField(const QString& v) {
    QString q = v;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

const QStringList& reportTitles() {
    static const QStringList titles =
        QString::fromUtf8(
            "订单编号,买家会员名,买家支付宝账号,买家应付货款,买家应付邮费,买家支付积分,总金额,"
            "返点积分,买家实际支付金额,买家实际支付积分,订单状态,买家留言,收货人姓名,收货地址,"
            "运送方式,联系电话,联系手机,订单创建时间,订单付款时间,宝贝标题,宝贝种类,物流单号,"
            "物流公司,订单备注,宝贝总数量,店铺Id,店铺名称")
            .split(QLatin1Char(','));
    return titles;
}

QStringList reportRow(const Order& o) {
    const QString amount = QString::number(o.amount, 'f', 2);
    return {QStringLiteral("=\"") + o.orderNo + QLatin1Char('"'),
            csvField(o.member),
            csvField(o.member + QStringLiteral("@example.com")),
            csvField(amount),
            csvField(QStringLiteral("0.00")),
            csvField(QStringLiteral("0")),
            csvField(amount),
            csvField(QStringLiteral("0")),
            csvField(amount),
            csvField(QStringLiteral("0")),
            csvField(QString::fromUtf8("买家已付款，等待卖家发货")),
            csvField(o.message),
            csvField(o.name),
            csvField(o.address),
            csvField(QString::fromUtf8("快递")),
            csvField(QString()),
            QLatin1Char('\'') + o.mobile,
            csvField(o.paid),
            csvField(o.paid),
            csvField(o.goods),
            csvField(QStringLiteral("1")),
            csvField(QString()),
            csvField(QString()),
            csvField(QString()),
            csvField(QString::number(o.quantity)),
            csvField(QStringLiteral("0")),
            csvField(QString::fromUtf8("布林小店"))};
}

} // namespace

std::vector<Order> generateOrders(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Order> orders;
    orders.reserve(static_cast<size_t>(count));
    const char* const prefixes[] = {"139", "138", "137", "136", "150", "151", "158", "159",
                                    "186", "187", "188", "135", "130", "131", "177", "199"};
    for (int i = 0; i < count; ++i) {
        Order o;
        o.name = pick(rng, kSurnames) + pick(rng, kGiven);
        o.mobile = pick(rng, prefixes) +
                   QStringLiteral("%1").arg(uniform(rng, 0, 99999999), 8, 10, QLatin1Char('0'));
        const Place& p = kPlaces[uniform(rng, 0, std::size(kPlaces) - 1)];
        const QString district = QString::fromUtf8(p.districts[uniform(rng, 0, 2)]);
        o.address = QString::fromUtf8(p.province) + QLatin1Char(' ') + QString::fromUtf8(p.city) +
                    QLatin1Char(' ') + district + QLatin1Char(' ') + pick(rng, kStreets) +
                    QString::number(uniform(rng, 1, 3999)) + QString::fromUtf8("号") +
                    QString::number(uniform(rng, 1, 30)) + QString::fromUtf8("栋") +
                    QString::number(uniform(rng, 101, 2808)) + QString::fromUtf8("室(") +
                    QString::fromUtf8(p.postcode) + QLatin1Char(')');
        o.courier = pick(rng, kCouriers);
        o.status =
            uniform(rng, 0, 3) == 0 ? QString::fromUtf8("已打印") : QString::fromUtf8("未打印");
        o.goods = pick(rng, kGoods);
        o.member = QStringLiteral("tb_") + o.name + QString::number(uniform(rng, 1, 9999));
        o.orderNo = QStringLiteral("3515%1%2")
                        .arg(uniform(rng, 0, 99999999), 8, 10, QLatin1Char('0'))
                        .arg(uniform(rng, 0, 99999), 5, 10, QLatin1Char('0'));
        o.message = pick(rng, kMessages);
        o.paid = QStringLiteral("2017-%1-%2 %3:%4:%5")
                     .arg(uniform(rng, 1, 12), 2, 10, QLatin1Char('0'))
                     .arg(uniform(rng, 1, 28), 2, 10, QLatin1Char('0'))
                     .arg(uniform(rng, 0, 23), 2, 10, QLatin1Char('0'))
                     .arg(uniform(rng, 0, 59), 2, 10, QLatin1Char('0'))
                     .arg(uniform(rng, 0, 59), 2, 10, QLatin1Char('0'));
        o.memo = uniform(rng, 0, 4) == 0 ? QString::fromUtf8("老客户") : QString();
        o.quantity = uniform(rng, 1, 5);
        o.amount = uniform(rng, 500, 99999) / 100.0;
        orders.push_back(std::move(o));
    }
    return orders;
}

void insertOrders(const QString& dbPath, const QString& password,
                  const std::vector<Order>& orders) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(dbPath).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open the benchmark database");
    const QByteArray key = password.toUtf8();
    sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO data (a,b,c,d,g,\"1\",\"2\",h,i,j,k,day1,z) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &st, nullptr);
    if (!st)
        throw std::runtime_error(sqlite3_errmsg(db));
    for (const Order& o : orders) {
        sqlite3_reset(st);
        const QString texts[] = {o.name, o.mobile, o.address, o.courier, o.status};
        int i = 1;
        for (const QString& t : texts) {
            const QByteArray u = t.toUtf8();
            sqlite3_bind_text(st, i++, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
        }
        sqlite3_bind_int(st, i++, o.quantity);
        sqlite3_bind_double(st, i++, o.amount);
        for (const QString& t : {o.goods, o.member, o.orderNo, o.message, o.paid, o.memo}) {
            const QByteArray u = t.toUtf8();
            sqlite3_bind_text(st, i++, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(st) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void writeOrderCsv(const QString& path, const std::vector<Order>& orders) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the order CSV");
    QByteArray out("\xEF\xBB\xBF");
    QStringList quoted;
    for (const QString& t : reportTitles())
        quoted.append(csvField(t));
    out += quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
    for (const Order& o : orders)
        out += reportRow(o).join(QLatin1Char(',')).toUtf8() + "\r\n";
    f.write(out);
}

bool writeOrderXls(const QString& path, const QString& csvPath) {
    // Cells as the shop's converted workbook holds them: numbers for the
    // amounts and counts, text for the rest, the order number without its
    // ="…" wrapper and the mobile without its quote.
    static const char* script = R"PY(
import csv, sys, xlwt
src, dst = sys.argv[1], sys.argv[2]
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("brimvale")
numbers = {"买家实际支付金额", "宝贝总数量"}
with open(src, encoding="utf-8-sig", newline="") as f:
    rows = csv.reader(f)
    titles = next(rows)
    for c, t in enumerate(titles):
        sheet.write(0, c, t)
    for r, row in enumerate(rows, start=1):
        for c, v in enumerate(row):
            if v == "":
                continue
            if titles[c] in numbers:
                sheet.write(r, c, float(v))
                continue
            if v.startswith('="') and v.endswith('"'):
                v = v[2:-1]
            if v.startswith("'"):
                v = v[1:]
            sheet.write(r, c, v)
book.save(dst)
)PY";
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), QString::fromUtf8(script), csvPath, path});
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit &&
           p.exitCode() == 0 && QFile::exists(path);
}

} // namespace bench
