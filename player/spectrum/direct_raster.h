#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <vector>

// Writes opaque pixels (colours as 0xRRGGBB, alpha ignored) straight into the 32-bit image a
// painter draws on, when the painter maps it 1:1 without clipping; otherwise every call goes
// through the painter. Drawing many short lines this way costs a fraction of the painter's per-call
// overhead.
class DirectRaster
{
public:
    explicit DirectRaster(QPainter &painter);

    bool Direct() const { return bits_ != nullptr; }

    // Line from (x0, y0) to (x1, y1) in pixels, both ends included.
    void Line(int x0, int y0, int x1, int y1, QRgb colour);
    // Column x from row top down to row bottom, both included.
    void Column(int x, int top, int bottom, QRgb colour);
    // Row y from column left to column right, both included.
    void Row(int y, int left, int right, QRgb colour);
    // Every column c with tops[c] < bottom, from row tops[c] down to row bottom - 1; written
    // row by row, so the memory is walked in order.
    void ColumnsDownTo(const std::vector<int> &tops, int bottom, QRgb colour);

private:
    void Put(int x, int y, QRgb pixel)
    {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(height_))
            reinterpret_cast<QRgb *>(bits_ + static_cast<qsizetype>(y) * stride_)[x] = pixel;
    }

    QPainter &painter_;
    uchar *bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};
