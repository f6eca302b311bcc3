#include "report/Band.h"

namespace tolvi::report {

Band::Band(const Band& other)
    : kind_(other.kind_), height_(other.height_), alignToBottom_(other.alignToBottom_),
      printWhenEmpty_(other.printWhenEmpty_), frame_(other.frame_),
      transparent_(other.transparent_), color_(other.color_) {
    items_.reserve(other.items_.size());
    for (const auto& item : other.items_)
        items_.push_back(std::make_unique<ReportItem>(*item));
}

ReportItem* Band::addItem(ItemKind kind, const QString& name, double x, double y, double width,
                          double height) {
    auto item = std::make_unique<ReportItem>(kind, name);
    item->setPos(x, y);
    item->setSize(width, height);
    items_.push_back(std::move(item));
    return items_.back().get();
}

ReportItem* Band::addLabel(const QString& name, double x, double y, double width, double height,
                           const QString& text) {
    ReportItem* item = addItem(ItemKind::Label, name, x, y, width, height);
    item->setText(text);
    return item;
}

ReportItem* Band::addRichText(const QString& name, double x, double y, double width,
                              double height) {
    return addItem(ItemKind::RichText, name, x, y, width, height);
}

ReportItem* Band::addDbText(const QString& name, const QString& field, double x, double y,
                            double width, double height) {
    ReportItem* item = addItem(ItemKind::DbText, name, x, y, width, height);
    item->setField(field);
    return item;
}

ReportItem* Band::addDbRichText(const QString& name, const QString& field, double x, double y,
                                double width, double height) {
    ReportItem* item = addItem(ItemKind::DbRichText, name, x, y, width, height);
    item->setField(field);
    return item;
}

ReportItem* Band::addHorizontalLine(double x, double y, double length) {
    return addItem(ItemKind::HorizontalLine, QString(), x, y, length, 0);
}

ReportItem* Band::addVerticalLine(double x, double y, double length) {
    return addItem(ItemKind::VerticalLine, QString(), x, y, 0, length);
}

ReportItem* Band::item(const QString& name) const {
    for (const auto& i : items_)
        if (i->name() == name)
            return i.get();
    return nullptr;
}

} // namespace tolvi::report
