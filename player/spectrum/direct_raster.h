#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>
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
    // Copies `area` (clipped to both pictures) from `source`, a 32-bit picture laid out like the
    // target, to the same place; only on a direct raster.
    void Copy(const QImage &source, const QRect &area);

    // Copies pieces of rows from one source picture: cheap per piece, for many short ones.
    class RowCopier
    {
    public:
        // Columns left … right of row y, clipped to both pictures.
        void operator()(int y, int left, int right) const
        {
            if (static_cast<unsigned>(y) >= static_cast<unsigned>(height_))
                return;
            left = std::max(left, 0);
            right = std::min(right, width_ - 1);
            if (right >= left)
                std::memcpy(to_ + y * toStride_ + left * 4, from_ + y * fromStride_ + left * 4,
                            static_cast<std::size_t>(right - left + 1) * 4);
        }

        // Rows top … bottom of column x, clipped to both pictures.
        void Column(int x, int top, int bottom) const
        {
            if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_))
                return;
            top = std::max(top, 0);
            bottom = std::min(bottom, height_ - 1);
            for (int y = top; y <= bottom; ++y)
                reinterpret_cast<QRgb *>(to_ + y * toStride_)[x] =
                    reinterpret_cast<const QRgb *>(from_ + y * fromStride_)[x];
        }

    private:
        friend class DirectRaster;
        uchar *to_ = nullptr;
        const uchar *from_ = nullptr;
        qsizetype toStride_ = 0, fromStride_ = 0;
        int width_ = 0, height_ = 0;
    };
    // A copier from `source`, a 32-bit picture; it copies nothing on a painter that is not
    // direct.
    RowCopier CopierFrom(const QImage &source) const;

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
