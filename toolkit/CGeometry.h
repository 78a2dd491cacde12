#pragma once
// Points and rectangles in window pixels. A rectangle's right and bottom edges are
// exclusive for drawing (pointInside) and inclusive for hit tests (containsInclusive).

namespace VSTGUI {

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    constexpr CPoint& offset(int dx, int dy) { x += dx; y += dy; return *this; }
    constexpr bool operator==(const CPoint&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr int getWidth() const { return width(); }
    constexpr int getHeight() const { return height(); }
    constexpr CPoint topLeft() const { return {left, top}; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr CRect& offset(int dx, int dy) {
        left += dx; right += dx; top += dy; bottom += dy;
        return *this;
    }
    constexpr CRect& moveTo(int x, int y) { return offset(x - left, y - top); }
    // Drawing sense: right and bottom excluded.
    constexpr bool pointInside(const CPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // Hit-test sense: all four edges included.
    constexpr bool containsInclusive(const CPoint& p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    constexpr bool rectOverlap(const CRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    // Intersection; empty (all zero) when the two do not overlap.
    constexpr CRect& bound(const CRect& o) {
        if (!rectOverlap(o)) { *this = CRect(); return *this; }
        if (o.left > left) left = o.left;
        if (o.top > top) top = o.top;
        if (o.right < right) right = o.right;
        if (o.bottom < bottom) bottom = o.bottom;
        return *this;
    }
    constexpr CRect& unite(const CRect& o) {
        if (o.isEmpty()) return *this;
        if (isEmpty()) { *this = o; return *this; }
        if (o.left < left) left = o.left;
        if (o.top < top) top = o.top;
        if (o.right > right) right = o.right;
        if (o.bottom > bottom) bottom = o.bottom;
        return *this;
    }
    constexpr bool operator==(const CRect&) const = default;
};

}  // namespace VSTGUI
