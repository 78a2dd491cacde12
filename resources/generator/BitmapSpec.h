#pragma once
// The shape of one skin bitmap: its size and how its frames are cut. Frames are
// equal cells running down a column and then on to the next column.

namespace ambrel::skin {

struct FrameCell {
    int x;
    int y;
    int width;
    int height;
};

struct BitmapShape {
    int width;
    int height;
    int frames;
    int columns;

    int rows() const { return (frames + columns - 1) / columns; }
    int frameWidth() const { return width / columns; }
    int frameHeight() const { return height / rows(); }
    FrameCell cell(int frame) const {
        return {(frame / rows()) * frameWidth(), (frame % rows()) * frameHeight(), frameWidth(), frameHeight()};
    }
};

}  // namespace ambrel::skin
