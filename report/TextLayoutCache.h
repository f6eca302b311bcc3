#pragma once
// Laid-out texts kept for the life of a report's pages: a text that repeats on
// every band (the sender's on each waybill) is shaped once per run, not once
// per band.

#include "report/TextBlock.h"

#include <QHash>
#include <memory>
#include <mutex>

namespace tolvi::report {

class TextLayoutCache {
public:
    // The item's text laid out as layoutText does, from the cache when an
    // item of the same geometry, font and options showed the same text before.
    std::shared_ptr<const TextBlock> block(const ReportItem& item, const QString& text,
                                           double mmPerPx);

    // Entries kept before the cache starts afresh, so a report of ever
    // different texts (a long grid) does not keep every layout alive.
    static constexpr qsizetype kCapacity = 256;

    struct Key {
        QString text;
        QString family;
        double pointSize, x, y, width, height, mmPerPx;
        int kind, alignment;
        bool bold, italic, underline, autoSize, wordWrap;
        bool operator==(const Key&) const = default;
    };

private:
    std::mutex mutex_;
    QHash<Key, std::shared_ptr<const TextBlock>> blocks_;
};

size_t qHash(const TextLayoutCache::Key& key, size_t seed = 0);

} // namespace tolvi::report
