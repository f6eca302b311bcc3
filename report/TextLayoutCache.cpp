#include "report/TextLayoutCache.h"

namespace tolvi::report {

size_t qHash(const TextLayoutCache::Key& k, size_t seed) {
    return qHashMulti(seed, k.text, k.family, k.pointSize, k.x, k.y, k.width, k.height, k.mmPerPx,
                      k.kind, k.alignment, k.bold, k.italic, k.underline, k.autoSize, k.wordWrap);
}

std::shared_ptr<const TextBlock> TextLayoutCache::block(const ReportItem& item, const QString& text,
                                                        double mmPerPx) {
    const ReportFont& f = item.font();
    Key key{text,
            f.family,
            f.pointSize,
            item.x(),
            item.y(),
            item.width(),
            item.height(),
            mmPerPx,
            static_cast<int>(item.kind()),
            static_cast<int>(item.alignment()),
            f.bold,
            f.italic,
            f.underline,
            item.autoSize(),
            item.wordWrap()};
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto it = blocks_.constFind(key);
        if (it != blocks_.constEnd())
            return *it;
    }
    auto made = std::make_shared<const TextBlock>(layoutText(item, text, mmPerPx));
    const std::lock_guard<std::mutex> lock(mutex_);
    if (blocks_.size() >= kCapacity)
        blocks_.clear();
    blocks_.insert(std::move(key), made);
    return made;
}

} // namespace tolvi::report
