#include "base/widget_texts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

constexpr int Gap = 2;            // pixels kept free before the next control or the edge
constexpr int SmallestPixels = 7; // a font is not made smaller than this

// The width of the widest line of the text.
int TextWidth(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line, Qt::TextShowMnemonic));
    return widest;
}

} // namespace

int WidgetTexts::Room(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        const QStyle::SubElement contents =
            qobject_cast<const QRadioButton *>(button)  ? QStyle::SE_RadioButtonContents
            : qobject_cast<const QCheckBox *>(button)   ? QStyle::SE_CheckBoxContents
            : qobject_cast<const QPushButton *>(button) ? QStyle::SE_PushButtonContents
                                                        : QStyle::SE_CustomBase;
        if (contents == QStyle::SE_CustomBase)
            return button->width();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(contents, &option, button).width();
    }
    return widget->width();
}

int WidgetTexts::Needed(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return TextWidth(label->font(), label->text());
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return TextWidth(button->font(), button->text());
    return 0;
}

bool WidgetTexts::Checked(const QWidget *widget)
{
    if (qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QRadioButton *>(widget) ||
        qobject_cast<const QPushButton *>(widget))
        return true;
    const auto *label = qobject_cast<const QLabel *>(widget);
    return label && label->metaObject() == &QLabel::staticMetaObject && !label->wordWrap() &&
           label->textFormat() != Qt::RichText && label->pixmap().isNull();
}

void WidgetTexts::Fit(QWidget *widget)
{
    if (!widget || !Checked(widget) || Needed(widget) <= Room(widget))
        return;
    // Grow to the right, up to the next control on the same rows or the window's edge.
    QRect at = widget->geometry();
    if (const QWidget *parent = widget->parentWidget()) {
        int limit = parent->width() - Gap;
        for (const QWidget *sibling : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QRect other = sibling->geometry();
            if (sibling != widget && !sibling->isWindow() && other.top() <= at.bottom() &&
                other.bottom() >= at.top() && other.left() > at.right())
                limit = std::min(limit, other.left() - Gap);
        }
        const int wanted = at.width() + Needed(widget) - Room(widget);
        at.setWidth(std::max(at.width(), std::min(wanted, limit - at.left())));
        widget->setGeometry(at);
    }
    // Where the room is not enough, a smaller font.
    QFont font = widget->font();
    for (int pixels = QFontInfo(font).pixelSize() - 1;
         Needed(widget) > Room(widget) && pixels >= SmallestPixels; --pixels) {
        font.setPixelSize(pixels);
        widget->setFont(font);
    }
}

void WidgetTexts::FitAll(QWidget *root)
{
    if (!root)
        return;
    for (QWidget *child : root->findChildren<QWidget *>())
        Fit(child);
}
