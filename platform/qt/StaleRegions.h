#pragma once
#include <QRect>
#include <QRegion>

#include <cstddef>
#include <vector>

// For a picture shown from several buffers in turn, while the compositor holds the one on show: the part of
// each buffer that no longer shows the latest picture. A buffer that comes round again is brought up to date
// by painting only that part, rather than by copying the whole of the buffer shown before it.
class TStaleRegions {
public:
    // count buffers, each stale all over.
    void Reset(size_t count, const QRect& whole);
    // The picture changed here: stale in every buffer.
    void Changed(const QRegion& region);
    // What the buffer must have painted before it is shown; from then on it is up to date.
    QRegion Take(size_t buffer);
    size_t Count() const { return FStale.size(); }

private:
    std::vector<QRegion> FStale;
};
