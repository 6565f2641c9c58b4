// Every text of the player's window, its settings panel, its information dialog and
// LumoSpecify's window shows whole, in Japanese and in English: each label, check box, radio
// button and menu item is at least as wide as its font needs for its text. The test runs at
// scale 1 and again at scale 2 (QT_SCALE_FACTOR, see tests/CMakeLists.txt).
#include "base/translation.h"
#include "specify.h"
#include "support/window_rig.h"
#include "window/info.h"
#include "window/panel.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace {

// The texts under `root` that do not fit their widgets, one line each.
QStringList Clipped(const QWidget *root)
{
    QStringList clipped;
    const auto report = [&](const QWidget *w, const QString &text, int needed, int has) {
        clipped << QStringLiteral("%1 \"%2\": needs %3, has %4")
                       .arg(QString::fromLatin1(w->metaObject()->className()), text)
                       .arg(needed)
                       .arg(has);
    };
    // Labels of their own kinds (titles, file names, the information texts) set their text
    // smaller by themselves where it would not fit; plain labels keep the font they were given.
    for (const QLabel *label : root->findChildren<QLabel *>()) {
        if (label->metaObject() != &QLabel::staticMetaObject || label->text().isEmpty() ||
            label->wordWrap() || label->textFormat() == Qt::RichText)
            continue;
        const QFontMetrics metrics(label->font());
        const int has = label->contentsRect().width() - 2 * label->margin();
        for (const QString &line : label->text().split(QLatin1Char('\n')))
            if (metrics.horizontalAdvance(line) > has)
                report(label, line, metrics.horizontalAdvance(line), has);
    }
    for (const QAbstractButton *button : root->findChildren<QAbstractButton *>()) {
        if (button->text().isEmpty())
            continue;
        const QFontMetrics metrics(button->font());
        const int text = metrics.horizontalAdvance(button->text(), Qt::TextShowMnemonic);
        const QStyle *style = button->style();
        int needed = 0;
        if (qobject_cast<const QPushButton *>(button)) {
            // The text, inside the button's frame on both sides.
            needed = text + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        } else {
            // The indicator, the space after it, then the text.
            const bool radio = qobject_cast<const QRadioButton *>(button) != nullptr;
            needed = style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth
                                              : QStyle::PM_IndicatorWidth,
                                        nullptr, button) +
                     style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing
                                              : QStyle::PM_CheckBoxLabelSpacing,
                                        nullptr, button) +
                     text;
        }
        if (needed > button->width())
            report(button, button->text(), needed, button->width());
    }
    // A menu is as wide as its widest item: the item text must not be elided.
    for (const QMenu *menu : root->findChildren<QMenu *>()) {
        const QFontMetrics metrics(menu->font());
        for (const QAction *action : menu->actions())
            if (!action->isSeparator() && !action->text().isEmpty() &&
                metrics.horizontalAdvance(action->text()) > menu->sizeHint().width())
                report(menu, action->text(), metrics.horizontalAdvance(action->text()),
                       menu->sizeHint().width());
    }
    return clipped;
}

} // namespace

class TestTextFit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { InstallTranslation(QLocale(QLocale::Japanese)); }

    void everyTextShowsWhole_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("window");
        for (const char *locale : {"ja_JP", "en_US"})
            for (const char *window : {"player", "panel", "information", "LumoSpecify"})
                QTest::addRow("%s, %s", locale, window) << locale << window;
    }

    void everyTextShowsWhole()
    {
        QFETCH(QString, locale);
        QFETCH(QString, window);
        InstallTranslation(QLocale(locale));
        WindowRig rig({.shown = true});
        QWidget *root = &rig.W();
        std::unique_ptr<Specify> specify;
        if (window == QLatin1String("panel")) {
            rig.W().MenuVsaPanel->trigger();
            root = rig.W().PanelWindow();
        } else if (window == QLatin1String("information")) {
            rig.W().PicInfo_Click();
            root = rig.W().InfoWindow();
        } else if (window == QLatin1String("LumoSpecify")) {
            SpecifyEnvironment environment;
            environment.programDirectory = rig.dir.path();
            environment.defaultPlayerPath = rig.dir.filePath(QStringLiteral("Lumo"));
            specify = std::make_unique<Specify>(environment);
            root = specify.get();
        }
        QVERIFY(root);
        const QStringList clipped = Clipped(root);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_text_fit.moc"
