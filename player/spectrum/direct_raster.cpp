#include "spectrum/direct_raster.h"

#include <algorithm>
#include <cstdlib>

DirectRaster::DirectRaster(QPainter &painter) : painter_(painter)
{
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image ||
        !painter.deviceTransform().isIdentity() || painter.hasClipping() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0)
        return;
    auto *image = static_cast<QImage *>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return;
    // The buffer the paint engine draws into. bits() would detach an image that has been
    // copied since the painter began, and the direct writes would then miss the painter's.
    bits_ = const_cast<uchar *>(image->constBits());
    stride_ = image->bytesPerLine();
    width_ = image->width();
    height_ = image->height();
}

void DirectRaster::Line(int x0, int y0, int x1, int y1, QRgb colour)
{
    if (!bits_) {
        painter_.setPen(QPen(QColor(colour), 0));
        painter_.drawLine(x0, y0, x1, y1);
        return;
    }
    const QRgb pixel = colour | 0xFF000000u;
    if (x0 == x1) {
        Column(x0, std::min(y0, y1), std::max(y0, y1), colour);
        return;
    }
    // Bresenham, all octants.
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Put(x0, y0, pixel);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void DirectRaster::Column(int x, int top, int bottom, QRgb colour)
{
    if (!bits_) {
        if (bottom >= top)
            painter_.fillRect(x, top, 1, bottom - top + 1, QColor(colour));
        return;
    }
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_))
        return;
    top = std::max(top, 0);
    bottom = std::min(bottom, height_ - 1);
    const QRgb pixel = colour | 0xFF000000u;
    uchar *row = bits_ + static_cast<qsizetype>(top) * stride_;
    for (int y = top; y <= bottom; ++y, row += stride_)
        reinterpret_cast<QRgb *>(row)[x] = pixel;
}

void DirectRaster::Row(int y, int left, int right, QRgb colour)
{
    if (!bits_) {
        if (right >= left)
            painter_.fillRect(left, y, right - left + 1, 1, QColor(colour));
        return;
    }
    if (static_cast<unsigned>(y) >= static_cast<unsigned>(height_))
        return;
    left = std::max(left, 0);
    right = std::min(right, width_ - 1);
    if (right < left)
        return;
    auto *row = reinterpret_cast<QRgb *>(bits_ + static_cast<qsizetype>(y) * stride_);
    std::fill(row + left, row + right + 1, colour | 0xFF000000u);
}

void DirectRaster::ColumnsDownTo(const std::vector<int> &tops, int bottom, QRgb colour)
{
    const int columns = static_cast<int>(tops.size());
    if (!bits_) {
        for (int x = 0; x < columns; ++x)
            if (tops[static_cast<std::size_t>(x)] < bottom)
                Column(x, tops[static_cast<std::size_t>(x)], bottom - 1, colour);
        return;
    }
    const int width = std::min(columns, width_);
    int top = bottom;
    for (int x = 0; x < width; ++x)
        top = std::min(top, tops[static_cast<std::size_t>(x)]);
    const QRgb pixel = colour | 0xFF000000u;
    const int *columnTops = tops.data();
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        auto *row = reinterpret_cast<QRgb *>(bits_ + static_cast<qsizetype>(y) * stride_);
        // Branch-free so that the loop vectorises.
        for (int x = 0; x < width; ++x)
            row[x] = columnTops[x] <= y ? pixel : row[x];
    }
}

void DirectRaster::Copy(const QImage &source, const QRect &area)
{
    const RowCopier copy = CopierFrom(source);
    for (int y = area.top(); y <= area.bottom(); ++y)
        copy(y, area.left(), area.right());
}

DirectRaster::RowCopier DirectRaster::CopierFrom(const QImage &source) const
{
    RowCopier copier;
    if (!bits_ || source.depth() != 32)
        return copier;
    copier.to_ = bits_;
    copier.from_ = source.constBits();
    copier.toStride_ = stride_;
    copier.fromStride_ = source.bytesPerLine();
    copier.width_ = std::min(width_, source.width());
    copier.height_ = std::min(height_, source.height());
    return copier;
}
