#include "base/widget_texts.h"

#include <QFont>
#include <QFontInfo>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QVariant>

#include <algorithm>

namespace {

constexpr int Gap = 2;            // pixels kept free before the next control or the edge
constexpr int SmallestPixels = 7; // a font is not made smaller than this

bool HasFittedText(const QObject *object)
{
    if (!object->isWidgetType())
        return false;
    const char *kind = object->metaObject()->className();
    return qstrcmp(kind, "QLabel") == 0 || object->inherits("QCheckBox") ||
           object->inherits("QRadioButton");
}

int Needed(const QObject *widget)
{
    return widget->property("sizeHint").toSize().width();
}

// The right edge (exclusive) up to which `widget` may grow: the left edge of the nearest
// sibling on its rows to its right, or its parent's right edge, less a gap.
int RoomRight(const QObject *widget, const QRect &at)
{
    const QObject *parent = widget->parent();
    if (!parent || !parent->isWidgetType())
        return at.right() + 1;
    int limit = parent->property("size").toSize().width() - Gap;
    for (const QObject *sibling : parent->children()) {
        if (sibling == widget || !sibling->isWidgetType() || sibling->property("isWindow").toBool())
            continue;
        const QRect other = sibling->property("geometry").toRect();
        const bool sameRows = other.top() <= at.bottom() && other.bottom() >= at.top();
        if (sameRows && other.left() > at.right())
            limit = std::min(limit, other.left() - Gap);
    }
    return std::max(limit, at.right() + 1);
}

} // namespace

void WidgetTexts::Fit(QObject *widget)
{
    if (!widget || !HasFittedText(widget) || widget->property("text").toString().isEmpty())
        return;
    QRect at = widget->property("geometry").toRect();
    if (Needed(widget) <= at.width())
        return;
    at.setWidth(std::min(Needed(widget), RoomRight(widget, at) - at.left()));
    widget->setProperty("geometry", at);
    QFont font = widget->property("font").value<QFont>();
    for (int pixels = QFontInfo(font).pixelSize() - 1;
         Needed(widget) > at.width() && pixels >= SmallestPixels; --pixels) {
        font.setPixelSize(pixels);
        widget->setProperty("font", font);
    }
}

void WidgetTexts::FitAll(QObject *root)
{
    if (!root)
        return;
    for (QObject *child : root->findChildren<QObject *>())
        Fit(child);
}
